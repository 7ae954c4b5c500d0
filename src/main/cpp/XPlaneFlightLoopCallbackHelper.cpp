// Natives of com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper: Java
// objects called by the simulator's flight loop.
#include <XPLMProcessing.h>

#include "bridge.h"
#include "registrations.h"
#include "com_brevanto_qovin_processing_XPlaneFlightLoopCallbackHelper.h"

namespace {
jmethodID callbackMethod = nullptr;
}

// The refcon is the global reference to the registered Java object. A callback
// that throws has its exception printed and cleared and answers 0: the
// simulator stops calling it, and the registration stays until unregistered.
float QOVINflightLoopCallback(float inElapsedSinceLastCall, float inElapsedTimeSinceLastFlightLoop, int inCounter,
                              void* inRefcon) {
  const jfloat next = JVMP_env->CallFloatMethod(static_cast<jobject>(inRefcon), callbackMethod,
                                                inElapsedSinceLastCall, inElapsedTimeSinceLastFlightLoop, inCounter);
  return printAndClearException() ? 0.0f : next;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_processing_XPlaneFlightLoopCallbackHelper_initialize(JNIEnv* env,
                                                                                                   jclass) {
  jclass cls = env->FindClass("com/brevanto/qovin/processing/XPlaneFlightLoopCallbackHelper");
  if (cls == nullptr) return;
  callbackMethod = JVMP_env->GetMethodID(cls, "callback", "(FFI)F");
  env->DeleteLocalRef(cls);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_processing_XPlaneFlightLoopCallbackHelper_registerN(JNIEnv* env,
                                                                                                   jobject self,
                                                                                                   jfloat interval) {
  jobject handlerRef = env->NewGlobalRef(self);
  if (handlerRef == nullptr) return 0;
  qovin::addRegistration(qovin::Kind::kFlightLoop, qovin::keyOf(handlerRef), {});
  XPLMRegisterFlightLoopCallback(QOVINflightLoopCallback, interval, handlerRef);
  return qovin::keyOf(handlerRef);
}

// A reference that is not a current registration changes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_processing_XPlaneFlightLoopCallbackHelper_unregisterN(JNIEnv* env,
                                                                                                    jobject,
                                                                                                    jlong refcon) {
  if (!qovin::removeRegistration(qovin::Kind::kFlightLoop, refcon)) return;
  XPLMUnregisterFlightLoopCallback(QOVINflightLoopCallback, reinterpret_cast<void*>(refcon));
  env->DeleteGlobalRef(reinterpret_cast<jobject>(refcon));
}

// Reschedules the registration `refcon`; a reference that is not a current
// registration reaches nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_processing_XPlaneFlightLoopCallbackHelper_setIntervalN(
    JNIEnv*, jobject, jlong refcon, jfloat interval, jboolean relativeToNow) {
  if (qovin::findRegistration(qovin::Kind::kFlightLoop, refcon) == nullptr) return;
  XPLMSetFlightLoopCallbackInterval(QOVINflightLoopCallback, interval, relativeToNow ? 1 : 0,
                                    reinterpret_cast<void*>(refcon));
}
