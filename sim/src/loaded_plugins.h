// What the plugin table (plugins.cpp) and the plugin loader (plugin_loader.cpp)
// tell each other about plugins loaded from .xpl files.
#ifndef XPLMSIM_LOADED_PLUGINS_H
#define XPLMSIM_LOADED_PLUGINS_H

#include "xplmsim/plugins.h"

namespace xplmsim {

// --- the plugin table (plugins.cpp) -----------------------------------------
// The plugin with this ID, to change, or null.
Plugin* findPlugin(int id);
// Takes the plugin out of the list; its messages stay recorded.
void removePlugin(int id);

// --- the loader (plugin_loader.cpp) ------------------------------------------
// Whether the plugin was loaded from a file (its entry points are called).
bool isLoadedPlugin(int id);
// Calls XPluginEnable of a disabled loaded plugin, as that plugin; answers
// whether it is enabled afterwards.
bool enableLoadedPlugin(int id);
// Calls XPluginDisable of an enabled loaded plugin, as that plugin.
void disableLoadedPlugin(int id);
// Calls XPluginReceiveMessage of a loaded plugin; the caller is the receiver already.
void messageLoadedPlugin(int id, int from, int message, void* param);

}  // namespace xplmsim

#endif
