// The stand-in's maps: opened and closed on request, their layers, and what
// the layers queued (icons, labels) in the latest frame.
#ifndef XPLMSIM_MAPS_H
#define XPLMSIM_MAPS_H

#include <string>
#include <vector>

namespace xplmsim {

// Opens a map (XPLM_MAP_USER_INTERFACE, XPLM_MAP_IOS or any other name):
// every creation hook is called, as the plugin that registered it. The map
// is centred on the user's aircraft as it is then, shows 1000 x 1000 map
// units (one unit is 100 m at its centre; north up; left -500, top 500,
// right 500, bottom -500) in the VFR sectional style. False, and nothing
// called, if it is open already or the name is empty.
bool openMap(const std::string& identifier);
// Closes an open map: each of its layers gets its will-be-deleted callback,
// in creation order, and is gone. False if it was not open.
bool closeMap(const std::string& identifier);
bool mapIsOpen(const std::string& identifier);
// The visible (and total) area of an open map, left, top, right, bottom in
// map units: a new area gets each layer a prepare-cache call in the next frame.
bool setMapArea(const std::string& identifier, float left, float top, float right, float bottom);
bool setMapStyle(const std::string& identifier, int style);

// Creation hooks registered; they live as long as the plugin that registered
// them is loaded (the SDK has no way to take one back): reset keeps those of
// kHostPlugin and kOtherPlugin and drops the others.
int mapCreationHookCount();

struct MapLayerInfo {
  void* id = nullptr;
  std::string map;
  std::string name;
  int type = 0;
  bool showUiToggle = false;
  int owner = 0;
  int prepareCalls = 0, drawCalls = 0, iconCalls = 0, labelCalls = 0;
  int iconsQueued = 0, labelsQueued = 0;  // since the layer was created
};
// Layers that exist, in creation order.
std::vector<MapLayerInfo> mapLayers();
// Layers that `plugin` created and that exist.
int mapLayersOf(int plugin);

// An icon or a label a layer queued in the latest frame of its map.
struct MapIcon {
  void* layer = nullptr;
  std::string pngPath;
  int s = 0, t = 0, ds = 0, dt = 0;
  float x = 0, y = 0;
  int orientation = 0;
  float rotation = 0, width = 0;
};
struct MapLabel {
  void* layer = nullptr;
  std::string text;
  float x = 0, y = 0;
  int orientation = 0;
  float rotation = 0;
};
std::vector<MapIcon> mapIcons(const std::string& identifier);
std::vector<MapLabel> mapLabels(const std::string& identifier);

// Draws one frame of every open map, in opening order (runFrames calls it
// after the scene): prepare-cache where needed, then the draw, icon and label
// stages, fill layers before markings layers in each, creation order within a type.
void drawMaps();
// Closes every open map (will-be-deleted callbacks of loaded plugins' layers),
// and forgets layers and the hooks of plugins other than kHostPlugin and kOtherPlugin.
void clearMaps();

}  // namespace xplmsim

#endif
