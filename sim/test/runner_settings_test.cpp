// The runner's --set seeds simulator datarefs and refuses what does not fit them.
#include "dataref_settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "xplmsim/datarefs.h"
#include "xplmsim/sim.h"

namespace {

using qovinhost::applySetting;

class RunnerSettings : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

TEST_F(RunnerSettings, NumbersSetScalarsReadOnlyOnesIncluded) {
  EXPECT_EQ(applySetting("sim/flightmodel/position/groundspeed=25"), "");
  EXPECT_EQ(applySetting("sim/flightmodel/position/latitude=-33.9461"), "");
  EXPECT_EQ(applySetting("sim/cockpit/electrical/battery_on=1"), "");
  EXPECT_EQ(xplmsim::scalarValue("sim/flightmodel/position/groundspeed"), 25.0);
  EXPECT_EQ(xplmsim::scalarValue("sim/flightmodel/position/latitude"), -33.9461);
  EXPECT_EQ(xplmsim::scalarValue("sim/cockpit/electrical/battery_on"), 1.0);
}

TEST_F(RunnerSettings, UnknownNamesAndBadNumbersAreRefusedAndSetNothing) {
  EXPECT_EQ(applySetting("sim/flightmodel/position/groundsped=25"),
            "the simulator has no dataref sim/flightmodel/position/groundsped");
  EXPECT_EQ(applySetting("=25"), "give DATAREF=VALUE, not =25");
  EXPECT_EQ(applySetting("sim/flightmodel/position/groundspeed"),
            "give DATAREF=VALUE, not sim/flightmodel/position/groundspeed");
  for (const char* bad : {"", "fast", "25kt", "nan", "inf", "1e999", "[25]"}) {
    EXPECT_EQ(applySetting(std::string("sim/flightmodel/position/groundspeed=") + bad),
              std::string("sim/flightmodel/position/groundspeed is a number, ") + bad + " is not");
  }
  EXPECT_EQ(applySetting("sim/cockpit/electrical/battery_on=0.5"),
            "sim/cockpit/electrical/battery_on is an int, 0.5 is not a whole number");
  EXPECT_EQ(xplmsim::scalarValue("sim/flightmodel/position/groundspeed"), 0.0);
  EXPECT_EQ(xplmsim::scalarValue("sim/cockpit/electrical/battery_on"), 0.0);
}

TEST_F(RunnerSettings, ArraysAreSetFromTheFirstElement) {
  EXPECT_EQ(applySetting("sim/cockpit2/engine/actuators/throttle_ratio=[0.5, 1,0.25]"), "");
  EXPECT_EQ(applySetting("sim/cockpit2/engine/actuators/ignition_key=[3,3]"), "");
  std::vector<float> levers(16, 0.0f);
  levers[0] = 0.5f;
  levers[1] = 1.0f;
  levers[2] = 0.25f;
  EXPECT_EQ(xplmsim::floatArrayValue("sim/cockpit2/engine/actuators/throttle_ratio"), levers);
  EXPECT_EQ(xplmsim::intArrayValue("sim/cockpit2/engine/actuators/ignition_key")[1], 3);

  const std::string key = "sim/cockpit2/engine/actuators/ignition_key";
  EXPECT_EQ(applySetting(key + "=3"), key + " is an array: give its values as [a, b, ...], not 3");
  EXPECT_EQ(applySetting(key + "=[1,x]"), key + " is an array: give its values as [a, b, ...], not [1,x]");
  EXPECT_EQ(applySetting(key + "=[1,2.5]"), key + " holds whole numbers, [1,2.5] does not");
  EXPECT_EQ(applySetting(key + "=[1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1]"),
            key + " holds 16 values, [1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1] has 17");
}

TEST_F(RunnerSettings, TextsAreWrittenWithAZeroByteAndCutToTheSize) {
  EXPECT_EQ(applySetting("sim/aircraft/view/acf_tailnum=\"N42QV\""), "");
  EXPECT_EQ(xplmsim::valueText("sim/aircraft/view/acf_tailnum"), "\"N42QV\"");
  EXPECT_EQ(applySetting("sim/aircraft/view/acf_ICAO=B738"), "");
  EXPECT_EQ(xplmsim::valueText("sim/aircraft/view/acf_ICAO"), "\"B738\"");
  EXPECT_EQ(applySetting("sim/aircraft/view/acf_ICAO=" + std::string(50, 'x')), "");
  EXPECT_EQ(xplmsim::dataValue("sim/aircraft/view/acf_ICAO"), std::vector<uint8_t>(40, 'x'));
}

}  // namespace
