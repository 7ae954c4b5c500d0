// XPLMProcessing: flight-loop callbacks. A positive interval is seconds until
// the next call (never earlier), a negative one a number of flight loops, 0
// leaves the registration inactive. Registrations are told apart by callback
// and refcon; one added during a pass first runs in the next pass, one removed
// during a pass is not called again.
//
// Flight-loop objects (XPLMCreateFlightLoop) run in their phase: a pass runs
// the due loops of the before phase, then the flight model (runFrames), then
// the held commands' continue phase, the due registered loops and the due
// loops of the after phase. Registered loops thus run after the flight model.
#include <XPLMProcessing.h>

#include <cmath>

#include "errors.h"
#include "owners.h"
#include "state.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/utilities.h"

using namespace xplmsim;

namespace {

FlightLoopEntry* findLoop(XPLMFlightLoop_f callback, void* refcon) {
  return state().flightLoops.find(
      [&](const FlightLoopEntry& e) { return e.callback == callback && e.refcon == refcon; });
}

// A flight-loop object. Its entry stays after destruction, so that its stale
// handle is recognised.
struct LoopObject {
  XPLMFlightLoopPhaseType phase = xplm_FlightLoop_Phase_BeforeFlightModel;
  XPLMFlightLoop_f callback = nullptr;
  void* refcon = nullptr;
  float interval = 0;
  double lastCallTime = 0;
  int lastCallLoop = 0;
  int owner = kHostPlugin;
  bool destroyed = false;
};

HandleTable<LoopObject, 0xF1100B>& loopObjectTable() {
  static HandleTable<LoopObject, 0xF1100B> table;
  return table;
}

template <typename Entry>
void schedule(Entry& entry, float interval) {
  entry.interval = interval;
  entry.lastCallTime = state().elapsedTime;
  entry.lastCallLoop = state().loopCounter;
}

template <typename Entry>
bool due(const Entry& entry) {
  const State& s = state();
  if (entry.interval > 0) return s.elapsedTime - entry.lastCallTime >= static_cast<double>(entry.interval) - 1e-9;
  if (entry.interval < 0) {
    const int loops = std::max(1, static_cast<int>(std::lround(-entry.interval)));
    return s.loopCounter - entry.lastCallLoop >= loops;
  }
  return false;
}

// Calls the due flight-loop objects of `phase` that existed when the pass began.
void runLoopObjects(XPLMFlightLoopPhaseType phase, float elapsedSeconds) {
  State& s = state();
  const size_t count = loopObjectTable().size();
  for (size_t i = 0; i < count; ++i) {
    LoopObject& entry = loopObjectTable().at(i);
    if (entry.destroyed || entry.phase != phase || !due(entry)) continue;
    const float sinceLastCall = static_cast<float>(s.elapsedTime - entry.lastCallTime);
    ++s.flightLoopCalls;
    const CallerScope asOwner(entry.owner);
    const float next = entry.callback(sinceLastCall, elapsedSeconds, s.loopCounter, entry.refcon);
    if (!entry.destroyed) schedule(entry, next);
  }
}

// The live flight-loop object behind `id`, or null after reporting the misuse.
LoopObject* loopObject(const char* function, XPLMFlightLoopID id) {
  LoopObject* entry = loopObjectTable().find(id);
  if (entry != nullptr && !entry->destroyed) return entry;
  if (entry != nullptr) countReleasedHandleUse(function);
  misuse(function, entry != nullptr ? "flight loop destroyed" : "no such flight loop");
  return nullptr;
}

}  // namespace

void XPLMRegisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop, float inInterval, void* inRefcon) {
  record("XPLMRegisterFlightLoopCallback", ptr(reinterpret_cast<void*>(inFlightLoop)), real(inInterval),
         ptr(inRefcon));
  if (inFlightLoop == nullptr) return;
  FlightLoopEntry entry;
  entry.callback = inFlightLoop;
  entry.refcon = inRefcon;
  entry.owner = currentPlugin();
  schedule(entry, inInterval);
  state().flightLoops.add(entry);
}

void XPLMUnregisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop, void* inRefcon) {
  record("XPLMUnregisterFlightLoopCallback", ptr(reinterpret_cast<void*>(inFlightLoop)), ptr(inRefcon));
  state().flightLoops.remove(
      [&](const FlightLoopEntry& e) { return e.callback == inFlightLoop && e.refcon == inRefcon; });
}

void XPLMSetFlightLoopCallbackInterval(XPLMFlightLoop_f inFlightLoop, float inInterval, int inRelativeToNow,
                                       void* inRefcon) {
  record("XPLMSetFlightLoopCallbackInterval", ptr(reinterpret_cast<void*>(inFlightLoop)), real(inInterval),
         num(inRelativeToNow), ptr(inRefcon));
  FlightLoopEntry* entry = findLoop(inFlightLoop, inRefcon);
  if (entry == nullptr) return;
  if (inRelativeToNow != 0) {
    schedule(*entry, inInterval);
  } else {
    entry->interval = inInterval;
  }
}

float XPLMGetElapsedTime(void) {
  record("XPLMGetElapsedTime");
  return static_cast<float>(state().elapsedTime);
}
int XPLMGetCycleNumber(void) {
  record("XPLMGetCycleNumber");
  return state().loopCounter;
}

// The record is copied; the new loop is unscheduled. A null record, a
// structSize below the 24 bytes of this interface, an unknown phase or a null
// callback is an error and gives null.
XPLMFlightLoopID XPLMCreateFlightLoop(XPLMCreateFlightLoop_t* inParams) {
  record("XPLMCreateFlightLoop", ptr(inParams));
  if (inParams == nullptr || inParams->structSize < static_cast<int>(sizeof(XPLMCreateFlightLoop_t))) {
    return misuse("XPLMCreateFlightLoop", "bad structSize"), nullptr;
  }
  if ((inParams->phase != xplm_FlightLoop_Phase_BeforeFlightModel &&
       inParams->phase != xplm_FlightLoop_Phase_AfterFlightModel) ||
      inParams->callbackFunc == nullptr) {
    return misuse("XPLMCreateFlightLoop", "bad phase or callback"), nullptr;
  }
  auto entry = std::make_unique<LoopObject>();
  entry->phase = inParams->phase;
  entry->callback = inParams->callbackFunc;
  entry->refcon = inParams->refcon;
  entry->owner = currentPlugin();
  schedule(*entry, 0.0f);
  return loopObjectTable().add(std::move(entry));
}

// Inside its own callback the loop is not called again, and the callback's
// result is dropped.
void XPLMDestroyFlightLoop(XPLMFlightLoopID inFlightLoopID) {
  record("XPLMDestroyFlightLoop", ptr(inFlightLoopID));
  LoopObject* entry = loopObject("XPLMDestroyFlightLoop", inFlightLoopID);
  if (entry != nullptr) entry->destroyed = true;
}

// Relative to now, or to its last call (or creation); 0 unschedules it. Inside
// its own callback, the callback's result decides the next call.
void XPLMScheduleFlightLoop(XPLMFlightLoopID inFlightLoopID, float inInterval, int inRelativeToNow) {
  record("XPLMScheduleFlightLoop", ptr(inFlightLoopID), real(inInterval), num(inRelativeToNow));
  LoopObject* entry = loopObject("XPLMScheduleFlightLoop", inFlightLoopID);
  if (entry == nullptr) return;
  if (inRelativeToNow != 0) {
    schedule(*entry, inInterval);
  } else {
    entry->interval = inInterval;
  }
}

namespace xplmsim {

void runFlightLoop(float elapsedSeconds) {
  startFlightLoop(elapsedSeconds);
  finishFlightLoop(elapsedSeconds);
}

void startFlightLoop(float elapsedSeconds) {
  State& s = state();
  s.elapsedTime += elapsedSeconds;
  ++s.loopCounter;
  runLoopObjects(xplm_FlightLoop_Phase_BeforeFlightModel, elapsedSeconds);
}

void finishFlightLoop(float elapsedSeconds) {
  State& s = state();
  continueHeldCommands();
  s.flightLoops.walk([&](size_t index) {
    const FlightLoopEntry& entry = s.flightLoops.at(index);
    if (!due(entry)) return true;
    const float sinceLastCall = static_cast<float>(s.elapsedTime - entry.lastCallTime);
    ++s.flightLoopCalls;
    const CallerScope asOwner(entry.owner);
    const float next = entry.callback(sinceLastCall, elapsedSeconds, s.loopCounter, entry.refcon);
    if (s.flightLoops.alive(index)) schedule(s.flightLoops.at(index), next);
    return true;
  });
  runLoopObjects(xplm_FlightLoop_Phase_AfterFlightModel, elapsedSeconds);
}

int flightLoopCounter() { return state().loopCounter; }
int flightLoopCount() { return static_cast<int>(state().flightLoops.size()); }
long long flightLoopCallsMade() { return state().flightLoopCalls; }

int flightLoopObjectCount() {
  int live = 0;
  for (size_t i = 0; i < loopObjectTable().size(); ++i) live += loopObjectTable().at(i).destroyed ? 0 : 1;
  return live;
}

int scheduledFlightLoopObjectCount() {
  int scheduled = 0;
  for (size_t i = 0; i < loopObjectTable().size(); ++i) {
    scheduled += !loopObjectTable().at(i).destroyed && loopObjectTable().at(i).interval != 0 ? 1 : 0;
  }
  return scheduled;
}

int flightLoopObjectsOf(int plugin) {
  int live = 0;
  for (size_t i = 0; i < loopObjectTable().size(); ++i) {
    live += !loopObjectTable().at(i).destroyed && loopObjectTable().at(i).owner == plugin ? 1 : 0;
  }
  return live;
}

void clearFlightLoops() {
  State& s = state();
  loopObjectTable().clear();
  s.flightLoops.clear();
  s.elapsedTime = 0;
  s.loopCounter = 0;
  s.flightLoopCalls = 0;
}

}  // namespace xplmsim
