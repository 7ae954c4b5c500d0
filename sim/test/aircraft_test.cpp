// The stand-in's aircraft: exclusive access and its waiting callbacks,
// actions that need access, placing the user, and what XPLMDrawAircraft reads.
#include <XPLMPlanes.h>
#include <XPLMPlugin.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "xplmsim/datarefs.h"
#include "xplmsim/planes.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

std::vector<int> woken;
void wake(void* refcon) { woken.push_back(static_cast<int>(reinterpret_cast<intptr_t>(refcon))); }
void* tag(int value) { return reinterpret_cast<void*>(static_cast<intptr_t>(value)); }

class SimPlanes : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    woken.clear();
  }
  static std::vector<xplmsim::PluginMessage> messagesOf(int message) {
    std::vector<xplmsim::PluginMessage> found;
    for (const auto& m : xplmsim::messages()) {
      if (m.message == message && m.to == xplmsim::kHostPlugin) found.push_back(m);
    }
    return found;
  }
};

TEST_F(SimPlanes, AccessIsExclusiveAndWaitingCallbacksRunOnceInOrderOnRelease) {
  int total = 0, active = 0, controller = 0;
  XPLMCountAircraft(&total, &active, &controller);
  EXPECT_EQ(20, total);
  EXPECT_EQ(2, active);
  EXPECT_EQ(XPLM_NO_PLUGIN_ID, controller);
  XPLMCountAircraft(nullptr, nullptr, nullptr);  // skipped

  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    char a[] = "/Aircraft/A/a.acf", empty[] = "", c[] = "/Aircraft/C/c.acf";
    char* list[] = {a, empty, c, nullptr};
    EXPECT_EQ(1, XPLMAcquirePlanes(list, nullptr, nullptr));
    EXPECT_EQ(1, XPLMAcquirePlanes(nullptr, nullptr, nullptr));  // held already
  }
  EXPECT_EQ(xplmsim::kOtherPlugin, xplmsim::planesController());
  EXPECT_EQ(4, xplmsim::activeAircraftCount());
  char file[256], path[512];
  XPLMGetNthAircraftModel(3, file, path);
  EXPECT_STREQ("c.acf", file);
  XPLMGetNthAircraftModel(2, file, path);
  EXPECT_STREQ("", file);  // "" skipped its slot

  EXPECT_EQ(0, XPLMAcquirePlanes(nullptr, wake, tag(1)));
  EXPECT_EQ(0, XPLMAcquirePlanes(nullptr, wake, tag(2)));
  EXPECT_EQ(0, XPLMAcquirePlanes(nullptr, nullptr, nullptr));
  XPLMReleasePlanes();  // not the holder: ignored
  XPLMSetActiveAircraftCount(10);  // without access: ignored
  XPLMDisableAIForPlane(1);
  EXPECT_EQ(4, xplmsim::activeAircraftCount());
  EXPECT_FALSE(xplmsim::aiDisabled(1));
  EXPECT_TRUE(woken.empty());
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    XPLMReleasePlanes();
  }
  EXPECT_EQ((std::vector<int>{1, 2}), woken);
  EXPECT_EQ(XPLM_NO_PLUGIN_ID, xplmsim::planesController());
  XPLMReleasePlanes();
  EXPECT_EQ(2u, woken.size());  // once each
}

TEST_F(SimPlanes, ADisabledHolderGivesAccessBack) {
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    XPLMAcquirePlanes(nullptr, nullptr, nullptr);
  }
  XPLMAcquirePlanes(nullptr, wake, tag(7));
  XPLMDisablePlugin(xplmsim::kOtherPlugin);
  EXPECT_EQ((std::vector<int>{7}), woken);
  EXPECT_EQ(1, XPLMAcquirePlanes(nullptr, nullptr, nullptr));
}

TEST_F(SimPlanes, TheHolderSetsModelsCountsAndAi) {
  ASSERT_EQ(1, XPLMAcquirePlanes(nullptr, nullptr, nullptr));
  XPLMSetActiveAircraftCount(50);
  EXPECT_EQ(20, xplmsim::activeAircraftCount());
  XPLMSetActiveAircraftCount(-3);
  EXPECT_EQ(1, xplmsim::activeAircraftCount());
  XPLMSetAircraftModel(5, "/Aircraft/B/b.acf");
  XPLMSetAircraftModel(0, "/Aircraft/User/u.acf");  // not the user's slot
  XPLMSetAircraftModel(20, "/Aircraft/B/b.acf");    // no such slot
  const auto loaded = messagesOf(XPLM_MSG_PLANE_LOADED);
  ASSERT_EQ(1u, loaded.size());
  EXPECT_EQ(5, loaded[0].param);
  XPLMDisableAIForPlane(5);
  EXPECT_TRUE(xplmsim::aiDisabled(5));
  XPLMReinitUsersPlane();
  EXPECT_EQ(1, xplmsim::userPlaneReinits());
}

TEST_F(SimPlanes, PlacingTheUserMovesTheWorldModel) {
  XPLMPlaceUserAtLocation(45.0, -120.0, 500.0f, 90.0f, 50.0f);
  EXPECT_DOUBLE_EQ(45.0, xplmsim::scalarValue("sim/flightmodel/position/latitude"));
  EXPECT_NEAR(90.0, xplmsim::scalarValue("sim/flightmodel/position/psi"), 1e-9);
  EXPECT_NEAR(50.0, xplmsim::scalarValue("sim/flightmodel/position/local_vx"), 1e-6);  // east at 50 m/s

  XPLMPlaceUserAtAirport("KPDX");
  EXPECT_NEAR(45.59, xplmsim::scalarValue("sim/flightmodel/position/latitude"), 0.05);
  EXPECT_EQ(0.0, xplmsim::scalarValue("sim/flightmodel/position/groundspeed"));
  EXPECT_EQ(1u, messagesOf(XPLM_MSG_AIRPORT_LOADED).size());
  XPLMPlaceUserAtAirport("ZZZZ");  // unknown: nothing moves, no message
  XPLMPlaceUserAtAirport(nullptr);
  EXPECT_EQ(1u, messagesOf(XPLM_MSG_AIRPORT_LOADED).size());

  XPLMSetUsersAircraft("/Aircraft/Jet/jet.acf");
  char file[256], path[512];
  XPLMGetNthAircraftModel(0, file, path);
  EXPECT_STREQ("jet.acf", file);
  EXPECT_EQ(1u, messagesOf(XPLM_MSG_PLANE_UNLOADED).size());
  EXPECT_EQ(1u, messagesOf(XPLM_MSG_PLANE_LOADED).size());
}

TEST_F(SimPlanes, DrawAircraftReadsOnlyStructSizeBytes) {
  // A caller's record cut after flapRatio, followed by bytes that must not be read.
  struct {
    XPLMPlaneDrawState_t state;
  } block{};
  block.state.structSize = 12;
  block.state.gearPosition = 1.0f;
  block.state.flapRatio = 0.5f;
  block.state.thrust = 0.9f;  // beyond structSize
  XPLMDrawAircraft(1, 1, 2, 3, 4, 5, 6, 1, &block.state);
  XPLMDrawAircraft(1, 0, 0, 0, 0, 0, 0, 0, nullptr);
  XPLMDrawAircraft(99, 0, 0, 0, 0, 0, 0, 0, nullptr);  // no such slot
  const auto draws = xplmsim::aircraftDraws();
  ASSERT_EQ(2u, draws.size());
  EXPECT_EQ(1.0f, draws[0].state.gearPosition);
  EXPECT_EQ(0.5f, draws[0].state.flapRatio);
  EXPECT_EQ(0.0f, draws[0].state.thrust);
  EXPECT_EQ(0, draws[1].state.structSize);
}

}  // namespace
