// Natives of com.brevanto.qovin.display.Monitors: the bounds of every monitor.
// The simulator reports them through a callback before its call returns; the
// callback only collects numbers, and Java gets them as one int array of five
// per monitor (index, left, top, right, bottom).
#include <XPLMDisplay.h>

#include <vector>

#include "bridge.h"
#include "com_brevanto_qovin_display_Monitors.h"

namespace {
void collect(int index, int left, int top, int right, int bottom, void* refcon) {
  static_cast<std::vector<jint>*>(refcon)->insert(static_cast<std::vector<jint>*>(refcon)->end(),
                                                  {index, left, top, right, bottom});
}

jintArray toJava(JNIEnv* env, const std::vector<jint>& values) {
  jintArray array = env->NewIntArray(static_cast<jsize>(values.size()));
  if (array != nullptr) env->SetIntArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return array;
}
}  // namespace

JNIEXPORT jintArray JNICALL Java_com_brevanto_qovin_display_Monitors_boundsGlobalN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return nullptr;
  std::vector<jint> values;
  XPLMGetAllMonitorBoundsGlobal(collect, &values);
  return toJava(env, values);
}

JNIEXPORT jintArray JNICALL Java_com_brevanto_qovin_display_Monitors_boundsOSN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return nullptr;
  std::vector<jint> values;
  XPLMGetAllMonitorBoundsOS(collect, &values);
  return toJava(env, values);
}
