// The stand-in's datarefs behave as the SDK documents them.
#include <XPLMDataAccess.h>
#include <XPLMUtilities.h>
#include <gtest/gtest.h>

#include "xplmsim/datarefs.h"
#include "xplmsim/sim.h"

namespace {

class SimDataRefs : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

TEST_F(SimDataRefs, OwnedArrayReadsHonourOffsetMaximumAndNullBuffer) {
  XPLMDataRef ref = xplmsim::defineFloatArray("t/f", {0, 1, 2, 3, 4});
  float out[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, 3, 1), 5);  // size query ignores offset and maximum
  EXPECT_EQ(XPLMGetDatavf(ref, out, 3, 8), 2);
  EXPECT_EQ(out[0], 3.0f);
  EXPECT_EQ(out[1], 4.0f);
  EXPECT_EQ(out[2], -1.0f);
  EXPECT_EQ(XPLMGetDatavf(ref, out, 1, 2), 2);
  EXPECT_EQ(out[2], -1.0f);
  EXPECT_EQ(XPLMGetDatavf(ref, out, 5, 8), 0);
  EXPECT_EQ(XPLMGetDatavf(ref, out, -1, 8), 0);
  EXPECT_EQ(XPLMGetDatavf(ref, out, 0, -4), 0);

  XPLMDataRef bytes = xplmsim::defineData("t/b", {'a', 'b', 'c'});
  char text[4] = {};
  EXPECT_EQ(XPLMGetDatab(bytes, nullptr, 0, 0), 3);
  EXPECT_EQ(XPLMGetDatab(bytes, text, 1, 100), 2);
  EXPECT_STREQ(text, "bc");
}

TEST_F(SimDataRefs, OwnedArrayWritesStopAtTheEnd) {
  XPLMDataRef ref = xplmsim::defineIntArray("t/i", {0, 0, 0, 0});
  int values[] = {1, 2, 3};
  XPLMSetDatavi(ref, values, 2, 3);
  EXPECT_EQ(xplmsim::intArrayValue("t/i"), (std::vector<int>{0, 0, 1, 2}));
  XPLMSetDatavi(ref, values, -1, 3);
  XPLMSetDatavi(ref, values, 4, 3);
  XPLMSetDatavi(ref, nullptr, 0, 3);
  EXPECT_EQ(xplmsim::intArrayValue("t/i"), (std::vector<int>{0, 0, 1, 2}));
}

TEST_F(SimDataRefs, TypesNotOfferedReadZeroAndReadOnlyIgnoresWrites) {
  XPLMDataRef ref = xplmsim::defineFloat("t/f", 2.5f, false);
  EXPECT_EQ(XPLMGetDatai(ref), 0);
  EXPECT_EQ(XPLMGetDatad(ref), 0.0);
  int untouched[2] = {9, 9};
  EXPECT_EQ(XPLMGetDatavi(ref, untouched, 0, 2), 0);
  EXPECT_EQ(untouched[0], 9);
  XPLMSetDataf(ref, 7.0f);
  EXPECT_EQ(XPLMGetDataf(ref), 2.5f);
  EXPECT_EQ(XPLMCanWriteDataRef(ref), 0);

  XPLMDataRef multi = xplmsim::defineScalar("t/m", xplmType_Int | xplmType_Double, 3.75, true);
  EXPECT_EQ(XPLMGetDataRefTypes(multi), xplmType_Int | xplmType_Double);
  EXPECT_EQ(XPLMGetDatai(multi), 3);
  EXPECT_EQ(XPLMGetDatad(multi), 3.75);
  XPLMSetDatai(multi, 8);
  EXPECT_EQ(XPLMGetDatad(multi), 8.0);
}

TEST_F(SimDataRefs, BadHandlesGiveZeroAndWritesNothing) {
  for (XPLMDataRef bad : {static_cast<XPLMDataRef>(nullptr), reinterpret_cast<XPLMDataRef>(0x1234),
                          reinterpret_cast<XPLMDataRef>(0xDA7A000FFFFFull)}) {
    EXPECT_EQ(XPLMGetDatai(bad), 0);
    EXPECT_EQ(XPLMGetDataRefTypes(bad), xplmType_Unknown);
    EXPECT_EQ(XPLMCanWriteDataRef(bad), 0);
    float out[1] = {4};
    EXPECT_EQ(XPLMGetDatavf(bad, out, 0, 1), 0);
    XPLMSetDatavf(bad, out, 0, 1);
  }
  EXPECT_EQ(XPLMFindDataRef("no/such/ref"), nullptr);
  EXPECT_EQ(XPLMFindDataRef(nullptr), nullptr);
}

struct Seen {
  void* refcon = nullptr;
  void* buffer = nullptr;
  int offset = 0;
  int max = 0;
  int calls = 0;
};
Seen seen;

int readFloats(void* refcon, float* out, int offset, int max) {
  seen = Seen{refcon, out, offset, max, seen.calls + 1};
  return 42;
}
void writeFloats(void* refcon, float* in, int offset, int count) {
  seen = Seen{refcon, in, offset, count, seen.calls + 1};
}
int readInt(void*) { return 17; }

XPLMDataRef publish(const char* name, int types, int isWritable) {
  return XPLMRegisterDataAccessor(name, types, isWritable, readInt, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, readFloats, writeFloats, nullptr, nullptr,
                                  reinterpret_cast<void*>(1), reinterpret_cast<void*>(2));
}

TEST_F(SimDataRefs, PublishedAccessorsGetTheCallersArgumentsUnchanged) {
  seen = Seen{};
  XPLMDataRef ref = publish("plugin/floats", xplmType_FloatArray | xplmType_Int, 1);
  ASSERT_NE(ref, nullptr);
  EXPECT_EQ(XPLMFindDataRef("plugin/floats"), ref);

  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, -5, 99999), 42);
  EXPECT_EQ(seen.refcon, reinterpret_cast<void*>(1));
  EXPECT_EQ(seen.buffer, nullptr);
  EXPECT_EQ(seen.offset, -5);
  EXPECT_EQ(seen.max, 99999);

  float values[2] = {1, 2};
  XPLMSetDatavf(ref, values, 7, 2);
  EXPECT_EQ(seen.refcon, reinterpret_cast<void*>(2));
  EXPECT_EQ(seen.buffer, values);
  EXPECT_EQ(seen.offset, 7);

  EXPECT_EQ(XPLMGetDatai(ref), 17);
  EXPECT_EQ(XPLMGetDataf(ref), 0.0f);  // float not offered
}

TEST_F(SimDataRefs, ReadOnlyPublishedDataRefsAreNotWritten) {
  seen = Seen{};
  XPLMDataRef ref = publish("plugin/ro", xplmType_FloatArray, 0);
  float values[1] = {1};
  XPLMSetDatavf(ref, values, 0, 1);
  EXPECT_EQ(seen.calls, 0);
}

TEST_F(SimDataRefs, UnregisteringStopsTheAccessorsAndAllowsANewRegistration) {
  seen = Seen{};
  XPLMDataRef ref = publish("plugin/floats", xplmType_FloatArray, 1);
  EXPECT_EQ(publish("plugin/floats", xplmType_FloatArray, 1), nullptr);  // name in use
  EXPECT_EQ(publish("sim/time/total_running_time_sec", xplmType_Float, 0), nullptr);
  XPLMUnregisterDataAccessor(ref);
  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, 0, 0), 0);
  EXPECT_EQ(seen.calls, 0);
  EXPECT_EQ(XPLMFindDataRef("plugin/floats"), nullptr);
  EXPECT_EQ(publish("plugin/floats", xplmType_FloatArray, 1), ref);
  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, 0, 0), 42);
}

TEST_F(SimDataRefs, PublishedDataRefsAreListedWithTheirOwner) {
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    publish("other/floats", xplmType_FloatArray, 1);
  }
  bool found = false;
  for (const xplmsim::DataRefInfo& info : xplmsim::dataRefs()) {
    if (info.name != "other/floats") continue;
    found = true;
    EXPECT_TRUE(info.published);
    EXPECT_EQ(info.owner, xplmsim::kOtherPlugin);
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(xplmsim::lastCall("XPLMRegisterDataAccessor")->plugin, xplmsim::kOtherPlugin);
}

// A counter of the elements a publisher is asked for, to show only the shown ones are read.
int elementsAsked = 0;
int countingRead(void*, int* out, int, int max) {
  if (out == nullptr) return 1000000;
  elementsAsked += max;
  for (int i = 0; i < max; ++i) out[i] = i;
  return max;
}

TEST_F(SimDataRefs, ValueTextCutsLongArraysAndTextsWithACountOfTheRest) {
  xplmsim::defineFloatArray("test/floats", std::vector<float>(1000000, 1.5f));
  EXPECT_EQ(xplmsim::valueText("test/floats", 3, 200), "[1.5, 1.5, 1.5, ... (999,997 more)]");
  EXPECT_EQ(xplmsim::valueText("test/floats", 0, 200), "[... (1,000,000 more)]");
  xplmsim::defineFloatArray("test/short", {1, 2});
  EXPECT_EQ(xplmsim::valueText("test/short", 2, 200), "[1, 2]");
  EXPECT_EQ(xplmsim::valueText("test/short"), "[1, 2]");

  xplmsim::CallerScope other(xplmsim::kOtherPlugin);
  XPLMRegisterDataAccessor("other/ints", xplmType_IntArray, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           countingRead, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  elementsAsked = 0;
  EXPECT_EQ(xplmsim::valueText("other/ints", 16, 200),
            "[0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, ... (999,984 more)]");
  EXPECT_EQ(elementsAsked, 16);

  std::vector<uint8_t> text(300, 'a');
  text.push_back(0);
  xplmsim::defineData("test/text", text);
  EXPECT_EQ(xplmsim::valueText("test/text", 16, 200), "\"" + std::string(200, 'a') + "\"... (100 more characters)");
  std::string accented;
  for (int i = 0; i < 250; ++i) accented += "\xC3\xA9";  // U+00E9, two bytes each
  xplmsim::defineData("test/accented", std::vector<uint8_t>(accented.begin(), accented.end()));
  std::string shown;
  for (int i = 0; i < 200; ++i) shown += "\xC3\xA9";
  EXPECT_EQ(xplmsim::valueText("test/accented", 16, 200), "\"" + shown + "\"... (50 more characters)");
  EXPECT_EQ(xplmsim::valueText("test/accented", 16, 250), "\"" + accented + "\"");
}

TEST_F(SimDataRefs, DebugStringAppendsTextAsGiven) {
  XPLMDebugString("one ");
  XPLMDebugString("two\n");
  XPLMDebugString(nullptr);
  EXPECT_EQ(xplmsim::debugLog(), "one two\n");
}

TEST_F(SimDataRefs, FramesAdvanceTimeAndMoveTheAircraft) {
  xplmsim::setScalar("sim/flightmodel/position/groundspeed", 100.0);
  xplmsim::setScalar("sim/flightmodel/position/psi", 0.0);  // due north
  const double latitude = xplmsim::scalarValue("sim/flightmodel/position/latitude");
  xplmsim::runFrames(10, 0.5f);
  EXPECT_EQ(xplmsim::frameCount(), 10);
  EXPECT_FLOAT_EQ(static_cast<float>(xplmsim::scalarValue("sim/time/total_running_time_sec")), 5.0f);
  // 500 m north is about 0.0045 degrees of latitude.
  EXPECT_NEAR(xplmsim::scalarValue("sim/flightmodel/position/latitude") - latitude, 0.00449, 0.0001);
  EXPECT_NEAR(xplmsim::scalarValue("sim/flightmodel/position/local_z"), -500.0, 1e-6);
}

TEST_F(SimDataRefs, ResetRestoresTheDefaultWorld) {
  XPLMSetDatai(XPLMFindDataRef("sim/cockpit/electrical/battery_on"), 1);
  publish("plugin/floats", xplmType_FloatArray, 1);
  xplmsim::reset();
  EXPECT_TRUE(xplmsim::calls().empty());
  EXPECT_EQ(XPLMGetDatai(XPLMFindDataRef("sim/cockpit/electrical/battery_on")), 0);
  EXPECT_EQ(XPLMFindDataRef("plugin/floats"), nullptr);
}

}  // namespace
