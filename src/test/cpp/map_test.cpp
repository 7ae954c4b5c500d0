// Map layers drawn from Java: the creation hook and its listeners, the stages
// of a map frame, icons and labels, the projection during and after a
// callback, refused layer IDs, exceptions, and the lifetime of the layer's
// Java object.
#include <XPLMMap.h>

#include "jvm_harness.h"
#include "xplmsim/maps.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

using Calls = std::vector<std::string>;
constexpr const char* kUi = XPLM_MAP_USER_INTERFACE;

class MapTest : public BridgeTest {
 protected:
  static jclass layerClass() { return findClass("com/brevanto/qovin/map/MapLayer"); }
  static jclass recordingClass() { return findClass("com/brevanto/qovin/testing/RecordingMapLayer"); }
  jobject newRecording() { return newObject("com/brevanto/qovin/testing/RecordingMapLayer", "()V"); }
  jobject create(const char* map, int type, const char* name, jobject recording) {
    jstring jmap = env()->NewStringUTF(map);
    jstring jname = env()->NewStringUTF(name);
    jobject layer = callStatic<jobject>(
        recordingClass(),
        staticMethod(recordingClass(), "create",
                     "(Ljava/lang/String;ILjava/lang/String;Lcom/brevanto/qovin/testing/RecordingMapLayer;)"
                     "Lcom/brevanto/qovin/map/MapLayer;"),
        jmap, type, jname, recording);
    env()->DeleteLocalRef(jmap);
    env()->DeleteLocalRef(jname);
    return layer;
  }
  jint destroyNative(jlong id) {
    return callStatic<jint>(layerClass(), staticMethod(layerClass(), "destroyN", "(J)I"), id);
  }
  Calls calls(jobject recording) { return takeStrings(recording, "takeCalls"); }
};

TEST_F(MapTest, ListenersHearOfEachMapOpenedAndARemovedOneIsCollectable) {
  jobject recording = newRecording();
  jobject registration = callStatic<jobject>(
      recordingClass(),
      staticMethod(recordingClass(), "createOnEachMap",
                   "(Lcom/brevanto/qovin/testing/RecordingMapLayer;)Lcom/brevanto/qovin/Registration;"),
      recording);
  ASSERT_NE(nullptr, registration);
  sim::openMap(kUi);
  sim::openMap(XPLM_MAP_IOS);
  EXPECT_EQ((Calls{"created XPLM_MAP_USER_INTERFACE", "created XPLM_MAP_IOS"}), calls(recording));
  EXPECT_EQ(2u, sim::mapLayers().size());
  EXPECT_EQ(1, sim::mapCreationHookCount());  // one hook for the process, however many listeners

  jobject weak = weakReference(recording);
  callMethod(registration, "close", "()V");
  sim::closeMap(kUi);
  sim::closeMap(XPLM_MAP_IOS);
  env()->DeleteLocalRef(recording);
  env()->DeleteLocalRef(registration);
  EXPECT_TRUE(collected(weak));
  sim::openMap(kUi);
  EXPECT_EQ(0u, sim::mapLayers().size());
  EXPECT_EQ(1, sim::mapCreationHookCount());
}

TEST_F(MapTest, AThrowingListenerIsPrintedAndTheNextStillHearsOfTheMap) {
  jobject throwing = callStatic<jobject>(
      recordingClass(), staticMethod(recordingClass(), "throwOnEachMap", "()Lcom/brevanto/qovin/Registration;"));
  jobject recording = newRecording();
  jobject healthy = callStatic<jobject>(
      recordingClass(),
      staticMethod(recordingClass(), "createOnEachMap",
                   "(Lcom/brevanto/qovin/testing/RecordingMapLayer;)Lcom/brevanto/qovin/Registration;"),
      recording);
  const std::string printed = captureJavaStderr([] {
    sim::openMap(kUi);
    ASSERT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(std::string::npos, printed.find("map listener failed for XPLM_MAP_USER_INTERFACE")) << printed;
  EXPECT_EQ((Calls{"created XPLM_MAP_USER_INTERFACE"}), calls(recording));
  callMethod(throwing, "close", "()V");
  callMethod(healthy, "close", "()V");
  sim::closeMap(kUi);
}

TEST_F(MapTest, AFrameRunsEachStageQueuesIconsAndLabelsAndProjectsBothWays) {
  sim::openMap(kUi);
  jobject fill = newRecording();
  jobject marks = newRecording();
  ASSERT_NE(nullptr, create(kUi, xplm_MapLayer_Markings, "marks", marks));
  ASSERT_NE(nullptr, create(kUi, xplm_MapLayer_Fill, "fill", fill));
  sim::runFrames(1, 0.05f);
  EXPECT_EQ((Calls{"prepare fill", "area -500.0 500.0 500.0 -500.0", "draw fill", "zoom 1.0 units 1.0 style 0 stage 1",
                   "icons fill", "labels fill", "round trip 47.5000 -122.2000 scale 0.0100 north 0.0"}),
            calls(fill));
  const auto icons = sim::mapIcons(kUi);
  ASSERT_EQ(2u, icons.size());  // one per layer: the labels stage's icons were ignored
  EXPECT_EQ("icons/plane.png", icons[0].pngPath);
  EXPECT_EQ(45.0f, icons[0].rotation);
  EXPECT_EQ(4, icons[0].ds);
  const auto labels = sim::mapLabels(kUi);
  ASSERT_EQ(2u, labels.size());
  EXPECT_EQ("fill", labels[0].text);
  EXPECT_EQ("marks", labels[1].text);

  calls(marks);
  sim::runFrames(1, 0.05f);
  EXPECT_EQ("draw marks", calls(marks).at(0));  // no prepare-cache for the same area
}

TEST_F(MapTest, TheLayerEndsWithItsMapOrClosePassesThroughWillBeDeletedAndIsCollectable) {
  sim::openMap(kUi);
  jobject recording = newRecording();
  jobject layer = create(kUi, xplm_MapLayer_Fill, "a", recording);
  jobject second = create(kUi, xplm_MapLayer_Fill, "b", recording);
  jobject weak = weakReference(layer);
  env()->DeleteLocalRef(layer);
  EXPECT_FALSE(collected(weak));  // the simulator's refcon holds it

  callMethod(second, "close", "()V");
  EXPECT_FALSE(callMethod<jboolean>(second, "isOpen", "()Z"));
  callMethod(second, "close", "()V");  // gone already: nothing happens
  sim::closeMap(kUi);
  EXPECT_EQ((Calls{"deleted b", "deleted a"}), calls(recording));
  EXPECT_TRUE(collected(weak));
  EXPECT_EQ(0u, sim::mapLayers().size());
}

TEST_F(MapTest, StaleMadeUpAndRefusedLayersReachNothing) {
  EXPECT_EQ(nullptr, create(kUi, xplm_MapLayer_Fill, "no map yet", newRecording()));
  sim::openMap(kUi);
  EXPECT_EQ(nullptr, create(kUi, 9, "bad type", newRecording()));
  jobject layer = create(kUi, xplm_MapLayer_Fill, "a", newRecording());
  ASSERT_NE(nullptr, layer);
  const jlong id = reinterpret_cast<jlong>(sim::mapLayers().at(0).id);
  sim::clearCalls();
  EXPECT_EQ(0, destroyNative(0x3A910000002LL));  // a layer handle never handed out
  EXPECT_EQ(0, destroyNative(-1));
  EXPECT_EQ(nullptr, sim::lastCall("XPLMDestroyMapLayer"));
  EXPECT_EQ(1, destroyNative(id));
  EXPECT_EQ(0, destroyNative(id));  // stale
  EXPECT_EQ(1u, sim::callsTo("XPLMDestroyMapLayer").size());
}

TEST_F(MapTest, AProjectionKeptPastItsCallbackOrMadeUpAnswersNothing) {
  sim::openMap(kUi);
  jobject recording = newRecording();
  create(kUi, xplm_MapLayer_Fill, "a", recording);
  sim::runFrames(1, 0.05f);
  jobject projection = env()->GetObjectField(
      recording, env()->GetFieldID(recordingClass(), "keptProjection", "Lcom/brevanto/qovin/map/MapProjection;"));
  ASSERT_NE(nullptr, projection);
  EXPECT_FALSE(callMethod<jboolean>(projection, "isValid", "()Z"));
  jfloatArray xy = floatArray({-1, -1});
  sim::clearCalls();
  EXPECT_FALSE(callMethod<jboolean>(projection, "project", "(DD[F)Z", 47.0, -122.0, xy));
  EXPECT_EQ((std::vector<float>{-1, -1}), elements(xy));
  EXPECT_EQ(0.0f, callMethod<jfloat>(projection, "scaleMeter", "(FF)F", 0.0f, 0.0f));

  // The natives themselves, with any handle and arrays: nothing reaches the simulator.
  jclass cls = layerClass();
  const jlong handle = 0x3A9200000001LL;
  EXPECT_FALSE(callStatic<jboolean>(cls, staticMethod(cls, "projectN", "(JDD[F)Z"), handle, 1.0, 2.0, xy));
  EXPECT_FALSE(callStatic<jboolean>(cls, staticMethod(cls, "unprojectN", "(JFF[D)Z"), handle, 1.0f, 2.0f,
                                    static_cast<jdoubleArray>(nullptr)));
  EXPECT_EQ(0.0f, callStatic<jfloat>(cls, staticMethod(cls, "northHeadingN", "(JFF)F"), handle, 1.0f, 2.0f));
  jstring text = env()->NewStringUTF("made up");
  callStatic(cls, staticMethod(cls, "drawLabelN", "(JLjava/lang/String;FFIF)V"),
             reinterpret_cast<jlong>(sim::mapLayers().at(0).id), text, 0.0f, 0.0f, 0, 0.0f);
  EXPECT_EQ(nullptr, sim::lastCall("XPLMMapProject"));
  EXPECT_EQ(nullptr, sim::lastCall("XPLMMapGetNorthHeading"));
  EXPECT_EQ(nullptr, sim::lastCall("XPLMDrawMapLabel"));  // outside the label stage
}

TEST_F(MapTest, AThrowingLayerIsPrintedAndTheMapGoesOn) {
  sim::openMap(kUi);
  jobject failing = newRecording();
  jobject healthy = newRecording();
  create(kUi, xplm_MapLayer_Fill, "bad", failing);
  create(kUi, xplm_MapLayer_Fill, "good", healthy);
  callMethod(failing, "setFailing", "(Z)V", JNI_TRUE);
  const std::string printed = captureJavaStderr([] {
    sim::runFrames(1, 0.05f);
    sim::closeMap(kUi);
    ASSERT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(std::string::npos, printed.find("map layer failed in icons")) << printed;
  EXPECT_NE(std::string::npos, printed.find("map layer failed in deleted")) << printed;
  EXPECT_EQ((Calls{"prepare good", "area -500.0 500.0 500.0 -500.0", "draw good",
                   "zoom 1.0 units 1.0 style 0 stage 1", "icons good", "labels good",
                   "round trip 47.5000 -122.2000 scale 0.0100 north 0.0", "deleted good"}),
            calls(healthy));
  EXPECT_EQ(0u, sim::mapLayers().size());
  EXPECT_TRUE(sim::mapLabels(kUi).empty());  // a closed map reports nothing queued
}

}  // namespace
