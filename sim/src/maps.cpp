// XPLMMap: maps that open on request, their layers, the stages of a map
// frame, and an equirectangular projection centred where the aircraft was
// when the map opened.
#include <XPLMMap.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "state.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/maps.h"
#include "xplmsim/plugins.h"

using namespace xplmsim;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerDegree = 6371000.0 * kPi / 180.0;
constexpr double kMetresPerUnit = 100.0;
constexpr float kHalfSide = 500.0f;

struct Projection {
  double latitude = 0, longitude = 0;  // the centre, map (0, 0)
  double cosLatitude = 1;
};

struct Map {
  std::string id;
  bool open = true;
  float area[4] = {-kHalfSide, kHalfSide, kHalfSide, -kHalfSide};
  int areaVersion = 1;
  int style = xplm_MapStyle_VFR_Sectional;
  void* projection = nullptr;
  std::vector<MapIcon> icons;
  std::vector<MapLabel> labels;
};

struct Layer {
  MapLayerInfo info;
  XPLMCreateMapLayer_t params{};
  bool alive = true;
  int preparedVersion = 0;  // the area version of the last prepare-cache
};

struct Hook {
  XPLMMapCreatedCallback_f callback = nullptr;
  void* refcon = nullptr;
  int owner = kHostPlugin;
};

enum class Stage { None, Prepare, Draw, Icons, Labels };

struct Maps {
  HandleTable<Map, 0x3A90> maps;  // a closed map keeps its entry: its handle stays recognisable
  HandleTable<Layer, 0x3A91> layers;
  HandleTable<Projection, 0x3A92> projections;
  std::vector<Hook> hooks;
  // The callback under way: its stage, layer and projection.
  Stage stage = Stage::None;
  void* layer = nullptr;
  void* projection = nullptr;
};

Maps& maps() {
  static Maps instance;
  return instance;
}

Map* openMapNamed(const std::string& id) {
  Maps& m = maps();
  for (size_t i = 0; i < m.maps.size(); ++i) {
    if (m.maps.at(i).open && m.maps.at(i).id == id) return &m.maps.at(i);
  }
  return nullptr;
}

bool listedAndEnabled(int plugin) {
  const Plugin* p = xplmsim::plugin(plugin);
  return p != nullptr && p->enabled;
}

// The layer behind a handle if it exists; a destroyed layer's use is counted.
Layer* liveLayer(const void* handle, const char* function) {
  Layer* layer = maps().layers.find(handle);
  if (layer == nullptr) return nullptr;
  if (!layer->alive) {
    countReleasedHandleUse(function);
    return nullptr;
  }
  return layer;
}

// Runs `call` as the layer's owner, with the stage, layer and projection set
// for the calls it makes; restores the previous ones after (callbacks may nest).
template <typename Call>
void inCallback(Stage stage, void* layer, void* projection, int owner, Call call) {
  Maps& m = maps();
  const Stage stage0 = m.stage;
  void* const layer0 = m.layer;
  void* const projection0 = m.projection;
  m.stage = stage;
  m.layer = layer;
  m.projection = projection;
  {
    CallerScope asOwner(owner);
    call();
  }
  m.stage = stage0;
  m.layer = layer0;
  m.projection = projection0;
}

// Calls will-be-deleted and marks the layer gone.
void deleteLayer(size_t index) {
  Layer& layer = maps().layers.at(index);
  if (!layer.alive) return;
  layer.alive = false;
  const XPLMMapWillBeDeletedCallback_f callback = layer.params.willBeDeletedCallback;
  void* const refcon = layer.params.refcon;
  void* const id = layer.info.id;
  if (callback != nullptr && listedAndEnabled(layer.info.owner)) {
    inCallback(Stage::None, nullptr, nullptr, layer.info.owner, [&] { callback(id, refcon); });
  }
}

const Projection* activeProjection(const void* projection) {
  Maps& m = maps();
  if (projection == nullptr || projection != m.projection) return nullptr;
  return m.projections.find(projection);
}

// Each live layer of `map` of `type`, in creation order; layers made during the walk wait for the next frame.
template <typename Visit>
void eachLayer(const std::string& map, int type, Visit visit) {
  Maps& m = maps();
  const size_t count = m.layers.size();
  for (size_t i = 0; i < count; ++i) {
    Layer& layer = m.layers.at(i);
    if (layer.alive && layer.info.map == map && layer.info.type == type && listedAndEnabled(layer.info.owner)) {
      visit(i);
    }
  }
}

void drawMap(size_t mapIndex) {
  Maps& m = maps();
  m.maps.at(mapIndex).icons.clear();
  m.maps.at(mapIndex).labels.clear();
  const std::string id = m.maps.at(mapIndex).id;
  void* const projection = m.maps.at(mapIndex).projection;
  float area[4];
  std::memcpy(area, m.maps.at(mapIndex).area, sizeof area);
  const int version = m.maps.at(mapIndex).areaVersion;
  const int style = m.maps.at(mapIndex).style;

  for (int type : {xplm_MapLayer_Fill, xplm_MapLayer_Markings}) {
    eachLayer(id, type, [&](size_t i) {
      Layer& layer = m.layers.at(i);
      if (layer.preparedVersion == version) return;
      layer.preparedVersion = version;
      ++layer.info.prepareCalls;
      const auto callback = layer.params.prepCacheCallback;
      if (callback == nullptr) return;
      void* const refcon = layer.params.refcon;
      inCallback(Stage::Prepare, layer.info.id, projection, layer.info.owner,
                 [&] { callback(layer.info.id, area, projection, refcon); });
    });
  }
  for (Stage stage : {Stage::Draw, Stage::Icons, Stage::Labels}) {
    for (int type : {xplm_MapLayer_Fill, xplm_MapLayer_Markings}) {
      eachLayer(id, type, [&](size_t i) {
        Layer& layer = m.layers.at(i);
        XPLMMapDrawingCallback_f callback = stage == Stage::Draw    ? layer.params.drawCallback
                                            : stage == Stage::Icons ? layer.params.iconCallback
                                                                    : layer.params.labelCallback;
        int& calls = stage == Stage::Draw    ? layer.info.drawCalls
                     : stage == Stage::Icons ? layer.info.iconCalls
                                             : layer.info.labelCalls;
        if (callback == nullptr) return;
        ++calls;
        void* const layerId = layer.info.id;
        void* const refcon = layer.params.refcon;
        const int owner = layer.info.owner;
        inCallback(stage, layerId, projection, owner,
                   [&] { callback(layerId, area, 1.0f, 1.0f, style, projection, refcon); });
      });
    }
  }
}

}  // namespace

// The record is read up to its structSize only (the rest as zeros). Refused
// (null): a null record, a map that is not open, a type that is neither
// fill nor markings.
XPLMMapLayerID XPLMCreateMapLayer(XPLMCreateMapLayer_t* inParams) {
  record("XPLMCreateMapLayer", ptr(inParams));
  if (inParams == nullptr || inParams->structSize < static_cast<int>(sizeof(int))) return nullptr;
  XPLMCreateMapLayer_t params{};
  std::memcpy(&params, inParams,
              std::min(sizeof params, static_cast<size_t>(inParams->structSize)));
  if (params.mapToCreateLayerIn == nullptr || openMapNamed(params.mapToCreateLayerIn) == nullptr) return nullptr;
  if (params.layerType != xplm_MapLayer_Fill && params.layerType != xplm_MapLayer_Markings) return nullptr;
  auto layer = std::make_unique<Layer>();
  layer->params = params;
  layer->info.map = params.mapToCreateLayerIn;
  layer->info.name = params.layerName != nullptr ? params.layerName : "";
  layer->params.mapToCreateLayerIn = nullptr;  // the copies above are what stays
  layer->params.layerName = nullptr;
  layer->info.type = params.layerType;
  layer->info.showUiToggle = params.showUiToggle != 0;
  layer->info.owner = state().caller;
  Layer* entry = layer.get();
  void* id = maps().layers.add(std::move(layer));
  entry->info.id = id;
  return id;
}

// A destroyed or made-up layer: 0, nothing called.
int XPLMDestroyMapLayer(XPLMMapLayerID inLayer) {
  record("XPLMDestroyMapLayer", ptr(inLayer));
  if (liveLayer(inLayer, "XPLMDestroyMapLayer") == nullptr) return 0;
  const uint64_t index = (reinterpret_cast<uintptr_t>(inLayer) & 0xFFFFFFFFu) - 1;
  deleteLayer(static_cast<size_t>(index));
  return 1;
}

// A null callback is ignored.
void XPLMRegisterMapCreationHook(XPLMMapCreatedCallback_f callback, void* refcon) {
  record("XPLMRegisterMapCreationHook", ptr(reinterpret_cast<const void*>(callback)), ptr(refcon));
  if (callback != nullptr) maps().hooks.push_back(Hook{callback, refcon, state().caller});
}

int XPLMMapExists(const char* mapIdentifier) {
  record("XPLMMapExists", std::string(mapIdentifier != nullptr ? mapIdentifier : ""));
  return mapIdentifier != nullptr && openMapNamed(mapIdentifier) != nullptr ? 1 : 0;
}

// Queued only from the icon callback of `layer`; otherwise ignored.
void XPLMDrawMapIconFromSheet(XPLMMapLayerID layer, const char* inPngPath, int s, int t, int ds, int dt, float mapX,
                              float mapY, XPLMMapOrientation orientation, float rotationDegrees, float mapWidth) {
  record("XPLMDrawMapIconFromSheet", ptr(layer), std::string(inPngPath != nullptr ? inPngPath : ""), num(s), num(t),
         num(ds), num(dt), real(mapX), real(mapY), num(orientation), real(rotationDegrees), real(mapWidth));
  Maps& m = maps();
  Layer* entry = liveLayer(layer, "XPLMDrawMapIconFromSheet");
  if (entry == nullptr || m.stage != Stage::Icons || m.layer != layer || inPngPath == nullptr) return;
  Map* map = openMapNamed(entry->info.map);
  if (map == nullptr) return;
  ++entry->info.iconsQueued;
  map->icons.push_back(MapIcon{layer, inPngPath, s, t, ds, dt, mapX, mapY, orientation, rotationDegrees, mapWidth});
}

// Queued only from the label callback of `layer`; otherwise ignored.
void XPLMDrawMapLabel(XPLMMapLayerID layer, const char* inText, float mapX, float mapY,
                      XPLMMapOrientation orientation, float rotationDegrees) {
  record("XPLMDrawMapLabel", ptr(layer), std::string(inText != nullptr ? inText : ""), real(mapX), real(mapY),
         num(orientation), real(rotationDegrees));
  Maps& m = maps();
  Layer* entry = liveLayer(layer, "XPLMDrawMapLabel");
  if (entry == nullptr || m.stage != Stage::Labels || m.layer != layer || inText == nullptr) return;
  Map* map = openMapNamed(entry->info.map);
  if (map == nullptr) return;
  ++entry->info.labelsQueued;
  map->labels.push_back(MapLabel{layer, inText, mapX, mapY, orientation, rotationDegrees});
}

// This and the next three answer only for the projection of the layer
// callback under way; otherwise nothing is written and 0 answered.
void XPLMMapProject(XPLMMapProjectionID projection, double latitude, double longitude, float* outX, float* outY) {
  record("XPLMMapProject", ptr(projection), real(latitude), real(longitude), ptr(outX), ptr(outY));
  const Projection* p = activeProjection(projection);
  if (p == nullptr) return;
  const double scale = kMetresPerDegree / kMetresPerUnit;
  if (outX != nullptr) *outX = static_cast<float>((longitude - p->longitude) * p->cosLatitude * scale);
  if (outY != nullptr) *outY = static_cast<float>((latitude - p->latitude) * scale);
}

void XPLMMapUnproject(XPLMMapProjectionID projection, float mapX, float mapY, double* outLatitude,
                      double* outLongitude) {
  record("XPLMMapUnproject", ptr(projection), real(mapX), real(mapY), ptr(outLatitude), ptr(outLongitude));
  const Projection* p = activeProjection(projection);
  if (p == nullptr) return;
  const double scale = kMetresPerDegree / kMetresPerUnit;
  if (outLatitude != nullptr) *outLatitude = p->latitude + mapY / scale;
  if (outLongitude != nullptr) *outLongitude = p->longitude + mapX / (scale * p->cosLatitude);
}

float XPLMMapScaleMeter(XPLMMapProjectionID projection, float mapX, float mapY) {
  record("XPLMMapScaleMeter", ptr(projection), real(mapX), real(mapY));
  return activeProjection(projection) == nullptr ? 0.0f : static_cast<float>(1.0 / kMetresPerUnit);
}

float XPLMMapGetNorthHeading(XPLMMapProjectionID projection, float mapX, float mapY) {
  record("XPLMMapGetNorthHeading", ptr(projection), real(mapX), real(mapY));
  return 0.0f;  // north is up everywhere on an equirectangular map, in or out of a callback
}

namespace xplmsim {

bool openMap(const std::string& identifier) {
  if (identifier.empty() || openMapNamed(identifier) != nullptr) return false;
  Maps& m = maps();
  auto projection = std::make_unique<Projection>();
  projection->latitude = scalarValue("sim/flightmodel/position/latitude");
  projection->longitude = scalarValue("sim/flightmodel/position/longitude");
  projection->cosLatitude = std::max(0.01, std::cos(projection->latitude * kPi / 180.0));
  auto map = std::make_unique<Map>();
  map->id = identifier;
  map->projection = m.projections.add(std::move(projection));
  m.maps.add(std::move(map));
  const std::vector<Hook> hooks = m.hooks;  // a hook may register another: it sees the next map
  for (const Hook& hook : hooks) {
    if (!listedAndEnabled(hook.owner)) continue;
    CallerScope asOwner(hook.owner);
    hook.callback(identifier.c_str(), hook.refcon);
  }
  return true;
}

bool closeMap(const std::string& identifier) {
  Map* map = openMapNamed(identifier);
  if (map == nullptr) return false;
  map->open = false;
  Maps& m = maps();
  const size_t count = m.layers.size();
  for (size_t i = 0; i < count; ++i) {
    if (m.layers.at(i).info.map == identifier) deleteLayer(i);
  }
  return true;
}

bool mapIsOpen(const std::string& identifier) { return openMapNamed(identifier) != nullptr; }

bool setMapArea(const std::string& identifier, float left, float top, float right, float bottom) {
  Map* map = openMapNamed(identifier);
  if (map == nullptr) return false;
  const float area[4] = {left, top, right, bottom};
  if (std::memcmp(area, map->area, sizeof area) != 0) {
    std::memcpy(map->area, area, sizeof area);
    ++map->areaVersion;
  }
  return true;
}

bool setMapStyle(const std::string& identifier, int style) {
  Map* map = openMapNamed(identifier);
  if (map == nullptr) return false;
  map->style = style;
  return true;
}

int mapCreationHookCount() { return static_cast<int>(maps().hooks.size()); }

std::vector<MapLayerInfo> mapLayers() {
  std::vector<MapLayerInfo> found;
  Maps& m = maps();
  for (size_t i = 0; i < m.layers.size(); ++i) {
    if (m.layers.at(i).alive) found.push_back(m.layers.at(i).info);
  }
  return found;
}

int mapLayersOf(int plugin) {
  int count = 0;
  for (const MapLayerInfo& layer : mapLayers()) count += layer.owner == plugin ? 1 : 0;
  return count;
}

std::vector<MapIcon> mapIcons(const std::string& identifier) {
  const Map* map = openMapNamed(identifier);
  return map == nullptr ? std::vector<MapIcon>{} : map->icons;
}

std::vector<MapLabel> mapLabels(const std::string& identifier) {
  const Map* map = openMapNamed(identifier);
  return map == nullptr ? std::vector<MapLabel>{} : map->labels;
}

void drawMaps() {
  Maps& m = maps();
  for (size_t i = 0; i < m.maps.size(); ++i) {
    if (m.maps.at(i).open) drawMap(i);
  }
}

void clearMaps() {
  Maps& m = maps();
  for (size_t i = 0; i < m.maps.size(); ++i) {
    if (m.maps.at(i).open) closeMap(m.maps.at(i).id);
  }
  m.maps.clear();
  m.layers.clear();
  m.projections.clear();
  std::vector<Hook> kept;
  for (const Hook& hook : m.hooks) {
    if (hook.owner == kHostPlugin || hook.owner == kOtherPlugin) kept.push_back(hook);
  }
  m.hooks = kept;
  m.stage = Stage::None;
  m.layer = nullptr;
  m.projection = nullptr;
}

}  // namespace xplmsim
