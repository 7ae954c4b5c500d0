// The stand-in's scenery library and magnetic variation.
#include <XPLMScenery.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xplmsim/scenery.h"
#include "xplmsim/sim.h"

namespace {

class SimLibrary : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

void collect(const char* path, void* ref) { static_cast<std::vector<std::string>*>(ref)->push_back(path); }

TEST_F(SimLibrary, LookupsCallBackInLibraryOrderBeforeReturningAndHonourRegions) {
  std::vector<std::string> found;
  EXPECT_EQ(2, XPLMLookupObjects("lib/airport/vehicles/any.obj", 47.4f, -122.3f, collect, &found));
  EXPECT_EQ((std::vector<std::string>{xplmsim::kFuelTruckObject, xplmsim::kTugObject}), found);
  xplmsim::addLibraryObject({"lib/airport/vehicles/any.obj", "Custom Scenery/alps/truck.obj", 45, 5, 48, 11});
  found.clear();
  EXPECT_EQ(3, XPLMLookupObjects("lib/airport/vehicles/any.obj", 46.5f, 8.0f, collect, &found));
  EXPECT_EQ("Custom Scenery/alps/truck.obj", found.back());
  EXPECT_EQ(2, XPLMLookupObjects("lib/airport/vehicles/any.obj", 0, 0, collect, &found));
  EXPECT_EQ(0, XPLMLookupObjects("lib/none.obj", 0, 0, collect, &found));
  EXPECT_EQ(0, XPLMLookupObjects(nullptr, 0, 0, collect, &found));
  EXPECT_EQ(0, XPLMLookupObjects("lib/airport/lights/beacon.obj", 0, 0, nullptr, nullptr));
}

TEST_F(SimLibrary, MagneticIsTrueMinusAnEastVariationAndTheConversionsAreInverses) {
  EXPECT_EQ(15.0f, XPLMGetMagneticVariation(47.45, -122.31));
  EXPECT_EQ(345.0f, XPLMDegTrueToDegMagnetic(0));
  EXPECT_EQ(355.0f, XPLMDegTrueToDegMagnetic(-350));
  EXPECT_EQ(10.0f, XPLMDegMagneticToDegTrue(355));
  for (float heading = 0; heading < 360; heading += 7.5f) {
    const float there = XPLMDegTrueToDegMagnetic(heading);
    EXPECT_GE(there, 0.0f);
    EXPECT_LT(there, 360.0f);
    EXPECT_EQ(heading, XPLMDegMagneticToDegTrue(there));
  }
}

}  // namespace
