// Datarefs served from Java direct buffers.
#include <XPLMDataAccess.h>

#include "jvm_harness.h"
#include "xplmsim/sim.h"

extern float* floatBufferAddr;
extern jlong floatBufferCapacity;
extern double* doubleBufferAddr;
extern jlong doubleBufferCapacity;

using namespace qovintest;

namespace {

constexpr const char* kDirect = "com/brevanto/qovin/data/DirectDataRef";
constexpr const char* kDirectArray = "com/brevanto/qovin/data/DirectArrayDataRef";

class DirectTest : public BridgeTest {
 protected:
  jobject publishFloat(const char* name, float initial) {
    jclass cls = findClass(kDirect);
    return callStatic<jobject>(cls, staticMethod(cls, "publishFloat", "(Ljava/lang/String;F)Lcom/brevanto/qovin/data/DirectDataRef;"),
                               env()->NewStringUTF(name), initial);
  }
  jobject publishFloats(const char* name, int size) {
    jclass cls = findClass(kDirectArray);
    return callStatic<jobject>(
        cls, staticMethod(cls, "publishFloats", "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectArrayDataRef;"),
        env()->NewStringUTF(name), size);
  }
  jobject publishInts(const char* name, int size) {
    jclass cls = findClass(kDirectArray);
    return callStatic<jobject>(
        cls, staticMethod(cls, "publishInts", "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectArrayDataRef;"),
        env()->NewStringUTF(name), size);
  }
  XPLMDataRef handle(jobject ref) { return reinterpret_cast<XPLMDataRef>(callMethod<jlong>(ref, "getHandle", "()J")); }
  double value(jobject ref) {
    jclass cls = env()->GetObjectClass(ref);
    const jdouble v = env()->CallDoubleMethod(ref, env()->GetMethodID(cls, "value", "()D"));
    expectNoPendingException();
    env()->DeleteLocalRef(cls);
    return v;
  }
  void set(jobject ref, double v) { callMethod(ref, "set", "(D)V", v); }
  void unregister(jobject ref) { callMethod(ref, "unregister", "()V"); }
  // The float buffer of a direct array, as Java sees it.
  float javaFloat(jobject ref, int index) {
    jobject buffer = callMethod<jobject>(ref, "floats", "()Ljava/nio/FloatBuffer;");
    jclass cls = env()->GetObjectClass(buffer);
    const jfloat v = env()->CallFloatMethod(buffer, env()->GetMethodID(cls, "get", "(I)F"), index);
    expectNoPendingException();
    return v;
  }
  void putJavaFloat(jobject ref, int index, float v) {
    jobject buffer = callMethod<jobject>(ref, "floats", "()Ljava/nio/FloatBuffer;");
    callMethod<jobject>(buffer, "put", "(IF)Ljava/nio/FloatBuffer;", index, v);
  }
};

TEST_F(DirectTest, ASingleValueIsItsElementOfTheSharedBuffer) {
  std::vector<jobject> refs;
  for (int i = 0; i < 4; ++i) refs.push_back(publishFloat(("qovin/test/f" + std::to_string(i)).c_str(), 10.0f + i));
  const xplmsim::Call* reg = xplmsim::lastCall("XPLMRegisterDataAccessor");
  EXPECT_EQ(reg->i(1), xplmType_Float);
  EXPECT_EQ(reg->i(2), 1);
  for (size_t slot = 3; slot < 15; ++slot) EXPECT_EQ(reg->i(slot) != 0, slot == 5 || slot == 6) << "slot " << slot;
  EXPECT_EQ(reg->i(15), reg->i(16));

  XPLMDataRef third = handle(refs[3]);
  EXPECT_EQ(XPLMGetDataf(third), 13.0f);
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    XPLMSetDataf(third, 0.25f);
  }
  EXPECT_EQ(value(refs[3]), 0.25);
  EXPECT_EQ(value(refs[2]), 12.0);
  set(refs[2], -4.5);
  EXPECT_EQ(XPLMGetDataf(handle(refs[2])), -4.5f);
  for (jobject ref : refs) unregister(ref);
}

TEST_F(DirectTest, TypedAccessorsReadAndWriteTheValueOfTheirTypeExactly) {
  jclass cls = findClass(kDirect);
  jobject i = callStatic<jobject>(
      cls, staticMethod(cls, "publishInt", "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectDataRef;"),
      env()->NewStringUTF("qovin/test/typed/int"), 7);
  jobject d = callStatic<jobject>(
      cls, staticMethod(cls, "publishDouble", "(Ljava/lang/String;D)Lcom/brevanto/qovin/data/DirectDataRef;"),
      env()->NewStringUTF("qovin/test/typed/double"), 0.0);
  jobject f = publishFloat("qovin/test/typed/float", 0.0f);

  callMethod(i, "setInt", "(I)V", jint{16777217});  // no float holds it
  EXPECT_EQ(16777217, XPLMGetDatai(handle(i)));
  callMethod(f, "setFloat", "(F)V", 0.1f);
  EXPECT_EQ(0.1f, XPLMGetDataf(handle(f)));
  callMethod(d, "setDouble", "(D)V", 0.1);
  EXPECT_EQ(0.1, XPLMGetDatad(handle(d)));
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    XPLMSetDatai(handle(i), -16777217);
    XPLMSetDataf(handle(f), 1.0e-3f);
    XPLMSetDatad(handle(d), 1.0 / 3.0);
  }
  EXPECT_EQ(-16777217, callMethod<jint>(i, "getInt", "()I"));
  EXPECT_EQ(1.0e-3f, callMethod<jfloat>(f, "getFloat", "()F"));
  EXPECT_EQ(1.0 / 3.0, callMethod<jdouble>(d, "getDouble", "()D"));

  // Another type reads 0 and writes nothing, as the simulator answers for it.
  EXPECT_EQ(0, callMethod<jint>(f, "getInt", "()I"));
  EXPECT_EQ(0.0, callMethod<jdouble>(i, "getDouble", "()D"));
  callMethod(f, "setDouble", "(D)V", 5.0);
  EXPECT_EQ(1.0e-3f, XPLMGetDataf(handle(f)));
  for (jobject ref : {i, f, d}) unregister(ref);
}

TEST_F(DirectTest, AfterUnregisterTypedReadsGiveTheLastValueAndWritesDoNothing) {
  jobject f = publishFloat("qovin/test/typed/gone", 2.5f);
  unregister(f);
  jobject next = publishFloat("qovin/test/typed/next", 9.0f);  // takes the freed place
  callMethod(f, "setFloat", "(F)V", 4.0f);
  EXPECT_EQ(2.5f, callMethod<jfloat>(f, "getFloat", "()F"));
  EXPECT_EQ(9.0f, callMethod<jfloat>(next, "getFloat", "()F"));
  EXPECT_EQ(9.0f, XPLMGetDataf(handle(next)));
  unregister(next);
}

TEST_F(DirectTest, AfterReallocationEveryValueIsReadFromTheNewBuffer) {
  std::vector<jobject> refs;
  refs.push_back(publishFloat("qovin/test/first", 1.5f));
  const float* before = floatBufferAddr;
  const jlong capacityBefore = floatBufferCapacity;
  for (int i = 0; refs.size() <= static_cast<size_t>(capacityBefore); ++i) {
    refs.push_back(publishFloat(("qovin/test/more" + std::to_string(i)).c_str(), static_cast<float>(i)));
  }
  EXPECT_NE(floatBufferAddr, before);
  EXPECT_GT(floatBufferCapacity, capacityBefore);
  EXPECT_EQ(XPLMGetDataf(handle(refs[0])), 1.5f);
  for (size_t i = 1; i < refs.size(); ++i) EXPECT_EQ(XPLMGetDataf(handle(refs[i])), static_cast<float>(i - 1));
  set(refs[0], 7.0);  // written into the new buffer only
  EXPECT_EQ(XPLMGetDataf(handle(refs[0])), 7.0f);
  XPLMSetDataf(handle(refs.back()), 3.0f);
  EXPECT_EQ(value(refs.back()), 3.0);
  for (jobject ref : refs) unregister(ref);
}

TEST_F(DirectTest, PositionsOutsideTheBufferAndMissingBuffersReadZero) {
  jobject owner = publishFloat("qovin/test/owner", 1.0f);
  jclass cls = findClass("com/brevanto/qovin/data/XPlaneDataRef");
  jmethodID reg = env()->GetMethodID(cls, "registerDirectFloatDataAccessor", "(Ljava/lang/String;J)J");
  const jlong beyond = env()->CallLongMethod(owner, reg, env()->NewStringUTF("qovin/test/beyond"),
                                             static_cast<jlong>(floatBufferCapacity));
  expectNoPendingException();
  const jlong negative = env()->CallLongMethod(owner, reg, env()->NewStringUTF("qovin/test/negative"), jlong{-3});
  expectNoPendingException();
  for (jlong ref : {beyond, negative}) {
    XPLMSetDataf(reinterpret_cast<XPLMDataRef>(ref), 9.0f);
    EXPECT_EQ(XPLMGetDataf(reinterpret_cast<XPLMDataRef>(ref)), 0.0f);
  }

  // A buffer that is not direct leaves the doubles without a buffer.
  double* savedAddr = doubleBufferAddr;
  const jlong savedCapacity = doubleBufferCapacity;
  jclass doubles = findClass("java/nio/DoubleBuffer");
  jobject heap = callStatic<jobject>(doubles, staticMethod(doubles, "allocate", "(I)Ljava/nio/DoubleBuffer;"), 8);
  callMethod(owner, "doubleBufferReallocated", "(Ljava/lang/Object;)V", heap);
  EXPECT_EQ(doubleBufferAddr, nullptr);
  EXPECT_EQ(doubleBufferCapacity, 0);
  const jlong orphan = callMethod<jlong>(owner, "registerDirectDoubleDataAccessor", "(Ljava/lang/String;J)J",
                                         env()->NewStringUTF("qovin/test/orphan"), jlong{0});
  XPLMSetDatad(reinterpret_cast<XPLMDataRef>(orphan), 2.0);
  EXPECT_EQ(XPLMGetDatad(reinterpret_cast<XPLMDataRef>(orphan)), 0.0);
  doubleBufferAddr = savedAddr;
  doubleBufferCapacity = savedCapacity;
  unregister(owner);
}

TEST_F(DirectTest, ABufferOfBytesCountsTheElementsThatFit) {
  jobject owner = publishFloat("qovin/test/owner", 1.0f);
  jclass bytes = findClass("java/nio/ByteBuffer");
  jobject ten = callStatic<jobject>(bytes, staticMethod(bytes, "allocateDirect", "(I)Ljava/nio/ByteBuffer;"), 10);
  auto pair = static_cast<jlongArray>(callMethod<jobject>(owner, "registerDirectFloatArrayDataAccessor",
                                                          "(Ljava/lang/String;Ljava/lang/Object;)[J",
                                                          env()->NewStringUTF("qovin/test/bytes"), ten));
  jlong values[2];
  env()->GetLongArrayRegion(pair, 0, 2, values);
  EXPECT_EQ(XPLMGetDatavf(reinterpret_cast<XPLMDataRef>(values[0]), nullptr, 0, 0), 2);
  callMethod(owner, "unregisterDirectArrayDataAccessor", "(JJ)V", values[0], values[1]);
  unregister(owner);
}

TEST_F(DirectTest, ArrayReadsAndWritesAreCutAtTheBuffersEnd) {
  jobject ref = publishFloats("qovin/test/array", 10);
  for (int i = 0; i < 10; ++i) putJavaFloat(ref, i, static_cast<float>(i));
  XPLMDataRef h = handle(ref);
  const xplmsim::Call* reg = xplmsim::lastCall("XPLMRegisterDataAccessor");
  EXPECT_EQ(reg->i(1), xplmType_FloatArray);
  EXPECT_NE(reg->i(11), 0);
  EXPECT_NE(reg->i(12), 0);
  EXPECT_EQ(reg->i(15), reg->i(16));

  EXPECT_EQ(XPLMGetDatavf(h, nullptr, 0, 0), 10);
  std::vector<float> out(100, -1.0f);
  EXPECT_EQ(XPLMGetDatavf(h, out.data(), 4, 100), 6);
  EXPECT_EQ(out[0], 4.0f);
  EXPECT_EQ(out[5], 9.0f);
  EXPECT_EQ(out[6], -1.0f);
  EXPECT_EQ(XPLMGetDatavf(h, out.data(), 10, 100), 0);
  EXPECT_EQ(XPLMGetDatavf(h, out.data(), 12, 100), 0);

  std::vector<float> values = {50, 51, 52, 53, 54, 55, 56, 57};
  XPLMSetDatavf(h, values.data(), 6, 8);
  EXPECT_EQ(javaFloat(ref, 5), 5.0f);
  EXPECT_EQ(javaFloat(ref, 6), 50.0f);
  EXPECT_EQ(javaFloat(ref, 9), 53.0f);
  unregister(ref);
  EXPECT_EQ(XPLMFindDataRef("qovin/test/array"), nullptr);
}

TEST_F(DirectTest, IntArraysWorkAlikeAndUnregisteringWithoutTheirRecordChangesNothing) {
  jobject ref = publishInts("qovin/test/ints", 3);
  XPLMDataRef h = handle(ref);
  int values[3] = {7, 8, 9};
  XPLMSetDatavi(h, values, 1, 3);
  int out[3] = {0, 0, 0};
  EXPECT_EQ(XPLMGetDatavi(h, out, 0, 3), 3);
  EXPECT_EQ(out[1], 7);
  EXPECT_EQ(out[2], 8);
  callMethod(ref, "unregisterDirectArrayDataAccessor", "(JJ)V", reinterpret_cast<jlong>(h), jlong{0});
  EXPECT_EQ(XPLMFindDataRef("qovin/test/ints"), h);
  EXPECT_EQ(xplmsim::lastCall("XPLMUnregisterDataAccessor"), nullptr);
  unregister(ref);
  EXPECT_EQ(XPLMFindDataRef("qovin/test/ints"), nullptr);
}

// An object that is not a direct buffer has no address and the capacity JNI
// reports for it, -1: the size query answers it, reads and writes move nothing.
TEST_F(DirectTest, ARecordWithoutADirectBufferAnswersItsCapacityAndMovesNothing) {
  jclass floats = findClass("java/nio/FloatBuffer");
  jobject heap = callStatic<jobject>(floats, staticMethod(floats, "allocate", "(I)Ljava/nio/FloatBuffer;"), 8);
  jobject any = newObject("com/brevanto/qovin/data/XPlaneDataRef", "(Ljava/lang/String;)V",
                          env()->NewStringUTF("sim/time/total_running_time_sec"));
  auto registration = static_cast<jlongArray>(
      callMethod<jobject>(any, "registerDirectFloatArrayDataAccessor", "(Ljava/lang/String;Ljava/lang/Object;)[J",
                          env()->NewStringUTF("qovin/test/heap"), heap));
  jlong pair[2] = {0, 0};
  env()->GetLongArrayRegion(registration, 0, 2, pair);
  XPLMDataRef ref = XPLMFindDataRef("qovin/test/heap");
  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, 0, 0), -1);
  float values[4] = {1, 2, 3, 4};
  XPLMSetDatavf(ref, values, 0, 4);
  EXPECT_EQ(XPLMGetDatavf(ref, values, 0, 4), 0);
  EXPECT_EQ(values[0], 1.0f);
  callMethod(any, "unregisterDirectArrayDataAccessor", "(JJ)V", pair[0], pair[1]);
  EXPECT_EQ(XPLMFindDataRef("qovin/test/heap"), nullptr);
}

}  // namespace
