// The stand-in's flight-loop objects: phases around the flight model,
// scheduling, destruction (also from inside their own call) and stale IDs.
#include <XPLMProcessing.h>
#include <XPLMUtilities.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/loader.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

namespace {

struct Probe {
  Probe(std::string tag, float answer = -1.0f, bool destroyInside = false, std::vector<std::string>* order = nullptr)
      : tag(std::move(tag)), answer(answer), destroyInside(destroyInside), order(order) {}
  std::string tag;
  float answer;
  bool destroyInside;
  std::vector<std::string>* order;
  XPLMFlightLoopID id = nullptr;
  std::vector<int> counters;
};

float probeLoop(float, float, int counter, void* refcon) {
  Probe& p = *static_cast<Probe*>(refcon);
  p.counters.push_back(counter);
  if (p.order != nullptr) p.order->push_back(p.tag);
  if (p.destroyInside) XPLMDestroyFlightLoop(p.id);
  return p.answer;
}

float legacyLoop(float, float, int, void* refcon) {
  static_cast<std::vector<std::string>*>(refcon)->push_back("legacy");
  return -1.0f;
}

XPLMFlightLoopID create(Probe& probe, XPLMFlightLoopPhaseType phase) {
  XPLMCreateFlightLoop_t params{static_cast<int>(sizeof(XPLMCreateFlightLoop_t)), phase, probeLoop, &probe};
  probe.id = XPLMCreateFlightLoop(&params);
  return probe.id;
}

std::vector<std::string>* errors = nullptr;
void recordError(const char* message) { errors->push_back(message); }

class SimFlightLoopObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    errors = &errorMessages;
  }
  std::vector<std::string> errorMessages;
};

TEST_F(SimFlightLoopObjects, BeforeLoopsRunBeforeTheFlightModelAndAfterLoopsAfterIt) {
  std::vector<std::string> order;
  Probe before("before", -1.0f, false, &order);
  Probe after("after", -1.0f, false, &order);
  create(after, xplm_FlightLoop_Phase_AfterFlightModel);
  create(before, xplm_FlightLoop_Phase_BeforeFlightModel);
  XPLMRegisterFlightLoopCallback(legacyLoop, -1.0f, &order);
  EXPECT_EQ(xplmsim::scheduledFlightLoopObjectCount(), 0) << "created unscheduled";
  xplmsim::runFrames(1, 0.1f);
  EXPECT_EQ(order, (std::vector<std::string>{"legacy"}));
  XPLMScheduleFlightLoop(before.id, -1.0f, 1);
  XPLMScheduleFlightLoop(after.id, -1.0f, 1);
  order.clear();
  xplmsim::runFrames(1, 0.1f);
  EXPECT_EQ(order, (std::vector<std::string>{"before", "legacy", "after"}));
  EXPECT_EQ(before.counters, (std::vector<int>{2}));
  EXPECT_EQ(XPLMGetCycleNumber(), 2);
}

TEST_F(SimFlightLoopObjects, SchedulingCountsFromNowOrFromTheLastCall) {
  Probe probe("p", 0.0f);
  create(probe, xplm_FlightLoop_Phase_BeforeFlightModel);
  for (int i = 0; i < 4; ++i) xplmsim::runFlightLoop(0.1f);
  XPLMScheduleFlightLoop(probe.id, 0.25f, 0);  // from creation, at 0: due at once
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(probe.counters, (std::vector<int>{5}));
  XPLMScheduleFlightLoop(probe.id, 0.25f, 1);  // from now (0.5): due at 0.8
  for (int i = 0; i < 4; ++i) xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(probe.counters, (std::vector<int>{5, 8}));
  XPLMScheduleFlightLoop(probe.id, -1.0f, 1);
  XPLMScheduleFlightLoop(probe.id, 0.0f, 1);  // 0 unschedules
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(probe.counters.size(), 2u);
}

TEST_F(SimFlightLoopObjects, ALoopDestroyedInsideItsOwnCallIsNotCalledAgain) {
  Probe probe("p", -1.0f, true);
  create(probe, xplm_FlightLoop_Phase_AfterFlightModel);
  XPLMScheduleFlightLoop(probe.id, -1.0f, 1);
  xplmsim::runFlightLoop(0.1f);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(probe.counters.size(), 1u);
  EXPECT_EQ(xplmsim::flightLoopObjectCount(), 0);
}

TEST_F(SimFlightLoopObjects, LiveLoopsAndErrorCallbacksCountAsHeldByTheirPlugin) {
  Probe probe("p");
  {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    create(probe, xplm_FlightLoop_Phase_BeforeFlightModel);
    XPLMSetErrorCallback(recordError);
  }
  EXPECT_EQ(xplmsim::registrationsOf(xplmsim::kOtherPlugin).summary(), "1 flight-loop object, 1 error callback");
  EXPECT_EQ(xplmsim::registrationsOf(xplmsim::kHostPlugin).total(), 0);
  XPLMDestroyFlightLoop(probe.id);
  EXPECT_EQ(xplmsim::registrationsOf(xplmsim::kOtherPlugin).flightLoopObjects, 0);
}

TEST_F(SimFlightLoopObjects, BadRecordsAndStaleIdsAreReportedAndChangeNothing) {
  XPLMSetErrorCallback(recordError);
  Probe probe("p");
  XPLMCreateFlightLoop_t small{8, xplm_FlightLoop_Phase_BeforeFlightModel, probeLoop, &probe};
  EXPECT_EQ(XPLMCreateFlightLoop(&small), nullptr);
  EXPECT_EQ(XPLMCreateFlightLoop(nullptr), nullptr);
  XPLMCreateFlightLoop_t badPhase{24, 7, probeLoop, &probe};
  EXPECT_EQ(XPLMCreateFlightLoop(&badPhase), nullptr);
  create(probe, xplm_FlightLoop_Phase_BeforeFlightModel);
  XPLMDestroyFlightLoop(probe.id);
  XPLMScheduleFlightLoop(probe.id, -1.0f, 1);
  XPLMDestroyFlightLoop(probe.id);
  XPLMScheduleFlightLoop(reinterpret_cast<XPLMFlightLoopID>(0x1234), -1.0f, 1);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_TRUE(probe.counters.empty());
  EXPECT_EQ(errorMessages.size(), 6u);
  EXPECT_EQ(errorMessages.back(), "XPLMScheduleFlightLoop: no such flight loop");
  EXPECT_EQ(xplmsim::releasedHandleUses()["XPLMScheduleFlightLoop"], 1);
  xplmsim::clearReleasedHandleUses();
}

}  // namespace
