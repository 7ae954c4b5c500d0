// Simulator-owned datarefs of the stand-in, and a look at every dataref known.
#ifndef XPLMSIM_DATAREFS_H
#define XPLMSIM_DATAREFS_H

#include <XPLMDataAccess.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace xplmsim {

// Define (or redefine) a simulator-owned dataref. A scalar dataref may offer
// several of int, float and double (`types`): it holds one number, and each
// typed read converts it. Array and byte datarefs hold a fixed number of
// elements. Returns the dataref's handle, the same one XPLMFindDataRef gives.
XPLMDataRef defineScalar(const std::string& name, int types, double value, bool writable);
XPLMDataRef defineInt(const std::string& name, int value, bool writable = true);
XPLMDataRef defineFloat(const std::string& name, float value, bool writable = true);
XPLMDataRef defineDouble(const std::string& name, double value, bool writable = true);
XPLMDataRef defineFloatArray(const std::string& name, std::vector<float> values, bool writable = true);
XPLMDataRef defineIntArray(const std::string& name, std::vector<int> values, bool writable = true);
XPLMDataRef defineData(const std::string& name, std::vector<uint8_t> bytes, bool writable = true);

// Values of simulator-owned datarefs, read without going through XPLM (and
// without being recorded). The dataref must exist and be simulator-owned.
double scalarValue(const std::string& name);
std::vector<float> floatArrayValue(const std::string& name);
std::vector<int> intArrayValue(const std::string& name);
std::vector<uint8_t> dataValue(const std::string& name);

// Set a simulator-owned dataref as the simulator itself would, read-only or not.
// Arrays and bytes are written from element 0 on; what goes past the end is dropped.
void setScalar(const std::string& name, double value);
void setFloatArray(const std::string& name, const std::vector<float>& values);
void setIntArray(const std::string& name, const std::vector<int>& values);
void setData(const std::string& name, const std::vector<uint8_t>& bytes);

// Every simulator dataref of the list in sim/data/ exists from the start, with
// its listed type (a listed double offers float|double), size and writability.
// The world model keeps these consistent, from the values last written by
// anyone (plugins, the control API) to those derived from them:
//   position   local_x/y/z drive; else latitude/longitude/elevation (control
//              API) move them; else y_agl (control API) sets local_y over the
//              terrain. Derived: latitude, longitude, elevation (the flat-earth
//              conversion of XPLMLocalToWorld), y_agl (over the probes'
//              terrain, or 129.5 m where scenery is missing), lat_ref/lon_ref,
//              altitude_ft_* and radio_altimeter_height_ft_*.
//   velocity   groundspeed (m/s) and psi (true heading) drive; else local_vx/vz
//              set them; else true_airspeed (no wind: the speed along the
//              flight path, climb included); else indicated_airspeed(2), airspeed_kts_pilot
//              (knots, ISA density at the elevation). Vertical speed: vh_ind
//              (m/s), or local_vy, or vh_ind_fpm(2)/vvi_fpm_pilot.
//              Derived: local_vx/vy/vz, the airspeeds and their gauges,
//              ground_speed_kt, vh_ind_fpm, vvi_fpm_*, vpath, hpath.
//   heading    psi drives true_psi, the tracks and the magnetic headings
//              (magnetic = true + magnetic_variation, -15: 15 degrees east).
//   time       zulu_time_sec and local_date_days drive (else local_time_sec,
//              control API); local time is zulu - 7 h (Seattle, summer);
//              clock_timer hours, minutes, seconds, day and month follow.
// Each frame takes in what was written since the last one, then advances
// time (running time always; flight time, zulu time, position unless paused)
// and moves the aircraft by its velocity; a value derived from others is set
// again each frame (a write to it alone is replaced). updateWorld does the
// same without advancing time.
void updateWorld();

// The name behind a handle ("" for an unknown handle).
std::string dataRefName(XPLMDataRef ref);

// The current value of a dataref as text, read as any plugin would read it:
// a number, a list "[a, b, ...]" for arrays, a quoted text for bytes. An
// array longer than `elements` shows its first `elements` values and
// "... (99,999,984 more)"; a text longer than `characters` (UTF-8 characters)
// its first `characters` and "... (N more characters)". Only what is shown is
// read of an array.
std::string valueText(const std::string& name, int elements = INT_MAX, int characters = INT_MAX);

// What the simulator knows of a dataref, for summaries.
struct DataRefInfo {
  std::string name;
  int types = 0;
  bool writable = false;
  bool published = false;  // registered by a plugin through XPLMRegisterDataAccessor
  int owner = 0;           // the plugin that registered it (0: the simulator)
};
std::vector<DataRefInfo> dataRefs();
// One dataref (types 0 for a name the simulator does not know).
DataRefInfo dataRefInfo(const std::string& name);

}  // namespace xplmsim

#endif
