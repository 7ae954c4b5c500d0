// Flight loops and commands of the stand-in simulator.
#ifndef XPLMSIM_FLIGHTLOOPS_H
#define XPLMSIM_FLIGHTLOOPS_H

#include <string>
#include <vector>

namespace xplmsim {

// Runs one flight-loop pass of `elapsedSeconds`: held commands get their
// continue phase, then every flight-loop callback that is due runs, in
// registration order. runFrames runs one pass per frame.
void runFlightLoop(float elapsedSeconds);
// The two halves of a pass, around the flight model: the clock and counter
// advance and the due flight-loop objects of the before phase run; then held
// commands continue and the due registered loops and after-phase objects run.
// runFlightLoop runs both; runFrames runs the flight model between them.
void startFlightLoop(float elapsedSeconds);
void finishFlightLoop(float elapsedSeconds);

// Flight-loop passes run since reset (the counter callbacks receive).
int flightLoopCounter();

// Flight-loop registrations that still exist (active or not).
int flightLoopCount();

// Flight-loop callbacks called since reset.
long long flightLoopCallsMade();

// Executes a command as the user or another plugin would: begin (held until
// end, with a continue phase each flight loop in between), end, or both at once.
// Unknown names do nothing.
void commandBegin(const std::string& name);
void commandEnd(const std::string& name);
void commandOnce(const std::string& name);

// The phases in which the simulator's own handling of a command ran, oldest
// first (0 begin, 1 continue, 2 end). Commands created by plugins have no own
// handling, but their executions are counted here all the same. Like the call
// record, kept only while recording is on.
std::vector<int> commandActions(const std::string& name);

// Forgets the phases recorded so far for every command. The record keeps its
// storage, so a benchmark that executes commands in a loop stops allocating.
void forgetCommandActions();

// Commands known to the simulator, with their descriptions and creators
// (0: the simulator).
struct CommandInfo {
  std::string name;
  std::string description;
  int creator = 0;
  int handlers = 0;
};
std::vector<CommandInfo> commands();

}  // namespace xplmsim

#endif
