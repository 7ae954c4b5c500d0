// Terrain probes: the height, normal, velocity and water under a point.
#include <map>
#include <string>
#include <vector>

#include "scenery_fixture.h"

using namespace qovintest;

namespace {

class ProbeTest : public SceneryTest {
 protected:
  void SetUp() override {
    SceneryTest::SetUp();
    cls = findClass(kProbeRefClass);
  }
  jobject createProbe(jint type = 0) {
    return callMethod<jobject>(factory(), "createProbe", "(I)Lcom/brevanto/qovin/scenery/XPlaneProbeRef;", type);
  }
  jobject info() { return newObject("com/brevanto/qovin/testing/RecordingProbeInfo", "()V"); }
  // Probes through the Java peer and returns what it set: location, normal,
  // velocity, then 1 for water.
  std::vector<float> probe(jobject probe, jobject result, float x, float y, float z) {
    callMethod<jobject>(probe, "probe",
                        "(FFFLcom/brevanto/qovin/scenery/QOVINProbeInfo;)Lcom/brevanto/qovin/scenery/QOVINProbeInfo;",
                        x, y, z, result);
    return values(result);
  }
  std::vector<float> values(jobject result) {
    return elements(static_cast<jfloatArray>(callMethod<jobject>(result, "values", "()[F")));
  }
  void probeN(jlong handle, jobject result) {
    callStatic(cls, staticMethod(cls, "probeTerrainXYZ_N", "(JLcom/brevanto/qovin/scenery/QOVINProbeInfo;FFF)V"),
               handle, result, 1.0f, 2.0f, 3.0f);
  }
  jclass cls = nullptr;
};

TEST_F(ProbeTest, AProbeReportsHeightNormalMotionAndWater) {
  xplmsim::Terrain deck;  // a ship's deck, sloping 3 in 4 to the west and steaming north
  deck.height = 18.0f;
  deck.slopeX = -0.75f;
  deck.velocityZ = -10.0f;
  deck.velocityY = 0.25f;
  xplmsim::setTerrain(deck);
  xplmsim::Terrain sea;
  sea.wet = true;
  xplmsim::addTerrainArea(1000.0f, -1000.0f, 2000.0f, 1000.0f, sea);

  jobject p = createProbe();
  ASSERT_NE(p, nullptr);
  jobject result = info();
  EXPECT_EQ(probe(p, result, 4.0f, 500.0f, -8.0f),
            (std::vector<float>{4.0f, 15.0f, -8.0f, 0.6f, 0.8f, -0.0f, 0.0f, 0.25f, -10.0f, 0.0f}));
  const xplmsim::Call* call = xplmsim::lastCall("XPLMProbeTerrainXYZ");
  EXPECT_EQ(call->i(0), callMethod<jlong>(p, "getHandle", "()J"));
  EXPECT_EQ(call->d(1), 4.0);
  EXPECT_EQ(call->d(2), 500.0);
  EXPECT_EQ(call->d(3), -8.0);

  // The same result object, refilled: nothing of the first probe stays.
  EXPECT_EQ(probe(p, result, 1500.0f, 0.0f, 0.0f),
            (std::vector<float>{1500.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f}));
  EXPECT_TRUE(callMethod<jboolean>(result, "hit", "()Z"));
  EXPECT_EQ(callMethod<jint>(result, "calls", "()I"), 2);
}

// The simulator fills nothing on a miss: the record is cleared before each
// probe, so a miss reports zeros rather than whatever the stack held (here, the
// previous probe's record in the same place).
TEST_F(ProbeTest, AMissReportsZerosAndStillSetsTheResult) {
  xplmsim::Terrain nothing;
  nothing.present = false;
  xplmsim::addTerrainArea(-10.0f, -10.0f, 10.0f, 10.0f, nothing);
  jobject p = createProbe();
  jobject result = info();
  const jlong handle = callMethod<jlong>(p, "getHandle", "()J");
  probeN(handle, result);
  EXPECT_EQ(xplmsim::lastProbeResult(), xplm_ProbeMissed);
  EXPECT_EQ(values(result), std::vector<float>(10, 0.0f));

  xplmsim::setTerrain(xplmsim::Terrain{55.0f, 0.5f, 0.5f, 1.0f, 2.0f, 3.0f, true, true});
  probeN(handle, result);
  EXPECT_EQ(values(result).at(1), 57.0f);
  xplmsim::addTerrainArea(-10.0f, -10.0f, 10.0f, 10.0f, nothing);
  probeN(handle, result);
  EXPECT_EQ(values(result), std::vector<float>(10, 0.0f));
  EXPECT_FALSE(callMethod<jboolean>(result, "hit", "()Z"));
  EXPECT_EQ(callMethod<jint>(result, "calls", "()I"), 3);
}

TEST_F(ProbeTest, ProbesAreCreatedAndDestroyedByTheSimulatorsAnswer) {
  EXPECT_EQ(createProbe(1), nullptr) << "the simulator gives no probe of an unknown type";
  EXPECT_EQ(xplmsim::lastCall("XPLMCreateProbe")->i(0), 1);
  jobject p = createProbe();
  const jlong handle = callMethod<jlong>(p, "getHandle", "()J");
  EXPECT_EQ(xplmsim::probeCounts().live, 1);
  callMethod(p, "destroy", "()V");
  callMethod(p, "destroy", "()V");
  ASSERT_EQ(xplmsim::callsTo("XPLMDestroyProbe").size(), 1u);
  EXPECT_EQ(xplmsim::lastCall("XPLMDestroyProbe")->i(0), handle);
  EXPECT_EQ(xplmsim::probeCounts().live, 0);

  jmethodID probeMethod =
      env()->GetMethodID(findClass(kProbeRefClass), "probe",
                         "(FFFLcom/brevanto/qovin/scenery/QOVINProbeInfo;)Lcom/brevanto/qovin/scenery/QOVINProbeInfo;");
  EXPECT_TRUE(throws("java/lang/IllegalStateException",
                     [&] { env()->CallObjectMethod(p, probeMethod, 0.0f, 0.0f, 0.0f, info()); }));
  EXPECT_TRUE(xplmsim::callsTo("XPLMProbeTerrainXYZ").empty()) << "the destroyed probe never reaches the simulator";

  jobject result = info();
  probeN(handle, result);  // the native alone passes a stale handle on unchanged
  EXPECT_EQ(xplmsim::lastProbeResult(), xplm_ProbeError);
  EXPECT_EQ(values(result), std::vector<float>(10, 0.0f));
  EXPECT_EQ((std::map<std::string, int>{{"XPLMProbeTerrainXYZ", 1}}), xplmsim::releasedHandleUses());
  xplmsim::clearReleasedHandleUses();
}

TEST_F(ProbeTest, ANullResultObjectStillProbesAndCallsNoJava) {
  jobject p = createProbe();
  probeN(callMethod<jlong>(p, "getHandle", "()J"), nullptr);
  EXPECT_EQ(xplmsim::lastProbeResult(), xplm_ProbeHitTerrain);
}

TEST_F(ProbeTest, ManyProbesAgreeWithTheTerrain) {
  jobject p = createProbe();
  jobject result = info();
  const jlong handle = callMethod<jlong>(p, "getHandle", "()J");
  for (int i = 0; i < 2000; ++i) probeN(handle, result);
  EXPECT_EQ(callMethod<jint>(result, "calls", "()I"), 2000);
  EXPECT_EQ(values(result).at(1), 129.5f);
  EXPECT_EQ(xplmsim::probeCounts().hits, 2000);
}

}  // namespace
