// Natives of com.brevanto.qovin.processing.FlightLoop: flight loops created in
// a phase of the frame, scheduled and destroyed by ID, and the simulator's clock.
#include <XPLMProcessing.h>

#include "bridge.h"
#include "registrations.h"
#include "com_brevanto_qovin_processing_FlightLoop.h"

#define QOVIN_LOOP(name) Java_com_brevanto_qovin_processing_FlightLoop_##name

namespace {
jmethodID callMethod = nullptr;  // FlightLoopFunction.call
}  // namespace

// The refcon is the global reference to the loop's FlightLoopFunction. A
// function that throws has its exception printed and cleared and answers 0:
// the loop is unscheduled and stays until destroyed.
float QOVINflightLoopObjectCallback(float inElapsedSinceLastCall, float inElapsedTimeSinceLastFlightLoop,
                                    int inCounter, void* inRefcon) {
  const jfloat next = JVMP_env->CallFloatMethod(static_cast<jobject>(inRefcon), callMethod, inElapsedSinceLastCall,
                                                inElapsedTimeSinceLastFlightLoop, inCounter);
  return printAndClearException() ? 0.0f : next;
}

JNIEXPORT void JNICALL QOVIN_LOOP(initialize)(JNIEnv* env, jclass) {
  jclass cls = env->FindClass("com/brevanto/qovin/processing/FlightLoopFunction");
  if (cls == nullptr) return;
  callMethod = env->GetMethodID(cls, "call", "(FFI)F");
  env->DeleteLocalRef(cls);
}

// The loop's ID, or 0 (nothing created) for a null function or a phase other
// than before (0) or after (1) the flight model, or if the simulator refuses it.
JNIEXPORT jlong JNICALL QOVIN_LOOP(createN)(JNIEnv* env, jclass, jint phase, jobject function) {
  if (function == nullptr || callMethod == nullptr ||
      (phase != xplm_FlightLoop_Phase_BeforeFlightModel && phase != xplm_FlightLoop_Phase_AfterFlightModel)) {
    return 0;
  }
  jobject ref = env->NewGlobalRef(function);
  if (ref == nullptr) return 0;
  XPLMCreateFlightLoop_t params{static_cast<int>(sizeof(XPLMCreateFlightLoop_t)), phase,
                                QOVINflightLoopObjectCallback, ref};
  XPLMFlightLoopID id = XPLMCreateFlightLoop(&params);
  if (id == nullptr) {
    env->DeleteGlobalRef(ref);
    return 0;
  }
  const jlong key = reinterpret_cast<jlong>(id);
  qovin::addRegistration(qovin::Kind::kFlightLoopObject, key, {ref});
  return key;
}

// An ID that is not a live loop of the bridge (destroyed, made up) reaches
// nothing and gives false.
JNIEXPORT jboolean JNICALL QOVIN_LOOP(scheduleN)(JNIEnv*, jclass, jlong id, jfloat interval, jboolean relativeToNow) {
  if (qovin::findRegistration(qovin::Kind::kFlightLoopObject, id) == nullptr) return JNI_FALSE;
  XPLMScheduleFlightLoop(reinterpret_cast<XPLMFlightLoopID>(id), interval, relativeToNow ? 1 : 0);
  return JNI_TRUE;
}

// Destroys the loop and lets go of its function; inside the loop's own call
// the running Java frame keeps the function until it returns. An ID that is
// not a live loop of the bridge changes nothing and gives false.
JNIEXPORT jboolean JNICALL QOVIN_LOOP(destroyN)(JNIEnv* env, jclass, jlong id) {
  qovin::Registration* entry = qovin::findRegistration(qovin::Kind::kFlightLoopObject, id);
  if (entry == nullptr) return JNI_FALSE;
  jobject ref = entry->ref;
  qovin::removeRegistration(qovin::Kind::kFlightLoopObject, id);
  XPLMDestroyFlightLoop(reinterpret_cast<XPLMFlightLoopID>(id));
  env->DeleteGlobalRef(ref);
  return JNI_TRUE;
}

JNIEXPORT jfloat JNICALL QOVIN_LOOP(elapsedTimeN)(JNIEnv*, jclass) { return XPLMGetElapsedTime(); }

JNIEXPORT jint JNICALL QOVIN_LOOP(cycleNumberN)(JNIEnv*, jclass) { return XPLMGetCycleNumber(); }
