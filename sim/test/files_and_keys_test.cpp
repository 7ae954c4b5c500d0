// The stand-in's utilities: folders listed page by page, paths cut in place,
// versions, speech, key strokes and buttons, data files, scenery reloads and
// error callbacks.
#include <XPLMPlugin.h>
#include <XPLMUtilities.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "xplmsim/datarefs.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

namespace {

class SimUtilities : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    char pattern[] = "/tmp/xplmsim-utilities-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    ASSERT_TRUE(xplmsim::setSystemPath(root));
  }
  void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
  void touch(const std::string& name) { std::ofstream(root + "/" + name) << "x"; }
  std::string root;
};

TEST_F(SimUtilities, AFolderIsListedSortedInPagesThatNeverOverrun) {
  for (const char* name : {"charlie", "alpha", "bravo"}) touch(name);
  char names[16];
  std::memset(names, '#', sizeof names);
  char* indices[3];
  int total = -1, returned = -1;
  // 13 bytes: "alpha" and "bravo" (12) leave no room for "charlie" and the closing empty name.
  EXPECT_EQ(XPLMGetDirectoryContents(root.c_str(), 0, names, 13, indices, 3, &total, &returned), 0);
  EXPECT_EQ(total, 3);
  EXPECT_EQ(returned, 2);
  EXPECT_STREQ(indices[0], "alpha");
  EXPECT_STREQ(indices[1], "bravo");
  EXPECT_EQ(indices[2], nullptr);
  EXPECT_EQ(names[12], '\0');
  EXPECT_EQ(names[13], '#') << "written past the buffer";
  EXPECT_EQ(XPLMGetDirectoryContents(root.c_str(), 2, names, 13, indices, 3, &total, &returned), 1);
  EXPECT_EQ(returned, 1);
  EXPECT_STREQ(names, "charlie");
  // Two index slots hold one name and the closing null.
  EXPECT_EQ(XPLMGetDirectoryContents(root.c_str(), 0, names, 16, indices, 2, nullptr, &returned), 0);
  EXPECT_EQ(returned, 1);
  EXPECT_EQ(XPLMGetDirectoryContents((root + "/missing").c_str(), 0, names, 16, nullptr, 0, &total, &returned), 0);
  EXPECT_EQ(total, 0);
  EXPECT_EQ(XPLMGetDirectoryContents(root.c_str(), 0, nullptr, 0, nullptr, 0, &total, nullptr), 0);
  EXPECT_EQ(total, 3);
}

TEST_F(SimUtilities, ExtractCutsAtTheLastSeparatorInPlace) {
  char path[] = "/a/b/file.txt";
  EXPECT_STREQ(XPLMExtractFileAndPath(path), "file.txt");
  EXPECT_STREQ(path, "/a/b");
  char trailing[] = "/a/b/";
  EXPECT_STREQ(XPLMExtractFileAndPath(trailing), "");
  EXPECT_STREQ(trailing, "/a/b");
  char bare[] = "file";
  EXPECT_STREQ(XPLMExtractFileAndPath(bare), "");
  EXPECT_STREQ(bare, "file");
  EXPECT_EQ(XPLMExtractFileAndPath(nullptr), nullptr);
}

TEST_F(SimUtilities, PathsVersionsAndLanguage) {
  char path[512];
  XPLMGetSystemPath(path);
  EXPECT_EQ(path, root + "/");
  XPLMGetPrefsPath(path);
  EXPECT_EQ(path, root + "/Output/preferences/X-Plane.prf");
  EXPECT_STREQ(XPLMGetDirectorySeparator(), "/");
  int xplane = 0, xplm = 0;
  XPLMHostApplicationID host = 0;
  XPLMGetVersions(&xplane, &xplm, &host);
  EXPECT_EQ(xplane, 12100);
  EXPECT_EQ(xplm, 300);
  EXPECT_EQ(host, xplm_Host_XPlane);
  XPLMGetVersions(nullptr, nullptr, nullptr);
  EXPECT_EQ(XPLMInitialized(), 1);
  EXPECT_EQ(XPLMGetLanguage(), xplm_Language_English);
  xplmsim::setLanguage(xplm_Language_German);
  EXPECT_EQ(XPLMGetLanguage(), xplm_Language_German);
}

TEST_F(SimUtilities, KeyStrokesAndButtonsRunTheirCommands) {
  XPLMCommandKeyStroke(xplm_key_pause);
  EXPECT_EQ(xplmsim::scalarValue("sim/time/paused"), 1.0);
  XPLMCommandKeyStroke(xplm_key_max);  // a count, not a key
  EXPECT_EQ(xplmsim::keyStrokes(), (std::vector<int>{xplm_key_pause}));
  const std::vector<float> start = xplmsim::floatArrayValue("sim/cockpit2/engine/actuators/throttle_ratio");
  XPLMCommandButtonPress(xplm_joy_throt_up);
  XPLMCommandButtonPress(xplm_joy_throt_up);  // held already
  EXPECT_EQ(xplmsim::buttonsHeld(), (std::vector<int>{xplm_joy_throt_up}));
  XPLMCommandButtonRelease(xplm_joy_throt_up);
  XPLMCommandButtonRelease(xplm_joy_throt_up);  // released already
  EXPECT_TRUE(xplmsim::buttonsHeld().empty());
  EXPECT_GT(xplmsim::floatArrayValue("sim/cockpit2/engine/actuators/throttle_ratio")[0], start[0]);
  XPLMSimulateKeyPress(1, 'q');
  ASSERT_EQ(xplmsim::simulatedKeys().size(), 1u);
  EXPECT_EQ(xplmsim::simulatedKeys()[0].key, 'q');
  EXPECT_STREQ(XPLMGetVirtualKeyDescription(0x41), "A");
  EXPECT_STREQ(XPLMGetVirtualKeyDescription(static_cast<char>(0xB0)), "EQUAL");
  EXPECT_STREQ(XPLMGetVirtualKeyDescription(static_cast<char>(0xFE)), "");
}

TEST_F(SimUtilities, SpeechDataFilesAndSceneryReloads) {
  XPLMSpeakString("Recording started");
  XPLMSpeakString(nullptr);
  EXPECT_EQ(xplmsim::spokenStrings(), (std::vector<std::string>{"Recording started"}));
  EXPECT_EQ(XPLMSaveDataFile(xplm_DataFile_Situation, "start.sit"), 1);
  EXPECT_EQ(XPLMLoadDataFile(xplm_DataFile_Situation, "start.sit"), 1);
  EXPECT_EQ(XPLMLoadDataFile(xplm_DataFile_Situation, "missing.sit"), 0);
  EXPECT_EQ(XPLMLoadDataFile(xplm_DataFile_ReplayMovie, nullptr), 1);
  EXPECT_EQ(XPLMLoadDataFile(xplm_DataFile_Situation, nullptr), 0);
  EXPECT_EQ(XPLMSaveDataFile(0, "x.sit"), 0);
  ASSERT_EQ(xplmsim::dataFileCalls().size(), 3u);
  EXPECT_TRUE(xplmsim::dataFileCalls()[0].save);
  EXPECT_EQ(xplmsim::dataFileCalls()[2].path, "");
  XPLMReloadScenery();
  EXPECT_EQ(xplmsim::sceneryReloads(), 1);
  const std::vector<xplmsim::PluginMessage> sent = xplmsim::messages();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back().message, XPLM_MSG_SCENERY_LOADED);
}

TEST_F(SimUtilities, FindSymbolKnowsOnlyTheStandInsXplmFunctions) {
  EXPECT_EQ(XPLMFindSymbol("XPLMSpeakString"), reinterpret_cast<void*>(&XPLMSpeakString));
  EXPECT_EQ(XPLMFindSymbol("XPLMNoSuchFunction"), nullptr);
  EXPECT_EQ(XPLMFindSymbol("malloc"), nullptr);
  EXPECT_EQ(XPLMFindSymbol(nullptr), nullptr);
}

std::vector<std::pair<int, std::string>> reported;
void recordError(const char* message) { reported.emplace_back(xplmsim::currentPlugin(), message); }

TEST_F(SimUtilities, MisuseIsReportedToTheCallingPluginsErrorCallbackOnly) {
  reported.clear();
  {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    XPLMSetErrorCallback(recordError);
  }
  XPLMLoadDataFile(9, "x");  // the host plugin has no callback
  EXPECT_TRUE(reported.empty());
  {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    XPLMLoadDataFile(9, "x");
    EXPECT_TRUE(xplmsim::hasErrorCallback(xplmsim::kOtherPlugin));
    XPLMSetErrorCallback(nullptr);
    XPLMLoadDataFile(9, "x");
  }
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0].first, xplmsim::kOtherPlugin);
  EXPECT_EQ(reported[0].second, "XPLMLoadDataFile: no such file type");
}

}  // namespace
