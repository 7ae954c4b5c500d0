// The stand-in loads .xpl plugins from an X-Plane folder as X-Plane does, and
// calls them, entry points and callbacks alike, as themselves.
#include <XPLMDataAccess.h>
#include <XPLMDisplay.h>
#include <XPLMPlugin.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "xplmsim/display.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/keys.h"
#include "xplmsim/loader.h"
#include "xplmsim/menus.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRefuseEnable = 0x7E5701;  // test_plugin.cpp's messages
constexpr int kLeak = 0x7E5702;
const std::string kEverything =
    "1 flight loop, 1 draw callback, 1 key sniffer, 1 window, 1 menu, 2 menu items, 1 command handler, "
    "1 published dataref, 2 object loads, 1 instance, 1 probe";

class Loader : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    fs::remove_all(root_);
  }
  void TearDown() override {
    xplmsim::reset();
    fs::remove_all(root_);
  }

  // Copies a built test plugin to <root>/Resources/plugins/<name>/lin_x64/<name>.xpl.
  std::string install(const std::string& name) {
    const fs::path folder = root_ / "Resources" / "plugins" / name / "lin_x64";
    fs::create_directories(folder);
    fs::copy_file(fs::path(XPLMSIM_TEST_PLUGINS) / (name + ".xpl"), folder / (name + ".xpl"));
    return (folder / (name + ".xpl")).string();
  }

  // Lines of the simulator's log written since `from` (a length of the log).
  static std::vector<std::string> logLines(size_t from = 0) {
    std::vector<std::string> lines;
    std::istringstream text(xplmsim::debugLog().substr(from));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

  // The entry-point calls in the log since `from`.
  static std::vector<std::string> entryPointCalls(size_t from = 0) {
    std::vector<std::string> calls;
    for (const std::string& line : logLines(from)) {
      for (const char* entry : {": start", ": enable", ": disable", ": stop"}) {
        if (line.find(entry) != std::string::npos) calls.push_back(line);
      }
    }
    return calls;
  }

  static void expectLogged(const std::vector<std::string>& expected) {
    const std::vector<std::string> lines = logLines();
    for (const std::string& line : expected) {
      EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << "not in the log: " << line;
    }
  }

  static bool inMemory(const std::string& path) {
    void* library = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (library != nullptr) dlclose(library);
    return library != nullptr;
  }

  const fs::path root_ = fs::temp_directory_path() / ("xplmsim-loader-test-" + std::to_string(getpid()));
};

TEST_F(Loader, StartsEveryPluginThenEnablesEveryStartedOneAndRefusesTheIncomplete) {
  const std::string alpha = install("alpha");
  install("bravo");
  const std::string incomplete = install("incomplete");
  const std::string refuser = install("refuser");

  EXPECT_EQ(xplmsim::loadPluginsFrom(root_.string()), (std::vector<int>{3, 4}));
  EXPECT_EQ(entryPointCalls(), (std::vector<std::string>{"alpha: start #1 as 3", "bravo: start #1 as 4",
                                                         "refuser: start #1 as 5", "alpha: enable as 3",
                                                         "bravo: enable as 4"}));
  expectLogged({"Couldn't load plugin " + incomplete + ": it has no XPluginDisable."});
  EXPECT_FALSE(inMemory(refuser));
  EXPECT_FALSE(inMemory(incomplete));
  EXPECT_TRUE(inMemory(alpha));

  EXPECT_EQ(XPLMCountPlugins(), 4);
  EXPECT_EQ(XPLMFindPluginBySignature("xplmsim.test.refuser"), XPLM_NO_PLUGIN_ID);
  EXPECT_EQ(XPLMFindPluginBySignature("xplmsim.test.bravo"), 4);
  char name[256], path[256], signature[256], description[256];
  XPLMGetPluginInfo(3, name, path, signature, description);
  EXPECT_STREQ(name, "alpha");
  EXPECT_EQ(path, alpha);
  EXPECT_STREQ(signature, "xplmsim.test.alpha");
  EXPECT_STREQ(description, "Records what the simulator calls.");
  EXPECT_EQ(XPLMIsPluginEnabled(3), 1);
}

TEST_F(Loader, CallsEveryCallbackAsThePluginThatRegisteredIt) {
  install("alpha");
  install("bravo");
  ASSERT_EQ(xplmsim::loadPluginsFrom(root_.string()), (std::vector<int>{3, 4}));
  xplmsim::runFrames(1, 0.05f);
  for (const xplmsim::WindowInfo& window : xplmsim::windows()) {
    if (window.owner == 3) XPLMTakeKeyboardFocus(window.id);
  }
  xplmsim::pressKey('k', 0, 'K');
  xplmsim::click(200, 200);  // bravo's window is in front of alpha's
  xplmsim::moveMouse(200, 200);
  xplmsim::turnWheel(200, 200, 0, 1);
  EXPECT_TRUE(xplmsim::pickMenuPath({"alpha", "Ping"}));
  xplmsim::commandOnce("xplmsim/test/bravo/ping");
  EXPECT_EQ(XPLMGetDatai(XPLMFindDataRef("xplmsim/test/bravo/id")), 4);

  expectLogged({"alpha: flight loop as 3", "bravo: flight loop as 4", "alpha: draw as 3", "bravo: draw as 4",
                "alpha: window draw as 3", "bravo: window draw as 4", "alpha: camera lost as 3", "bravo: camera as 4",
                "alpha: object loaded as 3", "bravo: object loaded as 4", "alpha: key sniffer as 3",
                "bravo: key sniffer as 4", "alpha: window key as 3", "bravo: window click as 4",
                "bravo: window cursor as 4", "bravo: window wheel as 4", "alpha: menu as 3", "bravo: command as 4",
                "bravo: dataref read as 4"});
  const size_t before = xplmsim::debugLog().size();
  xplmsim::stopPlugins();
  EXPECT_EQ(entryPointCalls(before), (std::vector<std::string>{"bravo: disable as 4", "alpha: disable as 3",
                                                               "bravo: stop as 4", "alpha: stop as 3"}));
  EXPECT_EQ(XPLMCountPlugins(), 2);
  EXPECT_EQ(XPLMGetMyID(), xplmsim::kHostPlugin);
}

TEST_F(Loader, MessagesAndEnablingReachTheEntryPoints) {
  const int alpha = xplmsim::loadPlugin(install("alpha"));
  const int bravo = xplmsim::loadPlugin(install("bravo"));
  xplmsim::sendSimulatorMessage(XPLM_MSG_PLANE_LOADED, nullptr);
  expectLogged({"alpha: message 102 from 0 as 3", "bravo: message 102 from 0 as 4"});

  XPLMDisablePlugin(bravo);
  EXPECT_EQ(XPLMIsPluginEnabled(bravo), 0);
  const size_t before = xplmsim::debugLog().size();
  XPLMSendMessageToPlugin(XPLM_NO_PLUGIN_ID, 0x1234, nullptr);
  XPLMSendMessageToPlugin(bravo, 0x1235, nullptr);
  EXPECT_EQ(logLines(before), (std::vector<std::string>{"alpha: message 4660 from 1 as 3"}));

  EXPECT_EQ(XPLMEnablePlugin(bravo), 1);
  XPLMSendMessageToPlugin(bravo, kRefuseEnable, nullptr);
  XPLMDisablePlugin(bravo);
  EXPECT_EQ(XPLMEnablePlugin(bravo), 0);
  EXPECT_EQ(XPLMIsPluginEnabled(bravo), 0);
  EXPECT_EQ(entryPointCalls(before), (std::vector<std::string>{"bravo: enable as 4", "bravo: disable as 4",
                                                               "bravo: enable refused as 4"}));
  EXPECT_EQ(XPLMIsPluginEnabled(alpha), 1);
}

TEST_F(Loader, ReloadingStopsThePluginAndStartsItFreshFromDiskUnderANewId) {
  install("alpha");
  install("bravo");
  ASSERT_EQ(xplmsim::loadPluginsFrom(root_.string()), (std::vector<int>{3, 4}));
  xplmsim::runFrames(1, 0.05f);  // asynchronous loads cannot be cancelled: they complete first
  size_t before = xplmsim::debugLog().size();
  EXPECT_EQ(xplmsim::reloadPlugin(3), 5);
  EXPECT_EQ(entryPointCalls(before), (std::vector<std::string>{"alpha: disable as 3", "alpha: stop as 3",
                                                               "alpha: start #1 as 5", "alpha: enable as 5"}));
  EXPECT_EQ(XPLMFindPluginBySignature("xplmsim.test.alpha"), 5);
  EXPECT_EQ(xplmsim::plugin(3), nullptr);
  EXPECT_EQ(xplmsim::reloadPlugin(3), -1);
  EXPECT_EQ(xplmsim::registrationsOf(3).summary(), "");
  EXPECT_EQ(xplmsim::registrationsOf(5).summary(),  // it took the camera from bravo; no frame has run
            "1 flight loop, 1 draw callback, 1 key sniffer, 1 window, 1 menu, 2 menu items, 1 command handler, "
            "1 published dataref, 1 camera control, 1 pending load, 1 object load, 1 instance, 1 probe");

  before = xplmsim::debugLog().size();
  EXPECT_EQ(xplmsim::reloadPlugins(), (std::vector<int>{6, 7}));
  EXPECT_EQ(entryPointCalls(before),
            (std::vector<std::string>{"alpha: disable as 5", "bravo: disable as 4", "alpha: stop as 5",
                                      "bravo: stop as 4", "alpha: start #1 as 6", "bravo: start #1 as 7",
                                      "alpha: enable as 6", "bravo: enable as 7"}));
  EXPECT_EQ(xplmsim::loadedPlugins(), (std::vector<int>{6, 7}));
}

TEST_F(Loader, AStoppedPluginHoldsNothingUnlessItLeftSomethingBehind) {
  install("alpha");
  install("bravo");
  ASSERT_EQ(xplmsim::loadPluginsFrom(root_.string()), (std::vector<int>{3, 4}));
  xplmsim::runFrames(1, 0.05f);
  EXPECT_EQ(xplmsim::registrationsOf(3).summary(), kEverything);
  EXPECT_EQ(xplmsim::registrationsOf(4).summary(),
            "1 flight loop, 1 draw callback, 1 key sniffer, 1 window, 1 menu, 2 menu items, 1 command handler, "
            "1 published dataref, 1 camera control, 2 object loads, 1 instance, 1 probe");

  XPLMSendMessageToPlugin(3, kLeak, nullptr);
  xplmsim::stopPlugins();
  EXPECT_EQ(xplmsim::registrationsOf(4).summary(), "");
  EXPECT_EQ(xplmsim::registrationsOf(3).summary(), kEverything);
  EXPECT_EQ(xplmsim::registrationsOf(3).total(), 13);
}

}  // namespace
