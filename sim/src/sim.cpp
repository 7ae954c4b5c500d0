// Reset, the call record, the current plugin and frames.
#include "xplmsim/sim.h"

#include "errors.h"
#include "state.h"
#include "xplmsim/display.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/loader.h"
#include "xplmsim/maps.h"
#include "xplmsim/scenery.h"

namespace xplmsim {

State& state() {
  static State instance;
  return instance;
}

void reset() {
  stopPlugins();  // first: their XPluginStop still finds the world they registered in
  State& s = state();
  s.recording = true;
  s.caller = kHostPlugin;
  s.frames = 0;
  s.calls.clear();
  s.debugLog.clear();
  s.releasedHandleUses.clear();
  clearDataRefs();
  installDefaultDataRefs();
  clearFlightLoops();
  clearCommands();
  installDefaultCommands();
  clearDrawCallbacks();
  clearWindows();
  clearGraphics();
  clearMenus();
  clearKeySniffers();
  clearHotKeys();
  clearScreen();
  clearCamera();
  clearNavigation();
  clearPlugins();
  clearAircraft();
  clearScenery();
  clearMaps();  // before the plugin table resets: will-be-deleted goes to plugins still listed
  clearSystemPath();
  clearUtilities();
  clearSharedData();
  startWorldModel();
}

namespace {
// The simulator is in its default world as soon as the library is loaded.
[[maybe_unused]] const bool kDefaultWorldInstalled = (reset(), true);
}  // namespace

const std::vector<Call>& calls() { return state().calls; }

std::vector<Call> callsTo(const std::string& function) {
  std::vector<Call> found;
  for (const Call& call : state().calls) {
    if (call.function == function) found.push_back(call);
  }
  return found;
}

const Call* lastCall(const std::string& function) {
  const std::vector<Call>& all = state().calls;
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if (it->function == function) return &*it;
  }
  return nullptr;
}

void clearCalls() { state().calls.clear(); }

std::map<std::string, int> releasedHandleUses() { return state().releasedHandleUses; }
void clearReleasedHandleUses() { state().releasedHandleUses.clear(); }
void setRecording(bool on) { state().recording = on; }

int currentPlugin() { return state().caller; }
CallerScope::CallerScope(int plugin) : previous_(state().caller) { state().caller = plugin; }
CallerScope::~CallerScope() { state().caller = previous_; }

const std::string& debugLog() { return state().debugLog; }

void runFrames(int count, float elapsedSeconds) {
  for (int i = 0; i < count; ++i) {
    completePendingLoads();
    startFlightLoop(elapsedSeconds);
    advanceDataRefs(elapsedSeconds);
    finishFlightLoop(elapsedSeconds);
    drawFrame();
    drawMaps();
    ++state().frames;
    runRequestedReload();
  }
}

int frameCount() { return state().frames; }

}  // namespace xplmsim
