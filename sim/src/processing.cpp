// XPLMProcessing: flight-loop callbacks. A positive interval is seconds until
// the next call (never earlier), a negative one a number of flight loops, 0
// leaves the registration inactive. Registrations are told apart by callback
// and refcon; one added during a pass first runs in the next pass, one removed
// during a pass is not called again.
#include <XPLMProcessing.h>

#include <cmath>

#include "state.h"
#include "xplmsim/flightloops.h"

using namespace xplmsim;

namespace {

FlightLoopEntry* findLoop(XPLMFlightLoop_f callback, void* refcon) {
  return state().flightLoops.find(
      [&](const FlightLoopEntry& e) { return e.callback == callback && e.refcon == refcon; });
}

void schedule(FlightLoopEntry& entry, float interval) {
  entry.interval = interval;
  entry.lastCallTime = state().elapsedTime;
  entry.lastCallLoop = state().loopCounter;
}

bool due(const FlightLoopEntry& entry) {
  const State& s = state();
  if (entry.interval > 0) return s.elapsedTime - entry.lastCallTime >= static_cast<double>(entry.interval) - 1e-9;
  if (entry.interval < 0) {
    const int loops = std::max(1, static_cast<int>(std::lround(-entry.interval)));
    return s.loopCounter - entry.lastCallLoop >= loops;
  }
  return false;
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

float XPLMGetElapsedTime(void) { return static_cast<float>(state().elapsedTime); }
int XPLMGetCycleNumber(void) { return state().loopCounter; }

namespace xplmsim {

void runFlightLoop(float elapsedSeconds) {
  State& s = state();
  s.elapsedTime += elapsedSeconds;
  ++s.loopCounter;
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
}

int flightLoopCounter() { return state().loopCounter; }
int flightLoopCount() { return static_cast<int>(state().flightLoops.size()); }
long long flightLoopCallsMade() { return state().flightLoopCalls; }

void clearFlightLoops() {
  State& s = state();
  s.flightLoops.clear();
  s.elapsedTime = 0;
  s.loopCounter = 0;
  s.flightLoopCalls = 0;
}

}  // namespace xplmsim
