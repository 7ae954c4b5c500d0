// Other plugins from Java: their information and state, messages to them, and
// the aircraft models in the simulator's slots.
#include <XPLMPlugin.h>

#include <cstring>
#include <string>

#include "jvm_harness.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

struct Info {
  long long id = 0;
  std::string name, path, signature, description;
};

class PluginTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    helper = findClass("com/brevanto/qovin/XPlanePluginHelper");
  }
  jobject infoObject(int id) {
    return callStatic<jobject>(helper, staticMethod(helper, "getPluginInfoN", "(I)Lcom/brevanto/qovin/QOVINPluginInfo;"),
                               id);
  }
  static Info read(jobject info) {
    auto text = [&](const char* getter) {
      return toStdString(static_cast<jstring>(callMethod<jobject>(info, getter, "()Ljava/lang/String;")));
    };
    return Info{callMethod<jlong>(info, "getId", "()J"), text("getName"), text("getPath"), text("getSignature"),
                text("getDescription")};
  }
  void call(const char* method, int plugin) { callStatic(helper, staticMethod(helper, method, "(I)V"), plugin); }
  bool enabled(int plugin) { return callStatic<jboolean>(helper, staticMethod(helper, "isEnabledN", "(I)Z"), plugin); }
  jint bySignature(jstring sig) {
    return callStatic<jint>(helper, staticMethod(helper, "findPluginBySignatureN", "(Ljava/lang/String;)I"), sig);
  }
  jclass helper = nullptr;
};

TEST_F(PluginTest, InfoHoldsExactlyWhatTheSimulatorWrote) {
  const Info other = read(infoObject(xplmsim::kOtherPlugin));
  const xplmsim::Plugin& expected = *xplmsim::plugin(xplmsim::kOtherPlugin);
  EXPECT_EQ(other.id, xplmsim::kOtherPlugin);
  EXPECT_EQ(other.name, expected.name);
  EXPECT_EQ(other.path, expected.path);
  EXPECT_EQ(other.signature, expected.signature);
  EXPECT_EQ(other.description, expected.description);
  const xplmsim::Call* call = xplmsim::lastCall("XPLMGetPluginInfo");
  for (size_t arg = 1; arg <= 4; ++arg) EXPECT_NE(call->i(arg), 0);
}

TEST_F(PluginTest, TwoResultsStayIndependent) {
  jobject first = infoObject(xplmsim::kHostPlugin);
  jobject second = infoObject(xplmsim::kOtherPlugin);
  const Info host = read(first);
  EXPECT_EQ(host.id, xplmsim::kHostPlugin);
  EXPECT_EQ(host.name, "qovin");
  EXPECT_EQ(host.signature, "com.brevanto.qovin");
  EXPECT_EQ(read(second).name, "Traffic Board");
}

// An ID the simulator fills nothing for, right after one it did: empty texts,
// nothing of the previous plugin. Over-long texts arrive whole as far as the
// simulator wrote them, terminated.
TEST_F(PluginTest, UnknownPluginsGiveEmptyTextsAndLongTextsStayInside) {
  infoObject(xplmsim::kOtherPlugin);
  const Info unknown = read(infoObject(99));
  EXPECT_EQ(unknown.id, 99);
  EXPECT_EQ(unknown.name, "");
  EXPECT_EQ(unknown.path, "");
  EXPECT_EQ(unknown.signature, "");
  EXPECT_EQ(unknown.description, "");
  const int big = xplmsim::addPlugin({0, std::string(400, 'n'), std::string(400, 'p'), std::string(400, 's'),
                                      std::string(400, 'd')});
  const Info longOne = read(infoObject(big));
  EXPECT_EQ(longOne.name, std::string(255, 'n'));
  EXPECT_EQ(longOne.path, std::string(255, 'p'));
  EXPECT_EQ(longOne.description, std::string(255, 'd'));
}

TEST_F(PluginTest, EnableDisableFindAndMyId) {
  call("disableN", xplmsim::kOtherPlugin);
  EXPECT_FALSE(xplmsim::plugin(xplmsim::kOtherPlugin)->enabled);
  EXPECT_FALSE(enabled(xplmsim::kOtherPlugin));
  call("enableN", xplmsim::kOtherPlugin);
  EXPECT_TRUE(enabled(xplmsim::kOtherPlugin));
  xplmsim::setRefusesEnable(xplmsim::kOtherPlugin, true);
  call("disableN", xplmsim::kOtherPlugin);
  call("enableN", xplmsim::kOtherPlugin);
  EXPECT_FALSE(enabled(xplmsim::kOtherPlugin));

  EXPECT_EQ(bySignature(env()->NewStringUTF("com.example.trafficboard")), xplmsim::kOtherPlugin);
  EXPECT_EQ(bySignature(env()->NewStringUTF("no.such.plugin")), XPLM_NO_PLUGIN_ID);
  EXPECT_EQ(bySignature(nullptr), XPLM_NO_PLUGIN_ID);
  jmethodID myId = staticMethod(helper, "getMyIdN", "()I");
  EXPECT_EQ(callStatic<jint>(helper, myId), xplmsim::kHostPlugin);
  xplmsim::CallerScope other(xplmsim::kOtherPlugin);
  EXPECT_EQ(callStatic<jint>(helper, myId), xplmsim::kOtherPlugin);
}

class MessageTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    sender = newObject("com/brevanto/qovin/XPlanePluginHelper", "()V");
    // The receiver reads the parameter as a text while the message is handled,
    // then writes into it.
    xplmsim::setMessageReceiver(xplmsim::kOtherPlugin, [this](int, int, void* param) {
      received.push_back(param != nullptr ? std::string(static_cast<char*>(param)) : std::string("<null>"));
      if (param != nullptr) static_cast<char*>(param)[0] = '!';
    });
  }
  void sendText(jstring text) {
    callMethod(sender, "sendMessageS", "(IILjava/lang/String;)V", xplmsim::kOtherPlugin, 42, text);
  }
  void sendBytes(jbyteArray bytes) {
    callMethod(sender, "sendMessageB", "(II[B)V", xplmsim::kOtherPlugin, 43, bytes);
  }
  jobject sender = nullptr;
  std::vector<std::string> received;
};

TEST_F(MessageTest, TextsArriveTerminatedAndTheLineIsLoggedAtFiner) {
  sendText(env()->NewStringUTF("hello"));
  sendText(env()->NewStringUTF(""));
  sendText(nullptr);
  EXPECT_EQ(received, (std::vector<std::string>{"hello", "", "<null>"}));
  const std::vector<xplmsim::PluginMessage> sent = xplmsim::messages();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].from, xplmsim::kHostPlugin);
  EXPECT_EQ(sent[0].message, 42);
  EXPECT_NE(sent[1].param, 0);  // an empty text is a pointer to a terminator, not null
  EXPECT_EQ(sent[2].param, 0);
  EXPECT_EQ(javaLog(), (std::vector<std::string>{
                           "FINER|XPlanePluginHelper: Sending message 42 with param hello to plugin 2",
                           "FINER|XPlanePluginHelper: Sending message 42 with param  to plugin 2",
                           "FINER|XPlanePluginHelper: Sending message 42 with param null to plugin 2"}));
}

// Bytes go as they are; without a zero byte among them, a terminated copy goes,
// so a receiver reading a text stops at their end. Nothing it writes comes back.
TEST_F(MessageTest, BytesArriveWithoutLengthAndAreNeverReadPastTheirEnd) {
  jbyteArray withZero = byteArray({'a', 'b', 0, 'c'});
  jbyteArray withoutZero = byteArray({'x', 'y', 'z'});
  sendBytes(withZero);
  sendBytes(withoutZero);
  sendBytes(byteArray({}));
  sendBytes(nullptr);
  EXPECT_EQ(received, (std::vector<std::string>{"ab", "xyz", "", "<null>"}));
  EXPECT_EQ(elements(withZero), (std::vector<signed char>{'a', 'b', 0, 'c'}));
  EXPECT_EQ(elements(withoutZero), (std::vector<signed char>{'x', 'y', 'z'}));
  EXPECT_EQ(xplmsim::messages().at(0).message, 43);
}

TEST_F(MessageTest, DisabledPluginsGetNothingAndMinusOneReachesEveryone) {
  call("disableN", xplmsim::kOtherPlugin);
  sendText(env()->NewStringUTF("lost"));
  EXPECT_TRUE(received.empty());
  call("enableN", xplmsim::kOtherPlugin);
  callMethod(sender, "sendMessage", "(IILjava/lang/String;)V", XPLM_NO_PLUGIN_ID, 7, env()->NewStringUTF("all"));
  EXPECT_EQ(received, (std::vector<std::string>{"all"}));
  EXPECT_EQ(xplmsim::messages().size(), 2u);  // the host plugin and the other one
}

class AircraftTest : public BridgeTest {
 protected:
  std::vector<std::string> model(int index) {
    jclass planes = findClass("com/brevanto/qovin/planes/XPlanePlanes");
    auto array = static_cast<jobjectArray>(
        callStatic<jobject>(planes, staticMethod(planes, "getNthAircraftModelN", "(I)[Ljava/lang/String;"), index));
    std::vector<std::string> texts = toStrings(array);
    env()->DeleteLocalRef(array);
    env()->DeleteLocalRef(planes);
    return texts;
  }
};

TEST_F(AircraftTest, FileNameThenPathAndAlwaysTwoElements) {
  EXPECT_EQ(model(0), (std::vector<std::string>{
                          "Cessna_172SP.acf", "/X-Plane 11/Aircraft/Laminar Research/Cessna 172SP/Cessna_172SP.acf"}));
  EXPECT_EQ(model(1).at(0), "C90B.acf");
  EXPECT_EQ(model(7), (std::vector<std::string>{"", ""}));  // an empty slot
  // Slots the simulator writes nothing for, right after one it did.
  EXPECT_EQ(model(xplmsim::kAircraftSlots), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(model(-1), (std::vector<std::string>{"", ""}));
  xplmsim::setAircraftModel(3, std::string(300, 'f'), std::string(700, 'p'));
  EXPECT_EQ(model(3), (std::vector<std::string>{std::string(255, 'f'), std::string(511, 'p')}));
}

}  // namespace
