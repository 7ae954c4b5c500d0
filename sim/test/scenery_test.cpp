// The stand-in's objects, asynchronous loads, draws, terrain probes and
// instances behave as the SDK documents them.
#include "xplmsim/scenery.h"

#include <XPLMInstance.h>
#include <XPLMProcessing.h>
#include <XPLMScenery.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

namespace {

using xplmsim::kFuelTruckObject;
using xplmsim::kTugObject;

class SimScenery : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

xplmsim::ObjectInfo info(XPLMObjectRef handle) {
  for (const xplmsim::ObjectInfo& o : xplmsim::objects()) {
    if (o.handle == handle) return o;
  }
  return {};
}

TEST_F(SimScenery, LoadsOfOnePathShareAHandleUntilEveryLoadIsUnloaded) {
  XPLMObjectRef first = XPLMLoadObject(kFuelTruckObject);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(XPLMLoadObject(kFuelTruckObject), first);
  EXPECT_NE(XPLMLoadObject(kTugObject), first);
  EXPECT_EQ(info(first).loads, 2);
  XPLMUnloadObject(first);
  EXPECT_TRUE(info(first).loaded);
  XPLMUnloadObject(first);
  EXPECT_FALSE(info(first).loaded);
  XPLMUnloadObject(first);  // one unload too many changes nothing
  EXPECT_EQ(info(first).loads, 0);

  XPLMDrawInfo_t where{28, 1, 2, 3, 0, 0, 0};
  XPLMDrawObjects(first, 1, &where, 0, 1);
  EXPECT_TRUE(xplmsim::draws().empty()) << "a purged object's stale handle draws nothing";
  const char* none[] = {nullptr};
  EXPECT_EQ(XPLMCreateInstance(first, none), nullptr);
  EXPECT_EQ((std::map<std::string, int>{{"XPLMCreateInstance", 1}, {"XPLMDrawObjects", 1}, {"XPLMUnloadObject", 1}}),
            xplmsim::releasedHandleUses())
      << "each use of the stale handle is counted";
  xplmsim::clearReleasedHandleUses();
  XPLMObjectRef again = XPLMLoadObject(kFuelTruckObject);
  EXPECT_NE(again, first);
  EXPECT_EQ(XPLMLoadObject("no/such/object.obj"), nullptr);
  EXPECT_EQ(XPLMLoadObject(nullptr), nullptr);
  EXPECT_EQ(xplmsim::lastCall("XPLMLoadObject")->s(0), "");
}

struct Delivery {
  std::vector<std::pair<XPLMObjectRef, void*>> seen;
  int frameOfDelivery = -1;
};
Delivery delivered;

void remember(XPLMObjectRef object, void* refcon) {
  delivered.seen.emplace_back(object, refcon);
  delivered.frameOfDelivery = xplmsim::frameCount();
}

TEST_F(SimScenery, AsynchronousLoadsCompleteOncePerRequestWithTheirRefcon) {
  delivered = {};
  char path[128];
  std::strcpy(path, kTugObject);
  int a = 0, b = 0, c = 0;
  XPLMLoadObjectAsync(path, remember, &a);
  std::memset(path, 'x', sizeof(path) - 1);  // the caller may reuse its text at once
  XPLMLoadObjectAsync(kTugObject, remember, &b);
  XPLMLoadObjectAsync("missing.obj", remember, &c);
  XPLMLoadObjectAsync(kTugObject, nullptr, &c);  // no callback: no request
  EXPECT_EQ(xplmsim::pendingLoads(), 3);
  EXPECT_TRUE(delivered.seen.empty()) << "nothing completes before the simulator's next frame";

  EXPECT_EQ(xplmsim::completePendingLoads(), 3);
  ASSERT_EQ(delivered.seen.size(), 3u);
  EXPECT_NE(delivered.seen[0].first, nullptr);
  EXPECT_EQ(delivered.seen[0].second, &a);
  EXPECT_EQ(delivered.seen[1].first, delivered.seen[0].first);
  EXPECT_EQ(delivered.seen[1].second, &b);
  EXPECT_EQ(delivered.seen[2].first, nullptr);
  EXPECT_EQ(delivered.seen[2].second, &c);
  EXPECT_EQ(info(delivered.seen[0].first).loads, 2);
  EXPECT_TRUE(info(delivered.seen[0].first).async);
  EXPECT_EQ(xplmsim::completePendingLoads(), 0);
  EXPECT_EQ(delivered.seen.size(), 3u);
}

float requestsALoad(float, float, int, void*) {
  XPLMLoadObjectAsync(kFuelTruckObject, remember, nullptr);
  return 0;
}

TEST_F(SimScenery, ALoadRequestedDuringAFrameCompletesAtTheStartOfTheNext) {
  delivered = {};
  XPLMRegisterFlightLoopCallback(requestsALoad, -1.0f, nullptr);
  xplmsim::runFrames(1, 0.05f);
  EXPECT_TRUE(delivered.seen.empty());
  xplmsim::runFrames(1, 0.05f);
  ASSERT_EQ(delivered.seen.size(), 1u);
  EXPECT_EQ(delivered.frameOfDelivery, 1) << "delivered before the second frame's count went up";
}

TEST_F(SimScenery, DrawsKeepTheirRecordsAddressCountAndFlags) {
  XPLMObjectRef object = XPLMLoadObject(kFuelTruckObject);
  std::vector<XPLMDrawInfo_t> places = {{28, 1, 2, 3, 4, 5, 6}, {28, 7, 8, 9, 10, 11, 12}};
  XPLMDrawObjects(object, 2, places.data(), 1, 0);
  XPLMDrawObjects(object, -5, places.data(), 0, 1);
  XPLMDrawObjects(object, 3, nullptr, 0, 1);
  ASSERT_EQ(xplmsim::draws().size(), 3u);
  const xplmsim::Draw& draw = xplmsim::draws()[0];
  EXPECT_EQ(draw.locations, places.data());
  EXPECT_EQ(draw.count, 2);
  EXPECT_EQ(draw.lighting, 1);
  EXPECT_EQ(draw.earthRelative, 0);
  EXPECT_EQ(draw.path, kFuelTruckObject);
  ASSERT_EQ(draw.records.size(), 2u);
  EXPECT_EQ(draw.records[1].x, 7.0f);
  EXPECT_EQ(draw.records[1].roll, 12.0f);
  EXPECT_TRUE(xplmsim::draws()[1].records.empty()) << "a negative count draws nothing";
  EXPECT_TRUE(xplmsim::draws()[2].records.empty()) << "no locations draw nothing";
  EXPECT_EQ(info(object).drawCalls, 3);
  EXPECT_EQ(info(object).recordsDrawn, 2);
  const xplmsim::Call* call = xplmsim::lastCall("XPLMDrawObjects");
  EXPECT_EQ(call->i(1), 3);
  EXPECT_EQ(call->i(4), 1);
}

XPLMProbeInfo_t probeAt(XPLMProbeRef probe, float x, float z, XPLMProbeResult* result) {
  XPLMProbeInfo_t out{};
  out.structSize = sizeof(out);
  *result = XPLMProbeTerrainXYZ(probe, x, 500.0f, z, &out);
  return out;
}

TEST_F(SimScenery, ProbesFindTheShapedTerrainUnderAPoint) {
  XPLMProbeRef probe = XPLMCreateProbe(xplm_ProbeY);
  ASSERT_NE(probe, nullptr);
  XPLMProbeResult result = -1;
  XPLMProbeInfo_t ground = probeAt(probe, 10.0f, -20.0f, &result);
  EXPECT_EQ(result, xplm_ProbeHitTerrain);
  EXPECT_EQ(ground.locationY, 129.5f);
  EXPECT_EQ(ground.normalY, 1.0f);
  EXPECT_EQ(ground.is_wet, 0);
  EXPECT_EQ(probeAt(probe, -5000.0f, 0.0f, &result).is_wet, 1) << "the default world's water lies west";

  xplmsim::Terrain hill;
  hill.height = 10.0f;
  hill.slopeX = 0.75f;  // rises 3 m per 4 m eastward
  xplmsim::setTerrain(hill);
  xplmsim::Terrain deck;
  deck.height = 20.0f;
  deck.velocityZ = -12.5f;
  deck.wet = false;
  xplmsim::addTerrainArea(100.0f, 100.0f, 200.0f, 200.0f, deck);
  xplmsim::Terrain hole;
  hole.present = false;
  xplmsim::addTerrainArea(150.0f, 150.0f, 160.0f, 160.0f, hole);

  XPLMProbeInfo_t slope = probeAt(probe, 4.0f, 0.0f, &result);
  EXPECT_EQ(slope.locationX, 4.0f);
  EXPECT_EQ(slope.locationY, 13.0f);
  EXPECT_FLOAT_EQ(slope.normalX, -0.6f);
  EXPECT_FLOAT_EQ(slope.normalY, 0.8f);
  XPLMProbeInfo_t moving = probeAt(probe, 120.0f, 120.0f, &result);
  EXPECT_EQ(moving.locationY, 20.0f);
  EXPECT_EQ(moving.velocityZ, -12.5f);

  XPLMProbeInfo_t missed{};
  missed.structSize = sizeof(missed);
  missed.locationY = 77.0f;
  EXPECT_EQ(XPLMProbeTerrainXYZ(probe, 155.0f, 0.0f, 155.0f, &missed), xplm_ProbeMissed);
  EXPECT_EQ(missed.locationY, 77.0f) << "a miss fills nothing";
  const xplmsim::ProbeCounts counts = xplmsim::probeCounts();
  EXPECT_EQ(counts.probes, 5);
  EXPECT_EQ(counts.hits, 4);
  EXPECT_EQ(counts.wet, 1);
  EXPECT_EQ(counts.misses, 1);
}

TEST_F(SimScenery, BadProbesAndRecordsAreErrors) {
  EXPECT_EQ(XPLMCreateProbe(1), nullptr);
  XPLMProbeRef probe = XPLMCreateProbe(xplm_ProbeY);
  XPLMProbeInfo_t out{};
  out.structSize = 40;
  EXPECT_EQ(XPLMProbeTerrainXYZ(probe, 0, 0, 0, &out), xplm_ProbeError);
  EXPECT_EQ(XPLMProbeTerrainXYZ(probe, 0, 0, 0, nullptr), xplm_ProbeError);
  out.structSize = sizeof(out);
  EXPECT_EQ(XPLMProbeTerrainXYZ(reinterpret_cast<XPLMProbeRef>(0x1234), 0, 0, 0, &out), xplm_ProbeError);
  EXPECT_TRUE(xplmsim::releasedHandleUses().empty()) << "a made-up probe is not a released one";
  XPLMDestroyProbe(probe);
  EXPECT_EQ(XPLMProbeTerrainXYZ(probe, 0, 0, 0, &out), xplm_ProbeError);
  EXPECT_EQ(xplmsim::lastProbeResult(), xplm_ProbeError);
  XPLMDestroyProbe(probe);
  EXPECT_EQ((std::map<std::string, int>{{"XPLMDestroyProbe", 1}, {"XPLMProbeTerrainXYZ", 1}}),
            xplmsim::releasedHandleUses());
  EXPECT_EQ(xplmsim::probeCounts().live, 0);
  EXPECT_EQ(xplmsim::probeCounts().created, 1);
}

TEST_F(SimScenery, InstancesCopyTheirNamesAndHoldTheirObject) {
  XPLMObjectRef object = XPLMLoadObject(kTugObject);
  std::string wheel = "sim/graphics/animation/ground_traffic/tire_rotation_angle_deg";
  const char* names[] = {wheel.c_str(), "sim/graphics/animation/ground_traffic/tire_steer_deg", nullptr};
  XPLMInstanceRef instance = XPLMCreateInstance(object, names);
  ASSERT_NE(instance, nullptr);
  wheel.assign("overwritten");
  const xplmsim::Call* create = xplmsim::lastCall("XPLMCreateInstance");
  EXPECT_EQ(create->i(2), 2);
  EXPECT_EQ(create->s(3), "sim/graphics/animation/ground_traffic/tire_rotation_angle_deg");

  const char* none[] = {nullptr};
  XPLMInstanceRef plain = XPLMCreateInstance(object, none);
  EXPECT_NE(plain, nullptr);
  EXPECT_EQ(XPLMCreateInstance(object, nullptr), nullptr);
  EXPECT_EQ(XPLMCreateInstance(reinterpret_cast<XPLMObjectRef>(0x42), none), nullptr);

  XPLMUnloadObject(object);
  EXPECT_TRUE(info(object).loaded) << "instances hold their object";
  const XPLMDrawInfo_t where{28, 1, 2, 3, 0, 90, 0};
  const float values[] = {45.0f, -10.0f};
  XPLMInstanceSetPosition(instance, &where, values);
  XPLMInstanceSetPosition(instance, &where, nullptr);  // values missing: ignored
  XPLMInstanceSetPosition(instance, nullptr, values);  // location missing: ignored
  std::vector<xplmsim::InstanceInfo> live = xplmsim::instances();
  ASSERT_EQ(live.size(), 2u);
  EXPECT_EQ(live[0].datarefs[0], "sim/graphics/animation/ground_traffic/tire_rotation_angle_deg");
  EXPECT_EQ(live[0].values, (std::vector<float>{45.0f, -10.0f}));
  EXPECT_EQ(live[0].position.heading, 90.0f);
  EXPECT_EQ(live[0].positionsSet, 1);
  EXPECT_EQ(live[0].objectPath, kTugObject);
  EXPECT_TRUE(live[1].datarefs.empty());

  XPLMDestroyInstance(instance);
  XPLMDestroyInstance(plain);
  EXPECT_TRUE(xplmsim::instances().empty());
  EXPECT_FALSE(info(object).loaded) << "the last instance gone, nothing holds the object";
  EXPECT_TRUE(xplmsim::releasedHandleUses().empty());
  XPLMInstanceSetPosition(instance, &where, values);
  XPLMDestroyInstance(instance);
  XPLMDrawObjects(object, 1, nullptr, 0, 0);
  EXPECT_EQ(xplmsim::instances().size(), 0u);
  EXPECT_EQ((std::map<std::string, int>{{"XPLMDestroyInstance", 1}, {"XPLMDrawObjects", 1},
                                        {"XPLMInstanceSetPosition", 1}}),
            xplmsim::releasedHandleUses());
}

}  // namespace
