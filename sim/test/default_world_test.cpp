// A program that never calls reset() finds the stand-in in its default world
// (its own executable: every other suite resets first).
#include <XPLMDataAccess.h>
#include <XPLMPlugin.h>
#include <XPLMScenery.h>
#include <XPLMUtilities.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/scenery.h"
#include "xplmsim/sim.h"

namespace {

// What a plugin sees of the world first.
std::vector<std::string> firstLook() {
  char root[512] = {};
  XPLMGetSystemPath(root);
  XPLMObjectRef truck = XPLMLoadObject(xplmsim::kFuelTruckObject);
  std::vector<std::string> seen = {
      std::to_string(XPLMCountPlugins()),
      std::to_string(XPLMFindPluginBySignature("com.example.trafficboard")),
      std::to_string(xplmsim::dataRefs().size()),
      std::to_string(xplmsim::commands().size()),
      xplmsim::valueText("sim/flightmodel/position/latitude"),
      xplmsim::valueText("sim/flightmodel/position/y_agl"),
      xplmsim::valueText("sim/aircraft/view/acf_tailnum"),
      root,
      truck != nullptr ? "truck" : "no truck",
  };
  XPLMUnloadObject(truck);
  return seen;
}

TEST(SimDefaultWorld, IsThereWithoutAReset) {
  const std::vector<std::string> before = firstLook();
  EXPECT_EQ(before[0], "2");
  EXPECT_NE(before[1], "-1");
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  EXPECT_EQ(before[7], std::string(here) + "/") << "the working directory is the default root";
  xplmsim::reset();
  EXPECT_EQ(firstLook(), before);
}

}  // namespace
