// The stand-in's exclusive access to the aircraft, the active aircraft, AI
// and the aircraft plugins draw (XPLMPlanes); models are in xplmsim/plugins.h.
#ifndef XPLMSIM_PLANES_H
#define XPLMSIM_PLANES_H

#include <XPLMPlanes.h>

#include <vector>

namespace xplmsim {

// The plugin that holds access to the aircraft, XPLM_NO_PLUGIN_ID when free.
// A holder that is disabled gives access back (waiting callbacks are called).
int planesController();
// Active aircraft, the user's included (2 after reset: the user's and the
// King Air of slot 1); at most kAircraftSlots.
int activeAircraftCount();
// Callbacks of refused acquisitions waiting for access to be given back.
int planesWaiting();
bool aiDisabled(int index);
// Times XPLMReinitUsersPlane was called since reset.
int userPlaneReinits();

// An XPLMDrawAircraft call as the simulator read it: the draw state up to
// its structSize (the rest zero; structSize 0 for a null state).
struct AircraftDraw {
  int index = 0;
  float x = 0, y = 0, z = 0, pitch = 0, roll = 0, yaw = 0;
  int fullDraw = 0;
  XPLMPlaneDrawState_t state{};
};
std::vector<AircraftDraw> aircraftDraws();

// Gives back the access `plugin` holds, as XPLMReleasePlanes would.
void releasePlanesOf(int plugin);
void clearPlanes();

}  // namespace xplmsim

#endif
