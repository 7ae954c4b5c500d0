// XPLMDisplay drawing callbacks: a frame draws each phase with its
// before-callbacks, the simulator's own drawing (unless a before-callback
// answered 0) and its after-callbacks, then the windows.
#include <XPLMDisplay.h>

#include <algorithm>

#include "owners.h"
#include "state.h"
#include "xplmsim/display.h"
#include "xplmsim/keys.h"

using namespace xplmsim;

namespace {

struct DrawEntry {
  XPLMDrawCallback_f callback = nullptr;
  int phase = 0;
  int before = 0;
  void* refcon = nullptr;
  int owner = kHostPlugin;  // the plugin that registered it, and as which it is called
};

struct Drawing {
  Registrations<DrawEntry> callbacks;
  std::vector<int> drawn;
};

Drawing& drawing() {
  static Drawing instance;
  return instance;
}

const std::vector<int> kFramePhases = {
    xplm_Phase_FirstScene,   xplm_Phase_Terrain, xplm_Phase_Airports, xplm_Phase_Vectors,
    xplm_Phase_Objects,      xplm_Phase_Airplanes, xplm_Phase_LastScene, xplm_Phase_FirstCockpit,
    xplm_Phase_Panel,        xplm_Phase_Gauges,  xplm_Phase_Window,   xplm_Phase_LastCockpit};

bool knownPhase(int phase) {
  return std::find(kFramePhases.begin(), kFramePhases.end(), phase) != kFramePhases.end() ||
         phase == xplm_Phase_LocalMap3D || phase == xplm_Phase_LocalMap2D || phase == xplm_Phase_LocalMapProfile;
}

// Calls the callbacks of one side of a phase; false if a before-callback answered 0.
bool runSide(int phase, int before) {
  Registrations<DrawEntry>& callbacks = drawing().callbacks;
  bool drawIt = true;
  callbacks.walk([&](size_t index) {
    const DrawEntry entry = callbacks.at(index);
    if (entry.phase == phase && entry.before == before) {
      const CallerScope asOwner(entry.owner);
      if (entry.callback(phase, before, entry.refcon) == 0 && before) drawIt = false;
    }
    return true;
  });
  return drawIt;
}

}  // namespace

int XPLMRegisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase, int inWantsBefore,
                             void* inRefcon) {
  record("XPLMRegisterDrawCallback", ptr(reinterpret_cast<void*>(inCallback)), num(inPhase), num(inWantsBefore),
         ptr(inRefcon));
  if (inCallback == nullptr || !knownPhase(inPhase)) return 0;
  drawing().callbacks.add(DrawEntry{inCallback, inPhase, inWantsBefore != 0 ? 1 : 0, inRefcon, currentPlugin()});
  return 1;
}

int XPLMUnregisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase, int inWantsBefore,
                               void* inRefcon) {
  record("XPLMUnregisterDrawCallback", ptr(reinterpret_cast<void*>(inCallback)), num(inPhase),
         num(inWantsBefore), ptr(inRefcon));
  const int before = inWantsBefore != 0 ? 1 : 0;
  return drawing().callbacks.remove([&](const DrawEntry& e) {
    return e.callback == inCallback && e.phase == inPhase && e.before == before && e.refcon == inRefcon;
  }) ? 1 : 0;
}

namespace xplmsim {

void drawFrame() {
  std::vector<int>& drawn = drawing().drawn;
  drawn.clear();
  runCamera();
  for (int phase : kFramePhases) {
    if (runSide(phase, 1)) drawn.push_back(phase);
    runSide(phase, 0);
  }
  drawWindows();
}

const std::vector<int>& phasesDrawn() { return drawing().drawn; }
const std::vector<int>& framePhases() { return kFramePhases; }
int drawCallbackCount() { return static_cast<int>(drawing().callbacks.size()); }

int drawCallbacksOf(int plugin) {
  Registrations<DrawEntry>& callbacks = drawing().callbacks;
  int count = 0;
  callbacks.walk([&](size_t index) {
    count += callbacks.at(index).owner == plugin ? 1 : 0;
    return true;
  });
  return count;
}

void clearDrawCallbacks() {
  drawing().callbacks.clear();
  drawing().drawn.clear();
}

}  // namespace xplmsim
