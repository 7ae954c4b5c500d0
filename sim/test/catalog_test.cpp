// The stand-in knows the simulator's own datarefs and commands, with their
// listed types, sizes and writability.
#include <XPLMDataAccess.h>
#include <XPLMUtilities.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

namespace {

class SimCatalog : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

struct Listed {
  const char* name;
  int types;
  int size;  // elements of an array, bytes of byte data; 0 for a number
  bool writable;
};

int sizeOf(XPLMDataRef ref, int types) {
  if (types & xplmType_FloatArray) return XPLMGetDatavf(ref, nullptr, 0, 0);
  if (types & xplmType_IntArray) return XPLMGetDatavi(ref, nullptr, 0, 0);
  if (types & xplmType_Data) return XPLMGetDatab(ref, nullptr, 0, 0);
  return 0;
}

TEST_F(SimCatalog, ListedDataRefsHaveTheirTypeSizeAndWritability) {
  const Listed listed[] = {
      {"sim/cockpit2/gauges/indicators/airspeed_kts_pilot", xplmType_Float, 0, true},
      {"sim/aircraft/overflow/acf_gear_steers", xplmType_IntArray, 10, false},
      {"sim/flightmodel2/wing/aileron1_deg", xplmType_FloatArray, 48, true},
      {"sim/airfoils/afl_cl", xplmType_FloatArray, 56 * 2 * 2 * 721, true},
      {"sim/aircraft/view/acf_ICAO", xplmType_Data, 40, true},
      {"sim/aircraft/view/acf_livery_path", xplmType_Data, 256, false},  // byte[]: size not listed
      {"sim/flightmodel/position/latitude", xplmType_Float | xplmType_Double, 0, false},
      {"sim/flightmodel/position/local_x", xplmType_Float | xplmType_Double, 0, true},
      {"sim/cockpit2/radios/actuators/com1_frequency_hz_833", xplmType_Int, 0, true},
      {"sim/cockpit2/engine/actuators/throttle_ratio", xplmType_FloatArray, 16, true},
  };
  for (const Listed& d : listed) {
    XPLMDataRef ref = XPLMFindDataRef(d.name);
    ASSERT_NE(ref, nullptr) << d.name;
    EXPECT_EQ(XPLMGetDataRefTypes(ref), d.types) << d.name;
    EXPECT_EQ(sizeOf(ref, d.types), d.size) << d.name;
    EXPECT_EQ(XPLMCanWriteDataRef(ref), d.writable ? 1 : 0) << d.name;
  }
  EXPECT_EQ(XPLMFindDataRef("sim/cockpit2/gauges/indicators/airspeed_kts"), nullptr) << "only listed names";
}

TEST_F(SimCatalog, AListedDoubleIsReadAndWrittenAsFloatToo) {
  XPLMDataRef latitude = XPLMFindDataRef("sim/flightmodel/position/latitude");
  EXPECT_EQ(XPLMGetDataf(latitude), static_cast<float>(XPLMGetDatad(latitude)));
  EXPECT_NEAR(XPLMGetDataf(latitude), 47.449f, 1e-4f);

  XPLMDataRef x = XPLMFindDataRef("sim/flightmodel/position/local_x");
  XPLMSetDataf(x, 12.5f);
  EXPECT_EQ(XPLMGetDatad(x), 12.5);
  XPLMSetDatad(x, -3.25);
  EXPECT_EQ(XPLMGetDataf(x), -3.25f);
}

TEST_F(SimCatalog, ValuesStartAtZeroExceptTheDefaultWorlds) {
  EXPECT_EQ(XPLMGetDataf(XPLMFindDataRef("sim/cockpit/misc/compass_indicated")), 0.0f);
  std::vector<float> n1(16, -1.0f);
  EXPECT_EQ(XPLMGetDatavf(XPLMFindDataRef("sim/flightmodel/engine/ENGN_N1_"), n1.data(), 0, 16), 16);
  EXPECT_EQ(n1, std::vector<float>(16, 0.0f));
  EXPECT_EQ(xplmsim::valueText("sim/aircraft/view/acf_tailnum"), "\"N172SP\"");
  EXPECT_EQ(xplmsim::scalarValue("sim/cockpit2/radios/actuators/com1_frequency_hz_833"), 118000.0);
  EXPECT_EQ(xplmsim::scalarValue("sim/time/zulu_time_sec"), 43200.0);
}

TEST_F(SimCatalog, SimulatorDataRefsCannotBePublishedByAPlugin) {
  EXPECT_EQ(XPLMRegisterDataAccessor("sim/flightmodel/position/y_agl", xplmType_Float, 0, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr),
            nullptr);
}

int phases = 0;
int countPhase(XPLMCommandRef, XPLMCommandPhase, void*) {
  ++phases;
  return 1;
}

TEST_F(SimCatalog, ListedCommandsAreFoundAndRunTheirHandlers) {
  XPLMCommandRef flaps = XPLMFindCommand("sim/flight_controls/flaps_down");
  XPLMCommandRef lights = XPLMFindCommand("sim/lights/landing_lights_toggle");
  ASSERT_NE(flaps, nullptr);
  ASSERT_NE(lights, nullptr);
  EXPECT_NE(flaps, lights);
  EXPECT_EQ(XPLMFindCommand("sim/flight_controls/flaps_sideways"), nullptr);
  EXPECT_EQ(XPLMCreateCommand("sim/flight_controls/flaps_down", "Mine."), flaps) << "the simulator's own";

  phases = 0;
  XPLMRegisterCommandHandler(flaps, countPhase, 1, nullptr);
  XPLMCommandOnce(flaps);
  XPLMCommandBegin(flaps);
  xplmsim::runFlightLoop(0.1f);
  XPLMCommandEnd(flaps);
  EXPECT_EQ(phases, 5);
  EXPECT_EQ(xplmsim::commandActions("sim/flight_controls/flaps_down"), (std::vector<int>{0, 2, 0, 1, 2}));
}

TEST_F(SimCatalog, ResetRestoresTheSimulatorsOwnUnderTheirHandles) {
  XPLMDataRef n1 = XPLMFindDataRef("sim/flightmodel/engine/ENGN_N1_");
  float full[16] = {100, 100};
  XPLMSetDatavf(n1, full, 0, 16);
  xplmsim::defineInt("sim/flightmodel/position/psi", 7);
  XPLMCommandRef flaps = XPLMFindCommand("sim/flight_controls/flaps_down");
  XPLMRegisterCommandHandler(flaps, countPhase, 1, nullptr);
  XPLMCreateCommand("plugin/mine", "Mine.");
  xplmsim::reset();

  EXPECT_EQ(XPLMFindDataRef("sim/flightmodel/engine/ENGN_N1_"), n1);
  EXPECT_EQ(xplmsim::floatArrayValue("sim/flightmodel/engine/ENGN_N1_"), std::vector<float>(16, 0.0f));
  EXPECT_EQ(XPLMGetDataRefTypes(XPLMFindDataRef("sim/flightmodel/position/psi")), xplmType_Float);
  EXPECT_EQ(xplmsim::scalarValue("sim/flightmodel/position/psi"), 160.0);
  EXPECT_EQ(XPLMFindCommand("sim/flight_controls/flaps_down"), flaps);
  EXPECT_EQ(XPLMFindCommand("plugin/mine"), nullptr);
  phases = 0;
  XPLMCommandOnce(flaps);
  EXPECT_EQ(phases, 0) << "handlers are gone";
}

TEST_F(SimCatalog, PauseOnAndOffSetThePause) {
  xplmsim::commandOnce("sim/operation/pause_on");
  EXPECT_EQ(xplmsim::scalarValue("sim/time/paused"), 1.0);
  xplmsim::commandOnce("sim/operation/pause_off");
  EXPECT_EQ(xplmsim::scalarValue("sim/time/paused"), 0.0);
}

}  // namespace
