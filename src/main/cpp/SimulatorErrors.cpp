// Natives of com.brevanto.qovin.util.SimulatorErrors: the simulator's error
// callback, which hands each report to one Java receiver.
#include <XPLMUtilities.h>

#include "bridge.h"
#include "registrations.h"
#include "utf8.h"
#include "com_brevanto_qovin_util_SimulatorErrors.h"

#define QOVIN_ERRORS(name) Java_com_brevanto_qovin_util_SimulatorErrors_##name

namespace {
constexpr jlong kReceiverKey = 1;
jmethodID reportMethod = nullptr;
jobject receiver = nullptr;  // the registered receiver's global reference, or null
}  // namespace

// The simulator's error callback has no refcon: the receiver is the one
// registered. A receiver that throws has its exception printed and cleared.
void QOVINerrorCallback(const char* inMessage) {
  if (receiver == nullptr) return;
  jstring message = newJavaString(JVMP_env, inMessage != nullptr ? inMessage : "");
  if (message == nullptr) {
    printAndClearException();
    return;
  }
  JVMP_env->CallVoidMethod(receiver, reportMethod, message);
  printAndClearException();
  JVMP_env->DeleteLocalRef(message);
}

JNIEXPORT void JNICALL QOVIN_ERRORS(initialize)(JNIEnv* env, jclass) {
  jclass cls = env->FindClass("com/brevanto/qovin/util/SimulatorErrors$Receiver");
  if (cls == nullptr) return;
  reportMethod = env->GetMethodID(cls, "report", "(Ljava/lang/String;)V");
  env->DeleteLocalRef(cls);
}

// Sets the error callback with `jreceiver` as its receiver. False, and nothing
// changed, while one is registered, or for a null receiver.
JNIEXPORT jboolean JNICALL QOVIN_ERRORS(installN)(JNIEnv* env, jclass, jobject jreceiver) {
  if (offHostThread(env) || jreceiver == nullptr || reportMethod == nullptr) return JNI_FALSE;
  if (qovin::findRegistration(qovin::Kind::kErrorCallback, kReceiverKey) != nullptr) return JNI_FALSE;
  jobject ref = env->NewGlobalRef(jreceiver);
  if (ref == nullptr) return JNI_FALSE;
  qovin::addRegistration(qovin::Kind::kErrorCallback, kReceiverKey, {ref});
  receiver = ref;
  XPLMSetErrorCallback(QOVINerrorCallback);
  return JNI_TRUE;
}

// Clears the error callback and lets go of the receiver; false if none was registered.
JNIEXPORT jboolean JNICALL QOVIN_ERRORS(removeN)(JNIEnv* env, jclass) {
  if (offHostThread(env)) return JNI_FALSE;
  qovin::Registration* entry = qovin::findRegistration(qovin::Kind::kErrorCallback, kReceiverKey);
  if (entry == nullptr) return JNI_FALSE;
  jobject ref = entry->ref;
  qovin::removeRegistration(qovin::Kind::kErrorCallback, kReceiverKey);
  XPLMSetErrorCallback(nullptr);
  receiver = nullptr;
  env->DeleteGlobalRef(ref);
  return JNI_TRUE;
}
