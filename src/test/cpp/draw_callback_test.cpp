// Draw callbacks registered from Java: phases and sides, the before-callback's
// power to skip the simulator's drawing, refused registrations and
// unregistrations, exceptions, and the registered object's lifetime.
#include <XPLMDisplay.h>

#include <algorithm>

#include "jvm_harness.h"
#include "xplmsim/display.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

using Calls = std::vector<std::string>;

class DrawCallbackTest : public BridgeTest {
 protected:
  jobject newDraw(int answer) { return newObject("com/brevanto/qovin/testing/RecordingDraw", "(I)V", answer); }
  jlong registerFor(jobject draw, int phase, bool before) {
    return callMethod<jlong>(draw, "register", "(IZ)J", phase, before ? JNI_TRUE : JNI_FALSE);
  }
  // The native itself, with any phase and side.
  jint unregisterNative(jobject draw, jlong ref, int phase, bool before) {
    return callMethod<jint>(draw, "unregisterDrawCallback", "(JIZ)I", ref, phase, before ? JNI_TRUE : JNI_FALSE);
  }
  Calls calls(jobject draw) { return takeStrings(draw, "takeCalls"); }
  static bool drawn(int phase) {
    const std::vector<int>& phases = sim::phasesDrawn();
    return std::find(phases.begin(), phases.end(), phase) != phases.end();
  }
};

TEST_F(DrawCallbackTest, OneObjectInTwoPhasesFiresInEachOnly) {
  jobject draw = newDraw(1);
  const jlong objects = registerFor(draw, xplm_Phase_Objects, true);
  const jlong window = registerFor(draw, xplm_Phase_Window, false);
  EXPECT_NE(0, objects);
  EXPECT_NE(0, window);
  EXPECT_NE(objects, window);
  sim::drawFrame();
  EXPECT_EQ((Calls{"20 true", "50 false"}), calls(draw));

  EXPECT_EQ(1, callMethod<jint>(draw, "unregister", "(J)I", objects));
  sim::drawFrame();
  EXPECT_EQ((Calls{"50 false"}), calls(draw));
}

TEST_F(DrawCallbackTest, BeforeCallbackAnsweringZeroSkipsThePhase) {
  jobject skip = newDraw(0);
  registerFor(skip, xplm_Phase_Terrain, true);
  jobject after = newDraw(0);
  registerFor(after, xplm_Phase_Airports, false);
  sim::drawFrame();
  EXPECT_FALSE(drawn(xplm_Phase_Terrain));
  EXPECT_TRUE(drawn(xplm_Phase_Airports));  // an after-callback's answer is ignored
  EXPECT_TRUE(drawn(xplm_Phase_Objects));
}

TEST_F(DrawCallbackTest, RefusedRegistrationAnswersZeroAndHoldsNothing) {
  jobject draw = newDraw(1);
  jobject weak = weakReference(draw);
  EXPECT_EQ(0, registerFor(draw, 17, true));
  EXPECT_EQ(0, sim::drawCallbackCount());
  EXPECT_EQ(0, callMethod<jint>(draw, "registrationCount", "()I"));
  env()->DeleteLocalRef(draw);
  EXPECT_TRUE(collected(weak));
}

TEST_F(DrawCallbackTest, WrongPhaseOrSideLeavesTheRegistrationAndLogs) {
  jobject draw = newDraw(1);
  const jlong ref = registerFor(draw, xplm_Phase_Gauges, true);
  jobject weak = weakReference(draw);

  EXPECT_EQ(0, unregisterNative(draw, ref, xplm_Phase_Panel, true));
  EXPECT_EQ(0, unregisterNative(draw, ref, xplm_Phase_Gauges, false));
  EXPECT_EQ("[Vaskel] Draw callback could not be unregistered.[Vaskel] Draw callback could not be unregistered.",
            sim::debugLog());
  sim::drawFrame();
  EXPECT_EQ((Calls{"45 true"}), calls(draw));  // still registered, and its reference still good

  env()->DeleteLocalRef(draw);
  EXPECT_FALSE(collected(weak));
  jobject again = callMethod<jobject>(weak, "get", "()Ljava/lang/Object;");
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(1, unregisterNative(again, ref, xplm_Phase_Gauges, true));
  sim::drawFrame();
  EXPECT_TRUE(calls(again).empty());
  env()->DeleteLocalRef(again);
  EXPECT_TRUE(collected(weak));
}

TEST_F(DrawCallbackTest, UnregisteredObjectCanBeCollected) {
  jobject draw = newDraw(1);
  const jlong ref = registerFor(draw, xplm_Phase_LastCockpit, false);
  jobject weak = weakReference(draw);
  env()->DeleteLocalRef(draw);
  EXPECT_FALSE(collected(weak));
  jobject again = callMethod<jobject>(weak, "get", "()Ljava/lang/Object;");
  EXPECT_EQ(1, callMethod<jint>(again, "unregister", "(J)I", ref));
  EXPECT_EQ(0, callMethod<jint>(again, "unregister", "(J)I", ref));  // not a registration any more
  env()->DeleteLocalRef(again);
  EXPECT_TRUE(collected(weak));
}

TEST_F(DrawCallbackTest, ThrowingCallbackIsPrintedAndItsZeroSkipsThePhase) {
  jobject draw = newDraw(1);
  registerFor(draw, xplm_Phase_Airplanes, true);
  callMethod(draw, "setFailing", "(Z)V", JNI_TRUE);
  const std::string printed = captureJavaStderr([] {
    sim::drawFrame();
    ASSERT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(std::string::npos, printed.find("draw callback failed in phase 25")) << printed;
  EXPECT_FALSE(drawn(xplm_Phase_Airplanes));

  callMethod(draw, "setFailing", "(Z)V", JNI_FALSE);
  calls(draw);
  sim::drawFrame();
  EXPECT_EQ((Calls{"25 true"}), calls(draw));
  EXPECT_TRUE(drawn(xplm_Phase_Airplanes));
}

TEST_F(DrawCallbackTest, FramesDrawnByTheSimulatorCallBackEveryFrame) {
  jobject draw = newDraw(1);
  registerFor(draw, xplm_Phase_FirstCockpit, false);
  sim::runFrames(100, 0.05f);
  EXPECT_EQ(100u, calls(draw).size());
}

}  // namespace
