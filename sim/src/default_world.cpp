// The default world: an aircraft parked at Seattle-Tacoma (KSEA), engines off,
// with the datarefs a plugin typically reads and writes. Frames advance the
// clock and move the aircraft along its heading at its ground speed.
#include <XPLMDataAccess.h>

#include <cmath>

#include "state.h"
#include "xplmsim/datarefs.h"

namespace xplmsim {

namespace {
constexpr double kEarthRadiusMetres = 6378145.0;
constexpr double kPi = 3.14159265358979323846;

std::vector<uint8_t> text(const char* value, size_t size) {
  std::vector<uint8_t> bytes(size, 0);
  for (size_t i = 0; value[i] != '\0' && i + 1 < size; ++i) bytes[i] = static_cast<uint8_t>(value[i]);
  return bytes;
}
}  // namespace

void installDefaultDataRefs() {
  // Time.
  defineFloat("sim/time/total_running_time_sec", 0.0f, false);
  defineFloat("sim/time/total_flight_time_sec", 0.0f, false);
  defineFloat("sim/time/zulu_time_sec", 43200.0f, true);
  defineInt("sim/time/local_date_days", 172, true);
  defineInt("sim/time/paused", 0, false);
  // Position.
  defineDouble("sim/flightmodel/position/latitude", 47.4490, false);
  defineDouble("sim/flightmodel/position/longitude", -122.3093, false);
  defineDouble("sim/flightmodel/position/elevation", 131.0, false);
  defineDouble("sim/flightmodel/position/local_x", 0.0, true);
  defineDouble("sim/flightmodel/position/local_y", 131.0, true);
  defineDouble("sim/flightmodel/position/local_z", 0.0, true);
  defineFloat("sim/flightmodel/position/psi", 160.0f, true);
  defineFloat("sim/flightmodel/position/groundspeed", 0.0f, false);
  // Aircraft and systems.
  defineInt("sim/aircraft/engine/acf_num_engines", 1, false);
  defineData("sim/aircraft/view/acf_tailnum", text("N172SP", 40), false);
  defineData("sim/aircraft/view/acf_ICAO", text("C172", 40), true);
  defineInt("sim/cockpit/electrical/battery_on", 0, true);
  defineScalar("sim/cockpit2/radios/actuators/com1_frequency_hz_833", xplmType_Int | xplmType_Float | xplmType_Double,
               118000.0, true);
  defineFloatArray("sim/cockpit2/engine/actuators/throttle_ratio", std::vector<float>(8, 0.0f), true);
  defineIntArray("sim/cockpit2/engine/actuators/ignition_key", std::vector<int>(8, 0), true);
  defineFloatArray("sim/flightmodel/engine/ENGN_N1_", std::vector<float>(8, 0.0f), false);
}

void advanceDataRefs(float elapsedSeconds) {
  setScalar("sim/time/total_running_time_sec",
            static_cast<float>(scalarValue("sim/time/total_running_time_sec") + elapsedSeconds));
  if (scalarValue("sim/time/paused") == 0) {
    setScalar("sim/time/total_flight_time_sec",
              static_cast<float>(scalarValue("sim/time/total_flight_time_sec") + elapsedSeconds));
    setScalar("sim/time/zulu_time_sec",
              static_cast<float>(std::fmod(scalarValue("sim/time/zulu_time_sec") + elapsedSeconds, 86400.0)));
    const double metres = scalarValue("sim/flightmodel/position/groundspeed") * elapsedSeconds;
    const double heading = scalarValue("sim/flightmodel/position/psi") * kPi / 180.0;
    const double latitude = scalarValue("sim/flightmodel/position/latitude");
    const double north = metres * std::cos(heading);
    const double east = metres * std::sin(heading);
    setScalar("sim/flightmodel/position/latitude", latitude + north / kEarthRadiusMetres * 180.0 / kPi);
    setScalar("sim/flightmodel/position/longitude",
              scalarValue("sim/flightmodel/position/longitude") +
                  east / (kEarthRadiusMetres * std::cos(latitude * kPi / 180.0)) * 180.0 / kPi);
    setScalar("sim/flightmodel/position/local_x", scalarValue("sim/flightmodel/position/local_x") + east);
    setScalar("sim/flightmodel/position/local_z", scalarValue("sim/flightmodel/position/local_z") - north);
  }
}

}  // namespace xplmsim
