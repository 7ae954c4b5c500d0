// What a plugin still holds in the stand-in, kind by kind.
#include "owners.h"
#include "state.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/display.h"
#include "xplmsim/hot_keys.h"
#include "xplmsim/loader.h"
#include "xplmsim/maps.h"
#include "xplmsim/planes.h"
#include "xplmsim/menus.h"

namespace xplmsim {

namespace {

template <typename T, typename Owns>
int count(Registrations<T>& registrations, Owns owns) {
  int found = 0;
  registrations.walk([&](size_t index) {
    found += owns(registrations.at(index)) ? 1 : 0;
    return true;
  });
  return found;
}

}  // namespace

int PluginRegistrations::total() const {
  return flightLoops + drawCallbacks + keySniffers + windows + menus + menuItems + commandHandlers +
         publishedDataRefs + cameraControl + pendingLoads + objectLoads + instances + probes + mapLayers + planesAccess + hotKeys +
         flightLoopObjects + dataShares + errorCallback;
}

std::string PluginRegistrations::summary() const {
  const struct {
    int count;
    const char* one;
    const char* many;
  } kinds[] = {{flightLoops, "flight loop", "flight loops"},
               {drawCallbacks, "draw callback", "draw callbacks"},
               {keySniffers, "key sniffer", "key sniffers"},
               {windows, "window", "windows"},
               {menus, "menu", "menus"},
               {menuItems, "menu item", "menu items"},
               {commandHandlers, "command handler", "command handlers"},
               {publishedDataRefs, "published dataref", "published datarefs"},
               {cameraControl, "camera control", "camera controls"},
               {pendingLoads, "pending load", "pending loads"},
               {objectLoads, "object load", "object loads"},
               {instances, "instance", "instances"},
               {probes, "probe", "probes"},
               {mapLayers, "map layer", "map layers"},
               {planesAccess, "access to the aircraft", "accesses to the aircraft"},
               {hotKeys, "hot key", "hot keys"},
               {flightLoopObjects, "flight-loop object", "flight-loop objects"},
               {dataShares, "shared-data notification", "shared-data notifications"},
               {errorCallback, "error callback", "error callbacks"}};
  std::string text;
  for (const auto& kind : kinds) {
    if (kind.count == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(kind.count) + " " + (kind.count == 1 ? kind.one : kind.many);
  }
  return text;
}

PluginRegistrations registrationsOf(int plugin) {
  PluginRegistrations held;
  State& s = state();
  held.flightLoops = count(s.flightLoops, [&](const FlightLoopEntry& e) { return e.owner == plugin; });
  held.drawCallbacks = drawCallbacksOf(plugin);
  held.keySniffers = keySniffersOf(plugin);
  held.hotKeys = hotKeysOf(plugin);
  for (const WindowInfo& window : windows()) held.windows += window.owner == plugin ? 1 : 0;
  for (const MenuInfo& menu : menus()) {
    held.menus += menu.owner == plugin ? 1 : 0;
    for (const MenuItemInfo& item : menu.items) held.menuItems += item.owner == plugin ? 1 : 0;
  }
  const auto ownHandler = [&](const CommandHandlerEntry& e) { return e.owner == plugin; };
  for (size_t i = 0; i < s.commands.size(); ++i) {
    held.commandHandlers += count(s.commands.at(i).before, ownHandler) + count(s.commands.at(i).after, ownHandler);
  }
  for (const DataRefInfo& dataRef : dataRefs()) held.publishedDataRefs += dataRef.published && dataRef.owner == plugin;
  held.cameraControl = cameraControlOf(plugin);
  held.pendingLoads = pendingLoadsOf(plugin);
  held.objectLoads = objectLoadsOf(plugin);
  held.instances = instancesOf(plugin);
  held.probes = probesOf(plugin);
  held.mapLayers = mapLayersOf(plugin);
  held.planesAccess = planesController() == plugin ? 1 : 0;
  held.flightLoopObjects = flightLoopObjectsOf(plugin);
  held.dataShares = dataSharesOf(plugin);
  held.errorCallback = errorCallbackOf(plugin);
  return held;
}

}  // namespace xplmsim
