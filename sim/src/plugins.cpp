// XPLMPlugin: the loaded plugins, their information and state, and messages
// between them.
#include <XPLMPlugin.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "loaded_plugins.h"
#include "state.h"
#include "text_out.h"
#include "xplmsim/loader.h"
#include "xplmsim/planes.h"
#include "xplmsim/plugins.h"

using namespace xplmsim;

namespace {

struct PluginTable {
  std::vector<Plugin> plugins;
  std::vector<PluginMessage> messages;
  std::map<int, MessageReceiver> receivers;
  int nextId = 1;  // IDs are not reused until reset
  std::map<int, std::set<std::string>> enabledFeatures;  // by plugin
  bool reloadRequested = false;
  int reloads = 0;
};

// The features this simulator offers, in the order XPLMEnumerateFeatures gives them.
constexpr const char* kFeatures[] = {"XPLM_WANTS_REFLECTIONS", "XPLM_USE_NATIVE_PATHS"};

bool offered(const char* feature) {
  if (feature == nullptr) return false;
  for (const char* name : kFeatures) {
    if (std::strcmp(name, feature) == 0) return true;
  }
  return false;
}

PluginTable& table() {
  static PluginTable instance;
  return instance;
}

Plugin* find(int id) {
  for (Plugin& p : table().plugins) {
    if (p.id == id) return &p;
  }
  return nullptr;
}

// The receiver is looked up at delivery: an earlier receiver may have
// disabled or unloaded it.
void deliver(int toId, int message, void* param) {
  const Plugin* to = find(toId);
  if (to == nullptr || !to->enabled || !to->receivesMessages) return;
  const int from = state().caller;
  table().messages.push_back(PluginMessage{from, toId, message, ptr(param)});
  CallerScope asReceiver(toId);
  auto receiver = table().receivers.find(toId);
  if (receiver != table().receivers.end()) receiver->second(from, message, param);
  if (isLoadedPlugin(toId)) messageLoadedPlugin(toId, from, message, param);
}

void deliverToAll(int message, void* param) {
  std::vector<int> ids;  // a receiver may load or unload plugins
  for (const Plugin& p : table().plugins) ids.push_back(p.id);
  for (int id : ids) deliver(id, message, param);
}

}  // namespace

XPLMPluginID XPLMGetMyID(void) {
  record("XPLMGetMyID");
  return state().caller;
}

int XPLMCountPlugins(void) {
  record("XPLMCountPlugins");
  return static_cast<int>(table().plugins.size());
}

XPLMPluginID XPLMGetNthPlugin(int inIndex) {
  record("XPLMGetNthPlugin", num(inIndex));
  if (inIndex < 0 || inIndex >= static_cast<int>(table().plugins.size())) return XPLM_NO_PLUGIN_ID;
  return table().plugins[static_cast<size_t>(inIndex)].id;
}

XPLMPluginID XPLMFindPluginBySignature(const char* inSignature) {
  record("XPLMFindPluginBySignature", std::string(inSignature ? inSignature : ""));
  if (inSignature == nullptr) return XPLM_NO_PLUGIN_ID;
  for (const Plugin& p : table().plugins) {
    if (p.signature == inSignature) return p.id;
  }
  return XPLM_NO_PLUGIN_ID;
}

// Null buffers are skipped. An unknown ID writes nothing.
void XPLMGetPluginInfo(XPLMPluginID inPlugin, char* outName, char* outFilePath, char* outSignature,
                       char* outDescription) {
  record("XPLMGetPluginInfo", num(inPlugin), ptr(outName), ptr(outFilePath), ptr(outSignature), ptr(outDescription));
  const Plugin* p = find(inPlugin);
  if (p == nullptr) return;
  copyText(outName, p->name, kPluginTextBytes);
  copyText(outFilePath, p->path, kPluginTextBytes);
  copyText(outSignature, p->signature, kPluginTextBytes);
  copyText(outDescription, p->description, kPluginTextBytes);
}

int XPLMIsPluginEnabled(XPLMPluginID inPluginID) {
  record("XPLMIsPluginEnabled", num(inPluginID));
  const Plugin* p = find(inPluginID);
  return p != nullptr && p->enabled ? 1 : 0;
}

int XPLMEnablePlugin(XPLMPluginID inPluginID) {
  record("XPLMEnablePlugin", num(inPluginID));
  if (isLoadedPlugin(inPluginID)) return enableLoadedPlugin(inPluginID) ? 1 : 0;
  Plugin* p = find(inPluginID);
  if (p == nullptr) return 0;
  if (!p->enabled && !p->refusesEnable) p->enabled = true;
  return p->enabled ? 1 : 0;
}

void XPLMDisablePlugin(XPLMPluginID inPluginID) {
  record("XPLMDisablePlugin", num(inPluginID));
  if (isLoadedPlugin(inPluginID)) return disableLoadedPlugin(inPluginID);
  Plugin* p = find(inPluginID);
  if (p != nullptr) p->enabled = false;
  releasePlanesOf(inPluginID);  // a disabled plugin gives its access to the aircraft back
}

// XPLM_NO_PLUGIN_ID sends to every plugin. Disabled plugins, and plugins
// without a receive function, get nothing.
void XPLMSendMessageToPlugin(XPLMPluginID inPlugin, int inMessage, void* inParam) {
  record("XPLMSendMessageToPlugin", num(inPlugin), num(inMessage), ptr(inParam));
  if (inPlugin == XPLM_NO_PLUGIN_ID) {
    deliverToAll(inMessage, inParam);
  } else {
    deliver(inPlugin, inMessage, inParam);
  }
}

// The exact path a plugin was loaded from; a null path finds nothing.
XPLMPluginID XPLMFindPluginByPath(const char* inPath) {
  record("XPLMFindPluginByPath", std::string(inPath ? inPath : ""));
  if (inPath == nullptr) return XPLM_NO_PLUGIN_ID;
  for (const Plugin& p : table().plugins) {
    if (p.path == inPath) return p.id;
  }
  return XPLM_NO_PLUGIN_ID;
}

// Deferred to the end of the frame (runFrames): a request made while one is
// pending adds nothing.
void XPLMReloadPlugins(void) {
  record("XPLMReloadPlugins");
  table().reloadRequested = true;
}

int XPLMHasFeature(const char* inFeature) {
  record("XPLMHasFeature", std::string(inFeature ? inFeature : ""));
  return offered(inFeature) ? 1 : 0;
}

// For the calling plugin; a feature this simulator does not offer is never on.
int XPLMIsFeatureEnabled(const char* inFeature) {
  record("XPLMIsFeatureEnabled", std::string(inFeature ? inFeature : ""));
  if (!offered(inFeature)) return 0;
  return table().enabledFeatures[state().caller].count(inFeature) != 0 ? 1 : 0;
}

// For the calling plugin only; a feature not offered is ignored.
void XPLMEnableFeature(const char* inFeature, int inEnable) {
  record("XPLMEnableFeature", std::string(inFeature ? inFeature : ""), num(inEnable));
  if (!offered(inFeature)) return;
  std::set<std::string>& enabled = table().enabledFeatures[state().caller];
  if (inEnable != 0) {
    enabled.insert(inFeature);
  } else {
    enabled.erase(inFeature);
  }
}

void XPLMEnumerateFeatures(XPLMFeatureEnumerator_f inEnumerator, void* inRef) {
  record("XPLMEnumerateFeatures", ptr(reinterpret_cast<void*>(inEnumerator)), ptr(inRef));
  if (inEnumerator == nullptr) return;
  for (const char* name : kFeatures) inEnumerator(name, inRef);
}

namespace xplmsim {

bool reloadRequested() { return table().reloadRequested; }
int requestedReloads() { return table().reloads; }

void runRequestedReload() {
  if (!table().reloadRequested) return;
  table().reloadRequested = false;
  ++table().reloads;
  reloadPlugins();
}

int addPlugin(const Plugin& plugin) {
  PluginTable& t = table();
  int id = t.nextId;
  for (const Plugin& p : t.plugins) id = std::max(id, p.id + 1);
  t.nextId = id + 1;
  t.plugins.push_back(plugin);
  t.plugins.back().id = id;
  return id;
}

Plugin* findPlugin(int id) { return find(id); }

void removePlugin(int id) {
  std::vector<Plugin>& all = table().plugins;
  all.erase(std::remove_if(all.begin(), all.end(), [&](const Plugin& p) { return p.id == id; }), all.end());
  table().receivers.erase(id);
}

void sendSimulatorMessage(int message, void* param) {
  CallerScope asSimulator(XPLM_PLUGIN_XPLANE);
  deliverToAll(message, param);
}

std::vector<Plugin> plugins() { return table().plugins; }
const Plugin* plugin(int id) { return find(id); }

void setRefusesEnable(int id, bool refuses) {
  Plugin* p = find(id);
  if (p != nullptr) p->refusesEnable = refuses;
}

std::vector<PluginMessage> messages() { return table().messages; }

void setMessageReceiver(int plugin, MessageReceiver receiver) { table().receivers[plugin] = std::move(receiver); }

void clearPlugins() {
  PluginTable& t = table();
  t = PluginTable{};
  t.plugins.push_back(Plugin{kHostPlugin, "qovin", "/X-Plane 11/Resources/plugins/qovin/64/lin.xpl",
                             "com.brevanto.qovin", "Runs plugins written in Java.", true, false, true});
  t.plugins.push_back(Plugin{kOtherPlugin, "Traffic Board", "/X-Plane 11/Resources/plugins/TrafficBoard/64/lin.xpl",
                             "com.example.trafficboard", "Shows messages from other plugins.", true, false, true});
}

}  // namespace xplmsim
