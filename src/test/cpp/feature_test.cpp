// The plugin list, features and reload requests from Java, and the scenery
// library and magnetic variation: answers the simulator calls back with
// before returning reach Java as lists.
#include <XPLMPlugin.h>

#include "jvm_harness.h"
#include "xplmsim/plugins.h"
#include "xplmsim/scenery.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

class FeatureTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    helper = findClass("com/brevanto/qovin/XPlanePluginHelper");
  }
  jstring text(const char* value) { return value != nullptr ? env()->NewStringUTF(value) : nullptr; }
  jboolean feature(const char* method, const char* name) {
    return callStatic<jboolean>(helper, staticMethod(helper, method, "(Ljava/lang/String;)Z"), text(name));
  }
  std::vector<std::string> strings(jobject list) {
    jclass cls = env()->GetObjectClass(list);
    jobject array = env()->CallObjectMethod(list, env()->GetMethodID(cls, "toArray", "()[Ljava/lang/Object;"));
    env()->DeleteLocalRef(cls);
    return toStrings(static_cast<jobjectArray>(array));
  }
  jclass helper = nullptr;
};

TEST_F(FeatureTest, PluginsAreListedAndFoundByTheirExactPath) {
  jobject ids = callStatic<jobject>(helper, staticMethod(helper, "pluginIds", "()[I"));
  EXPECT_EQ((std::vector<int>{sim::kHostPlugin, sim::kOtherPlugin}), elements(static_cast<jintArray>(ids)));
  EXPECT_EQ(-1, callStatic<jint>(helper, staticMethod(helper, "getNthPlugin", "(I)I"), 2));
  jmethodID byPath = staticMethod(helper, "findPluginByPath", "(Ljava/lang/String;)I");
  const std::string path = sim::plugin(sim::kOtherPlugin)->path;
  EXPECT_EQ(sim::kOtherPlugin, callStatic<jint>(helper, byPath, text(path.c_str())));
  EXPECT_EQ(-1, callStatic<jint>(helper, byPath, text((path + "/").c_str())));
  EXPECT_EQ(-1, callStatic<jint>(helper, byPath, text(nullptr)));
}

TEST_F(FeatureTest, FeaturesAreOfferedListedAndTurnedOnForTheCallerOnly) {
  jobject list = callStatic<jobject>(helper, staticMethod(helper, "features", "()Ljava/util/List;"));
  EXPECT_EQ((std::vector<std::string>{"XPLM_WANTS_REFLECTIONS", "XPLM_USE_NATIVE_PATHS"}), strings(list));
  EXPECT_TRUE(feature("hasFeature", "XPLM_USE_NATIVE_PATHS"));
  EXPECT_FALSE(feature("hasFeature", "XPLM_NO_SUCH_THING"));
  EXPECT_FALSE(feature("hasFeature", nullptr));
  jmethodID enable = staticMethod(helper, "enableFeature", "(Ljava/lang/String;Z)V");
  callStatic(helper, enable, text("XPLM_WANTS_REFLECTIONS"), JNI_TRUE);
  callStatic(helper, enable, text("XPLM_NO_SUCH_THING"), JNI_TRUE);
  callStatic(helper, enable, text(nullptr), JNI_TRUE);
  EXPECT_TRUE(feature("isFeatureEnabled", "XPLM_WANTS_REFLECTIONS"));
  EXPECT_FALSE(feature("isFeatureEnabled", "XPLM_USE_NATIVE_PATHS"));
  EXPECT_FALSE(feature("isFeatureEnabled", "XPLM_NO_SUCH_THING"));
  {
    const sim::CallerScope asOther(sim::kOtherPlugin);
    EXPECT_EQ(0, XPLMIsFeatureEnabled("XPLM_WANTS_REFLECTIONS"));
  }
  callStatic(helper, enable, text("XPLM_WANTS_REFLECTIONS"), JNI_FALSE);
  EXPECT_FALSE(feature("isFeatureEnabled", "XPLM_WANTS_REFLECTIONS"));
}

TEST_F(FeatureTest, AReloadAskedForRunsAtTheEndOfTheFrame) {
  callStatic(helper, staticMethod(helper, "reloadPlugins", "()V"));
  EXPECT_TRUE(sim::reloadRequested());
  EXPECT_EQ(0, sim::requestedReloads());
  sim::runFrames(1, 0.05f);
  EXPECT_FALSE(sim::reloadRequested());
  EXPECT_EQ(1, sim::requestedReloads());
}

TEST_F(FeatureTest, LibraryLookupsListTheFilesOfAPathInLibraryOrderWhereTheyAreAllowed) {
  jclass library = findClass("com/brevanto/qovin/scenery/SceneryLibrary");
  jmethodID lookup = staticMethod(library, "lookup", "(Ljava/lang/String;FF)Ljava/util/List;");
  EXPECT_EQ((std::vector<std::string>{sim::kFuelTruckObject, sim::kTugObject}),
            strings(callStatic<jobject>(library, lookup, text("lib/airport/vehicles/any.obj"), 47.0f, -122.0f)));
  sim::addLibraryObject({"lib/local/hangar.obj", "Custom Scenery/hangar.obj", 40, -130, 50, -120});
  EXPECT_EQ((std::vector<std::string>{"Custom Scenery/hangar.obj"}),
            strings(callStatic<jobject>(library, lookup, text("lib/local/hangar.obj"), 47.0f, -122.0f)));
  EXPECT_TRUE(strings(callStatic<jobject>(library, lookup, text("lib/local/hangar.obj"), 10.0f, 10.0f)).empty());
  EXPECT_TRUE(strings(callStatic<jobject>(library, lookup, text("lib/none.obj"), 0.0f, 0.0f)).empty());
  EXPECT_TRUE(strings(callStatic<jobject>(library, lookup, text(nullptr), 0.0f, 0.0f)).empty());
}

TEST_F(FeatureTest, MagneticHeadingsAreTrueMinusAnEastVariationAndWrapToAFullCircle) {
  jclass magnetic = findClass("com/brevanto/qovin/scenery/MagneticVariation");
  EXPECT_EQ(15.0f, callStatic<jfloat>(magnetic, staticMethod(magnetic, "at", "(DD)F"), 47.45, -122.31));
  jmethodID toMagnetic = staticMethod(magnetic, "trueToMagnetic", "(F)F");
  jmethodID toTrue = staticMethod(magnetic, "magneticToTrue", "(F)F");
  EXPECT_EQ(345.0f, callStatic<jfloat>(magnetic, toMagnetic, 0.0f));
  EXPECT_EQ(5.0f, callStatic<jfloat>(magnetic, toTrue, 350.0f));
  for (float heading : {0.0f, 14.5f, 15.0f, 200.25f, 359.5f}) {
    EXPECT_EQ(heading, callStatic<jfloat>(magnetic, toTrue, callStatic<jfloat>(magnetic, toMagnetic, heading)));
  }
}

}  // namespace
