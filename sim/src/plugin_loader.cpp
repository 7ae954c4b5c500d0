// Plugins loaded from .xpl files: dlopen, entry points, X-Plane's order of
// starting, enabling, disabling and stopping them, and reloading.
#include <XPLMPlugin.h>
#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "loaded_plugins.h"
#include "state.h"
#include "xplmsim/loader.h"
#include "xplmsim/planes.h"

using namespace xplmsim;

namespace {

using StartFunction = int (*)(char*, char*, char*);
using StopFunction = void (*)();
using EnableFunction = int (*)();
using DisableFunction = void (*)();
using ReceiveFunction = void (*)(XPLMPluginID, int, void*);

struct LoadedPlugin {
  int id = 0;
  std::string path;
  void* library = nullptr;
  StartFunction start = nullptr;
  StopFunction stop = nullptr;
  EnableFunction enable = nullptr;
  DisableFunction disable = nullptr;
  ReceiveFunction receive = nullptr;  // optional
};

// What was loaded, so that reloadPlugins loads it again: a folder is scanned again.
struct Source {
  std::string path;
  bool folder = false;
};

struct Loader {
  std::vector<LoadedPlugin> plugins;  // in load order
  std::vector<Source> sources;
};

Loader& loader() {
  static Loader instance;
  return instance;
}

LoadedPlugin* findLoaded(int id) {
  for (LoadedPlugin& p : loader().plugins) {
    if (p.id == id) return &p;
  }
  return nullptr;
}

// The simulator writes to its log itself, not through XPLMDebugString.
void logLine(const std::string& line) { state().debugLog += line + "\n"; }

std::string absolute(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

// <root>/Resources/plugins/*/lin_x64/*.xpl, sorted by path.
std::vector<std::string> scan(const std::string& root) {
  namespace fs = std::filesystem;
  std::vector<std::string> found;
  std::error_code error;
  for (const fs::directory_entry& folder : fs::directory_iterator(fs::path(root) / "Resources" / "plugins", error)) {
    std::error_code inner;
    for (const fs::directory_entry& file : fs::directory_iterator(folder.path() / "lin_x64", inner)) {
      if (file.path().extension() == ".xpl" && fs::is_regular_file(file.path(), inner)) {
        found.push_back(file.path().string());
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

template <typename Function>
Function entryPoint(void* library, const char* name) {
  return reinterpret_cast<Function>(dlsym(library, name));
}

// dlopen and the entry points; false, with a line in the log, if the file is refused.
bool open(const std::string& path, LoadedPlugin* plugin) {
  for (const LoadedPlugin& other : loader().plugins) {
    if (other.path == path) {
      logLine("Couldn't load plugin " + path + ": it is loaded already.");
      return false;
    }
  }
  plugin->path = path;
  plugin->library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (plugin->library == nullptr) {
    logLine("Couldn't load plugin " + path + ": " + dlerror());
    return false;
  }
  plugin->start = entryPoint<StartFunction>(plugin->library, "XPluginStart");
  plugin->stop = entryPoint<StopFunction>(plugin->library, "XPluginStop");
  plugin->enable = entryPoint<EnableFunction>(plugin->library, "XPluginEnable");
  plugin->disable = entryPoint<DisableFunction>(plugin->library, "XPluginDisable");
  plugin->receive = entryPoint<ReceiveFunction>(plugin->library, "XPluginReceiveMessage");
  const char* missing = plugin->start == nullptr     ? "XPluginStart"
                        : plugin->stop == nullptr    ? "XPluginStop"
                        : plugin->enable == nullptr  ? "XPluginEnable"
                        : plugin->disable == nullptr ? "XPluginDisable"
                                                     : nullptr;
  if (missing == nullptr) return true;
  logLine("Couldn't load plugin " + path + ": it has no " + missing + ".");
  dlclose(plugin->library);
  return false;
}

// Opens the file, gives it an ID and calls its XPluginStart as that plugin.
// Answers its ID, or -1 if it was refused or answered 0 (and is unloaded).
int start(const std::string& path) {
  LoadedPlugin plugin;
  if (!open(path, &plugin)) return -1;
  Plugin listed;
  listed.path = path;
  listed.enabled = false;
  listed.receivesMessages = plugin.receive != nullptr;
  plugin.id = addPlugin(listed);
  loader().plugins.push_back(plugin);
  char name[kPluginTextBytes] = {};
  char signature[kPluginTextBytes] = {};
  char description[kPluginTextBytes] = {};
  int started = 0;
  {
    const CallerScope asPlugin(plugin.id);
    started = plugin.start(name, signature, description);
  }
  name[kPluginTextBytes - 1] = signature[kPluginTextBytes - 1] = description[kPluginTextBytes - 1] = '\0';
  if (started == 0) {
    logLine("Plugin " + path + " did not start: its XPluginStart answered 0.");
    removePlugin(plugin.id);
    std::vector<LoadedPlugin>& all = loader().plugins;
    all.erase(std::remove_if(all.begin(), all.end(), [&](const LoadedPlugin& p) { return p.id == plugin.id; }),
              all.end());
    dlclose(plugin.library);
    return -1;
  }
  if (Plugin* entry = findPlugin(plugin.id)) {
    entry->name = name;
    entry->signature = signature;
    entry->description = description;
  }
  logLine(std::string("Loaded: ") + path + " (" + signature + ").");
  return plugin.id;
}

// X-Plane's order: every XPluginStart, then every XPluginEnable.
std::vector<int> loadAll(const std::vector<std::string>& paths) {
  std::vector<int> started;
  for (const std::string& path : paths) {
    const int id = start(path);
    if (id >= 0) started.push_back(id);
  }
  for (int id : started) enableLoadedPlugin(id);
  return started;
}

// Disables, stops and unloads these plugins, each step in reverse load order.
void unload(std::vector<int> ids) {
  std::reverse(ids.begin(), ids.end());
  for (int id : ids) disableLoadedPlugin(id);
  for (int id : ids) {
    if (const LoadedPlugin* plugin = findLoaded(id)) {
      const StopFunction stop = plugin->stop;
      const CallerScope asPlugin(id);
      stop();
    }
  }
  for (int id : ids) {
    const LoadedPlugin* plugin = findLoaded(id);
    if (plugin == nullptr) continue;
    void* library = plugin->library;
    std::vector<LoadedPlugin>& all = loader().plugins;
    all.erase(all.begin() + (plugin - all.data()));
    removePlugin(id);
    dlclose(library);
  }
}

}  // namespace

namespace xplmsim {

bool isLoadedPlugin(int id) { return findLoaded(id) != nullptr; }

bool enableLoadedPlugin(int id) {
  const LoadedPlugin* plugin = findLoaded(id);
  const Plugin* listed = findPlugin(id);
  if (plugin == nullptr || listed == nullptr) return false;
  if (listed->enabled) return true;
  const EnableFunction enable = plugin->enable;
  int enabled = 0;
  {
    const CallerScope asPlugin(id);
    enabled = enable();
  }
  Plugin* after = findPlugin(id);
  if (after == nullptr) return false;
  after->enabled = enabled != 0;
  return after->enabled;
}

void disableLoadedPlugin(int id) {
  const LoadedPlugin* plugin = findLoaded(id);
  Plugin* listed = findPlugin(id);
  if (plugin == nullptr || listed == nullptr || !listed->enabled) return;
  listed->enabled = false;  // no messages from now on, even during its XPluginDisable
  const DisableFunction disable = plugin->disable;
  const CallerScope asPlugin(id);
  disable();
  releasePlanesOf(id);  // a disabled plugin gives its access to the aircraft back
}

void messageLoadedPlugin(int id, int from, int message, void* param) {
  const LoadedPlugin* plugin = findLoaded(id);
  if (plugin != nullptr && plugin->receive != nullptr) plugin->receive(from, message, param);
}

std::vector<int> loadPluginsFrom(const std::string& root) {
  const std::string folder = absolute(root);
  loader().sources.push_back(Source{folder, true});
  return loadAll(scan(folder));
}

int loadPlugin(const std::string& path) {
  const std::string file = absolute(path);
  loader().sources.push_back(Source{file, false});
  const std::vector<int> started = loadAll({file});
  return started.empty() ? -1 : started.front();
}

std::vector<int> loadedPlugins() {
  std::vector<int> ids;
  for (const LoadedPlugin& p : loader().plugins) ids.push_back(p.id);
  return ids;
}

void stopPlugins() {
  unload(loadedPlugins());
  loader().sources.clear();
}

int reloadPlugin(int id) {
  const LoadedPlugin* plugin = findLoaded(id);
  if (plugin == nullptr) return -1;
  const std::string path = plugin->path;
  unload({id});
  const std::vector<int> started = loadAll({path});
  return started.empty() ? -1 : started.front();
}

std::vector<int> reloadPlugins() {
  unload(loadedPlugins());
  std::vector<std::string> paths;
  for (const Source& source : loader().sources) {
    for (const std::string& path : source.folder ? scan(source.path) : std::vector<std::string>{source.path}) {
      if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
    }
  }
  return loadAll(paths);
}

}  // namespace xplmsim
