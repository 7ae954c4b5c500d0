// Natives of com.brevanto.qovin.display.XPlaneKeySnifferHelper: Java objects
// that see every key press and may swallow it.
#include <XPLMDisplay.h>

#include "bridge.h"
#include "registrations.h"
#include "com_brevanto_qovin_display_XPlaneKeySnifferHelper.h"

namespace {
jmethodID keySnifferFuncMtd = nullptr;
}

// Characters go to Java as their 8-bit codes, 0 to 255 (U+0000 to U+00FF), so
// the low 8 bits of the char give the code back. Java's true (consume) answers
// 0 to the simulator, false answers 1. A sniffer that throws has its exception
// printed and cleared and lets the key pass (1).
int KeySniffer(char inChar, XPLMKeyFlags inFlags, char inVirtualKey, void* inRefcon) {
  const jboolean consume = JVMP_env->CallBooleanMethod(
      static_cast<jobject>(inRefcon), keySnifferFuncMtd, static_cast<jchar>(static_cast<unsigned char>(inChar)),
      static_cast<jint>(inFlags), static_cast<jchar>(static_cast<unsigned char>(inVirtualKey)));
  if (printAndClearException()) return 1;
  return consume ? 0 : 1;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_XPlaneKeySnifferHelper_initialize(JNIEnv*, jclass) {
  jclass cls = JVMP_env->FindClass("com/brevanto/qovin/display/XPlaneKeySnifferHelper");
  if (cls == nullptr) return;
  keySnifferFuncMtd = JVMP_env->GetMethodID(cls, "keySnifferFunc", "(CIC)Z");
  JVMP_env->DeleteLocalRef(cls);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_display_XPlaneKeySnifferHelper_registerN(JNIEnv* env, jobject self,
                                                                                       jboolean beforeWindows) {
  jobject globalRef = env->NewGlobalRef(self);
  if (globalRef == nullptr) return -1;
  if (XPLMRegisterKeySniffer(KeySniffer, beforeWindows ? 1 : 0, globalRef) == 1) {
    qovin::addRegistration(qovin::Kind::kKeySniffer, qovin::keyOf(globalRef), {});
    return qovin::keyOf(globalRef);
  }
  env->DeleteGlobalRef(globalRef);
  return -1;
}

// A reference that is not a current registration gets 0 without reaching the
// simulator.
JNIEXPORT jint JNICALL Java_com_brevanto_qovin_display_XPlaneKeySnifferHelper_unregisterN(JNIEnv* env, jobject,
                                                                                        jboolean before,
                                                                                        jlong refCon) {
  if (qovin::findRegistration(qovin::Kind::kKeySniffer, refCon) == nullptr) return 0;
  const int result = XPLMUnregisterKeySniffer(KeySniffer, before ? 1 : 0, reinterpret_cast<void*>(refCon));
  if (result == 1) {
    qovin::removeRegistration(qovin::Kind::kKeySniffer, refCon);
    env->DeleteGlobalRef(reinterpret_cast<jobject>(refCon));
  }
  return result;
}
