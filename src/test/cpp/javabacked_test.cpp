// Datarefs published by Java, read and written by the simulator and other plugins.
#include <XPLMDataAccess.h>

#include <string>

#include "jvm_harness.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

constexpr const char* kAccessor = "com/brevanto/qovin/testing/RecordingAccessor";
constexpr const char* kAccessorTypes = "Lcom/brevanto/qovin/data/DataReadAccessor;Lcom/brevanto/qovin/data/DataWriteAccessor;";

class JavaBackedTest : public BridgeTest {
 protected:
  jobject publish(const char* name, int type, bool writable, jobject read, jobject write) {
    const std::string signature = std::string("(Ljava/lang/String;IZ") + kAccessorTypes + ")V";
    return newObject("com/brevanto/qovin/data/JavaBackedDataRef", signature.c_str(), env()->NewStringUTF(name), type,
                     static_cast<jboolean>(writable), read, write);
  }
  XPLMDataRef handle(jobject ref) { return reinterpret_cast<XPLMDataRef>(callMethod<jlong>(ref, "getHandle", "()J")); }
  jlong field(jobject ref, const char* name) {
    jclass cls = env()->GetObjectClass(ref);
    const jlong value = env()->GetLongField(ref, env()->GetFieldID(cls, name, "J"));
    env()->DeleteLocalRef(cls);
    return value;
  }
  std::vector<std::string> calls(jobject accessor) {
    return toStrings(static_cast<jobjectArray>(callMethod<jobject>(accessor, "calls", "()[Ljava/lang/String;")));
  }
  void setField(jobject accessor, const char* name, jint value) {
    jclass cls = env()->GetObjectClass(accessor);
    env()->SetIntField(accessor, env()->GetFieldID(cls, name, "I"), value);
    env()->DeleteLocalRef(cls);
  }
  void setFloats(jobject accessor, const std::vector<float>& values) {
    jclass cls = env()->GetObjectClass(accessor);
    env()->SetObjectField(accessor, env()->GetFieldID(cls, "floats", "[F"), floatArray(values));
    env()->DeleteLocalRef(cls);
  }
};

TEST_F(JavaBackedTest, EveryRegistrationHandsAllTwelveCallbacksToTheSimulator) {
  jobject accessor = newObject(kAccessor, "()V");
  jobject ref = publish("qovin/test/speed", 2, true, accessor, accessor);
  const xplmsim::Call* reg = xplmsim::lastCall("XPLMRegisterDataAccessor");
  ASSERT_NE(reg, nullptr);
  EXPECT_EQ(reg->s(0), "qovin/test/speed");
  EXPECT_EQ(reg->i(1), 2);
  EXPECT_EQ(reg->i(2), 1);
  for (size_t slot = 3; slot < 15; ++slot) EXPECT_NE(reg->i(slot), 0) << "callback slot " << slot;
  EXPECT_EQ(reg->i(15), field(ref, "readRef"));
  EXPECT_EQ(reg->i(16), field(ref, "writeRef"));
  callMethod(ref, "unregister", "()V");
}

TEST_F(JavaBackedTest, ScalarReadsAndWritesReachTheAccessors) {
  jobject accessor = newObject(kAccessor, "()V");
  jobject ref = publish("qovin/test/speed", xplmType_Float, true, accessor, accessor);
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    XPLMDataRef found = XPLMFindDataRef("qovin/test/speed");
    ASSERT_EQ(found, handle(ref));
    XPLMSetDataf(found, 0.1f);
    EXPECT_EQ(XPLMGetDataf(found), 0.1f);
    EXPECT_EQ(XPLMGetDatai(found), 0);  // int not offered: the accessor is not asked
  }
  EXPECT_EQ(calls(accessor), (std::vector<std::string>{"writeFloat 0.1", "readFloat"}));
  callMethod(ref, "unregister", "()V");
}

TEST_F(JavaBackedTest, LambdasPublishedAreReadAndWrittenByAnotherPlugin) {
  jobject owner = newObject("com/brevanto/qovin/testing/LambdaDataRefs", "()V");
  auto refs = static_cast<jobjectArray>(
      callMethod<jobject>(owner, "publish", "()[Lcom/brevanto/qovin/data/JavaBackedDataRef;"));
  jclass cls = env()->GetObjectClass(owner);
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    XPLMDataRef speed = XPLMFindDataRef("qovin/test/lambda/speed");
    XPLMDataRef gear = XPLMFindDataRef("qovin/test/lambda/gear");
    XPLMDataRef latitude = XPLMFindDataRef("qovin/test/lambda/latitude");
    EXPECT_EQ(xplmType_Float, XPLMGetDataRefTypes(speed));
    EXPECT_EQ(xplmType_Int, XPLMGetDataRefTypes(gear));
    EXPECT_EQ(xplmType_Double, XPLMGetDataRefTypes(latitude));
    EXPECT_EQ(61.5f, XPLMGetDataf(speed));
    EXPECT_EQ(1, XPLMGetDatai(gear));
    EXPECT_EQ(47.25, XPLMGetDatad(latitude));
    EXPECT_FALSE(XPLMCanWriteDataRef(speed));
    EXPECT_TRUE(XPLMCanWriteDataRef(gear));
    XPLMSetDataf(speed, 99.0f);
    XPLMSetDatai(gear, 0);
    XPLMSetDatad(latitude, 0.1);
    env()->SetFloatField(owner, env()->GetFieldID(cls, "speed", "F"), 70.25f);
    EXPECT_EQ(70.25f, XPLMGetDataf(speed));
    EXPECT_EQ(0, XPLMGetDatai(gear));
    EXPECT_EQ(0.1, XPLMGetDatad(latitude));
  }
  EXPECT_EQ(70.25f, env()->GetFloatField(owner, env()->GetFieldID(cls, "speed", "F")));
  EXPECT_EQ(0, env()->GetIntField(owner, env()->GetFieldID(cls, "gear", "I")));
  EXPECT_EQ(0.1, env()->GetDoubleField(owner, env()->GetFieldID(cls, "latitude", "D")));
  for (jsize i = 0; i < 3; ++i) callMethod(env()->GetObjectArrayElement(refs, i), "unregister", "()V");
}

TEST_F(JavaBackedTest, IntAndDoubleValuesKeepTheirType) {
  jobject accessor = newObject(kAccessor, "()V");
  jobject ref = publish("qovin/test/both", xplmType_Int | xplmType_Double, true, accessor, accessor);
  XPLMSetDatai(handle(ref), -2147483647);
  XPLMSetDatad(handle(ref), 0.1);
  EXPECT_EQ(XPLMGetDatai(handle(ref)), -2147483647);
  EXPECT_EQ(XPLMGetDatad(handle(ref)), 0.1);
  EXPECT_EQ(XPLMGetDataf(handle(ref)), 0.0f);
  EXPECT_EQ(calls(accessor),
            (std::vector<std::string>{"writeInt -2147483647", "writeDouble 0.1", "readInt", "readDouble"}));
  callMethod(ref, "unregister", "()V");
}

TEST_F(JavaBackedTest, BothAccessorsCanBeCollectedAfterUnregistration) {
  jobject reader = newObject(kAccessor, "()V");
  jobject writer = newObject(kAccessor, "()V");
  jobject ref = publish("qovin/test/pair", xplmType_Float, true, reader, writer);
  jobject weakReader = weakReference(reader);
  jobject weakWriter = weakReference(writer);
  env()->DeleteLocalRef(reader);
  env()->DeleteLocalRef(writer);
  XPLMSetDataf(handle(ref), 1.0f);
  EXPECT_FALSE(collected(weakReader));
  EXPECT_FALSE(collected(weakWriter));
  callMethod(ref, "unregister", "()V");
  EXPECT_TRUE(collected(weakReader));
  EXPECT_TRUE(collected(weakWriter));
  EXPECT_EQ(field(ref, "readRef"), 0);
}

TEST_F(JavaBackedTest, ArrayReadsAskForTheSizeOrCopyWhatJavaPlaced) {
  jobject accessor = newObject(kAccessor, "()V");
  setFloats(accessor, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  jobject ref = publish("qovin/test/levers", xplmType_FloatArray, true, accessor, accessor);
  XPLMDataRef h = handle(ref);
  EXPECT_EQ(XPLMGetDatavf(h, nullptr, 3, 3), 10);
  float out[4] = {-1, -1, -1, -1};
  EXPECT_EQ(XPLMGetDatavf(h, out, 6, 3), 3);  // Java places 4, the host asked for 3
  EXPECT_EQ(out[0], 6.0f);
  EXPECT_EQ(out[2], 8.0f);
  EXPECT_EQ(out[3], -1.0f);
  EXPECT_EQ(calls(accessor), (std::vector<std::string>{"getFloatArraySize", "readFloatArray 6 1024"}));
  callMethod(ref, "unregister", "()V");
}

TEST_F(JavaBackedTest, CountsJavaGetsWrongAreCut) {
  jobject accessor = newObject(kAccessor, "()V");
  setFloats(accessor, {1, 2});
  jobject ref = publish("qovin/test/levers", xplmType_FloatArray, true, accessor, accessor);
  std::vector<float> out(2000, -1.0f);
  setField(accessor, "count", 5000);
  EXPECT_EQ(XPLMGetDatavf(handle(ref), out.data(), 0, 2000), 1024);
  EXPECT_EQ(out[1024], -1.0f);
  setField(accessor, "count", -7);
  EXPECT_EQ(XPLMGetDatavf(handle(ref), out.data(), 0, 2000), 0);
  EXPECT_EQ(XPLMGetDatavf(handle(ref), out.data(), 0, -5), 0);
  callMethod(ref, "unregister", "()V");
}

TEST_F(JavaBackedTest, ArrayWritesArriveAsANewArrayOfTheWrittenCount) {
  jobject accessor = newObject(kAccessor, "()V");
  jobject ref = publish("qovin/test/levers", xplmType_FloatArray, true, accessor, accessor);
  float values[3] = {0.5f, 1.5f, 2.5f};
  XPLMSetDatavf(handle(ref), values, 5, 3);
  XPLMSetDatavf(handle(ref), values, 0, -2);
  XPLMSetDatavf(handle(ref), nullptr, 0, 2);
  XPLMSetDatavf(handle(ref), values, 7, 0);
  EXPECT_EQ(calls(accessor),
            (std::vector<std::string>{"writeFloatArray [0.5, 1.5, 2.5] 5 3", "writeFloatArray [] 7 0"}));
  callMethod(ref, "unregister", "()V");
}

TEST_F(JavaBackedTest, AThrowingAccessorAnswersZeroAndIsCleared) {
  jobject accessor = newObject(kAccessor, "()V");
  setFloats(accessor, {1, 2});
  jobject ref = publish("qovin/test/levers", xplmType_FloatArray | xplmType_Float, true, accessor, accessor);
  jclass cls = env()->GetObjectClass(accessor);
  env()->SetBooleanField(accessor, env()->GetFieldID(cls, "fail", "Z"), JNI_TRUE);
  float out[2] = {-1, -1};
  EXPECT_EQ(XPLMGetDataf(handle(ref)), 0.0f);
  EXPECT_EQ(XPLMGetDatavf(handle(ref), out, 0, 2), 0);
  EXPECT_EQ(XPLMGetDatavf(handle(ref), nullptr, 0, 0), 0);
  XPLMSetDatavf(handle(ref), out, 0, 2);
  EXPECT_FALSE(env()->ExceptionCheck());
  EXPECT_EQ(out[0], -1.0f);
  env()->SetBooleanField(accessor, env()->GetFieldID(cls, "fail", "Z"), JNI_FALSE);
  EXPECT_EQ(XPLMGetDatavf(handle(ref), out, 0, 2), 2);
  callMethod(ref, "unregister", "()V");
}

TEST_F(JavaBackedTest, AReadOnlyDataRefKeepsNoWriteReferenceAndItsAccessorCanBeCollected) {
  jobject accessor = newObject(kAccessor, "()V");
  jobject ref = publish("qovin/test/readonly", xplmType_Float, false, accessor, nullptr);
  EXPECT_EQ(field(ref, "writeRef"), 0);
  EXPECT_NE(field(ref, "readRef"), 0);
  XPLMSetDataf(handle(ref), 3.0f);
  jobject weak = weakReference(accessor);
  env()->DeleteLocalRef(accessor);
  EXPECT_FALSE(collected(weak));
  callMethod(ref, "unregister", "()V");
  EXPECT_EQ(xplmsim::lastCall("XPLMUnregisterDataAccessor")->i(0), reinterpret_cast<long long>(handle(ref)));
  EXPECT_TRUE(collected(weak));
  EXPECT_EQ(XPLMFindDataRef("qovin/test/readonly"), nullptr);
}

// Each write makes a new Java array outside any Java frame: 100,000 of them
// must not pile up local references (checked JNI would complain).
TEST_F(JavaBackedTest, ManyWritesLeaveNoLocalReferencesBehind) {
  jobject accessor = newObject(kAccessor, "()V");
  jclass cls = env()->GetObjectClass(accessor);
  env()->SetBooleanField(accessor, env()->GetFieldID(cls, "quiet", "Z"), JNI_TRUE);
  setFloats(accessor, {1, 2, 3});
  jobject ref = publish("qovin/test/levers", xplmType_FloatArray | xplmType_Float, true, accessor, accessor);
  XPLMDataRef h = handle(ref);
  xplmsim::setRecording(false);
  float values[3] = {1, 2, 3};
  const long before = liveLocalRefs();
  for (int i = 0; i < 100000; ++i) XPLMSetDatavf(h, values, 0, 3);
  for (int i = 0; i < 1000; ++i) {
    XPLMGetDatavf(h, values, 0, 3);
    XPLMGetDataf(h);
  }
  EXPECT_EQ(liveLocalRefs(), before);
  xplmsim::setRecording(true);
  EXPECT_EQ(env()->GetLongField(accessor, env()->GetFieldID(cls, "callCount", "J")), 102000);
  callMethod(ref, "unregister", "()V");
}

}  // namespace
