// The stand-in's features, plugin paths and reload requests.
#include <XPLMPlugin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

class SimFeatures : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

void collect(const char* feature, void* ref) { static_cast<std::vector<std::string>*>(ref)->push_back(feature); }

TEST_F(SimFeatures, TwoFeaturesAreOfferedAndEachPluginTurnsThemOnForItself) {
  std::vector<std::string> offered;
  XPLMEnumerateFeatures(collect, &offered);
  EXPECT_EQ((std::vector<std::string>{"XPLM_WANTS_REFLECTIONS", "XPLM_USE_NATIVE_PATHS"}), offered);
  EXPECT_EQ(1, XPLMHasFeature("XPLM_WANTS_REFLECTIONS"));
  EXPECT_EQ(0, XPLMHasFeature("XPLM_USE_NATIVE_WIDGET_WINDOWS"));
  EXPECT_EQ(0, XPLMHasFeature(nullptr));
  XPLMEnableFeature("XPLM_USE_NATIVE_PATHS", 1);
  XPLMEnableFeature("XPLM_MADE_UP", 1);
  EXPECT_EQ(1, XPLMIsFeatureEnabled("XPLM_USE_NATIVE_PATHS"));
  EXPECT_EQ(0, XPLMIsFeatureEnabled("XPLM_WANTS_REFLECTIONS"));
  EXPECT_EQ(0, XPLMIsFeatureEnabled("XPLM_MADE_UP"));
  const xplmsim::CallerScope other(xplmsim::kOtherPlugin);
  EXPECT_EQ(0, XPLMIsFeatureEnabled("XPLM_USE_NATIVE_PATHS"));
  XPLMEnumerateFeatures(nullptr, nullptr);
}

TEST_F(SimFeatures, PluginsAreFoundByTheirExactPathAndAReloadWaitsForTheFramesEnd) {
  const std::string path = xplmsim::plugin(xplmsim::kHostPlugin)->path;
  EXPECT_EQ(xplmsim::kHostPlugin, XPLMFindPluginByPath(path.c_str()));
  EXPECT_EQ(XPLM_NO_PLUGIN_ID, XPLMFindPluginByPath(path.substr(1).c_str()));
  EXPECT_EQ(XPLM_NO_PLUGIN_ID, XPLMFindPluginByPath(nullptr));
  XPLMReloadPlugins();
  XPLMReloadPlugins();
  EXPECT_TRUE(xplmsim::reloadRequested());
  xplmsim::runFrames(1, 0.05f);
  EXPECT_FALSE(xplmsim::reloadRequested());
  EXPECT_EQ(1, xplmsim::requestedReloads());
}

}  // namespace
