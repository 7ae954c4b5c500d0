// Loading scenery objects at once and asynchronously, drawing and unloading them.
#include <string>
#include <vector>

#include "scenery_fixture.h"

using namespace qovintest;

namespace {

using xplmsim::kFuelTruckObject;
using xplmsim::kTugObject;

class ObjectTest : public SceneryTest {
 protected:
  jobject callback(bool fail = false) {
    return newObject("com/brevanto/qovin/testing/RecordingLoadCallback", "(Z)V", static_cast<jboolean>(fail));
  }
  void loadAsync(jobject factory, jstring path, jobject callback) {
    callMethod(factory, "loadObjectAsync", "(Ljava/lang/String;Lcom/brevanto/qovin/scenery/QOVINObjectLoadCallback;)V",
               path, callback);
  }
  void loadAsync(jobject factory, const char* path, jobject callback) {
    jstring text = env()->NewStringUTF(path);
    loadAsync(factory, text, callback);
    env()->DeleteLocalRef(text);
  }
  jint deliveries(jobject callback) { return callMethod<jint>(callback, "count", "()I"); }
  jlong delivered(jobject callback, jint index) { return callMethod<jlong>(callback, "handle", "(I)J", index); }

  // The handle the simulator has for the loaded object of `path`.
  jlong simHandle(const std::string& path) {
    for (const xplmsim::ObjectInfo& o : xplmsim::objects()) {
      if (o.path == path && o.loaded) return reinterpret_cast<jlong>(o.handle);
    }
    return 0;
  }

  void drawInstancesN(jlong object, jint size, jlong address) {
    jclass cls = findClass(kObjectRefClass);
    callStatic(cls, staticMethod(cls, "drawInstancesN", "(JIJ)V"), object, size, address);
  }
};

TEST_F(ObjectTest, LoadingForwardsThePathAndAnUnknownPathGivesZeroSilently) {
  jobject truck = loadObject(kFuelTruckObject);
  ASSERT_NE(truck, nullptr);
  EXPECT_EQ(handleOf(truck), simHandle(kFuelTruckObject));
  EXPECT_EQ(xplmsim::lastCall("XPLMLoadObject")->s(0), kFuelTruckObject);

  jobject f = factory();
  const char* signature = "(Ljava/lang/String;)J";
  EXPECT_EQ(callMethod<jlong>(f, "loadObjectN", signature, env()->NewStringUTF("no/such/thing.obj")), 0);
  EXPECT_EQ(xplmsim::lastCall("XPLMLoadObject")->s(0), "no/such/thing.obj");
  EXPECT_EQ(loadObject("no/such/thing.obj"), nullptr);
  EXPECT_TRUE(javaLog().empty());
  EXPECT_TRUE(xplmsim::debugLog().empty());

  xplmsim::clearCalls();
  EXPECT_EQ(callMethod<jlong>(f, "loadObjectN", signature, static_cast<jstring>(nullptr)), 0);
  EXPECT_EQ(xplmsim::lastCall("XPLMLoadObject"), nullptr) << "a null path loads nothing";
}

TEST_F(ObjectTest, TwoAsynchronousLoadsReachTheirOwnCallbackOnceAndReleaseIt) {
  jobject f = factory();
  jobject first = callback();
  jobject second = callback();
  loadAsync(f, kTugObject, first);
  loadAsync(f, kFuelTruckObject, second);
  const std::vector<xplmsim::Call> requests = xplmsim::callsTo("XPLMLoadObjectAsync");
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].s(0), kTugObject);
  EXPECT_NE(requests[0].i(2), requests[1].i(2)) << "each request has a reference of its own";
  EXPECT_EQ(env()->GetObjectRefType(reinterpret_cast<jobject>(requests[0].i(2))), JNIGlobalRefType);
  EXPECT_EQ(deliveries(first), 0) << "nothing arrives before the next frame";

  jobject firstGone = weakReference(first);
  jobject secondGone = weakReference(second);
  xplmsim::runFrames(1, 0.05f);
  ASSERT_EQ(deliveries(first), 1);
  ASSERT_EQ(deliveries(second), 1);
  EXPECT_EQ(delivered(first, 0), simHandle(kTugObject));
  EXPECT_EQ(delivered(second, 0), simHandle(kFuelTruckObject));
  jobject object = callMethod<jobject>(first, "object", "(I)Lcom/brevanto/qovin/scenery/QOVINObjectRef;", 0);
  EXPECT_TRUE(env()->IsInstanceOf(object, findClass(kObjectRefClass)));
  EXPECT_TRUE(callMethod<jboolean>(object, "isLoaded", "()Z"));

  xplmsim::runFrames(3, 0.05f);
  EXPECT_EQ(deliveries(first), 1);
  EXPECT_EQ(deliveries(second), 1);
  env()->DeleteLocalRef(object);
  env()->DeleteLocalRef(first);
  env()->DeleteLocalRef(second);
  EXPECT_TRUE(collected(firstGone)) << "the first request's global reference is gone";
  EXPECT_TRUE(collected(secondGone)) << "the second request's global reference is gone";
}

TEST_F(ObjectTest, AFailedAsynchronousLoadDeliversAnObjectWithoutHandle) {
  jobject failed = callback();
  loadAsync(factory(), "missing/object.obj", failed);
  EXPECT_EQ(xplmsim::completePendingLoads(), 1);
  ASSERT_EQ(deliveries(failed), 1);
  EXPECT_EQ(delivered(failed, 0), 0);
  jobject object = callMethod<jobject>(failed, "object", "(I)Lcom/brevanto/qovin/scenery/QOVINObjectRef;", 0);
  EXPECT_FALSE(callMethod<jboolean>(object, "isLoaded", "()Z"));
}

TEST_F(ObjectTest, AThrowingCallbackIsClearedAndStillReleased) {
  jobject f = factory();
  jobject failing = callback(true);
  jobject healthy = callback();
  loadAsync(f, kTugObject, failing);
  loadAsync(f, kTugObject, healthy);
  jobject failingGone = weakReference(failing);
  xplmsim::completePendingLoads();
  EXPECT_FALSE(env()->ExceptionCheck()) << "the exception must not reach the simulator";
  EXPECT_EQ(deliveries(failing), 1);
  EXPECT_EQ(deliveries(healthy), 1);
  env()->DeleteLocalRef(failing);
  EXPECT_TRUE(collected(failingGone));
}

// Completions run outside any Java frame: a local reference left behind per
// delivery would exceed the frame's capacity and make checked JNI complain.
TEST_F(ObjectTest, ManyCompletionsLeaveNoLocalReferencesBehind) {
  jobject f = factory();
  jobject counting = callback();
  jstring path = env()->NewStringUTF(kTugObject);
  for (int i = 0; i < 300; ++i) loadAsync(f, path, counting);
  const long before = liveLocalRefs();
  EXPECT_EQ(xplmsim::completePendingLoads(), 300);
  EXPECT_EQ(liveLocalRefs(), before);
  EXPECT_EQ(deliveries(counting), 300);
}

TEST_F(ObjectTest, DrawRewritesOneEarthRelativeLocation) {
  jobject truck = loadObject(kFuelTruckObject);
  callMethod(truck, "draw", "(FFFFFF)V", 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f);
  callMethod(truck, "draw", "(FFFFFF)V", -10.0f, 20.5f, -30.25f, 1.5f, 359.0f, -2.0f);
  const std::vector<xplmsim::Draw>& draws = xplmsim::draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].locations, draws[1].locations) << "one static location serves every draw";
  for (const xplmsim::Draw& draw : draws) {
    EXPECT_EQ(draw.count, 1);
    EXPECT_EQ(draw.lighting, 0);
    EXPECT_EQ(draw.earthRelative, 1);
    EXPECT_EQ(draw.records.at(0).structSize, 28);
    EXPECT_EQ(reinterpret_cast<jlong>(draw.object), handleOf(truck));
  }
  const XPLMDrawInfo_t& second = draws[1].records[0];
  EXPECT_EQ(second.x, -10.0f);
  EXPECT_EQ(second.y, 20.5f);
  EXPECT_EQ(second.z, -30.25f);
  EXPECT_EQ(second.pitch, 1.5f);
  EXPECT_EQ(second.heading, 359.0f);
  EXPECT_EQ(second.roll, -2.0f);
  EXPECT_EQ(draws[0].records[0].x, 1.0f) << "the simulator read the first draw's values in the first draw";
}

TEST_F(ObjectTest, TenThousandLocationsAreDrawnFromTheNativeArrayWithoutCopying) {
  jobject truck = loadObject(kFuelTruckObject);
  jobject places = drawInfo(10000);
  for (jint i = 0; i < 10000; i += 1111) set(places, i, i * 1.0f, 2.0f, -i * 1.0f, 0.0f, i * 0.01f, 0.0f);
  set(places, 9999, 9999.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f);
  callMethod(truck, "drawInstances", "(Lcom/brevanto/qovin/scenery/XPlaneDrawInfo;)V", places);

  ASSERT_EQ(xplmsim::draws().size(), 1u);
  const xplmsim::Draw& draw = xplmsim::draws()[0];
  EXPECT_EQ(draw.locations, records(places)) << "the simulator reads Java's native array itself";
  EXPECT_EQ(draw.count, 10000);
  EXPECT_EQ(draw.lighting, 0);
  EXPECT_EQ(draw.earthRelative, 0);
  ASSERT_EQ(draw.records.size(), 10000u);
  EXPECT_EQ(draw.records[2222].x, 2222.0f);
  EXPECT_EQ(draw.records[2222].z, -2222.0f);
  EXPECT_EQ(draw.records[9999].roll, 5.0f);
  int wellFormed = 0;
  for (const XPLMDrawInfo_t& record : draw.records) wellFormed += record.structSize == 28 ? 1 : 0;
  EXPECT_EQ(wellFormed, 10000);
  callMethod(places, "free", "()V");
}

TEST_F(ObjectTest, DrawCountsAreCutToTheArray) {
  const jlong truck = handleOf(loadObject(kFuelTruckObject));
  jobject places = drawInfo(3);
  const jlong address = addressOf(places);
  drawInstancesN(truck, 0, address);
  drawInstancesN(truck, 4, address);
  drawInstancesN(truck, 0x7FFFFFFF, address);
  drawInstancesN(truck, -1, address);
  drawInstancesN(truck, 5, 0);
  const std::vector<xplmsim::Call> calls = xplmsim::callsTo("XPLMDrawObjects");
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].i(1), 0);
  EXPECT_EQ(calls[1].i(1), 3);
  EXPECT_EQ(calls[2].i(1), 3);
  EXPECT_EQ(calls[3].i(1), 0);
  EXPECT_EQ(calls[4].i(1), 0);
  EXPECT_EQ(calls[4].i(2), 0);
  for (const xplmsim::Call& call : calls) EXPECT_EQ(call.i(0), truck);
  callMethod(places, "free", "()V");
}

TEST_F(ObjectTest, AnUnloadedObjectRefusesDrawsAndInstancesAndItsHandleIsNeverUsedAgain) {
  jobject truck = loadObject(kFuelTruckObject);
  const jlong handle = handleOf(truck);
  jobject places = drawInfo(2);
  callMethod(truck, "unload", "()V");
  callMethod(truck, "unload", "()V");
  const std::vector<xplmsim::Call> unloads = xplmsim::callsTo("XPLMUnloadObject");
  ASSERT_EQ(unloads.size(), 1u);
  EXPECT_EQ(unloads[0].i(0), handle);
  EXPECT_FALSE(callMethod<jboolean>(truck, "isLoaded", "()Z"));

  xplmsim::clearCalls();
  jclass cls = env()->GetObjectClass(truck);
  jmethodID draw = env()->GetMethodID(cls, "draw", "(FFFFFF)V");
  jmethodID drawInstances = env()->GetMethodID(cls, "drawInstances", "(Lcom/brevanto/qovin/scenery/XPlaneDrawInfo;)V");
  jclass instance = findClass(kInstanceClass);
  jmethodID create = staticMethod(
      instance, "create",
      "(Lcom/brevanto/qovin/scenery/QOVINObjectRef;[Ljava/lang/String;)Lcom/brevanto/qovin/scenery/XPlaneInstance;");
  std::string message;
  EXPECT_TRUE(throws("java/lang/IllegalStateException",
                     [&] { env()->CallVoidMethod(truck, draw, 1.0, 2.0, 3.0, 0.0, 0.0, 0.0); }, &message));
  EXPECT_EQ(message, "object unloaded");
  EXPECT_TRUE(throws("java/lang/IllegalStateException", [&] { env()->CallVoidMethod(truck, drawInstances, places); }));
  jobjectArray noNames = env()->NewObjectArray(0, findClass("java/lang/String"), nullptr);
  EXPECT_TRUE(throws("java/lang/IllegalStateException",
                     [&] { env()->CallStaticObjectMethod(instance, create, truck, noNames); }));
  EXPECT_TRUE(xplmsim::calls().empty()) << "no draw, no instance";
  callMethod(places, "free", "()V");
}

}  // namespace
