// The default world: every dataref the simulator lists (catalog.h), at 0,
// except what the default world sets: an aircraft parked at Seattle-Tacoma
// (KSEA), engines off, at noon zulu on June 22nd. The world model
// (world_model.cpp) keeps position, speeds, headings and time consistent.
#include <XPLMDataAccess.h>

#include <cstdint>
#include <string>
#include <vector>

#include "state.h"
#include "xplmsim/datarefs.h"

namespace xplmsim {

namespace {
std::vector<uint8_t> text(const char* value) {
  std::vector<uint8_t> bytes(value, value + std::char_traits<char>::length(value));
  bytes.push_back(0);
  return bytes;
}
}  // namespace

void installDefaultDataRefs() {
  installSimulatorDataRefs();
  // Time, and where the aircraft stands: the world model derives the rest.
  setScalar("sim/time/zulu_time_sec", 43200.0);
  setScalar("sim/time/local_date_days", 172);
  setScalar("sim/flightmodel/position/local_y", 131.0);
  setScalar("sim/flightmodel/position/psi", 160.0);
  // Aircraft and systems.
  setScalar("sim/aircraft/engine/acf_num_engines", 1);
  setData("sim/aircraft/view/acf_tailnum", text("N172SP"));
  setData("sim/aircraft/view/acf_ICAO", text("C172"));
  setScalar("sim/cockpit2/radios/actuators/com1_frequency_hz_833", 118000);
}

}  // namespace xplmsim
