// Java objects called by the stand-in's flight loop through the bridge.
#include <array>

#include "jvm_harness.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

using CallArgs = std::array<float, 3>;  // elapsedSinceLastCall, elapsedSinceLastFlightLoop, counter

class FlightLoopTest : public BridgeTest {
 protected:
  jobject loop(const std::vector<float>& script, int throwOnCall = 0) {
    return newObject("com/brevanto/qovin/testing/ScriptedFlightLoop", "([FI)V", floatArray(script), throwOnCall);
  }
  jlong registerLoop(jobject object, float interval) { return callMethod<jlong>(object, "register", "(F)J", interval); }
  jboolean unregisterLoop(jobject object, jlong handlerRef) {
    return callMethod<jboolean>(object, "unregister", "(J)Z", handlerRef);
  }
  std::vector<CallArgs> calls(jobject object) {
    auto rows = static_cast<jobjectArray>(callMethod<jobject>(object, "calls", "()[[F"));
    std::vector<CallArgs> out;
    for (jsize i = 0; i < env()->GetArrayLength(rows); ++i) {
      auto row = static_cast<jfloatArray>(env()->GetObjectArrayElement(rows, i));
      const std::vector<float> values = elements(row);
      out.push_back({values[0], values[1], values[2]});
      env()->DeleteLocalRef(row);
    }
    return out;
  }
};

TEST_F(FlightLoopTest, IntervalsChangeFromCallToCall) {
  // Every loop, then every other loop, then a quarter second, then stop.
  jobject object = loop({-1.0f, -2.0f, 0.25f, 0.0f});
  const jlong handlerRef = registerLoop(object, -1.0f);
  for (int pass = 0; pass < 10; ++pass) xplmsim::runFlightLoop(0.125f);

  EXPECT_EQ(calls(object), (std::vector<CallArgs>{{0.125f, 0.125f, 1},
                                                  {0.125f, 0.125f, 2},
                                                  {0.25f, 0.125f, 4},
                                                  {0.25f, 0.125f, 6}}));
  // Stopped by its 0, still registered, and unregistered normally.
  EXPECT_EQ(xplmsim::flightLoopCount(), 1);
  EXPECT_TRUE(unregisterLoop(object, handlerRef));
  EXPECT_EQ(xplmsim::flightLoopCount(), 0);
  EXPECT_FALSE(unregisterLoop(object, handlerRef));
}

TEST_F(FlightLoopTest, ElapsedTimesAndCounterKeepTheirPrecision) {
  jobject object = loop({-1.0f});
  registerLoop(object, -1.0f);
  const float sixtieth = 1.0f / 60.0f;
  const float tiny = 1.0e-7f;
  xplmsim::runFlightLoop(sixtieth);
  xplmsim::runFlightLoop(tiny);
  const std::vector<CallArgs> seen = calls(object);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0][0], sixtieth);
  EXPECT_EQ(seen[0][1], sixtieth);
  EXPECT_EQ(seen[1][1], tiny);
  EXPECT_EQ(seen[1][0], static_cast<float>(static_cast<double>(sixtieth) + tiny - sixtieth));
  EXPECT_EQ(seen[1][2], 2.0f);
}

TEST_F(FlightLoopTest, RegistrationForwardsTheIntervalAndTheHandlerReference) {
  jobject object = loop({0.5f});
  const jlong handlerRef = registerLoop(object, 2.75f);
  const xplmsim::Call* reg = xplmsim::lastCall("XPLMRegisterFlightLoopCallback");
  ASSERT_NE(reg, nullptr);
  EXPECT_EQ(reg->d(1), 2.75);
  EXPECT_EQ(reg->i(2), handlerRef);
  EXPECT_EQ(env()->GetObjectRefType(reinterpret_cast<jobject>(handlerRef)), JNIGlobalRefType);
  unregisterLoop(object, handlerRef);
  const xplmsim::Call* unreg = xplmsim::lastCall("XPLMUnregisterFlightLoopCallback");
  EXPECT_EQ(unreg->i(0), reg->i(0));
  EXPECT_EQ(unreg->i(1), handlerRef);
}

TEST_F(FlightLoopTest, TwoRegistrationsOfOneObjectAreIndependent) {
  jobject object = loop({-1.0f});
  const jlong first = registerLoop(object, -1.0f);
  const jlong second = registerLoop(object, -1.0f);
  EXPECT_NE(first, second);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(calls(object).size(), 2u);
  EXPECT_TRUE(unregisterLoop(object, first));
  xplmsim::runFlightLoop(0.1f);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(calls(object).size(), 4u);
  EXPECT_EQ(xplmsim::lastCall("XPLMUnregisterFlightLoopCallback")->i(1), first);
  EXPECT_TRUE(unregisterLoop(object, second));
}

TEST_F(FlightLoopTest, AnUnregisteredObjectCanBeCollected) {
  jobject object = loop({-1.0f});
  const jlong handlerRef = registerLoop(object, -1.0f);
  jobject weak = weakReference(object);
  env()->DeleteLocalRef(object);
  EXPECT_FALSE(collected(weak)) << "the registration must keep the object alive";
  xplmsim::runFlightLoop(0.1f);
  // The handler reference is a reference to the object itself.
  EXPECT_TRUE(unregisterLoop(reinterpret_cast<jobject>(handlerRef), handlerRef));
  EXPECT_TRUE(collected(weak));
}

TEST_F(FlightLoopTest, ALambdaRunsUntilItsRegistrationIsClosedAndCloseTwiceDoesNothing) {
  jobject owner = newObject("com/brevanto/qovin/testing/LambdaRegistrations", "()V");
  jobject registration = callMethod<jobject>(owner, "everyLoop", "()Lcom/brevanto/qovin/Registration;");
  xplmsim::runFlightLoop(0.1f);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(2, callMethod<jint>(owner, "loopCalls", "()I"));
  EXPECT_TRUE(callMethod<jboolean>(registration, "isOpen", "()Z"));
  callMethod(registration, "close", "()V");
  EXPECT_EQ(0, xplmsim::flightLoopCount());
  EXPECT_FALSE(callMethod<jboolean>(registration, "isOpen", "()Z"));
  jobject other = newObject("com/brevanto/qovin/testing/LambdaRegistrations", "()V");
  jobject second = callMethod<jobject>(other, "everyLoop", "()Lcom/brevanto/qovin/Registration;");
  callMethod(registration, "close", "()V");  // must not end the other registration
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(2, callMethod<jint>(owner, "loopCalls", "()I"));
  EXPECT_EQ(1, callMethod<jint>(other, "loopCalls", "()I"));
  callMethod(second, "close", "()V");
}

TEST_F(FlightLoopTest, AClosedRegistrationLetsItsCallbackBeCollected) {
  jobject object = loop({-1.0f});
  jobject registration = callMethod<jobject>(object, "schedule", "(F)Lcom/brevanto/qovin/Registration;", -1.0f);
  jobject weak = weakReference(object);
  env()->DeleteLocalRef(object);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_FALSE(collected(weak)) << "an open registration keeps the object alive";
  callMethod(registration, "close", "()V");
  EXPECT_EQ(0, xplmsim::flightLoopCount());
  EXPECT_TRUE(collected(weak)) << "the closed registration, still held, lets go of it";
}

TEST_F(FlightLoopTest, AThrowingCallbackIsClearedAndStopsOnlyItself) {
  jobject failing = loop({-1.0f}, 1);
  jobject healthy = loop({-1.0f});
  const jlong failingRef = registerLoop(failing, -1.0f);
  registerLoop(healthy, -1.0f);
  for (int pass = 0; pass < 3; ++pass) {
    xplmsim::runFlightLoop(0.1f);
    ASSERT_FALSE(env()->ExceptionCheck()) << "exception left pending after pass " << pass;
  }
  EXPECT_EQ(calls(failing).size(), 1u);
  EXPECT_EQ(calls(healthy).size(), 3u);
  EXPECT_EQ(xplmsim::flightLoopCount(), 2);
  EXPECT_TRUE(unregisterLoop(failing, failingRef));
}

// The trampoline runs outside any Java frame: a local reference it left behind
// per call would exceed the frame's capacity and make checked JNI complain.
TEST_F(FlightLoopTest, ManyCallsLeaveNoLocalReferencesBehind) {
  jobject object = loop({-1.0f});
  registerLoop(object, -1.0f);
  const long before = liveLocalRefs();
  for (int pass = 0; pass < 1000; ++pass) xplmsim::runFlightLoop(0.01f);
  EXPECT_EQ(liveLocalRefs(), before);
  EXPECT_EQ(calls(object).size(), 1000u);
}

TEST_F(FlightLoopTest, FramesDriveTheFlightLoop) {
  jobject object = loop({0.5f});
  registerLoop(object, 0.5f);
  xplmsim::runFrames(20, 0.05f);  // one second
  EXPECT_EQ(calls(object).size(), 2u);
}

}  // namespace
