// Natives of com.brevanto.qovin.display.XPlaneDisplayHelper: the desktop, the
// screen and the mouse. Each answer goes into the first elements of the
// caller's int array; a shorter (or null) array gets only what fits, and
// elements after the answer are left as they were.
#include <XPLMDisplay.h>

#include <algorithm>

#include "bridge.h"
#include "com_brevanto_qovin_display_XPlaneDisplayHelper.h"

namespace {
void answer(JNIEnv* env, jintArray array, const jint* values, jsize count) {
  if (array == nullptr) return;
  env->SetIntArrayRegion(array, 0, std::min(count, env->GetArrayLength(array)), values);
}
}  // namespace

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneDisplayHelper_getScreenBoundsGlobalN(JNIEnv* env, jclass,
                                                                                                jintArray jbounds) {
  if (offHostThread(env)) return;
  jint bounds[4] = {0, 0, 0, 0};
  XPLMGetScreenBoundsGlobal(&bounds[0], &bounds[1], &bounds[2], &bounds[3]);
  answer(env, jbounds, bounds, 4);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneDisplayHelper_getMouseLocationN(JNIEnv* env, jobject,
                                                                                           jintArray jloc) {
  if (offHostThread(env)) return;
  jint location[2] = {0, 0};
  XPLMGetMouseLocation(&location[0], &location[1]);
  answer(env, jloc, location, 2);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneDisplayHelper_getMouseLocationGlobalN(JNIEnv* env,
                                                                                                 jclass,
                                                                                                 jintArray jloc) {
  if (offHostThread(env)) return;
  jint location[2] = {0, 0};
  XPLMGetMouseLocationGlobal(&location[0], &location[1]);
  answer(env, jloc, location, 2);
}

// Width and height of the simulator's main window, in pixels (XPLMGetScreenSize).
JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneDisplayHelper_getScreenSizeN(JNIEnv* env, jclass,
                                                                                        jintArray jSize) {
  if (offHostThread(env)) return;
  jint size[2] = {0, 0};
  XPLMGetScreenSize(&size[0], &size[1]);
  answer(env, jSize, size, 2);
}
