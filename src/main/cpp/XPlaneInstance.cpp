// Natives of com.brevanto.qovin.scenery.XPlaneInstance: object instances placed
// by a draw location and one value per dataref.
#include <XPLMInstance.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_scenery_XPlaneInstance.h"

namespace {

// Most values setPosition takes from Java; values past them reach the
// simulator as 0.
constexpr jsize kMaxPositionValues = kScratchElements;

// The values of the latest setPosition, as many as the most dataref names any
// instance was created with (at least 1024), so the simulator never reads past
// it. Slots from `valuesSet` on are 0. It grows only when an instance is created.
std::vector<float> instanceValues(kMaxPositionValues, 0.0f);
jsize valuesSet = 0;

}  // namespace

// The names go to the simulator as a null-terminated list (a null array is an
// empty list), however many there are. A null name is refused: nothing is
// created and the result is 0.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_scenery_XPlaneInstance_createInstance(JNIEnv* env, jclass, jlong objRef,
                                                                                      jobjectArray datarefs) {
  const jsize count = datarefs != nullptr ? env->GetArrayLength(datarefs) : 0;
  std::deque<Utf8> texts;
  std::vector<const char*> names;
  names.reserve(static_cast<size_t>(count) + 1);
  for (jsize i = 0; i < count; ++i) {
    auto name = static_cast<jstring>(env->GetObjectArrayElement(datarefs, i));
    if (name == nullptr) return 0;
    texts.emplace_back(env, name);
    env->DeleteLocalRef(name);
    names.push_back(texts.back().c_str());
  }
  names.push_back(nullptr);
  if (static_cast<size_t>(count) > instanceValues.size()) instanceValues.resize(static_cast<size_t>(count), 0.0f);
  return reinterpret_cast<jlong>(XPLMCreateInstance(reinterpret_cast<XPLMObjectRef>(objRef), names.data()));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneInstance_destroyInstance(JNIEnv*, jclass, jlong iref) {
  XPLMDestroyInstance(reinterpret_cast<XPLMInstanceRef>(iref));
}

// At most the first 1024 values are copied into a buffer whose slots past them
// are 0 and which holds a value for every dataref name of any instance: the
// simulator reads one value per name, so a short array gives 0 for the missing
// values instead of a read past its end, and no memory is allocated per call.
// A null array gives all zeros.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneInstance_setPosition(JNIEnv* env, jclass, jlong iref,
                                                                                  jlong diPtr, jfloatArray refValues) {
  const jsize length = refValues != nullptr ? std::min(env->GetArrayLength(refValues), kMaxPositionValues) : 0;
  if (length > 0) env->GetFloatArrayRegion(refValues, 0, length, instanceValues.data());
  if (length < valuesSet) std::fill(instanceValues.begin() + length, instanceValues.begin() + valuesSet, 0.0f);
  valuesSet = length;
  XPLMInstanceSetPosition(reinterpret_cast<XPLMInstanceRef>(iref), reinterpret_cast<const XPLMDrawInfo_t*>(diPtr),
                          instanceValues.data());
}
