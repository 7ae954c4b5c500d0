// The user's aircraft and exclusive access to the others from Java: counts,
// acquisition and the one-shot callback of a refused one (its reference, its
// exception, its cancellation), placing the user, and the draw state passed on.
#include <XPLMPlanes.h>
#include <XPLMPlugin.h>

#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/planes.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

class PlanesTest : public BridgeTest {
 protected:
  static jclass planes() { return findClass("com/brevanto/qovin/planes/XPlanePlanes"); }
  jobject newWaiter() { return newObject("com/brevanto/qovin/testing/CountingPlanesAvailable", "()V"); }
  jboolean acquire(jobjectArray aircraft, jobject whenAvailable) {
    return callStatic<jboolean>(
        planes(),
        staticMethod(planes(), "acquirePlanes", "([Ljava/lang/String;Lcom/brevanto/qovin/planes/PlanesAvailable;)Z"),
        aircraft, whenAvailable);
  }
  void release() { callStatic(planes(), staticMethod(planes(), "releasePlanes", "()V")); }
  static void otherPluginTakesAccess() {
    sim::CallerScope other(sim::kOtherPlugin);
    XPLMAcquirePlanes(nullptr, nullptr, nullptr);
  }
  static void otherPluginReleases() {
    sim::CallerScope other(sim::kOtherPlugin);
    XPLMReleasePlanes();
  }
  int field(jobject object, const char* name) {
    jclass cls = env()->GetObjectClass(object);
    const int value = env()->GetIntField(object, env()->GetFieldID(cls, name, "I"));
    env()->DeleteLocalRef(cls);
    return value;
  }
  jobjectArray strings(const std::vector<const char*>& texts) {
    jclass stringClass = env()->FindClass("java/lang/String");
    jobjectArray array = env()->NewObjectArray(static_cast<jsize>(texts.size()), stringClass, nullptr);
    for (size_t i = 0; i < texts.size(); ++i) {
      if (texts[i] == nullptr) continue;
      jstring text = env()->NewStringUTF(texts[i]);
      env()->SetObjectArrayElement(array, static_cast<jsize>(i), text);
      env()->DeleteLocalRef(text);
    }
    env()->DeleteLocalRef(stringClass);
    return array;
  }
};

TEST_F(PlanesTest, AcquiringLoadsTheListAndCountsShowTheHolder) {
  EXPECT_TRUE(acquire(strings({"/Aircraft/A/a.acf", nullptr, "/Aircraft/C/c.acf"}), nullptr));
  jobject count = callStatic<jobject>(planes(), staticMethod(planes(), "countAircraft",
                                                             "()Lcom/brevanto/qovin/planes/AircraftCount;"));
  EXPECT_EQ(20, callMethod<jint>(count, "total", "()I"));
  EXPECT_EQ(4, callMethod<jint>(count, "active", "()I"));
  EXPECT_EQ(sim::kHostPlugin, callMethod<jint>(count, "controller", "()I"));
  char file[256], path[512];
  XPLMGetNthAircraftModel(3, file, path);
  EXPECT_STREQ("c.acf", file);
  XPLMGetNthAircraftModel(2, file, path);
  EXPECT_STREQ("", file);  // a null entry skipped its slot
  release();
  EXPECT_EQ(XPLM_NO_PLUGIN_ID, sim::planesController());

  // The native with short or null arrays writes nothing.
  jintArray shortArray = intArray({7, 7});
  callStatic(planes(), staticMethod(planes(), "countAircraftN", "([I)V"), shortArray);
  EXPECT_EQ((std::vector<int>{7, 7}), elements(shortArray));
  callStatic(planes(), staticMethod(planes(), "countAircraftN", "([I)V"), static_cast<jintArray>(nullptr));
}

TEST_F(PlanesTest, ARefusedAcquisitionIsToldOnceWhenAccessFreesThenItsObjectIsCollectable) {
  otherPluginTakesAccess();
  jobject waiter = newWaiter();
  EXPECT_FALSE(acquire(nullptr, waiter));
  EXPECT_EQ(1, sim::planesWaiting());
  jobject weak = weakReference(waiter);
  env()->DeleteLocalRef(waiter);
  EXPECT_FALSE(collected(weak));  // kept until called

  jobject again = callMethod<jobject>(weak, "get", "()Ljava/lang/Object;");
  env()->SetBooleanField(again, env()->GetFieldID(env()->GetObjectClass(again), "acquireWhenCalled", "Z"), JNI_TRUE);
  otherPluginReleases();
  EXPECT_EQ(1, field(again, "calls"));
  EXPECT_EQ(sim::kHostPlugin, sim::planesController());  // it acquired from its callback
  release();
  EXPECT_EQ(1, field(again, "calls"));  // once
  env()->DeleteLocalRef(again);
  EXPECT_TRUE(collected(weak));
}

TEST_F(PlanesTest, ACancelledWaitIsNotCalledAndMadeUpTicketsAreRefused) {
  otherPluginTakesAccess();
  jobject waiter = newWaiter();
  EXPECT_FALSE(acquire(nullptr, waiter));
  jclass cls = planes();
  jmethodID cancel = staticMethod(cls, "cancelWaitN", "(J)Z");
  EXPECT_FALSE(callStatic<jboolean>(cls, cancel, static_cast<jlong>(123456)));
  EXPECT_FALSE(callStatic<jboolean>(cls, cancel, static_cast<jlong>(1)));
  // The ticket the native handed out is the only waiting one: cancel every small ticket.
  int cancelled = 0;
  for (jlong ticket = 2; ticket < 1000; ++ticket) cancelled += callStatic<jboolean>(cls, cancel, ticket) ? 1 : 0;
  EXPECT_EQ(1, cancelled);
  otherPluginReleases();  // the simulator still calls: the bridge finds nothing
  EXPECT_EQ(0, field(waiter, "calls"));

  // Any object but the API's own waiter is not kept for a call.
  otherPluginTakesAccess();
  jobject plain = newObject("java/lang/Object", "()V");
  EXPECT_EQ(0, callStatic<jlong>(cls, staticMethod(cls, "acquirePlanesN", "([Ljava/lang/String;Ljava/lang/Object;)J"),
                                 static_cast<jobjectArray>(nullptr), plain));
  EXPECT_EQ(0, sim::planesWaiting());
}

TEST_F(PlanesTest, AThrowingWaiterIsPrintedAndTheNextIsStillCalled) {
  otherPluginTakesAccess();
  jobject failing = newObject("com/brevanto/qovin/testing/ThrowingPlanesAvailable", "()V");
  jobject healthy = newWaiter();
  EXPECT_FALSE(acquire(nullptr, failing));
  EXPECT_FALSE(acquire(nullptr, healthy));
  const std::string printed = captureJavaStderr([] {
    otherPluginReleases();
    ASSERT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(std::string::npos, printed.find("planes available failed")) << printed;
  EXPECT_EQ(1, field(healthy, "calls"));
}

TEST_F(PlanesTest, PlacingTheUserAndTheDrawStateReachTheSimulator) {
  jclass cls = planes();
  callStatic(cls, staticMethod(cls, "placeUserAtLocation", "(DDFFF)V"), 45.0, -120.0, 500.0f, 90.0f, 0.0f);
  EXPECT_DOUBLE_EQ(45.0, sim::scalarValue("sim/flightmodel/position/latitude"));
  jstring code = env()->NewStringUTF("KSEA");
  callStatic(cls, staticMethod(cls, "placeUserAtAirport", "(Ljava/lang/String;)V"), code);
  EXPECT_NEAR(47.45, sim::scalarValue("sim/flightmodel/position/latitude"), 0.05);
  callStatic(cls, staticMethod(cls, "placeUserAtAirport", "(Ljava/lang/String;)V"), static_cast<jstring>(nullptr));
  EXPECT_EQ(1u, sim::callsTo("XPLMPlaceUserAtAirport").size());  // a null code reaches nothing

  jmethodID draw = staticMethod(cls, "drawAircraft", "(IFFFFFFZ[F)V");
  callStatic(cls, draw, 1, 1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f, JNI_TRUE, floatArray({1.0f, 0.5f}));
  callStatic(cls, draw, 1, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, JNI_FALSE,
             floatArray(std::vector<float>(40, 0.25f)));  // longer than the record: ten values
  callStatic(cls, draw, 1, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, JNI_FALSE, static_cast<jfloatArray>(nullptr));
  const auto draws = sim::aircraftDraws();
  ASSERT_EQ(3u, draws.size());
  EXPECT_EQ(44, draws[0].state.structSize);
  EXPECT_EQ(0.5f, draws[0].state.flapRatio);
  EXPECT_EQ(0.0f, draws[0].state.thrust);
  EXPECT_EQ(0.25f, draws[1].state.yokeRoll);
  EXPECT_EQ(0.0f, draws[2].state.gearPosition);
}

}  // namespace
