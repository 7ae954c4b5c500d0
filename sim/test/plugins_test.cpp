// The stand-in's plugins, messages and aircraft slots behave as the SDK documents them.
#include <XPLMPlanes.h>
#include <XPLMPlugin.h>
#include <gtest/gtest.h>

#include <cstring>

#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

class SimPlugins : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

TEST_F(SimPlugins, TwoPluginsAfterResetAndMoreCanBeLoaded) {
  EXPECT_EQ(XPLMCountPlugins(), 2);
  EXPECT_EQ(XPLMGetMyID(), xplmsim::kHostPlugin);
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    EXPECT_EQ(XPLMGetMyID(), xplmsim::kOtherPlugin);
  }
  EXPECT_EQ(XPLMFindPluginBySignature("com.example.trafficboard"), xplmsim::kOtherPlugin);
  EXPECT_EQ(XPLMFindPluginBySignature("com.example"), XPLM_NO_PLUGIN_ID);
  const int third = xplmsim::addPlugin({0, "Third", "/p/third.xpl", "com.example.third", "A third plugin."});
  EXPECT_EQ(third, 3);
  EXPECT_EQ(XPLMGetNthPlugin(2), third);

  char name[256], path[256], sig[256], desc[256];
  XPLMGetPluginInfo(third, name, path, sig, desc);
  EXPECT_STREQ(name, "Third");
  EXPECT_STREQ(path, "/p/third.xpl");
  EXPECT_STREQ(sig, "com.example.third");
  EXPECT_STREQ(desc, "A third plugin.");
  std::strcpy(name, "stale");
  XPLMGetPluginInfo(99, name, nullptr, nullptr, nullptr);  // unknown: writes nothing
  EXPECT_STREQ(name, "stale");
  xplmsim::addPlugin({0, std::string(300, 'x'), "", "", ""});
  XPLMGetPluginInfo(4, name, nullptr, nullptr, nullptr);
  EXPECT_EQ(std::string(name), std::string(255, 'x'));
}

TEST_F(SimPlugins, EnableDisableAndRefusal) {
  XPLMDisablePlugin(xplmsim::kOtherPlugin);
  EXPECT_EQ(XPLMIsPluginEnabled(xplmsim::kOtherPlugin), 0);
  EXPECT_EQ(XPLMEnablePlugin(xplmsim::kOtherPlugin), 1);
  EXPECT_EQ(XPLMIsPluginEnabled(xplmsim::kOtherPlugin), 1);
  xplmsim::setRefusesEnable(xplmsim::kOtherPlugin, true);
  XPLMDisablePlugin(xplmsim::kOtherPlugin);
  EXPECT_EQ(XPLMEnablePlugin(xplmsim::kOtherPlugin), 0);
  EXPECT_EQ(XPLMIsPluginEnabled(77), 0);
}

TEST_F(SimPlugins, MessagesReachEnabledReceiversWhileTheParameterIsValid) {
  std::vector<std::string> seen;
  xplmsim::setMessageReceiver(xplmsim::kOtherPlugin, [&](int from, int message, void* param) {
    seen.push_back(std::to_string(from) + ":" + std::to_string(message) + ":" + (param ? static_cast<const char*>(param) : "-") +
                   ":as " + std::to_string(XPLMGetMyID()));
  });
  char text[] = "hello";
  XPLMSendMessageToPlugin(xplmsim::kOtherPlugin, 0x1234, text);
  XPLMDisablePlugin(xplmsim::kOtherPlugin);
  XPLMSendMessageToPlugin(xplmsim::kOtherPlugin, 0x1235, text);
  EXPECT_EQ(seen, (std::vector<std::string>{"1:4660:hello:as 2"}));
  seen.clear();
  XPLMEnablePlugin(xplmsim::kOtherPlugin);
  xplmsim::addPlugin({0, "Mute", "", "mute", "", true, false, false});
  XPLMSendMessageToPlugin(XPLM_NO_PLUGIN_ID, 7, nullptr);  // everyone with a receive function
  const std::vector<xplmsim::PluginMessage> all = xplmsim::messages();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[1].to, xplmsim::kHostPlugin);
  EXPECT_EQ(all[2].to, xplmsim::kOtherPlugin);
  EXPECT_EQ(all[2].param, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"1:7:-:as 2"}));
}

TEST_F(SimPlugins, AircraftSlots) {
  char file[256] = "stale", path[512] = "stale";
  XPLMGetNthAircraftModel(XPLM_USER_AIRCRAFT, file, path);
  EXPECT_STREQ(file, "Cessna_172SP.acf");
  EXPECT_STREQ(path, "/X-Plane 11/Aircraft/Laminar Research/Cessna 172SP/Cessna_172SP.acf");
  XPLMGetNthAircraftModel(5, file, path);  // empty slot
  EXPECT_STREQ(file, "");
  EXPECT_STREQ(path, "");
  std::strcpy(file, "stale");
  XPLMGetNthAircraftModel(xplmsim::kAircraftSlots, file, path);  // no such slot
  EXPECT_STREQ(file, "stale");
  xplmsim::setAircraftModel(3, std::string(300, 'f'), std::string(600, 'p'));
  XPLMGetNthAircraftModel(3, file, path);
  EXPECT_EQ(std::string(file), std::string(255, 'f'));
  EXPECT_EQ(std::string(path), std::string(511, 'p'));
}

}  // namespace
