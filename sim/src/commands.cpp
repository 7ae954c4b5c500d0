// XPLMUtilities commands: each phase of a command runs its before-handlers,
// then the simulator's own handling, then its after-handlers, in registration
// order; a handler that returns 0 stops everything after it.
#include <XPLMDataAccess.h>
#include <XPLMUtilities.h>

#include <algorithm>

#include "catalog.h"
#include "state.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"

using namespace xplmsim;

namespace {

using Handlers = Registrations<CommandHandlerEntry>;

CommandEntry* command(XPLMCommandRef ref) { return state().commands.find(ref); }

XPLMCommandRef handleOfName(const std::string& name) {
  const State& s = state();
  auto found = s.commandsByName.find(name);
  return found == s.commandsByName.end() ? nullptr : s.commands.handleOf(found->second);
}

XPLMCommandRef define(const std::string& name, const std::string& description, int creator,
                      void (*own)(int)) {
  State& s = state();
  auto entry = std::make_unique<CommandEntry>();
  entry->name = name;
  entry->description = description;
  entry->creator = creator;
  entry->own = own;
  XPLMCommandRef handle = s.commands.add(std::move(entry));
  s.commandsByName.emplace(name, s.commands.size() - 1);
  return handle;
}

// Runs the handlers of one side; false if one of them stopped processing.
bool runHandlers(XPLMCommandRef ref, Handlers& handlers, int phase) {
  return handlers.walk([&](size_t index) {
    const CommandHandlerEntry& h = handlers.at(index);
    const CallerScope asOwner(h.owner);
    return h.handler(ref, phase, h.refcon) != 0;
  });
}

void dispatch(XPLMCommandRef ref, int phase) {
  CommandEntry* entry = command(ref);
  if (entry == nullptr || !runHandlers(ref, entry->before, phase)) return;
  if (state().recording) entry->actions.push_back(phase);
  if (entry->own != nullptr) {
    CallerScope asSimulator(0);
    entry->own(phase);
  }
  runHandlers(ref, entry->after, phase);
}

Handlers* side(XPLMCommandRef ref, int before) {
  CommandEntry* entry = command(ref);
  if (entry == nullptr) return nullptr;
  return before != 0 ? &entry->before : &entry->after;
}

void toggle(const char* dataref) {
  XPLMDataRef ref = XPLMFindDataRef(dataref);
  XPLMSetDatai(ref, XPLMGetDatai(ref) != 0 ? 0 : 1);
}

void adjustThrottles(float step) {
  std::vector<float> levers = floatArrayValue("sim/cockpit2/engine/actuators/throttle_ratio");
  for (float& lever : levers) lever = std::clamp(lever + step, 0.0f, 1.0f);
  XPLMSetDatavf(XPLMFindDataRef("sim/cockpit2/engine/actuators/throttle_ratio"), levers.data(), 0,
                static_cast<int>(levers.size()));
}

}  // namespace

XPLMCommandRef XPLMFindCommand(const char* inName) {
  record("XPLMFindCommand", std::string(inName ? inName : ""));
  return inName == nullptr ? nullptr : handleOfName(inName);
}

// An existing command of that name is returned as it is.
XPLMCommandRef XPLMCreateCommand(const char* inName, const char* inDescription) {
  record("XPLMCreateCommand", std::string(inName ? inName : ""), std::string(inDescription ? inDescription : ""));
  if (inName == nullptr || *inName == '\0') return nullptr;
  XPLMCommandRef existing = handleOfName(inName);
  if (existing != nullptr) return existing;
  return define(inName, inDescription ? inDescription : "", state().caller, nullptr);
}

void XPLMCommandBegin(XPLMCommandRef inCommand) {
  record("XPLMCommandBegin", ptr(inCommand));
  CommandEntry* entry = command(inCommand);
  if (entry == nullptr) return;
  if (!entry->held) state().heldCommands.push_back(inCommand);
  entry->held = true;
  dispatch(inCommand, xplm_CommandBegin);
}

// Ends a held command; a command that is not held is left alone.
void XPLMCommandEnd(XPLMCommandRef inCommand) {
  record("XPLMCommandEnd", ptr(inCommand));
  CommandEntry* entry = command(inCommand);
  if (entry == nullptr || !entry->held) return;
  entry->held = false;
  std::vector<void*>& held = state().heldCommands;
  held.erase(std::find(held.begin(), held.end(), inCommand));
  dispatch(inCommand, xplm_CommandEnd);
}

void XPLMCommandOnce(XPLMCommandRef inCommand) {
  record("XPLMCommandOnce", ptr(inCommand));
  if (command(inCommand) == nullptr) return;
  dispatch(inCommand, xplm_CommandBegin);
  dispatch(inCommand, xplm_CommandEnd);
}

void XPLMRegisterCommandHandler(XPLMCommandRef inComand, XPLMCommandCallback_f inHandler, int inBefore,
                                void* inRefcon) {
  record("XPLMRegisterCommandHandler", ptr(inComand), ptr(reinterpret_cast<void*>(inHandler)), num(inBefore),
         ptr(inRefcon));
  Handlers* handlers = side(inComand, inBefore);
  if (handlers == nullptr || inHandler == nullptr) return;
  handlers->add(CommandHandlerEntry{inHandler, inRefcon, currentPlugin()});
}

// Removes the first registration with these four values, if there is one.
void XPLMUnregisterCommandHandler(XPLMCommandRef inComand, XPLMCommandCallback_f inHandler, int inBefore,
                                  void* inRefcon) {
  record("XPLMUnregisterCommandHandler", ptr(inComand), ptr(reinterpret_cast<void*>(inHandler)), num(inBefore),
         ptr(inRefcon));
  Handlers* handlers = side(inComand, inBefore);
  if (handlers == nullptr) return;
  handlers->remove([&](const CommandHandlerEntry& h) { return h.handler == inHandler && h.refcon == inRefcon; });
}

namespace xplmsim {

void commandBegin(const std::string& name) {
  CallerScope asSimulator(0);
  XPLMCommandBegin(handleOfName(name));
}
void commandEnd(const std::string& name) {
  CallerScope asSimulator(0);
  XPLMCommandEnd(handleOfName(name));
}
void commandOnce(const std::string& name) {
  CallerScope asSimulator(0);
  XPLMCommandOnce(handleOfName(name));
}

std::vector<int> commandActions(const std::string& name) {
  const CommandEntry* entry = command(handleOfName(name));
  return entry != nullptr ? entry->actions : std::vector<int>{};
}

std::vector<CommandInfo> commands() {
  std::vector<CommandInfo> all;
  const State& s = state();
  for (size_t i = 0; i < s.commands.size(); ++i) {
    const CommandEntry& e = s.commands.at(i);
    all.push_back(CommandInfo{e.name, e.description, e.creator, static_cast<int>(e.before.size() + e.after.size())});
  }
  return all;
}

void forgetCommandActions() {
  State& s = state();
  for (size_t i = 0; i < s.commands.size(); ++i) s.commands.at(i).actions.clear();
}

// Only the held ones are visited: a pass costs nothing with none held.
void continueHeldCommands() {
  State& s = state();
  for (size_t k = 0; k < s.heldCommands.size(); ++k) dispatch(s.heldCommands[k], xplm_CommandContinue);
}

void clearCommands() {
  State& s = state();
  for (size_t i = s.simulatorCommands; i < s.commands.size(); ++i) s.commandsByName.erase(s.commands.at(i).name);
  s.commands.truncate(s.simulatorCommands);
  s.heldCommands.erase(std::remove_if(s.heldCommands.begin(), s.heldCommands.end(),
                                     [](void* held) { return command(held) == nullptr; }),
                      s.heldCommands.end());
}

// Every command the simulator lists (catalog.h) exists and runs its handlers;
// these also do what the simulator does.
void installDefaultCommands() {
  CallerScope asSimulator(0);
  State& s = state();
  for (size_t i = 0; i < kCatalogCommandCount; ++i) {
    if (i == s.commands.size()) define(kCatalogCommands[i], "", 0, nullptr);
    CommandEntry& entry = s.commands.at(i);
    entry.description.clear();
    entry.held = false;
    entry.before.clear();
    entry.after.clear();
    entry.actions.clear();
    entry.own = nullptr;
  }
  s.simulatorCommands = kCatalogCommandCount;
  s.heldCommands.clear();
  const auto ownHandling = [](const char* name, const char* description, void (*own)(int)) {
    CommandEntry* entry = command(handleOfName(name));
    entry->description = description;
    entry->own = own;
  };
  ownHandling("sim/operation/pause_toggle", "Toggle pause.", [](int phase) {
    if (phase == xplm_CommandBegin) setScalar("sim/time/paused", scalarValue("sim/time/paused") != 0 ? 0 : 1);
  });
  ownHandling("sim/operation/pause_on", "Pause the sim.", [](int phase) {
    if (phase == xplm_CommandBegin) setScalar("sim/time/paused", 1);
  });
  ownHandling("sim/operation/pause_off", "Un-pause the sim.", [](int phase) {
    if (phase == xplm_CommandBegin) setScalar("sim/time/paused", 0);
  });
  ownHandling("sim/electrical/battery_1_toggle", "Toggle battery 1.", [](int phase) {
    if (phase == xplm_CommandBegin) toggle("sim/cockpit/electrical/battery_on");
  });
  ownHandling("sim/engines/throttle_up", "Throttle up a bit.", [](int phase) {
    if (phase != xplm_CommandEnd) adjustThrottles(0.1f);
  });
  ownHandling("sim/engines/throttle_down", "Throttle down a bit.", [](int phase) {
    if (phase != xplm_CommandEnd) adjustThrottles(-0.1f);
  });
}

}  // namespace xplmsim
