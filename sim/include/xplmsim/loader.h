// Plugins loaded from .xpl files, as X-Plane loads them: dlopen, the five
// entry points called in X-Plane's order, each as the plugin itself. A loaded
// plugin is in the plugin list (xplmsim/plugins.h) with the name, signature
// and description its XPluginStart wrote and the file's path; XPLMEnablePlugin,
// XPLMDisablePlugin and messages reach its entry points.
//
// Not to be called from inside a loaded plugin: stopping or reloading unloads
// the code that would be running.
#ifndef XPLMSIM_LOADER_H
#define XPLMSIM_LOADER_H

#include <string>
#include <vector>

namespace xplmsim {

// Loads every <root>/Resources/plugins/*/lin_x64/*.xpl, in path order:
// XPluginStart of each, then XPluginEnable of each one started. A file that
// does not load, or lacks XPluginStart, XPluginStop, XPluginEnable or
// XPluginDisable, is refused with a line in the simulator's log; a plugin
// whose XPluginStart answers 0 is unloaded and leaves nothing in the list; one
// whose XPluginEnable answers 0 stays loaded, disabled. Answers the IDs of the
// plugins started, in load order.
std::vector<int> loadPluginsFrom(const std::string& root);
// Loads one .xpl the same way; answers its ID, or -1 if it was refused or
// did not start.
int loadPlugin(const std::string& path);
// IDs of the loaded plugins, in load order.
std::vector<int> loadedPlugins();

// Unloads every loaded plugin: XPluginDisable of each enabled one, then
// XPluginStop of each, both in reverse load order, then dlclose. reset() does
// this first.
void stopPlugins();

// What X-Plane does to reload a plugin in the same process: XPluginDisable (if
// enabled), XPluginStop, dlclose, then dlopen of the same file, XPluginStart
// and XPluginEnable. The plugin comes back with a new ID, as X-Plane gives no
// promise that it keeps it: IDs are never reused, so a stale ID answers
// nothing. Answers the new ID, or -1 if the ID is no loaded plugin or the
// plugin no longer loads or starts.
int reloadPlugin(int id);
// X-Plane's "reload plugins": every loaded plugin is stopped and unloaded
// (as stopPlugins), then the same folders are scanned again and the same
// files loaded, as at start (a folder's new files included). Answers the new IDs.
std::vector<int> reloadPlugins();

// --- what a plugin holds ---------------------------------------------------------
// Registrations the stand-in keeps for a plugin: each is what it registered,
// created or loaded and has not yet taken back.
struct PluginRegistrations {
  int flightLoops = 0;
  int drawCallbacks = 0;
  int keySniffers = 0;
  int windows = 0;          // not destroyed
  int menus = 0;            // not destroyed
  int menuItems = 0;        // in any live menu, separators included
  int commandHandlers = 0;
  int publishedDataRefs = 0;
  int cameraControl = 0;    // 1 while its controller has the camera
  int pendingLoads = 0;     // asynchronous object loads not yet completed
  int objectLoads = 0;      // object loads not yet unloaded
  int instances = 0;        // not destroyed
  int probes = 0;           // not destroyed
  int mapLayers = 0;        // not destroyed, in open maps
  int planesAccess = 0;     // 1 while it holds access to the aircraft
  int hotKeys = 0;          // not unregistered
  int flightLoopObjects = 0;  // created and not destroyed
  int dataShares = 0;         // shared-data notifications not unshared
  int errorCallback = 0;      // 1 while it has an error callback

  int total() const;
  // The kinds held, as "2 flight loops, 1 window"; "" when nothing is held.
  std::string summary() const;
};
PluginRegistrations registrationsOf(int plugin);

}  // namespace xplmsim

#endif
