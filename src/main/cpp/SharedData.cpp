// Natives of com.brevanto.qovin.data.SharedData: data shared with other
// plugins, whose changes call a Java Runnable.
#include <XPLMDataAccess.h>

#include <string>

#include "bridge.h"
#include "registrations.h"
#include "utf8.h"
#include "com_brevanto_qovin_data_SharedData.h"

#define QOVIN_SHARED(name) Java_com_brevanto_qovin_data_SharedData_##name

namespace {

jmethodID runMethod = nullptr;  // Runnable.run

// One notification: the refcon the simulator holds, and what unsharing needs.
struct Share {
  jobject onChange;  // global reference to the Runnable
  std::string name;
  XPLMDataTypeID type;
};

}  // namespace

// The refcon is the share record. A Runnable that throws has its exception
// printed and cleared; the notification stays.
void QOVINdataChangedCallback(void* inRefcon) {
  JVMP_env->CallVoidMethod(static_cast<Share*>(inRefcon)->onChange, runMethod);
  printAndClearException();
}

JNIEXPORT void JNICALL QOVIN_SHARED(initialize)(JNIEnv* env, jclass) {
  jclass cls = env->FindClass("java/lang/Runnable");
  if (cls == nullptr) return;
  runMethod = env->GetMethodID(cls, "run", "()V");
  env->DeleteLocalRef(cls);
}

// Joins without a notification; false for a null name or if the simulator refuses.
JNIEXPORT jboolean JNICALL QOVIN_SHARED(joinN)(JNIEnv* env, jclass, jstring jname, jint type) {
  const Utf8 name(env, jname);
  if (!name) return JNI_FALSE;
  return XPLMShareData(name.c_str(), type, nullptr, nullptr) != 0 ? JNI_TRUE : JNI_FALSE;
}

// The share's key, or 0 (nothing held) for a null name or Runnable, or if the
// simulator refuses (the name is other data, or data of another type).
JNIEXPORT jlong JNICALL QOVIN_SHARED(shareN)(JNIEnv* env, jclass, jstring jname, jint type, jobject onChange) {
  const Utf8 name(env, jname);
  if (!name || onChange == nullptr || runMethod == nullptr) return 0;
  jobject ref = env->NewGlobalRef(onChange);
  if (ref == nullptr) return 0;
  auto* share = new Share{ref, name.c_str(), type};
  if (XPLMShareData(share->name.c_str(), type, QOVINdataChangedCallback, share) == 0) {
    env->DeleteGlobalRef(ref);
    delete share;
    return 0;
  }
  const jlong key = reinterpret_cast<jlong>(share);
  qovin::addRegistration(qovin::Kind::kSharedData, key, {ref});
  return key;
}

// Drops the notification and lets go of its Runnable; the data stays. A key
// that is not a live share of the bridge (unshared already, made up) changes
// nothing and gives false.
JNIEXPORT jboolean JNICALL QOVIN_SHARED(unshareN)(JNIEnv* env, jclass, jlong key) {
  if (!qovin::removeRegistration(qovin::Kind::kSharedData, key)) return JNI_FALSE;
  auto* share = reinterpret_cast<Share*>(key);
  XPLMUnshareData(share->name.c_str(), share->type, QOVINdataChangedCallback, share);
  env->DeleteGlobalRef(share->onChange);
  delete share;
  return JNI_TRUE;
}
