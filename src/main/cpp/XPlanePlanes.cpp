// Natives of com.brevanto.qovin.planes.XPlanePlanes: the aircraft model in
// each of the simulator's aircraft slots.
#include <XPLMPlanes.h>

#include <string>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_planes_XPlanePlanes.h"

namespace {
constexpr size_t kTextBytes = 512;
}

// Both texts start empty and are terminated at their buffer's end after the
// simulator writes, so a slot it does not fill gives {"", ""}.
JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_getNthAircraftModelN(JNIEnv* env, jclass,
                                                                                               jint index) {
  char fileName[kTextBytes];
  char path[kTextBytes];
  fileName[0] = '\0';
  path[0] = '\0';
  XPLMGetNthAircraftModel(index, fileName, path);
  fileName[kTextBytes - 1] = '\0';
  path[kTextBytes - 1] = '\0';
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;
  jobjectArray model = env->NewObjectArray(2, stringClass, nullptr);
  if (model == nullptr) return nullptr;
  jstring file = newJavaString(env, fileName);
  if (file == nullptr) return nullptr;
  env->SetObjectArrayElement(model, 0, file);
  jstring converted = newJavaString(env, convertPath(std::string(path)).c_str());
  if (converted == nullptr) return nullptr;
  env->SetObjectArrayElement(model, 1, converted);
  return model;
}
