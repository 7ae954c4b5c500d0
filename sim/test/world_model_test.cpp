// The world model keeps position, speeds, headings and time consistent, from
// whichever value was written last.
#include <XPLMDataAccess.h>
#include <XPLMGraphics.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "xplmsim/datarefs.h"
#include "xplmsim/scenery.h"
#include "xplmsim/sim.h"

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

double value(const std::string& name) { return xplmsim::scalarValue(name); }
double position(const std::string& name) { return value("sim/flightmodel/position/" + name); }
double indicator(const std::string& name) { return value("sim/cockpit2/gauges/indicators/" + name); }

void writeFloat(const std::string& name, float v) { XPLMSetDataf(XPLMFindDataRef(name.c_str()), v); }

class SimWorldModel : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }

  // Latitude, longitude and elevation are where local x, y, z are.
  static void expectWorldMatchesLocal() {
    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(position("latitude"), position("longitude"), position("elevation"), &x, &y, &z);
    EXPECT_NEAR(x, position("local_x"), 1e-6);
    EXPECT_NEAR(y, position("local_y"), 1e-9);
    EXPECT_NEAR(z, position("local_z"), 1e-6);
  }
};

TEST_F(SimWorldModel, TheParkedAircraftIsConsistentFromTheStart) {
  expectWorldMatchesLocal();
  EXPECT_NEAR(position("y_agl"), 1.5, 1e-6) << "above the probes' ground at 129.5 m";
  EXPECT_NEAR(indicator("altitude_ft_pilot"), 131.0 / 0.3048, 1e-3);
  EXPECT_EQ(position("true_psi"), 160.0);
  EXPECT_EQ(position("mag_psi"), 160.0 + position("magnetic_variation"));
  EXPECT_EQ(position("indicated_airspeed"), 0.0);
  EXPECT_EQ(value("sim/time/local_time_sec"), 43200.0 - 7 * 3600);
  EXPECT_EQ(value("sim/cockpit2/clock_timer/local_time_hours"), 5.0);
  EXPECT_EQ(value("sim/cockpit2/clock_timer/current_month"), 6.0);
  EXPECT_EQ(value("sim/cockpit2/clock_timer/current_day"), 22.0);
}

TEST_F(SimWorldModel, FramesMoveTheAircraftAndEverySpeedAgrees) {
  xplmsim::setScalar("sim/flightmodel/position/groundspeed", 50.0);
  xplmsim::setScalar("sim/flightmodel/position/psi", 90.0);
  writeFloat("sim/flightmodel/position/vh_ind_fpm", 1000.0f);
  xplmsim::runFrames(20, 0.5f);

  EXPECT_NEAR(position("local_x"), 500.0, 1e-6);
  EXPECT_NEAR(position("local_z"), 0.0, 1e-6);
  const double climb = 1000 * 0.3048 / 60;
  EXPECT_NEAR(position("local_y"), 131.0 + 10 * climb, 1e-4);
  expectWorldMatchesLocal();
  EXPECT_NEAR(position("y_agl"), position("local_y") - 129.5, 1e-9);
  EXPECT_NEAR(position("local_vx"), 50.0, 1e-4);
  EXPECT_NEAR(position("local_vy"), climb, 1e-6);
  EXPECT_NEAR(position("vh_ind"), climb, 1e-6);
  EXPECT_NEAR(indicator("vvi_fpm_pilot"), 1000.0, 1e-3);
  const double trueAirspeed = std::hypot(50.0, climb);
  EXPECT_NEAR(position("true_airspeed"), trueAirspeed, 1e-6);
  // Indicated is less than true above sea level: about 0.9% less at 180 m.
  EXPECT_NEAR(position("indicated_airspeed") / (trueAirspeed * 3600 / 1852), 0.991, 0.001);
  EXPECT_EQ(indicator("airspeed_kts_pilot"), position("indicated_airspeed"));
  EXPECT_NEAR(indicator("ground_speed_kt"), 50.0 * 3600 / 1852, 1e-6);
  EXPECT_NEAR(value("sim/time/zulu_time_sec"), 43210.0, 1e-6);
  EXPECT_NEAR(value("sim/time/local_time_sec"), 43210.0 - 7 * 3600, 1e-6);
  EXPECT_NEAR(value("sim/time/total_flight_time_sec"), 10.0, 1e-6);
}

TEST_F(SimWorldModel, APluginMovingTheAircraftMovesItsLatitudeAndHeight) {
  XPLMSetDatad(XPLMFindDataRef("sim/flightmodel/position/local_z"), -1000.0);
  writeFloat("sim/flightmodel/position/local_y", 200.0f);
  xplmsim::runFrames(1, 0.1f);
  expectWorldMatchesLocal();
  EXPECT_GT(position("latitude"), 47.449 + 0.0089);
  EXPECT_NEAR(position("y_agl"), 70.5, 1e-6);
  EXPECT_NEAR(indicator("radio_altimeter_height_ft_pilot"), 70.5 / 0.3048, 1e-3);
}

TEST_F(SimWorldModel, HeightAboveGroundFollowsTheProbesTerrain) {
  xplmsim::Terrain hill;
  hill.height = 100.0f;
  hill.slopeX = 0.1f;
  xplmsim::setTerrain(hill);
  XPLMSetDatad(XPLMFindDataRef("sim/flightmodel/position/local_x"), 50.0);
  xplmsim::runFrames(1, 0.1f);
  EXPECT_NEAR(position("y_agl"), 131.0 - 105.0, 1e-4);
}

TEST_F(SimWorldModel, WrittenVelocityOrAirspeedDrivesGroundSpeedAndHeading) {
  writeFloat("sim/flightmodel/position/local_vx", -30.0f);
  writeFloat("sim/flightmodel/position/local_vz", 40.0f);
  xplmsim::runFrames(1, 0.1f);
  EXPECT_NEAR(position("groundspeed"), 50.0, 1e-5);
  EXPECT_NEAR(position("psi"), 180.0 + 36.8699, 1e-3) << "south-west: -x is west, +z south";
  EXPECT_NEAR(position("hpath"), position("psi"), 1e-9);

  writeFloat("sim/flightmodel/position/true_airspeed", 20.0f);
  xplmsim::runFrames(1, 0.1f);
  EXPECT_NEAR(position("groundspeed"), 20.0, 1e-5);
  EXPECT_NEAR(std::hypot(position("local_vx"), position("local_vz")), 20.0, 1e-5);

  const float knots = static_cast<float>(position("indicated_airspeed"));
  writeFloat("sim/cockpit2/gauges/indicators/airspeed_kts_pilot", 2 * knots);
  xplmsim::runFrames(1, 0.1f);
  EXPECT_NEAR(position("groundspeed"), 40.0, 1e-3);
  EXPECT_NEAR(position("indicated_airspeed"), 2 * knots, 1e-3);
}

TEST_F(SimWorldModel, ADerivedValueWrittenAloneIsSetAgain) {
  writeFloat("sim/cockpit2/gauges/indicators/compass_heading_deg_mag", 10.0f);
  writeFloat("sim/flightmodel/position/psi", 370.0f);
  xplmsim::updateWorld();
  EXPECT_EQ(position("psi"), 10.0);
  EXPECT_EQ(indicator("compass_heading_deg_mag"), 10.0 + 360.0 + position("magnetic_variation"));
  EXPECT_EQ(xplmsim::frameCount(), 0);
}

TEST_F(SimWorldModel, TheControlApiMovesTheAircraftByLatitudeOrTime) {
  xplmsim::setScalar("sim/flightmodel/position/latitude", 47.5);
  xplmsim::setScalar("sim/flightmodel/position/elevation", 300.0);
  xplmsim::setScalar("sim/time/local_time_sec", 23.5 * 3600);
  xplmsim::runFrames(1, 3600.0f);
  expectWorldMatchesLocal();
  EXPECT_NEAR(position("local_z"), -(47.5 - 47.449) * 6371000.0 * kRadiansPerDegree, 1e-3);
  EXPECT_NEAR(position("y_agl"), 300.0 - 129.5, 1e-9);
  EXPECT_NEAR(value("sim/time/local_time_sec"), 0.5 * 3600, 1e-3) << "past local midnight";
  EXPECT_EQ(value("sim/time/local_date_days"), 173.0);
  EXPECT_EQ(value("sim/cockpit2/clock_timer/zulu_time_hours"), 7.0);
}

TEST_F(SimWorldModel, PausedTheAircraftStaysAndOnlyRunningTimeGoesOn) {
  xplmsim::setScalar("sim/flightmodel/position/groundspeed", 50.0);
  xplmsim::setScalar("sim/time/paused", 1);
  xplmsim::runFrames(4, 0.25f);
  EXPECT_EQ(position("local_z"), 0.0);
  EXPECT_EQ(value("sim/time/zulu_time_sec"), 43200.0);
  EXPECT_EQ(value("sim/time/total_flight_time_sec"), 0.0);
  EXPECT_EQ(value("sim/time/total_running_time_sec"), 1.0);
  EXPECT_NEAR(position("true_airspeed"), 50.0, 1e-9) << "derived values still follow";
}

}  // namespace
