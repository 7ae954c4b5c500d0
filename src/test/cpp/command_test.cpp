// Finding, creating, executing and handling commands from Java.
#include <string>

#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

constexpr const char* kPause = "sim/operation/pause_toggle";

class CommandTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    recorder = findClass("com/brevanto/qovin/testing/RecordingCommand");
    callStatic(recorder, staticMethod(recorder, "clearLog", "()V"));
  }
  jobject handler(const char* label, const char* name) {
    return newObject("com/brevanto/qovin/testing/RecordingCommand", "(Ljava/lang/String;Ljava/lang/String;)V",
                     env()->NewStringUTF(label), env()->NewStringUTF(name));
  }
  jlong registerHandler(jobject object, bool before) {
    return callMethod<jlong>(object, "registerHandler", "(Z)J", static_cast<jboolean>(before));
  }
  jboolean unregisterHandler(jobject object, jlong handlerRef) {
    return callMethod<jboolean>(object, "unregisterHandler", "(J)Z", handlerRef);
  }
  std::vector<std::string> handled() {
    return toStrings(static_cast<jobjectArray>(
        callStatic<jobject>(recorder, staticMethod(recorder, "log", "()[Ljava/lang/String;"))));
  }
  jclass recorder = nullptr;
};

TEST_F(CommandTest, TryWithResourcesEndsTheLambdaHandlerAndTheFlightLoop) {
  jobject owner = newObject("com/brevanto/qovin/testing/LambdaRegistrations", "()V");
  jobject pause = handler("p", kPause);
  callMethod(owner, "onceInsideTryAndOnceAfter", "(Lcom/brevanto/qovin/util/XPlaneCommandRef;)V", pause);
  EXPECT_EQ((std::vector<int>{0, 2}), elements(static_cast<jintArray>(callMethod<jobject>(owner, "phases", "()[I"))));
  EXPECT_EQ(0, xplmsim::flightLoopCount());
  EXPECT_EQ((std::vector<int>{0, 2, 0, 2}), xplmsim::commandActions(kPause));  // the simulator still ran both
}

TEST_F(CommandTest, AClosedLambdaHandlerIsCollectedAndASecondCloseDoesNothing) {
  jobject owner = newObject("com/brevanto/qovin/testing/LambdaRegistrations", "()V");
  jobject pause = handler("p", kPause);
  jobject registration =
      callMethod<jobject>(owner, "recordPhases", "(Lcom/brevanto/qovin/util/XPlaneCommandRef;)Lcom/brevanto/qovin/Registration;", pause);
  jobject weak = weakReference(owner);
  env()->DeleteLocalRef(owner);
  EXPECT_FALSE(collected(weak)) << "the handler keeps its lambda, and the lambda its owner, alive";
  const jlong kept = registerHandler(pause, true);
  callMethod(registration, "close", "()V");
  callMethod(registration, "close", "()V");
  EXPECT_TRUE(collected(weak));
  callMethod(pause, "once", "()V");
  EXPECT_EQ((std::vector<std::string>{"p:before:0", "p:before:2"}), handled());  // another handler stays
  EXPECT_TRUE(unregisterHandler(pause, kept));
}

TEST_F(CommandTest, FindCreateAndExecuteForwardToTheSimulator) {
  jobject pause = handler("p", kPause);
  EXPECT_TRUE(callMethod<jboolean>(pause, "isValid", "()Z"));
  EXPECT_EQ(xplmsim::lastCall("XPLMFindCommand")->s(0), kPause);
  callMethod(pause, "once", "()V");
  EXPECT_EQ(xplmsim::commandActions(kPause), (std::vector<int>{0, 2}));
  EXPECT_EQ(xplmsim::scalarValue("sim/time/paused"), 1.0);
  EXPECT_EQ(xplmsim::lastCall("XPLMCommandOnce")->i(0), callMethod<jlong>(pause, "getHandle", "()J"));

  jobject missing = handler("m", "no/such/command");
  EXPECT_FALSE(callMethod<jboolean>(missing, "isValid", "()Z"));

  jobject created = newObject("com/brevanto/qovin/testing/RecordingCommand",
                              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)V", env()->NewStringUTF("c"),
                              env()->NewStringUTF("qovin/test/horn"), env()->NewStringUTF("Sound the horn"));
  const xplmsim::Call* create = xplmsim::lastCall("XPLMCreateCommand");
  EXPECT_EQ(create->s(0), "qovin/test/horn");
  EXPECT_EQ(create->s(1), "Sound the horn");
  callMethod(created, "begin", "()V");
  xplmsim::runFlightLoop(0.1f);
  xplmsim::runFlightLoop(0.1f);
  callMethod(created, "end", "()V");
  EXPECT_EQ(xplmsim::commandActions("qovin/test/horn"), (std::vector<int>{0, 1, 1, 2}));
}

TEST_F(CommandTest, BeforeAndAfterRegistrationsCallTheirOwnMethod) {
  jobject first = handler("first", kPause);
  jobject second = handler("second", kPause);
  registerHandler(first, true);
  registerHandler(second, false);
  xplmsim::commandOnce(kPause);
  EXPECT_EQ(handled(), (std::vector<std::string>{"first:before:0", "second:after:0", "first:before:2",
                                                 "second:after:2"}));
  EXPECT_EQ(xplmsim::commandActions(kPause), (std::vector<int>{0, 2}));
}

TEST_F(CommandTest, AHandlerAnsweringFalseStopsTheCommand) {
  jobject blocker = handler("blocker", kPause);
  jobject later = handler("later", kPause);
  callMethod(blocker, "answer", "(Z)V", JNI_FALSE);
  registerHandler(blocker, true);
  registerHandler(later, false);
  xplmsim::commandOnce(kPause);
  EXPECT_EQ(handled(), (std::vector<std::string>{"blocker:before:0", "blocker:before:2"}));
  EXPECT_TRUE(xplmsim::commandActions(kPause).empty());
  EXPECT_EQ(xplmsim::scalarValue("sim/time/paused"), 0.0);
}

TEST_F(CommandTest, TwoRegistrationsOfOneObjectAreIndependent) {
  jobject object = handler("h", kPause);
  const jlong first = registerHandler(object, true);
  const jlong second = registerHandler(object, true);
  EXPECT_NE(first, second);
  xplmsim::commandBegin(kPause);
  EXPECT_EQ(handled(), (std::vector<std::string>{"h:before:0", "h:before:0"}));
  EXPECT_TRUE(unregisterHandler(object, first));
  xplmsim::commandEnd(kPause);
  EXPECT_EQ(handled().size(), 3u);
  const xplmsim::Call* unreg = xplmsim::lastCall("XPLMUnregisterCommandHandler");
  EXPECT_EQ(unreg->i(2), 1);
  EXPECT_EQ(unreg->i(3), first);
  EXPECT_TRUE(unregisterHandler(object, second));
}

TEST_F(CommandTest, RegistrationAndUnregistrationLogAtFiner) {
  jobject object = handler("h", kPause);
  const long long cmd = callMethod<jlong>(object, "getHandle", "()J");
  const jlong handlerRef = registerHandler(object, false);
  unregisterHandler(object, handlerRef);
  const std::string refs = "Cmd ref: " + std::to_string(cmd) + " handler ref: " + std::to_string(handlerRef) + "\n";
  EXPECT_EQ(javaLog(), (std::vector<std::string>{"FINER|Registering cmd handler. " + refs,
                                                 "FINER|Unregistering cmd handler. " + refs,
                                                 "FINER|Unregistered cmd handler. Deleting ref.\n",
                                                 "FINER|Ref deleted.\n"}));
  const xplmsim::Call* reg = xplmsim::lastCall("XPLMRegisterCommandHandler");
  const xplmsim::Call* unreg = xplmsim::lastCall("XPLMUnregisterCommandHandler");
  EXPECT_EQ(reg->i(1), unreg->i(1));
  EXPECT_EQ(reg->i(2), 0);
  EXPECT_EQ(unreg->i(2), 0);
}

TEST_F(CommandTest, UnknownHandlerReferencesAreRefusedWithoutTouchingTheSimulator) {
  jobject object = handler("h", kPause);
  jobject other = handler("o", kPause);
  const jlong handlerRef = registerHandler(other, true);
  xplmsim::clearCalls();
  EXPECT_FALSE(unregisterHandler(object, handlerRef));
  EXPECT_EQ(xplmsim::lastCall("XPLMUnregisterCommandHandler"), nullptr);
  xplmsim::commandOnce(kPause);
  EXPECT_EQ(handled().size(), 2u) << "the other object's registration must stay in force";
  EXPECT_TRUE(unregisterHandler(other, handlerRef));
  EXPECT_FALSE(unregisterHandler(other, handlerRef));
}

TEST_F(CommandTest, AnUnregisteredHandlerCanBeCollected) {
  jobject object = handler("h", kPause);
  const jlong handlerRef = registerHandler(object, true);
  jobject weak = weakReference(object);
  env()->DeleteLocalRef(object);
  EXPECT_FALSE(collected(weak));
  xplmsim::commandOnce(kPause);
  EXPECT_TRUE(unregisterHandler(reinterpret_cast<jobject>(handlerRef), handlerRef));
  EXPECT_TRUE(collected(weak));
}

TEST_F(CommandTest, ManyExecutionsLeaveNoLocalReferencesBehind) {
  jobject object = handler("h", kPause);
  registerHandler(object, true);
  registerHandler(object, false);
  const long before = liveLocalRefs();
  for (int i = 0; i < 500; ++i) xplmsim::commandOnce(kPause);
  EXPECT_EQ(liveLocalRefs(), before);
  EXPECT_EQ(handled().size(), 2000u);
}

TEST_F(CommandTest, AThrowingHandlerIsClearedAndLetsTheCommandGoOn) {
  jobject failing = handler("failing", kPause);
  jobject next = handler("next", kPause);
  callMethod(failing, "fail", "(Z)V", JNI_TRUE);
  registerHandler(failing, true);
  registerHandler(next, true);
  xplmsim::commandOnce(kPause);
  EXPECT_FALSE(env()->ExceptionCheck());
  EXPECT_EQ(handled(), (std::vector<std::string>{"failing:before:0", "next:before:0", "failing:before:2",
                                                 "next:before:2"}));
  EXPECT_EQ(xplmsim::commandActions(kPause), (std::vector<int>{0, 2}));
}

}  // namespace
