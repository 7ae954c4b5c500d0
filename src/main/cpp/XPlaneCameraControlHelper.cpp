// Natives of com.brevanto.qovin.camera.XPlaneCameraControlHelper: a Java
// controller steers the camera frame by frame. All controllers share one
// position object, made on the first camera callback and kept.
#include <XPLMCamera.h>

#include "bridge.h"
#include "com_brevanto_qovin_camera_XPlaneCameraControlHelper.h"

namespace {
jclass QOVINCameraPosition = nullptr;
jmethodID QOVINCameraPositionConstructor = nullptr;
jmethodID getPosMtd = nullptr;
jmethodID controlCameraMtd = nullptr;
jobject jpos = nullptr;
XPLMCameraPosition_t camPos;
XPLMCameraControlDuration duration;
// The controller the simulator holds now, if any: deleted by its losing call,
// or by dontControlN, which gets no such call.
jobject currentController = nullptr;

constexpr jsize kPositionFloats = 7;
}  // namespace

// The controller reference is deleted in the losing-control call. An exception
// from controlCamera or getPos is printed and cleared and gives control up
// (0); so does a getPos array that is null or shorter than seven floats. The
// simulator's record is written only from a full array.
int XPlaneCameraControlHelper(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl, void* inRefcon) {
  if (jpos == nullptr) {
    jobject position = JVMP_env->NewObject(QOVINCameraPosition, QOVINCameraPositionConstructor, 0.0f, 0.0f, 0.0f,
                                           0.0f, 0.0f, 0.0f, 0.0f);
    if (position != nullptr) {
      jpos = JVMP_env->NewGlobalRef(position);
      JVMP_env->DeleteLocalRef(position);
    }
    printAndClearException();
  }
  const jobject controller = static_cast<jobject>(inRefcon);
  const jint result = JVMP_env->CallIntMethod(controller, controlCameraMtd, jpos,
                                              static_cast<jboolean>(inIsLosingControl != 0));
  const bool threw = printAndClearException();
  if (inIsLosingControl != 0) {
    if (controller == currentController) currentController = nullptr;
    JVMP_env->DeleteGlobalRef(controller);
    return threw ? 0 : result;
  }
  if (threw || jpos == nullptr || outCameraPosition == nullptr) return 0;
  auto pos = static_cast<jfloatArray>(JVMP_env->CallObjectMethod(jpos, getPosMtd));
  if (printAndClearException() || pos == nullptr) return 0;
  jfloat values[kPositionFloats];
  const bool complete = JVMP_env->GetArrayLength(pos) >= kPositionFloats;
  if (complete) JVMP_env->GetFloatArrayRegion(pos, 0, kPositionFloats, values);
  JVMP_env->DeleteLocalRef(pos);
  if (!complete) return 0;
  outCameraPosition->x = values[0];
  outCameraPosition->y = values[1];
  outCameraPosition->z = values[2];
  outCameraPosition->pitch = values[3];
  outCameraPosition->heading = values[4];
  outCameraPosition->roll = values[5];
  outCameraPosition->zoom = values[6];
  return result;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_camera_XPlaneCameraControlHelper_initialize(JNIEnv*, jclass) {
  jclass position = JVMP_env->FindClass("com/brevanto/qovin/camera/QOVINCameraPosition");
  if (position == nullptr) return;
  QOVINCameraPosition = static_cast<jclass>(JVMP_env->NewGlobalRef(position));
  JVMP_env->DeleteLocalRef(position);
  QOVINCameraPositionConstructor = JVMP_env->GetMethodID(QOVINCameraPosition, "<init>", "(FFFFFFF)V");
  getPosMtd = JVMP_env->GetMethodID(QOVINCameraPosition, "getPos", "()[F");
  jclass control = JVMP_env->FindClass("com/brevanto/qovin/camera/QOVINCameraControl");
  if (control == nullptr) return;
  controlCameraMtd =
      JVMP_env->GetMethodID(control, "controlCamera", "(Lcom/brevanto/qovin/camera/QOVINCameraPosition;Z)I");
  JVMP_env->DeleteLocalRef(control);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_camera_XPlaneCameraControlHelper_controlCameraN(JNIEnv* env, jclass,
                                                                                              jobject jcontrol,
                                                                                              jint howLong) {
  jobject controller = env->NewGlobalRef(jcontrol);
  if (controller == nullptr) return;
  // The previous controller, if any, gets its losing call in here.
  XPLMControlCamera(howLong, XPlaneCameraControlHelper, controller);
  currentController = controller;
}

// The simulator makes no losing call here, so the controller it held is
// released at once.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_camera_XPlaneCameraControlHelper_dontControlN(JNIEnv* env, jclass) {
  XPLMDontControlCamera();
  if (currentController == nullptr) return;
  env->DeleteGlobalRef(currentController);
  currentController = nullptr;
}

// The seven values go into elements 0 to 6; a shorter (or null) array gets
// only what fits.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_camera_XPlaneCameraControlHelper_readCameraPosition(JNIEnv* env,
                                                                                                  jclass,
                                                                                                  jfloatArray buf) {
  if (offHostThread(env)) return;
  XPLMReadCameraPosition(&camPos);
  if (buf == nullptr) return;
  const jfloat values[kPositionFloats] = {camPos.x,       camPos.y,    camPos.z,   camPos.pitch,
                                          camPos.heading, camPos.roll, camPos.zoom};
  const jsize length = env->GetArrayLength(buf);
  env->SetFloatArrayRegion(buf, 0, length < kPositionFloats ? length : kPositionFloats, values);
}

JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_camera_XPlaneCameraControlHelper_isCameraBeingControlledN(
    JNIEnv* env, jclass) {
  if (XPLMIsCameraBeingControlled(&duration) == 0) return nullptr;
  jclass integer = env->FindClass("java/lang/Integer");
  if (integer == nullptr) return nullptr;
  jobject boxed = env->NewObject(integer, env->GetMethodID(integer, "<init>", "(I)V"), duration);
  env->DeleteLocalRef(integer);
  return boxed;
}
