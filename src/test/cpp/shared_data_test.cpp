// Shared data (data.SharedData) between a Java plugin and another plugin of the
// stand-in: notifications into Java, their lifetime, refusals and stale keys.
#include <XPLMDataAccess.h>

#include "jvm_harness.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

using namespace qovintest;

namespace {

constexpr const char* kName = "test/recorder/recording";
constexpr jint kTypeInt = 1;
constexpr jint kTypeFloat = 2;

void countChange(void* refcon) { ++*static_cast<int*>(refcon); }

class SharedDataTest : public BridgeTest {
 protected:
  jobject notification(bool throwing = false) {
    return newObject("com/brevanto/qovin/testing/RecordingShare", "(Z)V", throwing);
  }
  jclass sharedClass() { return findClass("com/brevanto/qovin/data/SharedData"); }
  jobject share(const char* name, jint type, jobject onChange) {
    jclass cls = sharedClass();
    jstring jname = env()->NewStringUTF(name);
    return callStatic<jobject>(
        cls, staticMethod(cls, "share", "(Ljava/lang/String;ILjava/lang/Runnable;)Lcom/brevanto/qovin/data/SharedData;"),
        jname, type, onChange);
  }
  jint runs(jobject onChange) { return callMethod<jint>(onChange, "runs", "()I"); }
  // The other plugin shares the data with a counting notification and writes it.
  void otherShares(int* counter) {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    ASSERT_EQ(XPLMShareData(kName, xplmType_Int, countChange, counter), 1);
  }
  void otherWrites(int value) {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    XPLMSetDatai(XPLMFindDataRef(kName), value);
  }
};

TEST_F(SharedDataTest, EachPluginHearsOfTheOthersWritesOnce) {
  jobject onChange = notification();
  jobject shared = share(kName, kTypeInt, onChange);
  int otherHeard = 0;
  otherShares(&otherHeard);
  otherWrites(1);
  EXPECT_EQ(runs(onChange), 1);
  EXPECT_EQ(otherHeard, 0);
  jobject ref = callMethod<jobject>(shared, "dataRef", "()Lcom/brevanto/qovin/data/XPlaneDataRef;");
  EXPECT_EQ(callMethod<jint>(ref, "getInt", "()I"), 1);
  callMethod(ref, "setInt", "(I)V", 2);
  EXPECT_EQ(runs(onChange), 1) << "Java's own write does not notify Java";
  EXPECT_EQ(otherHeard, 1);
  callMethod(shared, "close", "()V");
}

TEST_F(SharedDataTest, AClosedShareLetsItsNotificationBeCollectedAndKeepsTheData) {
  jobject onChange = notification();
  jobject shared = share(kName, kTypeInt, onChange);
  jclass cls = env()->GetObjectClass(shared);
  const jlong key = env()->GetLongField(shared, env()->GetFieldID(cls, "share", "J"));
  int otherHeard = 0;
  otherShares(&otherHeard);
  jobject weak = weakReference(onChange);
  env()->DeleteLocalRef(onChange);
  EXPECT_FALSE(collected(weak)) << "an open share keeps its notification alive";
  callMethod(shared, "close", "()V");
  EXPECT_EQ(xplmsim::shareCount(kName), 1) << "only the other plugin's notification is left";
  EXPECT_TRUE(collected(weak));
  otherWrites(5);
  EXPECT_EQ(XPLMGetDatai(XPLMFindDataRef(kName)), 5);
  // A stale or made-up key changes nothing.
  jmethodID unshareN = staticMethod(sharedClass(), "unshareN", "(J)Z");
  xplmsim::clearCalls();
  EXPECT_FALSE(callStatic<jboolean>(sharedClass(), unshareN, key));
  EXPECT_FALSE(callStatic<jboolean>(sharedClass(), unshareN, static_cast<jlong>(0x40)));
  EXPECT_TRUE(xplmsim::callsTo("XPLMUnshareData").empty());
  EXPECT_EQ(xplmsim::shareCount(kName), 1);
}

TEST_F(SharedDataTest, AThrowingNotificationIsClearedAndStays) {
  jobject onChange = notification(true);
  jobject shared = share(kName, kTypeInt, onChange);
  for (int value = 0; value < 3; ++value) {
    otherWrites(value);
    ASSERT_FALSE(env()->ExceptionCheck()) << "exception left pending";
  }
  EXPECT_EQ(runs(onChange), 3);
  callMethod(shared, "close", "()V");
}

// The trampoline runs outside any Java frame: a local reference left behind
// per call would exceed the frame's capacity and make checked JNI complain.
TEST_F(SharedDataTest, ManyNotificationsLeaveNoLocalReferencesBehind) {
  jobject onChange = notification();
  jobject shared = share(kName, kTypeInt, onChange);
  const long before = liveLocalRefs();
  for (int value = 0; value < 1000; ++value) otherWrites(value);
  EXPECT_EQ(liveLocalRefs(), before);
  EXPECT_EQ(runs(onChange), 1000);
  callMethod(shared, "close", "()V");
}

TEST_F(SharedDataTest, DataOfAnotherTypeIsRefusedAndNothingIsHeld) {
  jobject first = share(kName, kTypeInt, notification());
  jclass cls = sharedClass();
  jmethodID shareMethod =
      staticMethod(cls, "share", "(Ljava/lang/String;ILjava/lang/Runnable;)Lcom/brevanto/qovin/data/SharedData;");
  jstring name = env()->NewStringUTF(kName);
  jobject second = notification();
  EXPECT_TRUE(throws("java/lang/IllegalArgumentException",
                     [&] { env()->CallStaticObjectMethod(cls, shareMethod, name, kTypeFloat, second); }));
  EXPECT_EQ(xplmsim::shareCount(kName), 1);
  jmethodID shareN = staticMethod(cls, "shareN", "(Ljava/lang/String;ILjava/lang/Runnable;)J");
  EXPECT_EQ(callStatic<jlong>(cls, shareN, static_cast<jstring>(nullptr), kTypeInt, second), 0);
  EXPECT_EQ(callStatic<jlong>(cls, shareN, name, kTypeInt, static_cast<jobject>(nullptr)), 0);
  callMethod(first, "close", "()V");
}

TEST_F(SharedDataTest, AHandleIsGoodWhileTheSimulatorKnowsIt) {
  jobject found = newObject("com/brevanto/qovin/data/XPlaneDataRef", "(Ljava/lang/String;)V",
                            env()->NewStringUTF("sim/flightmodel/position/elevation"));
  EXPECT_TRUE(callMethod<jboolean>(found, "isGood", "()Z"));
  jobject missing = newObject("com/brevanto/qovin/data/XPlaneDataRef", "(Ljava/lang/String;)V",
                              env()->NewStringUTF("no/such/dataref"));
  EXPECT_FALSE(callMethod<jboolean>(missing, "isGood", "()Z"));
}

}  // namespace
