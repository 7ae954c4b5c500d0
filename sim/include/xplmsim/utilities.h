// What the stand-in simulator tells plugins about itself (versions, language,
// preferences file), what they ask of it (speech, key strokes, joystick
// buttons, data files, scenery reloads), the plugins' error callbacks, their
// flight-loop objects and shared data.
#ifndef XPLMSIM_UTILITIES_H
#define XPLMSIM_UTILITIES_H

#include <string>
#include <vector>

namespace xplmsim {

// --- what the simulator tells ------------------------------------------------
// XPLMGetVersions: X-Plane 12.10 (12100), XPLM 300, host X-Plane after reset.
constexpr int kXPlaneVersion = 12100;
constexpr int kXPLMVersion = 300;
// XPLMGetLanguage: English (1) after reset.
void setLanguage(int languageCode);
// The file XPLMGetPrefsPath answers: "Output/preferences/X-Plane.prf" under the
// root folder (xplmsim/sim.h). A root too long for the 512-byte buffer gives "".
std::string prefsPath();

// --- what plugins asked for, since reset, oldest first --------------------------
// Texts given to XPLMSpeakString.
std::vector<std::string> spokenStrings();
// Keys given to XPLMCommandKeyStroke.
std::vector<int> keyStrokes();
// XPLMSimulateKeyPress calls, as key type and key.
struct SimulatedKey {
  int keyType = 0;
  int key = 0;
};
std::vector<SimulatedKey> simulatedKeys();
// Joystick buttons pressed (XPLMCommandButtonPress) and not yet released, in
// the order they were pressed.
std::vector<int> buttonsHeld();
// XPLMLoadDataFile and XPLMSaveDataFile calls the simulator carried out.
struct DataFileCall {
  bool save = false;
  int fileType = 0;
  std::string path;  // as given, relative to the root folder ("" for a null path)
};
std::vector<DataFileCall> dataFileCalls();
// XPLMReloadScenery calls.
int sceneryReloads();

// --- errors --------------------------------------------------------------------
// An API misuse by `plugin`: its error callback (XPLMSetErrorCallback), if it
// set one, gets `message`, called as that plugin. False if it has none.
bool reportError(int plugin, const std::string& message);
// Whether `plugin` has an error callback set.
bool hasErrorCallback(int plugin);

// --- flight-loop objects (XPLMCreateFlightLoop) ----------------------------------
// Created and not destroyed; of those, scheduled (interval not 0).
int flightLoopObjectCount();
int scheduledFlightLoopObjectCount();

// --- shared data (XPLMShareData) ---------------------------------------------
// Notifications registered on the shared data `name` (0 for a name that is not
// shared data), and how often the notifications of `plugin` were called since reset.
int shareCount(const std::string& name);
int notificationsReceived(int plugin);

}  // namespace xplmsim

#endif
