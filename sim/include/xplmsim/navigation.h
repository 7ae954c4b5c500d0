// The stand-in's navaid database, FMS flight plan and GPS destination.
#ifndef XPLMSIM_NAVIGATION_H
#define XPLMSIM_NAVIGATION_H

#include <string>
#include <vector>

namespace xplmsim {

// One navaid, as XPLMGetNavAidInfo reports it. Frequencies follow nav.dat:
// NDBs in kHz, everything else in 10 kHz units (116.80 MHz is 11680); 0 for
// none. Height in metres, heading in degrees.
struct Navaid {
  int type = 0;  // one xplm_Nav_* bit
  float latitude = 0;
  float longitude = 0;
  float height = 0;
  int frequency = 0;
  float heading = 0;
  std::string id;
  std::string name;
  bool inLocalRegion = false;
};

// The default database, around Seattle and Portland: airports, NDBs, VORs, an
// ILS, a marker and fixes. Navaids of one type are contiguous, and each type's
// handles start at a base of their own, so handles are sparse: walk the
// database with XPLMGetNextNavAid, never by adding one.

// Adds a navaid after the others of its type and returns its handle (-1 once
// a type holds 1000).
int addNavaid(const Navaid& navaid);
// Every handle, in the order XPLMGetFirstNavAid / XPLMGetNextNavAid walk them.
std::vector<int> navaidRefs();
// The navaid behind a handle, or null.
const Navaid* navaid(int ref);
// The handle of the first navaid with this ID, -1 if none.
int navaidById(const std::string& id);
// Empties the database.
void clearNavaids();

// Texts that XPLMGetNavAidInfo writes are cut to fit the sizes the SDK asks
// callers for (IDs 32 bytes, names 256), terminator included.
constexpr size_t kNavaidIdBytes = 32;
constexpr size_t kNavaidNameBytes = 256;

// --- FMS ----------------------------------------------------------------------
// At most 100 entries, zero-based and contiguous. The default plan: KSEA, a
// lat/lon waypoint, the VOR BTG, KPDX; destination and displayed entry 1.
constexpr int kMaxFmsEntries = 100;
// Entry IDs that XPLMGetFMSEntryInfo writes are cut to 256 bytes, terminator included.
constexpr size_t kFmsIdBytes = 256;

struct FmsEntry {
  int type = 0;  // the navaid's type, or xplm_Nav_LatLon
  int ref = -1;  // -1 for a lat/lon entry
  std::string id;
  int altitude = 0;  // feet
  float latitude = 0;
  float longitude = 0;
};
std::vector<FmsEntry> fmsEntries();
int displayedFmsEntry();
int destinationFmsEntry();
// Replaces the ID text of an existing entry, as the simulator may name entries
// (for instance, long names of lat/lon waypoints).
void setFmsEntryId(int index, const std::string& id);
// An empty plan.
void clearFms();

// --- GPS ------------------------------------------------------------------------
// The GPS destination (-1: none; its type is then xplm_Nav_Unknown). Default: KPDX.
void setGpsDestination(int ref);

}  // namespace xplmsim

#endif
