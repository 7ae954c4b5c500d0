// XPLMPlugin: the loaded plugins, their information and state, and messages
// between them.
#include <XPLMPlugin.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "loaded_plugins.h"
#include "state.h"
#include "text_out.h"
#include "xplmsim/plugins.h"

using namespace xplmsim;

namespace {

struct PluginTable {
  std::vector<Plugin> plugins;
  std::vector<PluginMessage> messages;
  std::map<int, MessageReceiver> receivers;
  int nextId = 1;  // IDs are not reused until reset
};

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

namespace xplmsim {

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
