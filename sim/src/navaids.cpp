// XPLMNavigation, the navaid database: walking it, searching it, and reading
// a navaid's information.
#include <XPLMNavigation.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>

#include "state.h"
#include "text_out.h"
#include "xplmsim/navigation.h"

using namespace xplmsim;

namespace {

// Handle -> navaid, in walking order. Each type's handles start at a base of
// their own (type bit index + 1, times 1000), so the types stay contiguous.
std::map<int, Navaid>& database() {
  static std::map<int, Navaid> navaids;
  return navaids;
}

constexpr int kPerType = 1000;

int baseOf(int type) {
  const int group = type > 0 && (type & (type - 1)) == 0 ? __builtin_ctz(static_cast<unsigned>(type)) + 1 : 0;
  return group * kPerType;
}

const Navaid* find(int ref) {
  auto found = database().find(ref);
  return found == database().end() ? nullptr : &found->second;
}

// Airports and fixes have no frequency, so a frequency criterion passes them;
// other navaids must have exactly that frequency (so a beacon without one,
// such as a marker, never matches).
bool frequencyMatches(const Navaid& n, int frequency) {
  if (n.type == xplm_Nav_Airport || n.type == xplm_Nav_Fix) return true;
  return n.frequency != 0 && n.frequency == frequency;
}

// Squared distance in degrees of latitude, longitudes scaled to the latitude.
double distanceSquared(const Navaid& n, float lat, float lon) {
  constexpr double kDegrees = 3.14159265358979323846 / 180.0;
  const double dLat = n.latitude - lat;
  const double dLon = (n.longitude - lon) * std::cos(lat * kDegrees);
  return dLat * dLat + dLon * dLon;
}

std::string textOf(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

void install(int type, float lat, float lon, float height, int frequency, float heading, const char* id,
             const char* name, bool local) {
  addNavaid(Navaid{type, lat, lon, height, frequency, heading, id, name, local});
}

}  // namespace

XPLMNavRef XPLMGetFirstNavAid(void) {
  record("XPLMGetFirstNavAid");
  return database().empty() ? XPLM_NAV_NOT_FOUND : database().begin()->first;
}

XPLMNavRef XPLMGetNextNavAid(XPLMNavRef inNavAidRef) {
  record("XPLMGetNextNavAid", num(inNavAidRef));
  auto found = database().find(inNavAidRef);
  if (found == database().end() || ++found == database().end()) return XPLM_NAV_NOT_FOUND;
  return found->first;
}

XPLMNavRef XPLMFindFirstNavAidOfType(XPLMNavType inType) {
  record("XPLMFindFirstNavAidOfType", num(inType));
  for (const auto& [ref, n] : database()) {
    if (n.type == inType) return ref;
  }
  return XPLM_NAV_NOT_FOUND;
}

XPLMNavRef XPLMFindLastNavAidOfType(XPLMNavType inType) {
  record("XPLMFindLastNavAidOfType", num(inType));
  for (auto it = database().rbegin(); it != database().rend(); ++it) {
    if (it->second.type == inType) return it->first;
  }
  return XPLM_NAV_NOT_FOUND;
}

// Each pointer is recorded (0 for none) followed by what it points at.
XPLMNavRef XPLMFindNavAid(const char* inNameFragment, const char* inIDFragment, float* inLat, float* inLon,
                          int* inFrequency, XPLMNavType inType) {
  record("XPLMFindNavAid", ptr(inNameFragment), textOf(inNameFragment), ptr(inIDFragment), textOf(inIDFragment),
         ptr(inLat), real(inLat ? *inLat : 0), ptr(inLon), real(inLon ? *inLon : 0), ptr(inFrequency),
         num(inFrequency ? *inFrequency : 0), num(inType));
  const bool nearest = inLat != nullptr && inLon != nullptr;
  XPLMNavRef best = XPLM_NAV_NOT_FOUND;
  double bestDistance = 0;
  for (const auto& [ref, n] : database()) {
    if ((n.type & inType) == 0) continue;
    if (inNameFragment != nullptr && n.name.find(inNameFragment) == std::string::npos) continue;
    if (inIDFragment != nullptr && n.id.find(inIDFragment) == std::string::npos) continue;
    if (inFrequency != nullptr && !frequencyMatches(n, *inFrequency)) continue;
    if (nearest) {
      const double distance = distanceSquared(n, *inLat, *inLon);
      if (best != XPLM_NAV_NOT_FOUND && distance >= bestDistance) continue;
      bestDistance = distance;
    }
    best = ref;
  }
  return best;
}

// An unknown handle writes nothing. The region is one byte, 1 or 0, not a text.
void XPLMGetNavAidInfo(XPLMNavRef inRef, XPLMNavType* outType, float* outLatitude, float* outLongitude,
                       float* outHeight, int* outFrequency, float* outHeading, char* outID, char* outName,
                       char* outReg) {
  record("XPLMGetNavAidInfo", num(inRef), ptr(outType), ptr(outLatitude), ptr(outLongitude), ptr(outHeight),
         ptr(outFrequency), ptr(outHeading), ptr(outID), ptr(outName), ptr(outReg));
  const Navaid* n = find(inRef);
  if (n == nullptr) return;
  if (outType != nullptr) *outType = n->type;
  if (outLatitude != nullptr) *outLatitude = n->latitude;
  if (outLongitude != nullptr) *outLongitude = n->longitude;
  if (outHeight != nullptr) *outHeight = n->height;
  if (outFrequency != nullptr) *outFrequency = n->frequency;
  if (outHeading != nullptr) *outHeading = n->heading;
  copyText(outID, n->id, kNavaidIdBytes);
  copyText(outName, n->name, kNavaidNameBytes);
  if (outReg != nullptr) *outReg = n->inLocalRegion ? 1 : 0;
}

namespace xplmsim {

int addNavaid(const Navaid& navaid) {
  const int base = baseOf(navaid.type);
  auto next = database().lower_bound(base + kPerType);
  int ref = base;
  if (next != database().begin() && std::prev(next)->first >= base) ref = std::prev(next)->first + 1;
  if (ref >= base + kPerType) return XPLM_NAV_NOT_FOUND;  // the type's range is full
  database()[ref] = navaid;
  return ref;
}

std::vector<int> navaidRefs() {
  std::vector<int> refs;
  for (const auto& entry : database()) refs.push_back(entry.first);
  return refs;
}

const Navaid* navaid(int ref) { return find(ref); }

int navaidById(const std::string& id) {
  for (const auto& [ref, n] : database()) {
    if (n.id == id) return ref;
  }
  return XPLM_NAV_NOT_FOUND;
}

void clearNavaids() { database().clear(); }

void clearNavigation() {
  clearNavaids();
  install(xplm_Nav_Airport, 47.4490f, -122.3093f, 131, 0, 0, "KSEA", "Seattle-Tacoma Intl", true);
  install(xplm_Nav_Airport, 47.5300f, -122.3020f, 6, 0, 0, "KBFI", "Boeing Field King Co Intl", true);
  install(xplm_Nav_Airport, 47.9063f, -122.2816f, 185, 0, 0, "KPAE", "Snohomish Co Paine Fld", true);
  install(xplm_Nav_Airport, 46.9694f, -122.9025f, 63, 0, 0, "KOLM", "Olympia Rgnl", true);
  install(xplm_Nav_Airport, 45.5887f, -122.5975f, 9, 0, 0, "KPDX", "Portland Intl", false);
  install(xplm_Nav_NDB, 47.5633f, -122.2978f, 10, 362, 0, "BF", "Nolla NDB", true);
  install(xplm_Nav_NDB, 46.9708f, -122.8947f, 60, 338, 0, "OL", "Olympia NDB", true);
  install(xplm_Nav_NDB, 45.6010f, -122.6080f, 8, 332, 0, "LW", "Portland NDB", false);
  install(xplm_Nav_VOR, 47.4354f, -122.3097f, 108, 11680, 20, "SEA", "Seattle VORTAC", true);
  install(xplm_Nav_VOR, 47.9199f, -122.2774f, 185, 11020, 21, "PAE", "Paine VOR/DME", true);
  install(xplm_Nav_VOR, 46.9715f, -122.9016f, 60, 11320, 20, "OLM", "Olympia VORTAC", true);
  install(xplm_Nav_VOR, 45.8155f, -122.5348f, 50, 11660, 21, "BTG", "Battle Ground VORTAC", false);
  install(xplm_Nav_ILS, 47.4370f, -122.3111f, 131, 11090, 163, "ISZI", "KSEA 16L ILS-cat-III", true);
  install(xplm_Nav_InnerMarker, 47.4640f, -122.3110f, 131, 0, 163, "", "KSEA 16L IM", true);
  install(xplm_Nav_Fix, 47.2600f, -122.4200f, 0, 0, 0, "SUMMA", "SUMMA", true);
  install(xplm_Nav_Fix, 47.6000f, -122.3000f, 0, 0, 0, "HAWKZ", "HAWKZ", true);
  install(xplm_Nav_Fix, 47.1700f, -122.1000f, 0, 0, 0, "ALKIA", "ALKIA", true);
  install(xplm_Nav_Fix, 47.7000f, -122.3500f, 0, 0, 0, "MARNR", "MARNR", true);
  installDefaultFlightPlan();
}

}  // namespace xplmsim
