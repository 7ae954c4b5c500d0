// The stand-in simulator's state, shared by its source files.
#ifndef XPLMSIM_STATE_H
#define XPLMSIM_STATE_H

#include <XPLMDataAccess.h>
#include <XPLMProcessing.h>
#include <XPLMUtilities.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "handles.h"
#include "registrations.h"
#include "xplmsim/display.h"
#include "xplmsim/sim.h"

namespace xplmsim {

struct DataRefEntry {
  std::string name;
  enum class Kind { Unbound, Owned, Published } kind = Kind::Unbound;
  int types = 0;
  bool writable = false;
  int owner = 0;
  bool shared = false;  // shared data (XPLMShareData): writes notify the sharers

  // Owned: one number for the scalar types, and the array storage.
  double number = 0;
  std::vector<float> floats;
  std::vector<int> ints;
  std::vector<uint8_t> bytes;

  // Published: the publisher's accessors.
  XPLMGetDatai_f readInt = nullptr;
  XPLMSetDatai_f writeInt = nullptr;
  XPLMGetDataf_f readFloat = nullptr;
  XPLMSetDataf_f writeFloat = nullptr;
  XPLMGetDatad_f readDouble = nullptr;
  XPLMSetDatad_f writeDouble = nullptr;
  XPLMGetDatavi_f readIntArray = nullptr;
  XPLMSetDatavi_f writeIntArray = nullptr;
  XPLMGetDatavf_f readFloatArray = nullptr;
  XPLMSetDatavf_f writeFloatArray = nullptr;
  XPLMGetDatab_f readData = nullptr;
  XPLMSetDatab_f writeData = nullptr;
  void* readRefcon = nullptr;
  void* writeRefcon = nullptr;
};

struct FlightLoopEntry {
  XPLMFlightLoop_f callback = nullptr;
  void* refcon = nullptr;
  float interval = 0;
  double lastCallTime = 0;  // elapsed time of the last call, or of the (re)scheduling
  int lastCallLoop = 0;     // flight-loop counter of the same
  int owner = kHostPlugin;  // the plugin that registered it, and as which it is called
};

struct CommandHandlerEntry {
  XPLMCommandCallback_f handler = nullptr;
  void* refcon = nullptr;
  int owner = kHostPlugin;  // the plugin that registered it, and as which it is called
};

struct CommandEntry {
  std::string name;
  std::string description;
  int creator = 0;
  bool held = false;
  Registrations<CommandHandlerEntry> before;
  Registrations<CommandHandlerEntry> after;
  std::vector<int> actions;          // phases in which the simulator's own handling ran
  void (*own)(int phase) = nullptr;  // the simulator's own handling, if any
};

struct State {
  bool recording = true;
  int caller = kHostPlugin;
  int frames = 0;
  std::vector<Call> calls;
  std::string debugLog;
  HandleTable<DataRefEntry, 0xDA7A> datarefs;  // the simulator's own first, under fixed handles
  std::unordered_map<std::string, size_t> datarefsByName;
  size_t simulatorDataRefs = 0;
  double elapsedTime = 0;
  int loopCounter = 0;
  long long flightLoopCalls = 0;
  Registrations<FlightLoopEntry> flightLoops;
  HandleTable<CommandEntry, 0xC03D> commands;  // the simulator's own first, under fixed handles
  std::unordered_map<std::string, size_t> commandsByName;
  size_t simulatorCommands = 0;
  std::vector<void*> heldCommands;  // the held commands, in the order they began
  std::map<std::string, int> releasedHandleUses;  // by XPLM function
};

State& state();

// Records a call when recording is on. Arguments are built only then.
template <typename... Args>
inline void record(const char* function, Args... args) {
  State& s = state();
  if (!s.recording) return;
  s.calls.push_back(Call{function, {Value(args)...}, s.caller});
}

// Counts one use, by `function`, of a handle the simulator has released.
inline void countReleasedHandleUse(const char* function) { ++state().releasedHandleUses[function]; }

// Record arguments.
inline long long ptr(const void* p) { return static_cast<long long>(reinterpret_cast<uintptr_t>(p)); }
inline long long num(long long v) { return v; }
inline double real(double v) { return v; }

// Installs the simulator's datarefs with the default world's values (reset calls it).
void installDefaultDataRefs();
// The simulator's own datarefs (catalog.h), every value 0. Reset keeps their
// entries and restores them in place: no allocation, the same handles.
void installSimulatorDataRefs();
// Forgets every dataref but the simulator's own.
void clearDataRefs();
// The world model (world_model.cpp): startWorldModel brings every value it
// keeps in line with the default world (reset calls it last);
// advanceDataRefs takes in what was written since, advances time and
// position, and sets every value it keeps from them.
void startWorldModel();
void advanceDataRefs(float elapsedSeconds);
// The flat-earth conversion of XPLMWorldToLocal and XPLMLocalToWorld, unrecorded.
void worldToLocal(double latitude, double longitude, double altitude, double* x, double* y, double* z);
void localToWorld(double x, double y, double z, double* latitude, double* longitude, double* altitude);
// The terrain's local height at x, z (scenery missing there: false, nothing set).
bool terrainHeight(double x, double z, double* height);
void clearFlightLoops();
// Forgets every command but the simulator's own, which installDefaultCommands restores.
void clearCommands();
void installDefaultCommands();
// Runs the continue phase of every held command.
void continueHeldCommands();
void clearDrawCallbacks();
void clearWindows();
void clearGraphics();
void clearMenus();
void clearKeySniffers();
// Hot keys (hot_keys.cpp): fires those matching a key-down; true if one did.
bool fireHotKeys(char virtualKey, XPLMKeyFlags flags);
void clearHotKeys();
void clearScreen();
void clearCamera();
// Draws the visible windows, back to front (drawFrame calls it).
void drawWindows();
// The key callback of the window with keyboard focus, if any.
InputResult deliverKeyToFocus(char key, XPLMKeyFlags flags, char virtualKey);
// Back to the default navaid database, flight plan and GPS destination.
void clearNavigation();
void installDefaultFlightPlan();
// Back to the default plugins (no messages, no receivers) and aircraft.
void clearPlugins();
// Runs the reload XPLMReloadPlugins asked for, if any (runFrames, at the frame's end).
void runRequestedReload();
void clearAircraft();
// Back to the default world's object files and terrain, with no objects,
// pending loads, draws, probes or instances.
void clearScenery();
// Back to the default X-Plane root folder (system_path.cpp).
void clearSystemPath();
// A path as the simulator opens it: absolute as given, else under the root folder.
std::string underSystemPath(const std::string& path);

}  // namespace xplmsim

#endif
