// XPLMPlanes: the aircraft model in each of the simulator's aircraft slots,
// the user's aircraft and where it is placed, and exclusive access to the others.
#include <XPLMNavigation.h>
#include <XPLMPlanes.h>
#include <XPLMPlugin.h>

#include <array>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "state.h"
#include "text_out.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/navigation.h"
#include "xplmsim/planes.h"
#include "xplmsim/plugins.h"

using namespace xplmsim;

namespace {

struct Model {
  std::string fileName;
  std::string path;
};

std::array<Model, kAircraftSlots>& slots() {
  static std::array<Model, kAircraftSlots> instance;
  return instance;
}

struct Waiting {
  XPLMPlanesAvailable_f callback = nullptr;
  void* refcon = nullptr;
  int owner = kHostPlugin;
};

struct Access {
  int controller = XPLM_NO_PLUGIN_ID;
  int active = 2;
  std::vector<Waiting> waiting;
  std::array<bool, kAircraftSlots> aiOff{};
  std::vector<AircraftDraw> draws;
  int reinits = 0;
};

Access& access() {
  static Access instance;
  return instance;
}

bool holdsAccess() { return access().controller == state().caller; }

bool otherSlot(int index) { return index > 0 && index < kAircraftSlots; }

// A .acf path's file name: what follows its last slash or backslash.
std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void loadModel(int slot, const std::string& path) {
  setAircraftModel(slot, fileNameOf(path), path);
  sendSimulatorMessage(XPLM_MSG_PLANE_LOADED, reinterpret_cast<void*>(static_cast<intptr_t>(slot)));
}

// Puts the user's aircraft at a position, heading and ground speed, without climb.
void placeUser(double latitude, double longitude, double elevation, double heading, double speed) {
  setScalar("sim/flightmodel/position/latitude", latitude);
  setScalar("sim/flightmodel/position/longitude", longitude);
  setScalar("sim/flightmodel/position/elevation", elevation);
  setScalar("sim/flightmodel/position/psi", heading);
  setScalar("sim/flightmodel/position/groundspeed", speed);
  setScalar("sim/flightmodel/position/vh_ind", 0.0);
  updateWorld();
}

// The airport with this ID, or null.
const Navaid* airport(const std::string& code) {
  for (int ref : navaidRefs()) {
    const Navaid* n = navaid(ref);
    if (n != nullptr && n->type == xplm_Nav_Airport && n->id == code) return n;
  }
  return nullptr;
}

// The airport closest to the user's aircraft, or null.
const Navaid* closestAirport() {
  const double latitude = scalarValue("sim/flightmodel/position/latitude");
  const double longitude = scalarValue("sim/flightmodel/position/longitude");
  const Navaid* best = nullptr;
  double bestDistance = 0;
  for (int ref : navaidRefs()) {
    const Navaid* n = navaid(ref);
    if (n == nullptr || n->type != xplm_Nav_Airport) continue;
    const double dLat = n->latitude - latitude;
    const double dLon = (n->longitude - longitude) * std::cos(latitude * 3.14159265358979323846 / 180.0);
    const double distance = dLat * dLat + dLon * dLon;
    if (best == nullptr || distance < bestDistance) {
      best = n;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

// An index outside the slots writes nothing; an empty slot writes empty texts.
void XPLMGetNthAircraftModel(int inIndex, char* outFileName, char* outPath) {
  record("XPLMGetNthAircraftModel", num(inIndex), ptr(outFileName), ptr(outPath));
  if (inIndex < 0 || inIndex >= kAircraftSlots) return;
  const Model& m = slots()[static_cast<size_t>(inIndex)];
  copyText(outFileName, m.fileName, kAircraftFileBytes);
  copyText(outPath, m.path, kAircraftPathBytes);
}

// A null path is ignored. The aircraft is placed at the closest airport.
void XPLMSetUsersAircraft(const char* inAircraftPath) {
  record("XPLMSetUsersAircraft", std::string(inAircraftPath != nullptr ? inAircraftPath : ""));
  if (inAircraftPath == nullptr) return;
  sendSimulatorMessage(XPLM_MSG_PLANE_UNLOADED, nullptr);
  setAircraftModel(0, fileNameOf(inAircraftPath), inAircraftPath);
  if (const Navaid* field = closestAirport()) placeUser(field->latitude, field->longitude, field->height, 0, 0);
  sendSimulatorMessage(XPLM_MSG_PLANE_LOADED, nullptr);
}

// An airport the navaid database does not have (or null) is ignored.
void XPLMPlaceUserAtAirport(const char* inAirportCode) {
  record("XPLMPlaceUserAtAirport", std::string(inAirportCode != nullptr ? inAirportCode : ""));
  const Navaid* field = inAirportCode != nullptr ? airport(inAirportCode) : nullptr;
  if (field == nullptr) return;
  placeUser(field->latitude, field->longitude, field->height, 0, 0);
  sendSimulatorMessage(XPLM_MSG_AIRPORT_LOADED, nullptr);
}

void XPLMPlaceUserAtLocation(double latitudeDegrees, double longitudeDegrees, float elevationMetersMSL,
                             float headingDegreesTrue, float speedMetersPerSecond) {
  record("XPLMPlaceUserAtLocation", real(latitudeDegrees), real(longitudeDegrees), real(elevationMetersMSL),
         real(headingDegreesTrue), real(speedMetersPerSecond));
  placeUser(latitudeDegrees, longitudeDegrees, elevationMetersMSL, headingDegreesTrue, speedMetersPerSecond);
}

// Null pointers are skipped.
void XPLMCountAircraft(int* outTotalAircraft, int* outActiveAircraft, XPLMPluginID* outController) {
  record("XPLMCountAircraft", ptr(outTotalAircraft), ptr(outActiveAircraft), ptr(outController));
  if (outTotalAircraft != nullptr) *outTotalAircraft = kAircraftSlots;
  if (outActiveAircraft != nullptr) *outActiveAircraft = access().active;
  if (outController != nullptr) *outController = access().controller;
}

// Granted when access is free or the caller holds it already: entry i of the
// list (up to the null entry, at most the other slots) loads into slot i + 1,
// "" skips its slot, and loaded slots become active. Refused: the callback,
// if any, waits for the next release.
int XPLMAcquirePlanes(char** inAircraft, XPLMPlanesAvailable_f inCallback, void* inRefcon) {
  record("XPLMAcquirePlanes", ptr(inAircraft), ptr(reinterpret_cast<void*>(inCallback)), ptr(inRefcon));
  Access& a = access();
  if (a.controller != XPLM_NO_PLUGIN_ID && a.controller != state().caller) {
    if (inCallback != nullptr) a.waiting.push_back(Waiting{inCallback, inRefcon, state().caller});
    return 0;
  }
  a.controller = state().caller;
  for (int i = 0; inAircraft != nullptr && inAircraft[i] != nullptr && otherSlot(i + 1); ++i) {
    if (inAircraft[i][0] == '\0') continue;
    loadModel(i + 1, inAircraft[i]);
    a.active = std::max(a.active, i + 2);
  }
  return 1;
}

// Only the holder gives access back; then each waiting callback is called
// once, in order (those that wait from now on wait for the next release).
void XPLMReleasePlanes(void) {
  record("XPLMReleasePlanes");
  releasePlanesOf(state().caller);
}

// Without access: ignored. Kept between 1 (the user's) and the slots.
void XPLMSetActiveAircraftCount(int inCount) {
  record("XPLMSetActiveAircraftCount", num(inCount));
  if (!holdsAccess()) return;
  access().active = std::clamp(inCount, 1, kAircraftSlots);
}

// Without access, for slot 0 or a slot that does not exist, or a null path: ignored.
void XPLMSetAircraftModel(int inIndex, const char* inAircraftPath) {
  record("XPLMSetAircraftModel", num(inIndex), std::string(inAircraftPath != nullptr ? inAircraftPath : ""));
  if (!holdsAccess() || !otherSlot(inIndex) || inAircraftPath == nullptr) return;
  loadModel(inIndex, inAircraftPath);
}

// Without access, or for slot 0 or a slot that does not exist: ignored.
void XPLMDisableAIForPlane(int inPlaneIndex) {
  record("XPLMDisableAIForPlane", num(inPlaneIndex));
  if (!holdsAccess() || !otherSlot(inPlaneIndex)) return;
  access().aiOff[static_cast<size_t>(inPlaneIndex)] = true;
}

// The draw state is read up to its structSize, at most the record's size.
// A slot that does not exist draws nothing.
void XPLMDrawAircraft(int inPlaneIndex, float inX, float inY, float inZ, float inPitch, float inRoll, float inYaw,
                      int inFullDraw, XPLMPlaneDrawState_t* inDrawStateInfo) {
  record("XPLMDrawAircraft", num(inPlaneIndex), real(inX), real(inY), real(inZ), real(inPitch), real(inRoll),
         real(inYaw), num(inFullDraw), ptr(inDrawStateInfo));
  if (inPlaneIndex < 0 || inPlaneIndex >= kAircraftSlots) return;
  AircraftDraw draw{inPlaneIndex, inX, inY, inZ, inPitch, inRoll, inYaw, inFullDraw, {}};
  if (inDrawStateInfo != nullptr && inDrawStateInfo->structSize > 0) {
    std::memcpy(&draw.state, inDrawStateInfo,
                std::min(sizeof draw.state, static_cast<size_t>(inDrawStateInfo->structSize)));
  }
  access().draws.push_back(draw);
}

void XPLMReinitUsersPlane(void) {
  record("XPLMReinitUsersPlane");
  ++access().reinits;
}

namespace xplmsim {

int planesController() { return access().controller; }
int activeAircraftCount() { return access().active; }
int planesWaiting() { return static_cast<int>(access().waiting.size()); }
bool aiDisabled(int index) { return otherSlot(index) && access().aiOff[static_cast<size_t>(index)]; }
int userPlaneReinits() { return access().reinits; }
std::vector<AircraftDraw> aircraftDraws() { return access().draws; }

void releasePlanesOf(int plugin) {
  Access& a = access();
  if (a.controller == XPLM_NO_PLUGIN_ID || a.controller != plugin) return;
  a.controller = XPLM_NO_PLUGIN_ID;
  std::vector<Waiting> waiting;
  waiting.swap(a.waiting);
  for (const Waiting& w : waiting) {
    const Plugin* owner = xplmsim::plugin(w.owner);
    if (owner == nullptr || !owner->enabled) continue;
    CallerScope asOwner(w.owner);
    w.callback(w.refcon);
  }
}

void clearPlanes() { access() = Access{}; }

void setAircraftModel(int slot, const std::string& fileName, const std::string& path) {
  if (slot >= 0 && slot < kAircraftSlots) slots()[static_cast<size_t>(slot)] = Model{fileName, path};
}

void clearAircraft() {
  clearPlanes();
  slots().fill(Model{});
  setAircraftModel(0, "Cessna_172SP.acf", "/X-Plane 11/Aircraft/Laminar Research/Cessna 172SP/Cessna_172SP.acf");
  setAircraftModel(1, "C90B.acf", "/X-Plane 11/Aircraft/Laminar Research/Beechcraft King Air C90B/C90B.acf");
}

}  // namespace xplmsim
