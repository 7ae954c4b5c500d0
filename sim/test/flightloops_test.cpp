// The stand-in's flight-loop scheduler and commands behave as the SDK documents them.
#include <XPLMProcessing.h>
#include <XPLMUtilities.h>
#include <gtest/gtest.h>

#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

namespace {

struct Loop {
  explicit Loop(std::vector<float> intervals) : script(std::move(intervals)) {}
  std::vector<float> script;  // intervals to answer, the last one repeated
  std::vector<int> counters;
  std::vector<float> sinceLastCall;
};

float scripted(float sinceLastCall, float, int counter, void* refcon) {
  Loop& loop = *static_cast<Loop*>(refcon);
  loop.counters.push_back(counter);
  loop.sinceLastCall.push_back(sinceLastCall);
  const size_t index = std::min(loop.counters.size(), loop.script.size()) - 1;
  return loop.script[index];
}

class SimFlightLoops : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

TEST_F(SimFlightLoops, PositiveIntervalsAreSecondsAndNeverEarly) {
  Loop loop({0.3f});
  XPLMRegisterFlightLoopCallback(scripted, 0.3f, &loop);
  for (int i = 0; i < 10; ++i) xplmsim::runFlightLoop(0.125f);
  // Due at 0.375 (first pass at or after 0.3), then 0.3 after each call.
  EXPECT_EQ(loop.counters, (std::vector<int>{3, 6, 9}));
  EXPECT_EQ(loop.sinceLastCall, (std::vector<float>{0.375f, 0.375f, 0.375f}));
}

TEST_F(SimFlightLoops, NegativeIntervalsCountLoopsAndZeroDeactivates) {
  Loop loop({-2.0f, -2.0f, 0.0f});
  XPLMRegisterFlightLoopCallback(scripted, -1.0f, &loop);
  for (int i = 0; i < 10; ++i) xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(loop.counters, (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(xplmsim::flightLoopCount(), 1);
  XPLMRegisterFlightLoopCallback(scripted, 0.0f, &loop);  // inactive from the start
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(loop.counters.size(), 3u);
}

TEST_F(SimFlightLoops, RegistrationsAreToldApartByRefcon) {
  Loop a({-1.0f});
  Loop b({-1.0f});
  XPLMRegisterFlightLoopCallback(scripted, -1.0f, &a);
  XPLMRegisterFlightLoopCallback(scripted, -1.0f, &b);
  xplmsim::runFlightLoop(0.1f);
  XPLMUnregisterFlightLoopCallback(scripted, &a);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(a.counters.size(), 1u);
  EXPECT_EQ(b.counters.size(), 2u);
}

Loop* victim = nullptr;
float unregistersVictim(float, float, int, void*) {
  XPLMUnregisterFlightLoopCallback(scripted, victim);
  return -1.0f;
}

TEST_F(SimFlightLoops, ARegistrationRemovedDuringAPassIsNotCalled) {
  Loop later({-1.0f});
  victim = &later;
  XPLMRegisterFlightLoopCallback(unregistersVictim, -1.0f, nullptr);
  XPLMRegisterFlightLoopCallback(scripted, -1.0f, &later);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_TRUE(later.counters.empty());
}

Loop* recruit = nullptr;
float registersRecruitAndLeaves(float, float, int, void* refcon) {
  XPLMRegisterFlightLoopCallback(scripted, -1.0f, recruit);
  XPLMUnregisterFlightLoopCallback(registersRecruitAndLeaves, refcon);
  return -1.0f;
}

TEST_F(SimFlightLoops, ARegistrationAddedDuringAPassFirstRunsInTheNext) {
  Loop joined({-1.0f});
  recruit = &joined;
  XPLMRegisterFlightLoopCallback(registersRecruitAndLeaves, -1.0f, nullptr);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_TRUE(joined.counters.empty());
  EXPECT_EQ(xplmsim::flightLoopCount(), 1);  // the first one left, the recruit stays
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(joined.counters, std::vector<int>{2});
}

TEST_F(SimFlightLoops, IntervalsCanBeRescheduled) {
  Loop loop({-1.0f});
  XPLMRegisterFlightLoopCallback(scripted, 0.0f, &loop);
  XPLMSetFlightLoopCallbackInterval(scripted, -1.0f, 1, &loop);
  xplmsim::runFlightLoop(0.1f);
  EXPECT_EQ(loop.counters.size(), 1u);
  EXPECT_EQ(XPLMGetCycleNumber(), 1);
  EXPECT_FLOAT_EQ(XPLMGetElapsedTime(), 0.1f);
}

struct Handler {
  explicit Handler(int result = 1) : answer(result) {}
  int answer;
  std::vector<int> phases;
};
int handle(XPLMCommandRef, XPLMCommandPhase phase, void* refcon) {
  Handler& h = *static_cast<Handler*>(refcon);
  h.phases.push_back(phase);
  return h.answer;
}

TEST_F(SimFlightLoops, CommandsRunBeforeOwnAndAfterHandlingInPhases) {
  XPLMCommandRef pause = XPLMFindCommand("sim/operation/pause_toggle");
  ASSERT_NE(pause, nullptr);
  Handler before;
  Handler after;
  XPLMRegisterCommandHandler(pause, handle, 1, &before);
  XPLMRegisterCommandHandler(pause, handle, 0, &after);
  XPLMCommandBegin(pause);
  xplmsim::runFlightLoop(0.1f);
  XPLMCommandEnd(pause);
  XPLMCommandEnd(pause);  // not held any more: nothing happens
  EXPECT_EQ(before.phases, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(after.phases, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(xplmsim::commandActions("sim/operation/pause_toggle"), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(xplmsim::scalarValue("sim/time/paused"), 1.0);
}

TEST_F(SimFlightLoops, AHandlerAnsweringZeroStopsEverythingAfterIt) {
  XPLMCommandRef battery = XPLMFindCommand("sim/electrical/battery_1_toggle");
  Handler blocker(0);
  Handler second;
  Handler after;
  XPLMRegisterCommandHandler(battery, handle, 1, &blocker);
  XPLMRegisterCommandHandler(battery, handle, 1, &second);
  XPLMRegisterCommandHandler(battery, handle, 0, &after);
  XPLMCommandOnce(battery);
  EXPECT_EQ(blocker.phases, (std::vector<int>{0, 2}));
  EXPECT_TRUE(second.phases.empty());
  EXPECT_TRUE(after.phases.empty());
  EXPECT_EQ(xplmsim::scalarValue("sim/cockpit/electrical/battery_on"), 0.0);

  XPLMUnregisterCommandHandler(battery, handle, 1, &blocker);
  XPLMCommandOnce(battery);
  EXPECT_EQ(second.phases, (std::vector<int>{0, 2}));
  EXPECT_EQ(xplmsim::scalarValue("sim/cockpit/electrical/battery_on"), 1.0);
}

TEST_F(SimFlightLoops, CreatedCommandsAreFoundAndKeptOnce) {
  XPLMCommandRef created = XPLMCreateCommand("plugin/do_it", "Does it.");
  EXPECT_EQ(XPLMCreateCommand("plugin/do_it", "Again."), created);
  EXPECT_EQ(XPLMFindCommand("plugin/do_it"), created);
  EXPECT_EQ(XPLMFindCommand("plugin/missing"), nullptr);
  bool listed = false;
  for (const xplmsim::CommandInfo& info : xplmsim::commands()) {
    if (info.name == "plugin/do_it") {
      listed = true;
      EXPECT_EQ(info.description, "Does it.");
      EXPECT_EQ(info.creator, xplmsim::kHostPlugin);
    }
  }
  EXPECT_TRUE(listed);
  // Unknown handles are ignored.
  XPLMCommandOnce(reinterpret_cast<XPLMCommandRef>(0x99));
  XPLMRegisterCommandHandler(nullptr, handle, 1, nullptr);
}

TEST_F(SimFlightLoops, ForgottenActionsAreGoneAndLaterOnesRecorded) {
  XPLMCommandRef battery = XPLMFindCommand("sim/electrical/battery_1_toggle");
  XPLMCommandOnce(battery);
  xplmsim::forgetCommandActions();
  EXPECT_TRUE(xplmsim::commandActions("sim/electrical/battery_1_toggle").empty());
  EXPECT_EQ(xplmsim::scalarValue("sim/cockpit/electrical/battery_on"), 1.0) << "the command's effect stays";
  XPLMCommandBegin(battery);
  EXPECT_EQ(xplmsim::commandActions("sim/electrical/battery_1_toggle"), (std::vector<int>{0}));
}

// Long runs with recording off keep no record of each execution.
TEST_F(SimFlightLoops, CommandExecutionsAreKeptOnlyWhileRecording) {
  Handler after;
  XPLMCommandRef pause = XPLMFindCommand("sim/operation/pause_toggle");
  XPLMRegisterCommandHandler(pause, handle, 0, &after);
  xplmsim::setRecording(false);
  for (int i = 0; i < 3; ++i) xplmsim::commandOnce("sim/operation/pause_toggle");
  xplmsim::setRecording(true);
  xplmsim::commandOnce("sim/operation/pause_toggle");
  EXPECT_EQ(xplmsim::commandActions("sim/operation/pause_toggle"), (std::vector<int>{0, 2}));
  EXPECT_EQ(after.phases.size(), 8u);
  XPLMUnregisterCommandHandler(pause, handle, 0, &after);
}

}  // namespace
