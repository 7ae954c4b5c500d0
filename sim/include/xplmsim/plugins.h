// The stand-in's loaded plugins, the messages they are sent, and the aircraft
// models in the simulator's aircraft slots.
#ifndef XPLMSIM_PLUGINS_H
#define XPLMSIM_PLUGINS_H

#include <functional>
#include <string>
#include <vector>

namespace xplmsim {

// A loaded plugin. After reset there are two, both enabled: kHostPlugin (the
// host plugin that runs the JVM) and kOtherPlugin. Plugins loaded from .xpl
// files (xplmsim/loader.h) join them; for those, enabling, disabling and
// messages call the file's entry points, and refusesEnable is not used.
struct Plugin {
  int id = 0;
  std::string name;
  std::string path;
  std::string signature;
  std::string description;
  bool enabled = true;
  bool refusesEnable = false;    // its XPluginEnable answers 0
  bool receivesMessages = true;  // it has an XPluginReceiveMessage
};

// Loads another plugin (its id is ignored) and returns its new ID.
int addPlugin(const Plugin& plugin);
std::vector<Plugin> plugins();
// The plugin with this ID, or null.
const Plugin* plugin(int id);
void setRefusesEnable(int id, bool refuses);

// XPLMReloadPlugins asks for a reload of every plugin; the frame in which it
// was asked ends with it (runFrames): reloadPlugins (xplmsim/loader.h), the
// same path as X-Plane's own reload. Whether one is asked for now, and how many
// ran since reset.
bool reloadRequested();
int requestedReloads();
// Features: XPLM_WANTS_REFLECTIONS and XPLM_USE_NATIVE_PATHS are offered, off
// for every plugin until it turns them on for itself (XPLMEnableFeature).

// Texts that XPLMGetPluginInfo writes are cut to 256 bytes, terminator included.
constexpr size_t kPluginTextBytes = 256;

// A message as its receiver got it. The parameter is a pointer, or an integer
// in pointer form: what it means depends on the message.
struct PluginMessage {
  int from = 0;
  int to = 0;
  int message = 0;
  long long param = 0;
};
// Messages delivered since reset, oldest first.
std::vector<PluginMessage> messages();
// Called while a message is delivered to `plugin` (as that plugin), to read
// the parameter while it is valid. Reset removes every receiver.
using MessageReceiver = std::function<void(int from, int message, void* param)>;
void setMessageReceiver(int plugin, MessageReceiver receiver);
// The simulator (XPLM_PLUGIN_XPLANE) sends a message, such as
// XPLM_MSG_PLANE_LOADED, to every enabled plugin, in list order.
void sendSimulatorMessage(int message, void* param);

// --- aircraft ---------------------------------------------------------------------
// The simulator's aircraft slots: 0 is the user's aircraft (a Cessna 172SP
// after reset), 1 an AI King Air; the others are empty. An empty slot reports
// empty texts; an index outside the slots writes nothing.
constexpr int kAircraftSlots = 20;
// Texts that XPLMGetNthAircraftModel writes are cut to 256 bytes (file name)
// and 512 bytes (path), terminators included.
constexpr size_t kAircraftFileBytes = 256;
constexpr size_t kAircraftPathBytes = 512;
void setAircraftModel(int slot, const std::string& fileName, const std::string& path);

}  // namespace xplmsim

#endif
