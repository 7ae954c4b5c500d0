// Natives of com.brevanto.qovin.display.XPlaneWindowHelper: simulator windows
// drawn and controlled by a Java object, with key, mouse, cursor and wheel input.
#include <XPLMDisplay.h>

#include <algorithm>
#include <iostream>

#include "bridge.h"
#include "utf8.h"
#include "registrations.h"
#include "com_brevanto_qovin_display_XPlaneWindowHelper.h"

namespace {
jmethodID drawWindowCallbackMtd = nullptr;
jmethodID keyPressedCallbackMtd = nullptr;
jmethodID mouseClickCallbackMtd = nullptr;
jmethodID rmouseClickCallbackMtd = nullptr;
jmethodID cursorStatusCallbackMtd = nullptr;
jmethodID mouseWheelCallbackMtd = nullptr;

// Result of an int callback: the Java answer, or -1 when it threw (printed and cleared).
int answer(jint result) { return printAndClearException() ? -1 : result; }

// The window's left, top, right and bottom from `query`, into the first four
// elements of `jgeom`; a shorter array gets only what fits, a null array nothing.
void copyGeometry(JNIEnv* env, jlong windowId, jintArray jgeom, void (*query)(XPLMWindowID, int*, int*, int*, int*)) {
  jint geometry[4] = {0, 0, 0, 0};
  query(reinterpret_cast<XPLMWindowID>(windowId), &geometry[0], &geometry[1], &geometry[2], &geometry[3]);
  if (jgeom == nullptr) return;
  env->SetIntArrayRegion(jgeom, 0, std::min<jsize>(4, env->GetArrayLength(jgeom)), geometry);
}
}  // namespace

void QOVINDrawWindowCallback(XPLMWindowID, void* inRefcon) {
  JVMP_env->CallVoidMethod(static_cast<jobject>(inRefcon), drawWindowCallbackMtd);
  printAndClearException();
}

// Key codes go to Java as signed bytes with the same 8 bits (0xB0 arrives as -80).
void QOVINHandleKeyCallback(XPLMWindowID, char inKey, XPLMKeyFlags inFlags, char inVirtualKey, void* inRefcon,
                            int losingFocus) {
  JVMP_env->CallVoidMethod(static_cast<jobject>(inRefcon), keyPressedCallbackMtd, static_cast<jbyte>(inKey),
                           static_cast<jint>(inFlags), static_cast<jbyte>(inVirtualKey),
                           static_cast<jboolean>(losingFocus != 0));
  printAndClearException();
}

int QOVINHandleMouseClickCallback(XPLMWindowID, int x, int y, XPLMMouseStatus inMouse, void* inRefcon) {
  return answer(JVMP_env->CallIntMethod(static_cast<jobject>(inRefcon), mouseClickCallbackMtd, x, y, inMouse));
}

int QOVINHandleRightMouseClickCallback(XPLMWindowID, int x, int y, XPLMMouseStatus inMouse, void* inRefcon) {
  return answer(JVMP_env->CallIntMethod(static_cast<jobject>(inRefcon), rmouseClickCallbackMtd, x, y, inMouse));
}

XPLMCursorStatus QOVINHandleCursorCallback(XPLMWindowID, int x, int y, void* inRefcon) {
  return answer(JVMP_env->CallIntMethod(static_cast<jobject>(inRefcon), cursorStatusCallbackMtd, x, y));
}

int QOVINHandleMouseWheelCallback(XPLMWindowID, int x, int y, int wheel, int clicks, void* inRefcon) {
  return answer(
      JVMP_env->CallIntMethod(static_cast<jobject>(inRefcon), mouseWheelCallbackMtd, x, y, wheel, clicks));
}

namespace {
// A creation record with every field set: the modern window's callbacks but no
// right-click, undecorated, in the flight-overlay layer.
XPLMCreateWindow_t creationRecord(jint left, jint top, jint right, jint bottom, jboolean visible, void* refcon) {
  XPLMCreateWindow_t params{};
  params.structSize = sizeof(XPLMCreateWindow_t);
  params.left = left;
  params.top = top;
  params.right = right;
  params.bottom = bottom;
  params.visible = visible ? 1 : 0;
  params.drawWindowFunc = QOVINDrawWindowCallback;
  params.handleMouseClickFunc = QOVINHandleMouseClickCallback;
  params.handleKeyFunc = QOVINHandleKeyCallback;
  params.handleCursorFunc = QOVINHandleCursorCallback;
  params.handleMouseWheelFunc = QOVINHandleMouseWheelCallback;
  params.refcon = refcon;
  params.decorateAsFloatingWindow = 0;
  params.layer = xplm_WindowLayerFlightOverlay;
  params.handleRightClickFunc = nullptr;
  return params;
}
// Records the window with its owner reference; a window the simulator refused
// (no handle) has its reference deleted at once.
jlong created(JNIEnv* env, XPLMWindowID window, jobject owner) {
  if (window == nullptr) {
    if (owner != nullptr) env->DeleteGlobalRef(owner);
    return 0;
  }
  qovin::Registration entry;
  entry.ref = owner;
  qovin::addRegistration(qovin::Kind::kWindow, reinterpret_cast<jlong>(window), entry);
  return reinterpret_cast<jlong>(window);
}
}  // namespace

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_initialize(JNIEnv*, jclass) {
  jclass cls = JVMP_env->FindClass("com/brevanto/qovin/display/XPlaneWindowHelper");
  if (cls == nullptr) return;
  drawWindowCallbackMtd = JVMP_env->GetMethodID(cls, "drawWindowCallback", "()V");
  keyPressedCallbackMtd = JVMP_env->GetMethodID(cls, "keyPressedCallback", "(BIBZ)V");
  mouseClickCallbackMtd = JVMP_env->GetMethodID(cls, "mouseClickCallback", "(III)I");
  rmouseClickCallbackMtd = JVMP_env->GetMethodID(cls, "rightMouseClickCallback", "(III)I");
  cursorStatusCallbackMtd = JVMP_env->GetMethodID(cls, "cursorStatusCallback", "(II)I");
  mouseWheelCallbackMtd = JVMP_env->GetMethodID(cls, "mouseWheelCallback", "(IIII)I");
  JVMP_env->DeleteLocalRef(cls);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_createWindow(JNIEnv* env, jobject self,
                                                                                       jint left, jint top,
                                                                                       jint right, jint bottom,
                                                                                       jboolean visible) {
  std::cout << "XPlaneWindowHelper: In window create." << std::endl;
  jobject globalRef = env->NewGlobalRef(self);
  if (globalRef == nullptr) return 0;
  return created(env,
                 XPLMCreateWindow(left, top, right, bottom, visible ? 1 : 0, QOVINDrawWindowCallback,
                                  QOVINHandleKeyCallback, QOVINHandleMouseClickCallback, globalRef),
                 globalRef);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_createWindowEx(JNIEnv* env,
                                                                                         jobject self, jint left,
                                                                                         jint top, jint right,
                                                                                         jint bottom,
                                                                                         jboolean visible) {
  jobject globalRef = env->NewGlobalRef(self);
  if (globalRef == nullptr) return 0;
  XPLMCreateWindow_t params = creationRecord(left, top, right, bottom, visible, globalRef);
  return created(env, XPLMCreateWindowEx(&params), globalRef);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_createWindowEx2(
    JNIEnv* env, jobject self, jint left, jint top, jint right, jint bottom, jboolean visible, jboolean decorate,
    jint layer) {
  jobject globalRef = env->NewGlobalRef(self);
  if (globalRef == nullptr) return 0;
  XPLMCreateWindow_t params = creationRecord(left, top, right, bottom, visible, globalRef);
  params.decorateAsFloatingWindow = decorate ? 1 : 0;
  params.layer = layer;
  params.handleRightClickFunc = QOVINHandleRightMouseClickCallback;
  return created(env, XPLMCreateWindowEx(&params), globalRef);
}

// The reference is deleted only after the window is gone, so no callback can
// reach it. A window this bridge did not create, or one already destroyed,
// changes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_destroy(JNIEnv* env, jclass,
                                                                                  jlong windowId) {
  const qovin::Registration* registration = qovin::findRegistration(qovin::Kind::kWindow, windowId);
  if (registration == nullptr) return;
  jobject owner = registration->ref;
  qovin::removeRegistration(qovin::Kind::kWindow, windowId);
  XPLMDestroyWindow(reinterpret_cast<XPLMWindowID>(windowId));
  env->DeleteGlobalRef(owner);
}

// The simulator's reference value of a window stays its owner: a window whose
// value was changed by anyone else is given its owner reference again, never
// another value. A window this bridge did not create (or destroyed) changes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setRefConN(JNIEnv* env, jclass,
                                                                                    jlong windowId) {
  if (offHostThread(env)) return;
  const qovin::Registration* registration = qovin::findRegistration(qovin::Kind::kWindow, windowId);
  if (registration == nullptr) return;
  const XPLMWindowID window = reinterpret_cast<XPLMWindowID>(windowId);
  if (XPLMGetWindowRefCon(window) != registration->ref) XPLMSetWindowRefCon(window, registration->ref);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_getGeometry(JNIEnv* env, jclass,
                                                                                      jlong windowId,
                                                                                      jintArray jgeom) {
  copyGeometry(env, windowId, jgeom, XPLMGetWindowGeometry);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setGeometryN(JNIEnv*, jclass,
                                                                                       jlong windowId, jint left,
                                                                                       jint top, jint right,
                                                                                       jint bottom) {
  XPLMSetWindowGeometry(reinterpret_cast<XPLMWindowID>(windowId), left, top, right, bottom);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_getGeometryOS_1N(JNIEnv* env, jclass,
                                                                                           jlong windowId,
                                                                                           jintArray jgeom) {
  copyGeometry(env, windowId, jgeom, XPLMGetWindowGeometryOS);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setGeometryOS_1N(JNIEnv*, jclass,
                                                                                           jlong windowId,
                                                                                           jint left, jint top,
                                                                                           jint right,
                                                                                           jint bottom) {
  XPLMSetWindowGeometryOS(reinterpret_cast<XPLMWindowID>(windowId), left, top, right, bottom);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setPositioningModeN(JNIEnv*, jclass,
                                                                                              jlong windowId,
                                                                                              jint mode,
                                                                                              jint monitorIdx) {
  XPLMSetWindowPositioningMode(reinterpret_cast<XPLMWindowID>(windowId), mode, monitorIdx);
}

// A null title sets an empty one.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setTitleN(JNIEnv* env, jclass,
                                                                                    jlong windowId,
                                                                                    jstring jtitle) {
  const Utf8 title(env, jtitle);
  XPLMSetWindowTitle(reinterpret_cast<XPLMWindowID>(windowId), title.orEmpty());
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setResizingLimitsN(
    JNIEnv*, jclass, jlong windowId, jint minWidthBoxels, jint minHeightBoxels, jint maxWidthBoxels,
    jint maxHeightBoxels) {
  XPLMSetWindowResizingLimits(reinterpret_cast<XPLMWindowID>(windowId), minWidthBoxels, minHeightBoxels,
                              maxWidthBoxels, maxHeightBoxels);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setGravityN(
    JNIEnv*, jclass, jlong windowId, jfloat leftGravity, jfloat topGravity, jfloat rightGravity,
    jfloat bottomGravity) {
  XPLMSetWindowGravity(reinterpret_cast<XPLMWindowID>(windowId), leftGravity, topGravity, rightGravity,
                       bottomGravity);
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_isPoppedOut(JNIEnv*, jclass,
                                                                                          jlong windowId) {
  return static_cast<jboolean>(XPLMWindowIsPoppedOut(reinterpret_cast<XPLMWindowID>(windowId)));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_setVisibleN(JNIEnv*, jclass,
                                                                                      jlong windowId,
                                                                                      jboolean visible) {
  XPLMSetWindowIsVisible(reinterpret_cast<XPLMWindowID>(windowId), visible ? 1 : 0);
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_isVisibleN(JNIEnv*, jclass,
                                                                                         jlong windowId) {
  return static_cast<jboolean>(XPLMGetWindowIsVisible(reinterpret_cast<XPLMWindowID>(windowId)));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_takeFocusN(JNIEnv*, jclass,
                                                                                     jlong windowId) {
  XPLMTakeKeyboardFocus(reinterpret_cast<XPLMWindowID>(windowId));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_bringToFrontN(JNIEnv*, jclass,
                                                                                        jlong windowId) {
  XPLMBringWindowToFront(reinterpret_cast<XPLMWindowID>(windowId));
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_display_XPlaneWindowHelper_isInFrontN(JNIEnv*, jclass,
                                                                                         jlong windowId) {
  return static_cast<jboolean>(XPLMIsWindowInFront(reinterpret_cast<XPLMWindowID>(windowId)));
}
