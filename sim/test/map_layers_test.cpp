// The stand-in's maps: creation hooks, the stages of a map frame and their
// order, prepare-cache, closing, the projection, and calls made outside the
// callbacks they belong to.
#include <XPLMMap.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xplmsim/datarefs.h"
#include "xplmsim/maps.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

// What the callbacks saw, as "event layer-name" lines.
std::vector<std::string> events;
XPLMMapProjectionID keptProjection = nullptr;
XPLMMapLayerID keptLayer = nullptr;

const char* nameOf(void* refcon) { return static_cast<const char*>(refcon); }

void hook(const char* map, void* refcon) { events.push_back(std::string("hook ") + nameOf(refcon) + " " + map); }
void prepare(XPLMMapLayerID, const float* area, XPLMMapProjectionID projection, void* refcon) {
  keptProjection = projection;
  events.push_back(std::string("prepare ") + nameOf(refcon) + " " + std::to_string(static_cast<int>(area[2])));
}
void draw(XPLMMapLayerID, const float*, float, float, XPLMMapStyle, XPLMMapProjectionID, void* refcon) {
  events.push_back(std::string("draw ") + nameOf(refcon));
}
void icons(XPLMMapLayerID layer, const float*, float, float, XPLMMapStyle, XPLMMapProjectionID projection,
           void* refcon) {
  events.push_back(std::string("icons ") + nameOf(refcon));
  float x = 0, y = 0;
  XPLMMapProject(projection, 47.5, -122.2, &x, &y);
  XPLMDrawMapIconFromSheet(layer, "icons.png", 1, 2, 4, 4, x, y, xplm_MapOrientation_Map, 90, 10);
  XPLMDrawMapLabel(layer, "not here", x, y, xplm_MapOrientation_UI, 0);  // labels belong to the label stage
}
void labels(XPLMMapLayerID layer, const float*, float, float, XPLMMapStyle, XPLMMapProjectionID, void* refcon) {
  events.push_back(std::string("labels ") + nameOf(refcon));
  XPLMDrawMapLabel(layer, nameOf(refcon), 1, 2, xplm_MapOrientation_UI, 0);
  XPLMDrawMapIconFromSheet(layer, "icons.png", 0, 0, 1, 1, 0, 0, 0, 0, 1);  // icons belong to the icon stage
}
void deleted(XPLMMapLayerID, void* refcon) { events.push_back(std::string("deleted ") + nameOf(refcon)); }

XPLMMapLayerID createLayer(const char* map, int type, const char* name) {
  XPLMCreateMapLayer_t params{};
  params.structSize = sizeof params;
  params.mapToCreateLayerIn = map;
  params.layerType = type;
  params.willBeDeletedCallback = deleted;
  params.prepCacheCallback = prepare;
  params.drawCallback = draw;
  params.iconCallback = icons;
  params.labelCallback = labels;
  params.showUiToggle = 1;
  params.layerName = name;
  params.refcon = const_cast<char*>(name);
  return XPLMCreateMapLayer(&params);
}

// Layers made from a hook, as a plugin of its own (its hooks go at reset).
void addLayersHook(const char* map, void*) {
  createLayer(map, xplm_MapLayer_Markings, "marks");
  createLayer(map, xplm_MapLayer_Fill, "fill");
}

class SimMaps : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    events.clear();
    plugin = xplmsim::addPlugin({0, "Mapper", "/p/mapper.xpl", "com.example.mapper", ""});
  }
  int plugin = 0;
};

TEST_F(SimMaps, HooksSeeMapsOpenedLaterAndLayersNeedAnOpenMap) {
  EXPECT_EQ(0, XPLMMapExists(XPLM_MAP_USER_INTERFACE));
  EXPECT_EQ(nullptr, createLayer(XPLM_MAP_USER_INTERFACE, xplm_MapLayer_Fill, "early"));
  {
    xplmsim::CallerScope asPlugin(plugin);
    XPLMRegisterMapCreationHook(hook, const_cast<char*>("h"));
  }
  EXPECT_TRUE(xplmsim::openMap(XPLM_MAP_USER_INTERFACE));
  EXPECT_FALSE(xplmsim::openMap(XPLM_MAP_USER_INTERFACE));  // open already: no second hook call
  EXPECT_TRUE(xplmsim::openMap(XPLM_MAP_IOS));
  EXPECT_EQ((std::vector<std::string>{"hook h XPLM_MAP_USER_INTERFACE", "hook h XPLM_MAP_IOS"}), events);
  EXPECT_EQ(1, XPLMMapExists(XPLM_MAP_IOS));
  EXPECT_EQ(nullptr, createLayer(XPLM_MAP_IOS, 7, "bad type"));
  EXPECT_EQ(nullptr, createLayer("NO_SUCH_MAP", xplm_MapLayer_Fill, "nowhere"));
  EXPECT_EQ(nullptr, XPLMCreateMapLayer(nullptr));

  xplmsim::reset();  // a plugin other than the two fixed ones loses its hooks
  events.clear();
  xplmsim::openMap(XPLM_MAP_USER_INTERFACE);
  EXPECT_TRUE(events.empty());
}

TEST_F(SimMaps, AFrameRunsPrepareThenEachStageFillBeforeMarkingsInCreationOrder) {
  {
    xplmsim::CallerScope asPlugin(plugin);
    XPLMRegisterMapCreationHook(addLayersHook, nullptr);
  }
  xplmsim::openMap(XPLM_MAP_USER_INTERFACE);
  ASSERT_EQ(2u, xplmsim::mapLayers().size());
  EXPECT_EQ(plugin, xplmsim::mapLayers()[0].owner);
  xplmsim::runFrames(1, 0.05f);
  EXPECT_EQ((std::vector<std::string>{"prepare fill 500", "prepare marks 500", "draw fill", "draw marks", "icons fill",
                                      "icons marks", "labels fill", "labels marks"}),
            events);
  events.clear();
  xplmsim::runFrames(1, 0.05f);  // same area: no prepare-cache
  EXPECT_EQ(6u, events.size());
  events.clear();
  xplmsim::setMapArea(XPLM_MAP_USER_INTERFACE, -100, 100, 100, -100);
  xplmsim::runFrames(1, 0.05f);
  EXPECT_EQ("prepare fill 100", events[0]);
  EXPECT_EQ("prepare marks 100", events[1]);

  // Icons only from the icon stage and labels only from the label stage.
  const auto queued = xplmsim::mapIcons(XPLM_MAP_USER_INTERFACE);
  ASSERT_EQ(2u, queued.size());
  EXPECT_EQ("icons.png", queued[0].pngPath);
  EXPECT_EQ(90.0f, queued[0].rotation);
  const auto texts = xplmsim::mapLabels(XPLM_MAP_USER_INTERFACE);
  ASSERT_EQ(2u, texts.size());
  EXPECT_EQ("fill", texts[0].text);
  EXPECT_EQ("marks", texts[1].text);
}

TEST_F(SimMaps, ClosingCallsWillBeDeletedOnceAndLeavesStaleHandles) {
  xplmsim::openMap(XPLM_MAP_USER_INTERFACE);
  XPLMMapLayerID a = createLayer(XPLM_MAP_USER_INTERFACE, xplm_MapLayer_Fill, "a");
  XPLMMapLayerID b = createLayer(XPLM_MAP_USER_INTERFACE, xplm_MapLayer_Fill, "b");
  ASSERT_NE(nullptr, a);
  EXPECT_EQ(1, XPLMDestroyMapLayer(a));
  EXPECT_EQ(0, XPLMDestroyMapLayer(a));  // stale
  EXPECT_EQ(0, XPLMDestroyMapLayer(reinterpret_cast<XPLMMapLayerID>(0x1234)));  // made up
  EXPECT_TRUE(xplmsim::closeMap(XPLM_MAP_USER_INTERFACE));
  EXPECT_FALSE(xplmsim::closeMap(XPLM_MAP_USER_INTERFACE));
  EXPECT_EQ((std::vector<std::string>{"deleted a", "deleted b"}), events);
  EXPECT_EQ(0, XPLMDestroyMapLayer(b));
  EXPECT_EQ(0u, xplmsim::mapLayers().size());
  EXPECT_EQ(2, xplmsim::releasedHandleUses()["XPLMDestroyMapLayer"]);
}

TEST_F(SimMaps, TheProjectionIsInvertibleAndAnswersOnlyInsideCallbacks) {
  xplmsim::setScalar("sim/flightmodel/position/latitude", 47.45);
  xplmsim::setScalar("sim/flightmodel/position/longitude", -122.3);
  xplmsim::updateWorld();
  xplmsim::openMap(XPLM_MAP_USER_INTERFACE);
  keptLayer = createLayer(XPLM_MAP_USER_INTERFACE, xplm_MapLayer_Markings, "m");
  xplmsim::runFrames(1, 0.05f);
  const auto queued = xplmsim::mapIcons(XPLM_MAP_USER_INTERFACE);
  ASSERT_EQ(1u, queued.size());
  EXPECT_NEAR(55.6, queued[0].y, 0.1);  // 0.05 degrees north (5.56 km), 100 m per unit
  EXPECT_GT(queued[0].x, 0.0f);

  float x = -1, y = -1;
  XPLMMapProject(keptProjection, 47.5, -122.2, &x, &y);  // outside any callback: nothing written
  EXPECT_EQ(-1.0f, x);
  EXPECT_EQ(0.0f, XPLMMapScaleMeter(keptProjection, 0, 0));
  XPLMDrawMapLabel(keptLayer, "outside", 0, 0, 0, 0);
  EXPECT_EQ(1u, xplmsim::mapLabels(XPLM_MAP_USER_INTERFACE).size());  // the frame's own label only
}

}  // namespace
