// Control API of the stand-in simulator: what the simulator itself, or another
// plugin, does to the world in which the bridge runs. The XPLM functions the
// bridge calls are implemented by the same library, in memory.
#ifndef XPLMSIM_SIM_H
#define XPLMSIM_SIM_H

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace xplmsim {

// Plugin IDs of the stand-in: the host plugin that runs the JVM (and so the
// bridge), and one other plugin that tests act as.
constexpr int kHostPlugin = 1;
constexpr int kOtherPlugin = 2;

// Back to the default world: loaded plugins stopped and unloaded first
// (xplmsim/loader.h), then default datarefs with default values, no
// registrations, empty call record, debug log and released-handle counts,
// frame counter 0. The library starts in the default world when it is loaded.
void reset();

// --- record of XPLM calls -------------------------------------------------
// Integers, handles and pointers are recorded as integers (a null pointer is
// 0), floats and doubles as doubles, texts as strings.
using Value = std::variant<long long, double, std::string>;

struct Call {
  std::string function;
  std::vector<Value> args;
  int plugin = kHostPlugin;  // who made the call

  long long i(size_t index) const { return std::get<long long>(args.at(index)); }
  double d(size_t index) const { return std::get<double>(args.at(index)); }
  const std::string& s(size_t index) const { return std::get<std::string>(args.at(index)); }
};

const std::vector<Call>& calls();
// Every recorded call of `function`, oldest first.
std::vector<Call> callsTo(const std::string& function);
// The latest call of `function`, or null if there is none.
const Call* lastCall(const std::string& function);
void clearCalls();
// Recording is on after reset; benchmarks turn it off.
void setRecording(bool on);

// --- uses of released handles ---------------------------------------------
// In the simulator a released handle (a destroyed menu, window, instance or
// probe, an object whose last load was unloaded) points at freed memory: any
// use of it is the caller's bug. The stand-in ignores such a call, as it
// ignores made-up handles, but counts it here, by XPLM function. Handles never
// handed out are not counted.
std::map<std::string, int> releasedHandleUses();
void clearReleasedHandleUses();

// --- who is calling ----------------------------------------------------------
// XPLM calls are made on behalf of the current plugin (kHostPlugin unless a
// CallerScope says otherwise).
int currentPlugin();
class CallerScope {
 public:
  explicit CallerScope(int plugin);
  ~CallerScope();
  CallerScope(const CallerScope&) = delete;
  CallerScope& operator=(const CallerScope&) = delete;

 private:
  int previous_;
};

// --- the simulator's log (XPLMDebugString) ---------------------------------
const std::string& debugLog();

// --- the X-Plane root folder -------------------------------------------------
// The folder XPLMGetSystemPath answers (with a trailing "/") and under which
// relative paths, such as those of XPLMLoadObject, are opened. By default the
// working directory at reset. A path that is not absolute, or longer than the
// 510 characters the SDK's 512-byte buffer holds with the separator, is
// refused (false) and the folder stays as it was.
bool setSystemPath(const std::string& folder);
const std::string& systemPath();

// --- frames ------------------------------------------------------------------
// Runs `count` frames of `elapsedSeconds` each: asynchronous loads complete,
// simulated time advances, the aircraft moves along its heading at its ground
// speed (and climbs at its vertical speed) and the world model's values follow
// (xplmsim/datarefs.h), the flight loop runs and the frame is drawn.
void runFrames(int count, float elapsedSeconds);
// Frames run since reset.
int frameCount();

}  // namespace xplmsim

#endif
