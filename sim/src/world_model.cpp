// The world model: the datarefs that describe where the aircraft is, how it
// moves, which way it points and what time it is stay consistent with each
// other (what drives what: xplmsim/datarefs.h). The driving values live in
// the datarefs themselves; the model remembers what it last set in each, so a
// value that differs was written by someone since.
#include <XPLMDataAccess.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <unordered_map>

#include "state.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/graphics.h"

namespace xplmsim {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr double kKnotsPerMetreSecond = 3600.0 / 1852.0;
constexpr double kFeetPerMetre = 1.0 / 0.3048;
constexpr double kFeetMinutePerMetreSecond = 60.0 / 0.3048;
constexpr double kMagneticVariation = -15.0;         // at KSEA: magnetic = true + variation
constexpr double kTimeZoneSeconds = -7.0 * 3600.0;  // Seattle in summer
constexpr double kSecondsPerDay = 86400.0;
constexpr double kFieldElevation = 129.5;  // the ground where scenery is missing
constexpr int kDaysPerYear = 365;

// Full names (function-made: the default world is installed during static initialisation).
std::string position(const std::string& name) { return "sim/flightmodel/position/" + name; }
std::string indicator(const std::string& name) { return "sim/cockpit2/gauges/indicators/" + name; }
std::string clock(const std::string& name) { return "sim/cockpit2/clock_timer/" + name; }

// What the model last set in each dataref it keeps.
std::unordered_map<std::string, double>& lastSet() {
  static std::unordered_map<std::string, double> values;
  return values;
}

double get(const std::string& name) { return scalarValue(name); }

void put(const std::string& name, double value) {
  setScalar(name, value);
  lastSet()[name] = value;
}

void put(std::initializer_list<std::string> names, double value) {
  for (const std::string& name : names) put(name, value);
}

// Written by someone other than the model since it last set it.
bool written(std::initializer_list<std::string> names) {
  for (const std::string& name : names) {
    auto found = lastSet().find(name);
    if (found != lastSet().end() && get(name) != found->second) return true;
  }
  return false;
}

double degrees360(double degrees) {
  const double d = std::fmod(degrees, 360.0);
  return d < 0 ? d + 360.0 : d;
}

double seconds86400(double seconds) {
  const double s = std::fmod(seconds, kSecondsPerDay);
  return s < 0 ? s + kSecondsPerDay : s;
}

double groundHeight(double x, double z) {
  double height = kFieldElevation;
  terrainHeight(x, z, &height);
  return height;
}

// Air density over sea-level density in the standard atmosphere (troposphere).
double densityRatio(double elevation) {
  return std::pow(std::max(0.05, 1.0 - 2.25577e-5 * std::min(elevation, 11000.0)), 4.2559);
}

// Position and vertical speed: writes made since the model last set its values.
void takeHeightAndPositionWrites() {
  if (!written({position("local_x"), position("local_y"), position("local_z")})) {
    if (written({position("latitude"), position("longitude"), position("elevation")})) {
      double x = 0, y = 0, z = 0;
      worldToLocal(get(position("latitude")), get(position("longitude")), get(position("elevation")), &x, &y,
                   &z);
      put(position("local_x"), x);
      put(position("local_y"), y);
      put(position("local_z"), z);
    } else if (written({position("y_agl")})) {
      put(position("local_y"),
          groundHeight(get(position("local_x")), get(position("local_z"))) + get(position("y_agl")));
    }
  }

  if (!written({position("vh_ind")})) {
    if (written({position("local_vy")})) {
      put(position("vh_ind"), get(position("local_vy")));
    } else {
      for (const std::string& name : {position("vh_ind_fpm"), position("vh_ind_fpm2"), indicator("vvi_fpm_pilot")}) {
        if (written({name})) {
          put(position("vh_ind"), get(name) / kFeetMinutePerMetreSecond);
          break;
        }
      }
    }
  }
}

// Ground speed and heading: writes made since the model last set its values.
void takeSpeedWrites() {
  if (written({position("groundspeed"), position("psi")})) return;
  const double climb = get(position("vh_ind"));
  auto fromTrueAirspeed = [&](double trueAirspeed) {
    put(position("groundspeed"), std::sqrt(std::max(0.0, trueAirspeed * trueAirspeed - climb * climb)));
  };
  if (written({position("local_vx"), position("local_vz")})) {
    const double vx = get(position("local_vx"));
    const double vz = get(position("local_vz"));
    put(position("groundspeed"), std::hypot(vx, vz));
    if (vx != 0 || vz != 0) put(position("psi"), degrees360(std::atan2(vx, -vz) / kRadiansPerDegree));
  } else if (written({position("true_airspeed")})) {
    fromTrueAirspeed(get(position("true_airspeed")));
  } else {
    for (const std::string& name :
         {position("indicated_airspeed"), position("indicated_airspeed2"), indicator("airspeed_kts_pilot")}) {
      if (!written({name})) continue;
      fromTrueAirspeed(get(name) / kKnotsPerMetreSecond / std::sqrt(densityRatio(get(position("local_y")))));
      break;
    }
  }
}

// Time: local time (read-only) moves zulu time.
void takeTimeWrites() {
  if (written({"sim/time/local_time_sec"}) && !written({"sim/time/zulu_time_sec"})) {
    put("sim/time/zulu_time_sec", seconds86400(get("sim/time/local_time_sec") - kTimeZoneSeconds));
  }
}

void advance(double seconds) {
  put("sim/time/total_running_time_sec", get("sim/time/total_running_time_sec") + seconds);
  put({"sim/time/framerate_period", "sim/operation/misc/frame_rate_period"}, seconds);
  if (get("sim/time/paused") != 0) return;
  put("sim/time/total_flight_time_sec", get("sim/time/total_flight_time_sec") + seconds);
  const double zulu = get("sim/time/zulu_time_sec");
  if (seconds86400(zulu + kTimeZoneSeconds) + seconds >= kSecondsPerDay) {
    put("sim/time/local_date_days", (static_cast<int>(get("sim/time/local_date_days")) + 1) % kDaysPerYear);
  }
  put("sim/time/zulu_time_sec", seconds86400(zulu + seconds));
  const double speed = get(position("groundspeed"));
  const double heading = get(position("psi")) * kRadiansPerDegree;
  put(position("local_x"), get(position("local_x")) + speed * std::sin(heading) * seconds);
  put(position("local_y"), get(position("local_y")) + get(position("vh_ind")) * seconds);
  put(position("local_z"), get(position("local_z")) - speed * std::cos(heading) * seconds);
}

void putClock(const std::string& prefix, double seconds) {
  const int whole = static_cast<int>(seconds);
  put(clock(prefix + "_hours"), whole / 3600);
  put(clock(prefix + "_minutes"), whole / 60 % 60);
  put(clock(prefix + "_seconds"), whole % 60);
}

// Sets every derived value from the driving ones.
void derive() {
  const double x = get(position("local_x"));
  const double y = get(position("local_y"));
  const double z = get(position("local_z"));
  double latitude = 0, longitude = 0, elevation = 0, originLatitude = 0, originLongitude = 0;
  localToWorld(x, y, z, &latitude, &longitude, &elevation);
  localOrigin(&originLatitude, &originLongitude);
  put(position("local_x"), x);
  put(position("local_y"), y);
  put(position("local_z"), z);
  put(position("latitude"), latitude);
  put(position("longitude"), longitude);
  put(position("elevation"), elevation);
  put(position("lat_ref"), originLatitude);
  put(position("lon_ref"), originLongitude);
  const double aboveGround = y - groundHeight(x, z);
  put(position("y_agl"), aboveGround);
  put({indicator("altitude_ft_pilot"), indicator("altitude_ft_copilot"), indicator("altitude_ft_stby")},
      elevation * kFeetPerMetre);
  put({indicator("radio_altimeter_height_ft_pilot"), indicator("radio_altimeter_height_ft_copilot")},
      aboveGround * kFeetPerMetre);

  const double psi = degrees360(get(position("psi")));
  const double magnetic = degrees360(psi + kMagneticVariation);
  put({position("psi"), position("true_psi"), position("hpath"), indicator("ground_track_true_pilot"),
       indicator("ground_track_true_copilot")},
      psi);
  put(position("magnetic_variation"), kMagneticVariation);
  put({position("mag_psi"), position("magpsi"), indicator("compass_heading_deg_mag"),
       indicator("heading_AHARS_deg_mag_pilot"), indicator("heading_AHARS_deg_mag_copilot"),
       indicator("heading_electric_deg_mag_pilot"), indicator("heading_electric_deg_mag_copilot"),
       indicator("heading_vacuum_deg_mag_pilot"), indicator("heading_vacuum_deg_mag_copilot"),
       indicator("ground_track_mag_pilot"), indicator("ground_track_mag_copilot")},
      magnetic);

  const double speed = get(position("groundspeed"));
  const double climb = get(position("vh_ind"));
  const double trueAirspeed = std::hypot(speed, climb);
  const double indicated = trueAirspeed * std::sqrt(densityRatio(elevation)) * kKnotsPerMetreSecond;
  put(position("groundspeed"), speed);
  put(position("local_vx"), speed * std::sin(psi * kRadiansPerDegree));
  put(position("local_vy"), climb);
  put(position("local_vz"), -speed * std::cos(psi * kRadiansPerDegree));
  put(position("vh_ind"), climb);
  put({position("vh_ind_fpm"), position("vh_ind_fpm2"), indicator("vvi_fpm_pilot"),
       indicator("vvi_fpm_copilot")},
      climb * kFeetMinutePerMetreSecond);
  put(position("vpath"), trueAirspeed > 0 ? std::atan2(climb, speed) / kRadiansPerDegree : 0.0);
  put(position("true_airspeed"), trueAirspeed);
  put({position("indicated_airspeed"), position("indicated_airspeed2"), position("equivalent_airspeed"),
       indicator("airspeed_kts_pilot"), indicator("airspeed_kts_copilot"), indicator("airspeed_kts_stby")},
      indicated);
  put({indicator("ground_speed_kt"), indicator("ground_speed_kt_copilot")}, speed * kKnotsPerMetreSecond);

  const double zulu = seconds86400(get("sim/time/zulu_time_sec"));
  const double local = seconds86400(zulu + kTimeZoneSeconds);
  put("sim/time/zulu_time_sec", zulu);
  put("sim/time/local_time_sec", local);
  putClock("zulu_time", zulu);
  putClock("local_time", local);
  // The date as day and month of a year of 365 days (0: January 1st).
  static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int day = (static_cast<int>(get("sim/time/local_date_days")) % kDaysPerYear + kDaysPerYear) % kDaysPerYear;
  int month = 0;
  while (day >= kMonthDays[month]) day -= kMonthDays[month++];
  put(clock("current_month"), month + 1);
  put(clock("current_day"), day + 1);
}

}  // namespace

void startWorldModel() {
  lastSet().clear();
  derive();
}

void updateWorld() { advanceDataRefs(0.0f); }

void advanceDataRefs(float elapsedSeconds) {
  takeHeightAndPositionWrites();
  takeSpeedWrites();
  takeTimeWrites();
  if (elapsedSeconds > 0) advance(elapsedSeconds);
  derive();
}

}  // namespace xplmsim
