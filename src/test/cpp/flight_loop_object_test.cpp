// Flight-loop objects (processing.FlightLoop) run by the stand-in through the
// bridge: phases, scheduling, closing (also inside their own call), stale IDs.
#include "jvm_harness.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

using namespace qovintest;

namespace {

constexpr int kBefore = 0;
constexpr int kAfter = 1;

class FlightLoopObjectTest : public BridgeTest {
 protected:
  jobject recorder(bool throwing = false, bool closeInside = false) {
    return newObject("com/brevanto/qovin/testing/RecordingLoop", "(ZZ)V", throwing, closeInside);
  }
  jobject create(jobject recording, int phase) {
    return callMethod<jobject>(recording, "create", "(I)Lcom/brevanto/qovin/processing/FlightLoop;", phase);
  }
  void schedule(jobject loop, float interval) { callMethod(loop, "schedule", "(FZ)V", interval, JNI_TRUE); }
  jint calls(jobject recording) { return callMethod<jint>(recording, "calls", "()I"); }
  jlong idOf(jobject loop) {
    jclass cls = env()->GetObjectClass(loop);
    const jlong id = env()->GetLongField(loop, env()->GetFieldID(cls, "id", "J"));
    env()->DeleteLocalRef(cls);
    return id;
  }
  jclass loopClass() { return findClass("com/brevanto/qovin/processing/FlightLoop"); }
};

TEST_F(FlightLoopObjectTest, ALoopRunsOnlyWhileScheduledAndCloseDestroysIt) {
  jobject recording = recorder();
  jobject loop = create(recording, kAfter);
  const xplmsim::Call* created = xplmsim::lastCall("XPLMCreateFlightLoop");
  ASSERT_NE(created, nullptr);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(calls(recording), 0) << "created unscheduled";
  schedule(loop, -1.0f);
  xplmsim::runFrames(2, 0.1f);
  EXPECT_EQ(calls(recording), 2);
  EXPECT_EQ(callMethod<jint>(recording, "lastCounter", "()I"), 3);
  callMethod(loop, "unschedule", "()V");
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(calls(recording), 2);
  callMethod(loop, "close", "()V");
  EXPECT_EQ(xplmsim::flightLoopObjectCount(), 0);
  EXPECT_FALSE(callMethod<jboolean>(loop, "isOpen", "()Z"));
  callMethod(loop, "close", "()V");  // a second close does nothing
  EXPECT_EQ(xplmsim::callsTo("XPLMDestroyFlightLoop").size(), 1u);
  jclass fixture = findClass("com/brevanto/qovin/testing/RecordingLoop");
  EXPECT_TRUE(callStatic<jboolean>(
      fixture, staticMethod(fixture, "refusesAfterClose", "(Lcom/brevanto/qovin/processing/FlightLoop;)Z"), loop));
}

TEST_F(FlightLoopObjectTest, AClosedLoopLetsItsFunctionBeCollected) {
  jobject recording = recorder();
  jobject loop = create(recording, kBefore);
  schedule(loop, -1.0f);
  jobject weak = weakReference(recording);
  env()->DeleteLocalRef(recording);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_FALSE(collected(weak)) << "an open loop keeps its function alive";
  callMethod(loop, "close", "()V");
  EXPECT_TRUE(collected(weak)) << "the closed loop, still held, lets go of it";
}

TEST_F(FlightLoopObjectTest, AThrowingFunctionIsClearedAndUnschedulesOnlyItsLoop) {
  jobject failing = recorder(true);
  jobject healthy = recorder();
  jobject failingLoop = create(failing, kBefore);
  jobject healthyLoop = create(healthy, kAfter);
  schedule(failingLoop, -1.0f);
  schedule(healthyLoop, -1.0f);
  for (int pass = 0; pass < 3; ++pass) {
    xplmsim::runFlightLoop(0.1f);
    ASSERT_FALSE(env()->ExceptionCheck()) << "exception left pending after pass " << pass;
  }
  EXPECT_EQ(calls(failing), 1);
  EXPECT_EQ(calls(healthy), 3);
  EXPECT_EQ(xplmsim::flightLoopObjectCount(), 2) << "unscheduled, not destroyed";
  EXPECT_EQ(xplmsim::scheduledFlightLoopObjectCount(), 1);
  callMethod(failingLoop, "close", "()V");
  callMethod(healthyLoop, "close", "()V");
}

TEST_F(FlightLoopObjectTest, ALoopClosedInsideItsOwnCallIsNotCalledAgain) {
  jobject recording = recorder(false, true);
  jobject loop = create(recording, kAfter);
  schedule(loop, -1.0f);
  for (int pass = 0; pass < 3; ++pass) xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(calls(recording), 1);
  EXPECT_EQ(xplmsim::flightLoopObjectCount(), 0);
  EXPECT_FALSE(callMethod<jboolean>(loop, "isOpen", "()Z"));
}

TEST_F(FlightLoopObjectTest, StaleAndMadeUpIdsAndBadArgumentsReachNothing) {
  jclass cls = loopClass();
  jmethodID scheduleN = staticMethod(cls, "scheduleN", "(JFZ)Z");
  jmethodID destroyN = staticMethod(cls, "destroyN", "(J)Z");
  jmethodID createN = staticMethod(cls, "createN", "(ILcom/brevanto/qovin/processing/FlightLoopFunction;)J");
  jobject recording = recorder();
  jobject loop = create(recording, kBefore);
  const jlong id = idOf(loop);
  callMethod(loop, "close", "()V");
  xplmsim::clearCalls();
  EXPECT_FALSE(callStatic<jboolean>(cls, scheduleN, id, -1.0f, JNI_TRUE));
  EXPECT_FALSE(callStatic<jboolean>(cls, destroyN, id));
  EXPECT_FALSE(callStatic<jboolean>(cls, scheduleN, static_cast<jlong>(0x1234), -1.0f, JNI_TRUE));
  EXPECT_FALSE(callStatic<jboolean>(cls, destroyN, static_cast<jlong>(0)));
  EXPECT_EQ(callStatic<jlong>(cls, createN, 5, recording), 0);
  EXPECT_EQ(callStatic<jlong>(cls, createN, kBefore, static_cast<jobject>(nullptr)), 0);
  EXPECT_TRUE(xplmsim::calls().empty()) << "nothing reached the simulator";
}

TEST_F(FlightLoopObjectTest, TheClockAndCycleNumberAreTheSimulators) {
  jclass cls = loopClass();
  xplmsim::runFlightLoop(0.25f);
  xplmsim::runFlightLoop(0.25f);
  EXPECT_EQ(callStatic<jfloat>(cls, staticMethod(cls, "elapsedTime", "()F")), 0.5f);
  EXPECT_EQ(callStatic<jint>(cls, staticMethod(cls, "cycleNumber", "()I")), 2);
}

TEST_F(FlightLoopObjectTest, ARegisteredLoopIsRescheduledOnlyThroughItsOwnReference) {
  jobject object = newObject("com/brevanto/qovin/testing/ScriptedFlightLoop", "([FI)V", floatArray({-1.0f}), 0);
  const jlong handlerRef = callMethod<jlong>(object, "register", "(F)J", 0.0f);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_TRUE(callMethod<jboolean>(object, "setInterval", "(JFZ)Z", handlerRef, -1.0f, JNI_TRUE));
  EXPECT_FALSE(callMethod<jboolean>(object, "setInterval", "(JFZ)Z", handlerRef + 8, -1.0f, JNI_TRUE));
  EXPECT_EQ(xplmsim::callsTo("XPLMSetFlightLoopCallbackInterval").size(), 1u);
  xplmsim::runFlightLoop(0.1f);
  xplmsim::runFlightLoop(0.1f);
  auto rows = static_cast<jobjectArray>(callMethod<jobject>(object, "calls", "()[[F"));
  EXPECT_EQ(env()->GetArrayLength(rows), 2);
  callMethod<jboolean>(object, "unregister", "(J)Z", handlerRef);
  EXPECT_FALSE(callMethod<jboolean>(object, "setInterval", "(JFZ)Z", handlerRef, -1.0f, JNI_TRUE));
}

// The trampoline runs outside any Java frame: a local reference left behind
// per call would exceed the frame's capacity and make checked JNI complain.
TEST_F(FlightLoopObjectTest, ManyCallsLeaveNoLocalReferencesBehind) {
  jobject recording = recorder();
  jobject loop = create(recording, kBefore);
  schedule(loop, -1.0f);
  const long before = liveLocalRefs();
  for (int pass = 0; pass < 1000; ++pass) xplmsim::runFlightLoop(0.01f);
  EXPECT_EQ(liveLocalRefs(), before);
  EXPECT_EQ(calls(recording), 1000);
  callMethod(loop, "close", "()V");
}

}  // namespace
