// Key sniffers registered from Java: the inverted answer, key codes, the
// order around the windows, refused registrations and unregistrations,
// exceptions, and the sniffer's lifetime.
#include <XPLMDisplay.h>

#include "jvm_harness.h"
#include "xplmsim/display.h"
#include "xplmsim/keys.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

using Keys = std::vector<std::string>;

class KeySnifferTest : public BridgeTest {
 protected:
  jobject sniffer(bool consume) {
    return newObject("com/brevanto/qovin/testing/RecordingSniffer", "(Z)V", consume ? JNI_TRUE : JNI_FALSE);
  }
  jlong registerIt(jobject s, bool before) {
    return callMethod<jlong>(s, "register", "(Z)J", before ? JNI_TRUE : JNI_FALSE);
  }
  jint unregisterNative(jobject s, bool before, jlong ref) {
    return callMethod<jint>(s, "unregisterN", "(ZJ)I", before ? JNI_TRUE : JNI_FALSE, ref);
  }
  Keys keys(jobject s) { return takeStrings(s, "takeKeys"); }
};

TEST_F(KeySnifferTest, ConsumingSnifferSwallowsEveryKeyAndAPassingOneChangesNothing) {
  jobject passing = sniffer(false);
  registerIt(passing, true);
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('A', xplm_DownFlag, 'A').taker);
  jobject swallowing = sniffer(true);
  const jlong ref = registerIt(swallowing, true);
  EXPECT_EQ(sim::KeyTaker::SnifferBeforeWindows, sim::pressKey('B', xplm_DownFlag, 'B').taker);
  EXPECT_EQ(sim::KeyTaker::SnifferBeforeWindows, sim::pressKey('C', xplm_UpFlag, 'C').taker);
  EXPECT_EQ(1, sim::keysReachingSimulator());
  EXPECT_EQ((Keys{"65 8 65", "66 8 66", "67 16 67"}), keys(passing));
  EXPECT_EQ((Keys{"66 8 66", "67 16 67"}), keys(swallowing));
  EXPECT_EQ(1, callMethod<jint>(swallowing, "unregister", "(J)I", ref));
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('D', 0, 'D').taker);
}

TEST_F(KeySnifferTest, CodesAbove127ArriveWithTheirLowEightBits) {
  jobject s = sniffer(false);
  registerIt(s, false);
  sim::pressKey(static_cast<char>(0xB0), xplm_ShiftFlag, static_cast<char>(0xFF));
  sim::pressKey(0x41, xplm_ControlFlag | xplm_DownFlag, 0x7F);
  EXPECT_EQ((Keys{"176 1 255", "65 12 127"}), keys(s));
}

TEST_F(KeySnifferTest, AfterWindowSniffersSeeOnlyKeysNoWindowTook) {
  jobject before = sniffer(false);
  jobject after = sniffer(false);
  registerIt(before, true);
  registerIt(after, false);
  jobject window = newObject("com/brevanto/qovin/testing/RecordingWindow", "(I)V", 1);
  callMethod<jlong>(window, "create", "(IIIIZ)J", 0, 10, 10, 0, JNI_TRUE);
  callMethod(window, "takeFocus", "()V");
  EXPECT_EQ(sim::KeyTaker::Window, sim::pressKey('x', 0, 'x').taker);
  callMethod(window, "destroy", "()V");
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('y', 0, 'y').taker);
  EXPECT_EQ((Keys{"120 0 120", "121 0 121"}), keys(before));
  EXPECT_EQ((Keys{"121 0 121"}), keys(after));
}

TEST_F(KeySnifferTest, WrongFlagIsRefusedAndTheReferenceStaysUsable) {
  jobject s = sniffer(true);
  const jlong ref = registerIt(s, true);
  jobject weak = weakReference(s);
  EXPECT_EQ(0, unregisterNative(s, false, ref));
  EXPECT_EQ(sim::KeyTaker::SnifferBeforeWindows, sim::pressKey('k', 0, 'k').taker);
  env()->DeleteLocalRef(s);
  EXPECT_FALSE(collected(weak));
  jobject again = callMethod<jobject>(weak, "get", "()Ljava/lang/Object;");
  EXPECT_EQ(1, unregisterNative(again, true, ref));
  EXPECT_EQ(0, sim::keySnifferCount());
  env()->DeleteLocalRef(again);
  EXPECT_TRUE(collected(weak));
}

TEST_F(KeySnifferTest, RefusedRegistrationAnswersMinusOneAndHoldsNothing) {
  jobject refused = sniffer(false);
  jobject weak = weakReference(refused);
  sim::refuseKeySniffers(true);
  EXPECT_EQ(-1, registerIt(refused, true));
  sim::refuseKeySniffers(false);
  EXPECT_EQ(0, callMethod<jint>(refused, "registrationCount", "()I"));
  env()->DeleteLocalRef(refused);
  EXPECT_TRUE(collected(weak));
}

TEST_F(KeySnifferTest, EachRegistrationHasItsOwnReference) {
  jobject s = sniffer(false);
  const jlong first = registerIt(s, true);
  const jlong second = registerIt(s, false);
  EXPECT_NE(first, second);
  EXPECT_NE(-1, first);
  EXPECT_EQ(2, callMethod<jint>(s, "registrationCount", "()I"));
  sim::pressKey('q', 0, 'q');
  EXPECT_EQ((Keys{"113 0 113", "113 0 113"}), keys(s));
  EXPECT_EQ(0, callMethod<jint>(s, "unregister", "(J)I", jlong{12345}));
  EXPECT_EQ(1, callMethod<jint>(s, "unregister", "(J)I", first));
  EXPECT_EQ(1, callMethod<jint>(s, "unregister", "(J)I", second));
}

TEST_F(KeySnifferTest, ThrowingSnifferIsPrintedAndLetsTheKeyPass) {
  jobject s = sniffer(true);
  registerIt(s, true);
  callMethod(s, "setFailing", "(Z)V", JNI_TRUE);
  sim::KeyResult result;
  const std::string printed = captureJavaStderr([&] {
    result = sim::pressKey('z', 0, 'z');
    ASSERT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(std::string::npos, printed.find("sniffer failed")) << printed;
  EXPECT_EQ(sim::KeyTaker::Simulator, result.taker);
  callMethod(s, "setFailing", "(Z)V", JNI_FALSE);
  EXPECT_EQ(sim::KeyTaker::SnifferBeforeWindows, sim::pressKey('z', 0, 'z').taker);
}

}  // namespace
