// Natives of com.brevanto.qovin.display.XPlaneDrawCallbackHelper: Java objects
// that draw in one of the simulator's drawing phases, before or after it.
#include <XPLMDisplay.h>
#include <XPLMUtilities.h>

#include "bridge.h"
#include "registrations.h"
#include "com_brevanto_qovin_display_XPlaneDrawCallbackHelper.h"

namespace {
jmethodID callbackMethod = nullptr;
}

// The refcon is the global reference to the registered Java object. An
// exception is printed and cleared; the call's result (0 when it threw) goes
// to the simulator all the same, so a throwing before-callback skips the phase.
int XPlaneDrawCallbackHelper(XPLMDrawingPhase inPhase, int inIsBefore, void* inRefcon) {
  const jint result = JVMP_env->CallIntMethod(static_cast<jobject>(inRefcon), callbackMethod, inPhase,
                                              static_cast<jboolean>(inIsBefore != 0));
  printAndClearException();
  return result;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneDrawCallbackHelper_initialize(JNIEnv* env, jclass) {
  jclass cls = env->FindClass("com/brevanto/qovin/display/XPlaneDrawCallbackHelper");
  if (cls == nullptr) return;
  callbackMethod = JVMP_env->GetMethodID(cls, "callback", "(IZ)I");
  env->DeleteLocalRef(cls);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_display_XPlaneDrawCallbackHelper_registerDrawCallback(
    JNIEnv*, jobject self, jint phase, jboolean before) {
  jobject globalRef = JVMP_env->NewGlobalRef(self);
  if (globalRef == nullptr) return 0;
  if (XPLMRegisterDrawCallback(XPlaneDrawCallbackHelper, phase, before ? 1 : 0, globalRef) == 1) {
    qovin::addRegistration(qovin::Kind::kDrawCallback, qovin::keyOf(globalRef), {});
    return qovin::keyOf(globalRef);
  }
  JVMP_env->DeleteGlobalRef(globalRef);
  return 0;
}

// A refused unregistration keeps the reference: the simulator may still hold
// it for a live registration. A reference that is not a current registration
// is refused the same way without reaching the simulator.
JNIEXPORT jint JNICALL Java_com_brevanto_qovin_display_XPlaneDrawCallbackHelper_unregisterDrawCallback(
    JNIEnv*, jobject, jlong gref, jint phase, jboolean before) {
  const int result = qovin::findRegistration(qovin::Kind::kDrawCallback, gref) == nullptr
                         ? 0
                         : XPLMUnregisterDrawCallback(XPlaneDrawCallbackHelper, phase, before ? 1 : 0,
                                                      reinterpret_cast<void*>(gref));
  if (result == 1) {
    qovin::removeRegistration(qovin::Kind::kDrawCallback, gref);
    JVMP_env->DeleteGlobalRef(reinterpret_cast<jobject>(gref));
  } else {
    XPLMDebugString("[Vaskel] Draw callback could not be unregistered.");
  }
  return result;
}
