// The stand-in's hot keys and monitors behave as the SDK documents them.
#include <XPLMDisplay.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xplmsim/display.h"
#include "xplmsim/hot_keys.h"
#include "xplmsim/keys.h"
#include "xplmsim/sim.h"

namespace {

int fired = 0;
void countFire(void* refcon) { fired += refcon != nullptr ? *static_cast<int*>(refcon) : 1; }
void windowKey(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}
int sniffed = 0;
int sniffAfter(char, XPLMKeyFlags, char, void*) { return ++sniffed, 1; }

class SimHotKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    fired = 0;
    sniffed = 0;
  }
};

TEST_F(SimHotKeys, AKeyDownWithTheSameModifiersFiresEveryMatchAndIsConsumed) {
  char text[600];
  std::string description(700, 'd');
  XPLMHotKeyID a = XPLMRegisterHotKey('P', xplm_ControlFlag, description.c_str(), countFire, nullptr);
  XPLMRegisterHotKey('P', xplm_ControlFlag | xplm_DownFlag, "b", countFire, nullptr);  // down/up bits ignored
  XPLMRegisterKeySniffer(sniffAfter, 0, nullptr);
  EXPECT_EQ(xplmsim::KeyTaker::HotKey, xplmsim::pressKey('p', xplm_ControlFlag | xplm_DownFlag, 'P').taker);
  EXPECT_EQ(2, fired);
  EXPECT_EQ(0, sniffed);  // consumed before the sniffers after the windows
  xplmsim::pressKey('p', xplm_ControlFlag | xplm_UpFlag, 'P');
  xplmsim::pressKey('p', xplm_ShiftFlag | xplm_ControlFlag | xplm_DownFlag, 'P');
  EXPECT_EQ(2, fired);
  EXPECT_EQ(2, sniffed);
  XPLMGetHotKeyInfo(a, nullptr, nullptr, text, nullptr);
  EXPECT_EQ(511u, std::string(text).size());  // cut to the 512 bytes the SDK asks for
}

TEST_F(SimHotKeys, AWindowWithFocusTakesTheKeyFirst) {
  XPLMRegisterHotKey('Q', 0, "q", countFire, nullptr);
  XPLMWindowID window = XPLMCreateWindow(0, 10, 10, 0, 1, nullptr, windowKey, nullptr, nullptr);
  XPLMTakeKeyboardFocus(window);
  EXPECT_EQ(xplmsim::KeyTaker::Window, xplmsim::pressKey('q', xplm_DownFlag, 'Q').taker);
  XPLMTakeKeyboardFocus(nullptr);
  EXPECT_EQ(xplmsim::KeyTaker::HotKey, xplmsim::pressKey('q', xplm_DownFlag, 'Q').taker);
  EXPECT_EQ(1, fired);
}

TEST_F(SimHotKeys, OnlyTheOwnerUnregistersAndStaleOrMadeUpIdsChangeNothing) {
  XPLMHotKeyID mine = XPLMRegisterHotKey('A', 0, "mine", countFire, nullptr);
  {
    const xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    XPLMUnregisterHotKey(mine);
    XPLMSetHotKeyCombination(mine, 'B', xplm_ShiftFlag);  // any plugin may rebind
  }
  ASSERT_EQ(1, XPLMCountHotKeys());
  EXPECT_EQ(mine, XPLMGetNthHotKey(0));
  EXPECT_EQ(nullptr, XPLMGetNthHotKey(1));
  EXPECT_EQ(nullptr, XPLMGetNthHotKey(-1));
  char key = 0;
  XPLMKeyFlags flags = 0;
  XPLMPluginID owner = 0;
  XPLMGetHotKeyInfo(mine, &key, &flags, nullptr, &owner);
  EXPECT_EQ('B', key);
  EXPECT_EQ(xplm_ShiftFlag, flags);
  EXPECT_EQ(xplmsim::kHostPlugin, owner);
  XPLMUnregisterHotKey(mine);
  EXPECT_EQ(0, XPLMCountHotKeys());
  key = 'z';
  XPLMGetHotKeyInfo(mine, &key, nullptr, nullptr, nullptr);
  XPLMGetHotKeyInfo(reinterpret_cast<XPLMHotKeyID>(0x99), &key, nullptr, nullptr, nullptr);
  EXPECT_EQ('z', key);
  EXPECT_EQ(1, xplmsim::releasedHandleUses()["XPLMGetHotKeyInfo"]);
}

std::vector<std::string> seen;
void collect(int index, int left, int top, int right, int bottom, void*) {
  seen.push_back(std::to_string(index) + ":" + std::to_string(left) + "," + std::to_string(top) + "," +
                 std::to_string(right) + "," + std::to_string(bottom));
}

TEST_F(SimHotKeys, MonitorsComeFromOneListWithTheGlobalListOnlyFullScreenOnes) {
  seen.clear();
  XPLMGetAllMonitorBoundsGlobal(collect, nullptr);
  EXPECT_EQ((std::vector<std::string>{"0:0,1080,1920,0"}), seen);
  xplmsim::setMonitors({{-1280, 1024, 0, 0, false}, {0, 1080, 1920, 0, true}});
  seen.clear();
  XPLMGetAllMonitorBoundsGlobal(collect, nullptr);
  EXPECT_EQ((std::vector<std::string>{"1:0,1080,1920,0"}), seen);
  seen.clear();
  XPLMGetAllMonitorBoundsOS(collect, nullptr);
  EXPECT_EQ((std::vector<std::string>{"0:-1280,1024,0,0", "1:0,1080,1920,0"}), seen);
  XPLMGetAllMonitorBoundsOS(nullptr, nullptr);
}

}  // namespace
