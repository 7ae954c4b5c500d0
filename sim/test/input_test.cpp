// The stand-in's menus, keyboard path, screen queries and camera, as the
// simulator behaves.
#include <XPLMCamera.h>
#include <XPLMDisplay.h>
#include <XPLMMenus.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "xplmsim/display.h"
#include "xplmsim/keys.h"
#include "xplmsim/menus.h"
#include "xplmsim/sim.h"

namespace sim = xplmsim;

namespace {

std::vector<std::string> heard;

void handler(void* menuRef, void* itemRef) {
  heard.push_back(std::string(static_cast<const char*>(menuRef)) + "/" + static_cast<const char*>(itemRef));
}

int sniffer(char key, XPLMKeyFlags, char, void* refcon) {
  heard.push_back(std::string(static_cast<const char*>(refcon)) + " " + key);
  return std::string(static_cast<const char*>(refcon)).find("eat") == std::string::npos ? 1 : 0;
}

int cameraAnswer = 1;
int cameraControl(XPLMCameraPosition_t* out, int losing, void* refcon) {
  heard.push_back(std::string(static_cast<const char*>(refcon)) + (losing ? " losing" : " frame") +
                  (out == nullptr ? " null" : ""));
  if (out != nullptr) *out = XPLMCameraPosition_t{1, 2, 3, 4, 5, 6, 7};
  return cameraAnswer;
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::reset();
    heard.clear();
    cameraAnswer = 1;
  }
  static char* text(const char* s) { return const_cast<char*>(s); }
};

TEST_F(InputTest, MenusHangOnItemsAndEachPluginSeesItsOwnItems) {
  XPLMMenuID plugins = XPLMFindPluginsMenu();
  EXPECT_EQ(nullptr, XPLMCreateMenu("Nowhere", plugins, 0, handler, text("m")));  // no item 0 yet
  EXPECT_EQ(0, XPLMAppendMenuItem(plugins, "Mine", nullptr, 0));
  {
    sim::CallerScope other(sim::kOtherPlugin);
    EXPECT_EQ(0, XPLMAppendMenuItem(plugins, "Theirs", nullptr, 0));
    EXPECT_EQ(1, XPLMAppendMenuItem(plugins, "Theirs too", nullptr, 0));
  }
  EXPECT_EQ(1, XPLMAppendMenuItem(plugins, "Mine too", text("x"), 0));
  XPLMMenuID menu = XPLMCreateMenu("Mine", plugins, 0, handler, text("m"));
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(menu, sim::menu(plugins).items[0].submenu);
  EXPECT_EQ(nullptr, XPLMCreateMenu("", plugins, 0, handler, nullptr));
  EXPECT_EQ(0, XPLMAppendMenuItem(menu, "a", text("a"), 0));
  XPLMAppendMenuSeparator(menu);
  EXPECT_EQ(2, XPLMAppendMenuItem(menu, "b", text("b"), 1));
  EXPECT_EQ(-1, XPLMAppendMenuItem(nullptr, "c", nullptr, 0));
  {
    sim::CallerScope other(sim::kOtherPlugin);
    EXPECT_EQ(-1, XPLMAppendMenuItem(menu, "intruder", nullptr, 0));  // not its menu
  }
  EXPECT_TRUE(sim::pickMenuPath({"Mine", "b"}));
  EXPECT_FALSE(sim::pickMenuItem(menu, 1));  // the separator
  EXPECT_TRUE(sim::pickMenuItem(menu, 0));
  EXPECT_EQ((std::vector<std::string>{"m/b", "m/a"}), heard);

  XPLMRemoveMenuItem(menu, 0);
  EXPECT_TRUE(sim::pickMenuItem(menu, 1));  // b moved up
  EXPECT_EQ("m/b", heard.back());
  XPLMClearAllMenuItems(plugins);
  EXPECT_EQ(2u, sim::menu(plugins).items.size());  // the other plugin's stay
  XPLMDestroyMenu(plugins);                        // the simulator's: stays
  EXPECT_NE(nullptr, sim::menu(plugins).id);
}

TEST_F(InputTest, EveryUseOfADestroyedMenuIsIgnoredAndCounted) {
  XPLMMenuID plugins = XPLMFindPluginsMenu();
  XPLMAppendMenuItem(plugins, "Carrier", nullptr, 0);
  XPLMMenuID menu = XPLMCreateMenu("Carrier", plugins, 0, handler, text("m"));
  XPLMAppendMenuItem(menu, "a", text("a"), 0);
  XPLMDestroyMenu(menu);
  XPLMDestroyMenu(plugins);  // the simulator's own menu is never released
  EXPECT_TRUE(sim::releasedHandleUses().empty());

  XPLMMenuCheck check = 77;
  EXPECT_EQ(nullptr, XPLMCreateMenu("Child", menu, 0, handler, nullptr));
  EXPECT_EQ(-1, XPLMAppendMenuItem(menu, "b", nullptr, 0));
  XPLMAppendMenuSeparator(menu);
  XPLMCheckMenuItem(menu, 0, xplm_Menu_Checked);
  XPLMCheckMenuItemState(menu, 0, &check);
  XPLMRemoveMenuItem(menu, 0);
  XPLMClearAllMenuItems(menu);
  XPLMDestroyMenu(menu);
  EXPECT_EQ(77, check);
  EXPECT_EQ(nullptr, sim::menu(menu).id);
  std::map<std::string, int> expected;
  for (const char* f : {"XPLMCreateMenu", "XPLMAppendMenuItem", "XPLMAppendMenuSeparator", "XPLMCheckMenuItem",
                        "XPLMCheckMenuItemState", "XPLMRemoveMenuItem", "XPLMClearAllMenuItems", "XPLMDestroyMenu"}) {
    expected[f] = 1;
  }
  EXPECT_EQ(expected, sim::releasedHandleUses());

  // After a reset the old handle was never handed out: not counted.
  sim::reset();
  EXPECT_TRUE(sim::releasedHandleUses().empty());
  XPLMAppendMenuItem(menu, "c", nullptr, 0);
  EXPECT_TRUE(sim::releasedHandleUses().empty());
}

TEST_F(InputTest, CheckMarksAndUnknownItemsLeaveTheAnswerAlone) {
  XPLMMenuID plugins = XPLMFindPluginsMenu();
  XPLMAppendMenuItem(plugins, "Item", nullptr, 0);
  XPLMMenuCheck check = 77;
  XPLMCheckMenuItemState(plugins, 0, &check);
  EXPECT_EQ(xplm_Menu_NoCheck, check);
  XPLMCheckMenuItem(plugins, 0, xplm_Menu_Checked);
  XPLMCheckMenuItemState(plugins, 0, &check);
  EXPECT_EQ(xplm_Menu_Checked, check);
  check = 77;
  XPLMCheckMenuItemState(plugins, 5, &check);
  XPLMCheckMenuItemState(nullptr, 0, &check);
  EXPECT_EQ(77, check);
}

TEST_F(InputTest, SniffersRunInOrderAroundTheWindowsUntilOneEatsTheKey) {
  XPLMRegisterKeySniffer(sniffer, 1, text("first"));
  XPLMRegisterKeySniffer(sniffer, 0, text("after"));
  XPLMRegisterKeySniffer(sniffer, 1, text("eat-before"));
  XPLMRegisterKeySniffer(sniffer, 1, text("never"));
  EXPECT_EQ(sim::KeyTaker::SnifferBeforeWindows, sim::pressKey('a', 0, 'a').taker);
  EXPECT_EQ((std::vector<std::string>{"first a", "eat-before a"}), heard);
  EXPECT_EQ(0, XPLMUnregisterKeySniffer(sniffer, 0, text("eat-before")));
  EXPECT_EQ(1, XPLMUnregisterKeySniffer(sniffer, 1, text("eat-before")));
  heard.clear();
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('b', 0, 'b').taker);
  EXPECT_EQ((std::vector<std::string>{"first b", "never b", "after b"}), heard);
  EXPECT_EQ(1, sim::keysReachingSimulator());
  EXPECT_EQ(0, XPLMRegisterKeySniffer(nullptr, 1, nullptr));
  sim::refuseKeySniffers(true);
  EXPECT_EQ(0, XPLMRegisterKeySniffer(sniffer, 1, nullptr));
}

TEST_F(InputTest, ScreenQueriesAllowNullsAndLegacyMouseIsRelativeToTheMainWindow) {
  int w = 0, h = 0;
  XPLMGetScreenSize(&w, &h);
  EXPECT_EQ(1920, w);
  XPLMGetScreenSize(nullptr, nullptr);
  sim::setMainWindowOrigin(-100, 20);
  sim::moveMouse(300, 200);
  int x = 0, y = 0;
  XPLMGetMouseLocation(&x, &y);
  EXPECT_EQ(400, x);
  EXPECT_EQ(180, y);
  XPLMGetMouseLocationGlobal(&x, nullptr);
  EXPECT_EQ(300, x);
  int l = 0, t = 0;
  XPLMGetScreenBoundsGlobal(&l, &t, nullptr, nullptr);
  EXPECT_EQ(1080, t);
}

TEST_F(InputTest, CameraControlEndsWithALosingCallExceptWhenReleased) {
  XPLMControlCamera(xplm_ControlCameraUntilViewChanges, cameraControl, text("a"));
  XPLMCameraControlDuration duration = 0;
  EXPECT_EQ(1, XPLMIsCameraBeingControlled(&duration));
  EXPECT_EQ(xplm_ControlCameraUntilViewChanges, duration);
  sim::drawFrame();
  EXPECT_EQ(7, sim::cameraPosition().zoom);
  XPLMControlCamera(xplm_ControlCameraForever, cameraControl, text("b"));  // takes over
  sim::userChangesView();  // b holds it forever
  sim::drawFrame();
  cameraAnswer = 0;
  sim::drawFrame();  // b gives up
  EXPECT_EQ(0, XPLMIsCameraBeingControlled(nullptr));
  XPLMControlCamera(xplm_ControlCameraForever, cameraControl, text("c"));
  XPLMDontControlCamera();
  sim::drawFrame();
  EXPECT_EQ((std::vector<std::string>{"a frame", "a losing null", "b frame", "b frame", "b losing null"}), heard);
  XPLMCameraPosition_t read{};
  XPLMReadCameraPosition(&read);
  EXPECT_EQ(1, read.x);
}

}  // namespace
