// Native arrays of draw locations, and object instances placed from them.
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "scenery_fixture.h"

using namespace qovintest;

namespace {

using xplmsim::kTugObject;

class DrawInfoTest : public SceneryTest {
 protected:
  void SetUp() override {
    SceneryTest::SetUp();
    cls = findClass(kDrawInfoClass);
  }
  jlong allocateN(jint size) {
    return callStatic<jlong>(cls, staticMethod(cls, "allocateDrawInfoStruct", "(I)J"), size);
  }
  void freeN(jlong address) { callStatic(cls, staticMethod(cls, "freeDrawInfoStruct", "(JI)V"), address, 0); }
  jobject getN(jlong address, jint index) {
    return callStatic<jobject>(cls, staticMethod(cls, "getEntry", kEntrySignature), address, index);
  }
  void setN(jlong address, jint index, float value) {
    callStatic(cls, staticMethod(cls, "setEntry", "(JIFFFFFF)V"), address, index, value, value, value, value, value,
               value);
  }
  std::vector<float> entry(jobject e) {
    std::vector<float> values;
    jclass entryClass = env()->GetObjectClass(e);
    for (const char* field : {"x", "y", "z", "pitch", "heading", "roll"}) {
      values.push_back(env()->GetFloatField(e, env()->GetFieldID(entryClass, field, "F")));
    }
    env()->DeleteLocalRef(entryClass);
    expectNoPendingException();
    return values;
  }
  jclass cls = nullptr;
};

TEST_F(DrawInfoTest, EveryRecordStartsWithItsSizeAndSetThenGetRoundTrips) {
  jobject places = drawInfo(4);
  const XPLMDrawInfo_t* first = records(places);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(first[i].structSize, 28) << "record " << i;
  EXPECT_EQ(sizeof(XPLMDrawInfo_t), 28u);

  for (jint i = 0; i < 4; ++i) set(places, i, -1.0f, -1.0f, -1.0f, -1.0f, -1.0f, -1.0f);
  XPLMDrawInfo_t before[4];
  std::memcpy(before, first, sizeof(before));
  set(places, 2, 1.5f, -2.25f, 3.0f, 10.0f, 270.5f, -45.0f);
  jobject got = callMethod<jobject>(places, "get", "(I)Lcom/brevanto/qovin/scenery/QOVINDrawInfo$DrawInfoEntry;", 2);
  EXPECT_EQ(entry(got), (std::vector<float>{1.5f, -2.25f, 3.0f, 10.0f, 270.5f, -45.0f}));
  EXPECT_EQ(first[2].structSize, 28);
  EXPECT_EQ(first[2].heading, 270.5f);
  for (int i : {0, 1, 3}) EXPECT_EQ(std::memcmp(&first[i], &before[i], sizeof(XPLMDrawInfo_t)), 0) << "record " << i;
  callMethod(places, "free", "()V");
  callMethod(places, "free", "()V");
}

// The natives check indexes against the array's own record count, so ASan
// would report any access outside it.
TEST_F(DrawInfoTest, IndexesOutsideTheArrayTouchNothing) {
  const jlong empty = allocateN(0);
  EXPECT_NE(empty, 0);
  EXPECT_EQ(getN(empty, 0), nullptr);
  setN(empty, 0, 9.0f);
  freeN(empty);

  const jlong three = allocateN(3);
  for (jint index : {-1, 3, 4, INT_MAX, INT_MIN}) {
    EXPECT_EQ(getN(three, index), nullptr) << index;
    setN(three, index, 9.0f);
  }
  setN(three, 2, 7.0f);
  EXPECT_EQ(entry(getN(three, 2)), std::vector<float>(6, 7.0f));
  EXPECT_EQ(getN(0, 0), nullptr);
  setN(0, 0, 1.0f);
  freeN(three);
  freeN(0);
}

TEST_F(DrawInfoTest, NegativeAndOverflowingSizesAllocateNothing) {
  EXPECT_EQ(allocateN(-1), 0);
  EXPECT_EQ(allocateN(INT_MIN), 0);
  EXPECT_EQ(allocateN(INT_MAX), 0) << "28 bytes per record overflow a 32-bit byte count";
  EXPECT_EQ(allocateN(INT_MAX / 28 + 1), 0) << "the first size whose byte count, header included, passes INT_MAX";
  jclass drawInfoClass = findClass(kDrawInfoClass);
  jmethodID constructor = env()->GetMethodID(drawInfoClass, "<init>", "(I)V");
  EXPECT_TRUE(throws("java/lang/IllegalArgumentException", [&] { env()->NewObject(drawInfoClass, constructor, -5); }));
}

TEST_F(DrawInfoTest, TheJavaPeerRefusesBadIndexesAndUseAfterFree) {
  jobject places = drawInfo(2);
  jclass peer = env()->GetObjectClass(places);
  jmethodID get = env()->GetMethodID(peer, "get", "(I)Lcom/brevanto/qovin/scenery/QOVINDrawInfo$DrawInfoEntry;");
  jmethodID setter = env()->GetMethodID(peer, "set", "(IFFFFFF)V");
  EXPECT_TRUE(throws("java/lang/IndexOutOfBoundsException", [&] { env()->CallObjectMethod(places, get, 2); }));
  EXPECT_TRUE(throws("java/lang/IndexOutOfBoundsException",
                     [&] { env()->CallVoidMethod(places, setter, -1, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f); }));
  callMethod(places, "free", "()V");
  callMethod(places, "free", "()V");  // a second free does nothing
  std::string message;
  EXPECT_TRUE(throws("java/lang/IllegalStateException", [&] { env()->CallObjectMethod(places, get, 0); }, &message));
  EXPECT_EQ(message, "draw locations freed");
  EXPECT_TRUE(throws("java/lang/IllegalStateException",
                     [&] { env()->CallVoidMethod(places, setter, 0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0); }));

  jobject tug = loadObject(kTugObject);
  jobject instance = callStatic<jobject>(
      findClass(kInstanceClass),
      staticMethod(findClass(kInstanceClass), "create",
                   "(Lcom/brevanto/qovin/scenery/QOVINObjectRef;[Ljava/lang/String;)Lcom/brevanto/qovin/scenery/"
                   "XPlaneInstance;"),
      tug, static_cast<jobjectArray>(nullptr));
  jmethodID drawInstances =
      env()->GetMethodID(findClass(kObjectRefClass), "drawInstances", "(Lcom/brevanto/qovin/scenery/XPlaneDrawInfo;)V");
  jmethodID place = env()->GetMethodID(findClass(kInstanceClass), "setPosition",
                                       "(Lcom/brevanto/qovin/scenery/XPlaneDrawInfo;I[F)V");
  EXPECT_TRUE(throws("java/lang/IllegalStateException", [&] { env()->CallVoidMethod(tug, drawInstances, places); }));
  EXPECT_TRUE(throws("java/lang/IllegalStateException",
                     [&] { env()->CallVoidMethod(instance, place, places, 0, floatArray({})); }));
  EXPECT_TRUE(xplmsim::callsTo("XPLMDrawObjects").empty());
  EXPECT_TRUE(xplmsim::callsTo("XPLMInstanceSetPosition").empty());
  callMethod(instance, "destroy", "()V");
}

class InstanceTest : public SceneryTest {
 protected:
  void SetUp() override {
    SceneryTest::SetUp();
    cls = findClass(kInstanceClass);
    tug = loadObject(kTugObject);
  }
  jobjectArray names(const std::vector<const char*>& values) {
    jobjectArray array =
        env()->NewObjectArray(static_cast<jsize>(values.size()), findClass("java/lang/String"), nullptr);
    for (size_t i = 0; i < values.size(); ++i) {
      if (values[i] == nullptr) continue;
      jstring name = env()->NewStringUTF(values[i]);
      env()->SetObjectArrayElement(array, static_cast<jsize>(i), name);
      env()->DeleteLocalRef(name);
    }
    return array;
  }
  jobject create(jobjectArray datarefs) {
    return callStatic<jobject>(
        cls,
        staticMethod(cls, "create",
                     "(Lcom/brevanto/qovin/scenery/QOVINObjectRef;[Ljava/lang/String;)Lcom/brevanto/qovin/scenery/"
                     "XPlaneInstance;"),
        tug, datarefs);
  }
  jlong createN(jlong object, jobjectArray datarefs) {
    return callStatic<jlong>(cls, staticMethod(cls, "createInstance", "(J[Ljava/lang/String;)J"), object, datarefs);
  }
  void setPositionN(jlong instance, jlong location, jfloatArray values) {
    callStatic(cls, staticMethod(cls, "setPosition", "(JJ[F)V"), instance, location, values);
  }
  jclass cls = nullptr;
  jobject tug = nullptr;
};

TEST_F(InstanceTest, NamesGoToTheSimulatorAsANullTerminatedList) {
  jobject instance = create(names({"sim/graphics/animation/ground_traffic/tire_rotation_angle_deg",
                                   "sim/graphics/animation/ground_traffic/tire_steer_deg"}));
  ASSERT_NE(instance, nullptr);
  const xplmsim::Call* call = xplmsim::lastCall("XPLMCreateInstance");
  EXPECT_EQ(call->i(0), handleOf(tug));
  EXPECT_NE(call->i(1), 0);
  EXPECT_EQ(call->i(2), 2) << "two names before the null terminator";
  EXPECT_EQ(call->s(3), "sim/graphics/animation/ground_traffic/tire_rotation_angle_deg");
  EXPECT_EQ(call->s(4), "sim/graphics/animation/ground_traffic/tire_steer_deg");
  EXPECT_EQ(callMethod<jlong>(instance, "getHandle", "()J"), reinterpret_cast<jlong>(xplmsim::instances()[0].handle));

  jobject plain = create(names({}));
  ASSERT_NE(plain, nullptr);
  call = xplmsim::lastCall("XPLMCreateInstance");
  EXPECT_NE(call->i(1), 0) << "an empty list is the null terminator alone, never a null list";
  EXPECT_EQ(call->i(2), 0);

  const jlong handle = callMethod<jlong>(instance, "getHandle", "()J");
  callMethod(instance, "destroy", "()V");
  callMethod(instance, "destroy", "()V");
  ASSERT_EQ(xplmsim::callsTo("XPLMDestroyInstance").size(), 1u);
  EXPECT_EQ(xplmsim::lastCall("XPLMDestroyInstance")->i(0), handle);
  EXPECT_EQ(xplmsim::instances().size(), 1u);

  jmethodID place = env()->GetMethodID(cls, "setPosition", "(FFFFFF[F)V");
  std::string message;
  EXPECT_TRUE(throws("java/lang/IllegalStateException",
                     [&] { env()->CallVoidMethod(instance, place, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, floatArray({})); },
                     &message));
  EXPECT_EQ(message, "instance destroyed");
  EXPECT_TRUE(xplmsim::callsTo("XPLMInstanceSetPosition").empty()) << "the destroyed instance is never used again";
}

TEST_F(InstanceTest, ANullNameIsRefusedAndAnyNumberOfNamesGoesToTheSimulator) {
  xplmsim::clearCalls();
  EXPECT_EQ(create(names({"first/name", nullptr, "third/name"})), nullptr);
  EXPECT_EQ(xplmsim::lastCall("XPLMCreateInstance"), nullptr) << "refused before the simulator is asked";
  EXPECT_EQ(createN(handleOf(tug), names({nullptr})), 0);
  EXPECT_EQ(xplmsim::lastCall("XPLMCreateInstance"), nullptr);

  // More names than setPosition takes values: the values past the 1024th are 0,
  // and the simulator never reads past the bridge's buffer.
  const std::vector<const char*> many(1500, "sim/some/dataref");
  const jlong instance = createN(handleOf(tug), names(many));
  ASSERT_NE(instance, 0);
  EXPECT_EQ(xplmsim::lastCall("XPLMCreateInstance")->i(2), 1500);
  jfloatArray values = env()->NewFloatArray(1500);
  const std::vector<float> ones(1500, 1.0f);
  env()->SetFloatArrayRegion(values, 0, 1500, ones.data());
  jobject place = drawInfo(1);
  setPositionN(instance, callMethod<jlong>(place, "address", "()J"), values);
  const std::vector<float> seen = xplmsim::instances().back().values;
  ASSERT_EQ(seen.size(), 1500u);
  EXPECT_EQ(seen[1023], 1.0f);
  EXPECT_EQ(seen[1024], 0.0f);
  EXPECT_EQ(seen[1499], 0.0f);

  EXPECT_NE(createN(handleOf(tug), nullptr), 0) << "a null array is an empty list";
  EXPECT_EQ(xplmsim::lastCall("XPLMCreateInstance")->i(2), 0);
}

TEST_F(InstanceTest, APositionComesFromOneRecordOfTheArrayWithTheValuesInOrder) {
  jobject instance = create(names({"a/angle", "b/steer"}));
  jobject places = drawInfo(3);
  set(places, 1, 10.0f, 0.5f, -20.0f, 0.0f, 135.0f, 0.0f);
  set(places, 2, 99.0f, 99.0f, 99.0f, 99.0f, 99.0f, 99.0f);
  jfloatArray values = floatArray({12.5f, -30.0f});
  callMethod(instance, "setPosition", "(Lcom/brevanto/qovin/scenery/XPlaneDrawInfo;I[F)V", places, 1, values);

  const xplmsim::Call* call = xplmsim::lastCall("XPLMInstanceSetPosition");
  EXPECT_EQ(call->i(1), reinterpret_cast<jlong>(records(places) + 1)) << "the record's own address, not a copy";
  const xplmsim::InstanceInfo placed = xplmsim::instances().at(0);
  EXPECT_EQ(placed.position.x, 10.0f);
  EXPECT_EQ(placed.position.heading, 135.0f);
  EXPECT_EQ(placed.values, (std::vector<float>{12.5f, -30.0f}));
  EXPECT_EQ(elements(values), (std::vector<float>{12.5f, -30.0f})) << "the Java array is left as it was";

  callMethod(instance, "setPosition", "(FFFFFF[F)V", 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, floatArray({7.0f, 8.0f}));
  EXPECT_EQ(xplmsim::instances().at(0).position.roll, 6.0f);
  EXPECT_EQ(xplmsim::instances().at(0).values, (std::vector<float>{7.0f, 8.0f}));

  jclass peer = env()->GetObjectClass(instance);
  jmethodID place = env()->GetMethodID(peer, "setPosition", "(Lcom/brevanto/qovin/scenery/XPlaneDrawInfo;I[F)V");
  EXPECT_TRUE(throws("java/lang/IllegalArgumentException",
                     [&] { env()->CallVoidMethod(instance, place, places, 0, floatArray({1.0f})); }));
  EXPECT_TRUE(throws("java/lang/IndexOutOfBoundsException",
                     [&] { env()->CallVoidMethod(instance, place, places, 3, values); }));
  callMethod(instance, "destroy", "()V");
  callMethod(places, "free", "()V");
}

// The simulator reads one value per name whatever the Java array holds: values
// the array lacks read as 0, never as memory past the array or an earlier call's.
TEST_F(InstanceTest, AShortValueArrayGivesZerosForTheMissingValues) {
  const jlong instance = createN(handleOf(tug), names({"a", "b", "c"}));
  jobject places = drawInfo(1);
  set(places, 0, 1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f);
  setPositionN(instance, addressOf(places), floatArray({1.0f, 2.0f, 3.0f}));
  setPositionN(instance, addressOf(places), floatArray({4.0f}));
  EXPECT_EQ(xplmsim::instances().at(0).values, (std::vector<float>{4.0f, 0.0f, 0.0f}));
  setPositionN(instance, addressOf(places), nullptr);
  EXPECT_EQ(xplmsim::instances().at(0).values, (std::vector<float>{0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(xplmsim::instances().at(0).positionsSet, 3);
  callMethod(places, "free", "()V");
}

}  // namespace
