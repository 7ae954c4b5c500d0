// The stand-in's command items, disabled and renamed items, and the aircraft menu.
#include <XPLMMenus.h>
#include <gtest/gtest.h>

#include "xplmsim/menus.h"
#include "xplmsim/sim.h"

namespace {

int handled = 0;
void handler(void*, void*) { ++handled; }
int ran = 0;
int countRuns(XPLMCommandRef, XPLMCommandPhase phase, void*) { return ran += phase == xplm_CommandBegin, 1; }

class SimMenuItems : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    handled = ran = 0;
  }
};

TEST_F(SimMenuItems, ACommandItemRunsItsCommandOnceAndADisabledItemDropsPicks) {
  XPLMMenuID menu = XPLMCreateMenu("Mine", XPLMFindPluginsMenu(), 0, handler, nullptr);
  XPLMAppendMenuItem(XPLMFindPluginsMenu(), "carrier", nullptr, 0);
  menu = XPLMCreateMenu("Mine", XPLMFindPluginsMenu(), 0, handler, nullptr);
  XPLMCommandRef pause = XPLMFindCommand("sim/operation/pause_toggle");
  XPLMRegisterCommandHandler(pause, countRuns, 1, nullptr);
  EXPECT_EQ(0, XPLMAppendMenuItemWithCommand(menu, "Pause", pause));
  EXPECT_EQ(1, XPLMAppendMenuItem(menu, "Plain", nullptr, 0));
  EXPECT_TRUE(xplmsim::pickMenuItem(menu, 0));
  EXPECT_EQ(1, ran);
  EXPECT_EQ(0, handled);  // the command, not the handler
  XPLMEnableMenuItem(menu, 0, 0);
  XPLMEnableMenuItem(menu, 1, 0);
  EXPECT_FALSE(xplmsim::pickMenuItem(menu, 0));
  EXPECT_FALSE(xplmsim::pickMenuItem(menu, 1));
  XPLMEnableMenuItem(menu, 1, 1);
  EXPECT_TRUE(xplmsim::pickMenuItem(menu, 1));
  EXPECT_EQ(1, ran);
  EXPECT_EQ(1, handled);
  XPLMSetMenuItemName(menu, 1, "Renamed", 0);
  XPLMSetMenuItemName(menu, 7, "Nowhere", 0);
  EXPECT_EQ("Renamed", xplmsim::menu(menu).items[1].name);
  EXPECT_LT(XPLMAppendMenuItemWithCommand(reinterpret_cast<XPLMMenuID>(0x1234), "Bad", pause), 0);
  EXPECT_LT(XPLMAppendMenuItemWithCommand(menu, "No command", nullptr), 0);
}

TEST_F(SimMenuItems, OnlyPluginsLoadedWithTheAircraftGetItsMenu) {
  EXPECT_EQ(nullptr, XPLMFindAircraftMenu());
  xplmsim::setLoadedWithAircraft(xplmsim::kOtherPlugin, true);
  XPLMMenuID aircraft = nullptr;
  {
    const xplmsim::CallerScope asAircraftPlugin(xplmsim::kOtherPlugin);
    aircraft = XPLMFindAircraftMenu();
    ASSERT_NE(nullptr, aircraft);
    EXPECT_EQ(aircraft, XPLMFindAircraftMenu());
    EXPECT_EQ(0, XPLMAppendMenuItem(aircraft, "Doors", nullptr, 0));
  }
  EXPECT_LT(XPLMAppendMenuItem(aircraft, "Not mine", nullptr, 0), 0);
  EXPECT_EQ(1u, xplmsim::menu(aircraft).items.size());
}

}  // namespace
