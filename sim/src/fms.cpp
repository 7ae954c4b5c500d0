// XPLMNavigation, the FMS flight plan and the GPS destination. The plan has
// at most 100 entries, zero-based and contiguous: an entry is set in place or
// appended right after the last one; an index past that is ignored.
#include <XPLMNavigation.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "state.h"
#include "text_out.h"
#include "xplmsim/navigation.h"

using namespace xplmsim;

namespace {

struct FlightPlan {
  std::vector<FmsEntry> entries;
  int displayed = 0;
  int destination = 0;
  int gps = XPLM_NAV_NOT_FOUND;
};

FlightPlan& plan() {
  static FlightPlan instance;
  return instance;
}

bool exists(int index) { return index >= 0 && index < static_cast<int>(plan().entries.size()); }

// Sets entry `index`, or appends it when `index` is the entry after the last.
void place(int index, const FmsEntry& entry) {
  std::vector<FmsEntry>& entries = plan().entries;
  if (exists(index)) {
    entries[static_cast<size_t>(index)] = entry;
  } else if (index == static_cast<int>(entries.size()) && index < kMaxFmsEntries) {
    entries.push_back(entry);
  }
}

// Lat/lon waypoints are named by their coordinates, e.g. "+46.900_-122.600".
std::string latLonName(float lat, float lon) {
  char name[40];
  std::snprintf(name, sizeof name, "%+.3f_%+.3f", static_cast<double>(lat), static_cast<double>(lon));
  return name;
}

bool settable(int type) {
  return type == xplm_Nav_Airport || type == xplm_Nav_Fix || type == xplm_Nav_VOR || type == xplm_Nav_NDB;
}

}  // namespace

int XPLMCountFMSEntries(void) {
  record("XPLMCountFMSEntries");
  return static_cast<int>(plan().entries.size());
}

int XPLMGetDisplayedFMSEntry(void) {
  record("XPLMGetDisplayedFMSEntry");
  return plan().displayed;
}

int XPLMGetDestinationFMSEntry(void) {
  record("XPLMGetDestinationFMSEntry");
  return plan().destination;
}

// Only an existing entry can be displayed or flown to.
void XPLMSetDisplayedFMSEntry(int inIndex) {
  record("XPLMSetDisplayedFMSEntry", num(inIndex));
  if (exists(inIndex)) plan().displayed = inIndex;
}

void XPLMSetDestinationFMSEntry(int inIndex) {
  record("XPLMSetDestinationFMSEntry", num(inIndex));
  if (exists(inIndex)) plan().destination = inIndex;
}

// An index without an entry writes nothing. The ID is cut to 256 bytes.
void XPLMGetFMSEntryInfo(int inIndex, XPLMNavType* outType, char* outID, XPLMNavRef* outRef, int* outAltitude,
                         float* outLat, float* outLon) {
  record("XPLMGetFMSEntryInfo", num(inIndex), ptr(outType), ptr(outID), ptr(outRef), ptr(outAltitude), ptr(outLat),
         ptr(outLon));
  if (!exists(inIndex)) return;
  const FmsEntry& e = plan().entries[static_cast<size_t>(inIndex)];
  if (outType != nullptr) *outType = e.type;
  copyText(outID, e.id, kFmsIdBytes);
  if (outRef != nullptr) *outRef = e.ref;
  if (outAltitude != nullptr) *outAltitude = e.altitude;
  if (outLat != nullptr) *outLat = e.latitude;
  if (outLon != nullptr) *outLon = e.longitude;
}

// Only airports, fixes, VORs and NDBs can be entries.
void XPLMSetFMSEntryInfo(int inIndex, XPLMNavRef inRef, int inAltitude) {
  record("XPLMSetFMSEntryInfo", num(inIndex), num(inRef), num(inAltitude));
  const Navaid* n = navaid(inRef);
  if (n == nullptr || !settable(n->type)) return;
  place(inIndex, FmsEntry{n->type, inRef, n->id, inAltitude, n->latitude, n->longitude});
}

void XPLMSetFMSEntryLatLon(int inIndex, float inLat, float inLon, int inAltitude) {
  record("XPLMSetFMSEntryLatLon", num(inIndex), real(inLat), real(inLon), num(inAltitude));
  place(inIndex, FmsEntry{xplm_Nav_LatLon, XPLM_NAV_NOT_FOUND, latLonName(inLat, inLon), inAltitude, inLat, inLon});
}

// Later entries move up one; the displayed and destination entries follow
// their entry and stay within the plan.
void XPLMClearFMSEntry(int inIndex) {
  record("XPLMClearFMSEntry", num(inIndex));
  if (!exists(inIndex)) return;
  FlightPlan& p = plan();
  p.entries.erase(p.entries.begin() + inIndex);
  const int last = std::max(0, static_cast<int>(p.entries.size()) - 1);
  for (int* index : {&p.displayed, &p.destination}) {
    if (*index > inIndex) --*index;
    *index = std::min(*index, last);
  }
}

XPLMNavType XPLMGetGPSDestinationType(void) {
  record("XPLMGetGPSDestinationType");
  const Navaid* n = navaid(plan().gps);
  return n != nullptr ? n->type : xplm_Nav_Unknown;
}

XPLMNavRef XPLMGetGPSDestination(void) {
  record("XPLMGetGPSDestination");
  return navaid(plan().gps) != nullptr ? plan().gps : XPLM_NAV_NOT_FOUND;
}

namespace xplmsim {

std::vector<FmsEntry> fmsEntries() { return plan().entries; }
int displayedFmsEntry() { return plan().displayed; }
int destinationFmsEntry() { return plan().destination; }

void setFmsEntryId(int index, const std::string& id) {
  if (exists(index)) plan().entries[static_cast<size_t>(index)].id = id;
}

void clearFms() {
  const int gps = plan().gps;
  plan() = FlightPlan{};
  plan().gps = gps;
}

void setGpsDestination(int ref) { plan().gps = ref; }

void installDefaultFlightPlan() {
  FlightPlan& p = plan();
  p = FlightPlan{};
  auto navaidEntry = [](const char* id, int altitude) {
    const int ref = navaidById(id);
    const Navaid& n = *navaid(ref);
    return FmsEntry{n.type, ref, n.id, altitude, n.latitude, n.longitude};
  };
  p.entries.push_back(navaidEntry("KSEA", 433));
  p.entries.push_back(FmsEntry{xplm_Nav_LatLon, XPLM_NAV_NOT_FOUND, latLonName(46.9f, -122.6f), 9000, 46.9f, -122.6f});
  p.entries.push_back(navaidEntry("BTG", 7000));
  p.entries.push_back(navaidEntry("KPDX", 30));
  p.displayed = 1;
  p.destination = 1;
  p.gps = navaidById("KPDX");
}

}  // namespace xplmsim
