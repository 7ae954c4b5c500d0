// Hot keys registered from Java: when they fire, enumeration and information
// of every plugin's hot keys, rebinding, exceptions in actions, and the
// registration's lifetime (made-up and repeated IDs, collection).
#include <XPLMDisplay.h>

#include "jvm_harness.h"
#include "xplmsim/hot_keys.h"
#include "xplmsim/keys.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

void otherPluginsHotKey(void*) {}

class HotKeyTest : public BridgeTest {
 protected:
  jobject actions() { return newObject("com/brevanto/qovin/testing/HotKeyActions", "()V"); }
  jobject counting(jobject a, int key, int flags, const char* description) {
    jstring text = env()->NewStringUTF(description);
    jobject hotKey = callMethod<jobject>(a, "counting", "(IILjava/lang/String;)Lcom/brevanto/qovin/display/HotKey;",
                                         key, flags, text);
    env()->DeleteLocalRef(text);
    return hotKey;
  }
  jint presses(jobject a) { return callMethod<jint>(a, "presses", "()I"); }
  jlong id(jobject hotKey) { return callMethod<jlong>(hotKey, "id", "()J"); }
  std::string info(jlong hotKey) {
    jclass cls = findClass("com/brevanto/qovin/testing/HotKeyActions");
    jobject line = callStatic<jobject>(cls, staticMethod(cls, "info", "(J)Ljava/lang/String;"), hotKey);
    return toStdString(static_cast<jstring>(line));
  }
  std::vector<std::string> all() {
    jclass cls = findClass("com/brevanto/qovin/testing/HotKeyActions");
    return toStrings(static_cast<jobjectArray>(callStatic<jobject>(cls, staticMethod(cls, "all", "()[Ljava/lang/String;"))));
  }
  jboolean unregisterNative(jlong hotKey) {
    jclass cls = findClass("com/brevanto/qovin/display/HotKey");
    return callStatic<jboolean>(cls, staticMethod(cls, "unregisterN", "(J)Z"), hotKey);
  }
};

TEST_F(HotKeyTest, FiresOnItsKeyDownWithItsModifiersOnlyWhileNoWindowHasFocus) {
  jobject a = actions();
  jobject hotKey = counting(a, 'H', xplm_ShiftFlag, "Toggle the panel");
  ASSERT_EQ(1u, sim::hotKeys().size());
  EXPECT_EQ("Toggle the panel", sim::hotKeys()[0].description);
  EXPECT_EQ(sim::KeyTaker::HotKey, sim::pressKey('h', xplm_ShiftFlag | xplm_DownFlag, 'H').taker);
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('h', xplm_ShiftFlag | xplm_UpFlag, 'H').taker);
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('h', xplm_DownFlag, 'H').taker);
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('h', xplm_ShiftFlag | xplm_ControlFlag | xplm_DownFlag, 'H').taker);
  EXPECT_EQ(1, presses(a));

  jobject window = newObject("com/brevanto/qovin/testing/RecordingWindow", "(I)V", 1);
  callMethod<jlong>(window, "create", "(IIIIZ)J", 0, 10, 10, 0, JNI_TRUE);
  callMethod(window, "takeFocus", "()V");
  EXPECT_EQ(sim::KeyTaker::Window, sim::pressKey('h', xplm_ShiftFlag | xplm_DownFlag, 'H').taker);
  callMethod(window, "destroy", "()V");
  EXPECT_EQ(1, presses(a));
  callMethod(hotKey, "close", "()V");
}

TEST_F(HotKeyTest, EveryPluginsHotKeysAreListedAndAnUnknownIdGetsTheEmptyAnswer) {
  jobject a = actions();
  jobject own = counting(a, 'K', xplm_ControlFlag, "Mine");
  XPLMHotKeyID other = nullptr;
  {
    const sim::CallerScope asOther(sim::kOtherPlugin);
    other = XPLMRegisterHotKey(static_cast<char>(0xB5), 0, "Theirs", otherPluginsHotKey, nullptr);
  }
  EXPECT_EQ((std::vector<std::string>{"75 4 1 Mine", "181 0 2 Theirs"}), all());
  const size_t askedBefore = sim::callsTo("XPLMGetHotKeyInfo").size();
  EXPECT_EQ("0 0 -1 ", info(0x1234567));
  EXPECT_EQ("0 0 -1 ", info(0));
  EXPECT_EQ(askedBefore, sim::callsTo("XPLMGetHotKeyInfo").size());  // never passed on
  const jlong ownId = id(own);
  callMethod(own, "close", "()V");
  EXPECT_EQ("0 0 -1 ", info(ownId));
  EXPECT_EQ((std::vector<std::string>{"181 0 2 Theirs"}), all());
  const sim::CallerScope asOther(sim::kOtherPlugin);
  XPLMUnregisterHotKey(other);
}

TEST_F(HotKeyTest, ACombinationChangesForListedHotKeysOnly) {
  jobject a = actions();
  jobject hotKey = counting(a, 'A', 0, "Rebound");
  EXPECT_TRUE(callMethod<jboolean>(hotKey, "setCombination", "(II)Z", 'B', xplm_OptionAltFlag));
  sim::pressKey('a', xplm_DownFlag, 'A');
  sim::pressKey('b', xplm_OptionAltFlag | xplm_DownFlag, 'B');
  EXPECT_EQ(1, presses(a));
  jclass cls = findClass("com/brevanto/qovin/display/HotKey");
  jmethodID set = staticMethod(cls, "setCombination", "(JII)Z");
  const size_t setBefore = sim::callsTo("XPLMSetHotKeyCombination").size();
  EXPECT_FALSE(callStatic<jboolean>(cls, set, static_cast<jlong>(0x7777), 'C', 0));
  EXPECT_EQ(setBefore, sim::callsTo("XPLMSetHotKeyCombination").size());
  EXPECT_TRUE(callStatic<jboolean>(cls, set, id(hotKey), 'C', 0));
  EXPECT_EQ("67 0 1 Rebound", info(id(hotKey)));
  callMethod(hotKey, "close", "()V");
}

TEST_F(HotKeyTest, AThrowingActionIsPrintedAndClearedAndTheNextPressStillFires) {
  jobject a = actions();
  jobject hotKey = callMethod<jobject>(a, "throwing", "(I)Lcom/brevanto/qovin/display/HotKey;", 'T');
  const std::string printed = captureJavaStderr([] { sim::pressKey('t', xplm_DownFlag, 'T'); });
  EXPECT_NE(printed.find("hot key failed"), std::string::npos) << printed;
  captureJavaStderr([] { sim::pressKey('t', xplm_DownFlag, 'T'); });
  EXPECT_EQ(2, presses(a));
  callMethod(hotKey, "close", "()V");
}

TEST_F(HotKeyTest, UnregisteringTakesOnlyLiveIdsOfOursAndLetsTheObjectBeCollected) {
  jobject a = actions();
  jobject hotKey = counting(a, 'U', 0, "Once");
  const jlong hotKeyId = id(hotKey);
  EXPECT_FALSE(unregisterNative(0x5555));
  EXPECT_EQ(1u, sim::hotKeys().size());
  jobject weak = weakReference(hotKey);
  env()->DeleteLocalRef(hotKey);
  EXPECT_FALSE(collected(weak));  // the registration holds it
  EXPECT_TRUE(unregisterNative(hotKeyId));
  EXPECT_FALSE(unregisterNative(hotKeyId));
  EXPECT_TRUE(sim::hotKeys().empty());
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('u', xplm_DownFlag, 'U').taker);
  EXPECT_TRUE(collected(weak));
  EXPECT_EQ(0, presses(a));
}

}  // namespace
