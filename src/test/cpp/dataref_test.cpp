// Finding, reading and writing datarefs from Java, through the JVM.
#include <XPLMDataAccess.h>

#include <algorithm>
#include <cmath>

#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/sim.h"

extern float* floatbuf;
extern int* intbuf;
extern char* charbuf;

using namespace qovintest;

namespace {

jlong handleOf(XPLMDataRef ref) { return reinterpret_cast<jlong>(ref); }

// The natives of XPlaneDataRef, called as Java calls them.
class DataRefTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    cls = findClass("com/brevanto/qovin/data/XPlaneDataRef");
  }
  jmethodID m(const char* name, const char* sig) { return staticMethod(cls, name, sig); }

  jlong find(const char* path) {
    jobject object = env()->NewObject(cls, env()->GetMethodID(cls, "<init>", "(Ljava/lang/String;)V"),
                                      env()->NewStringUTF(path));
    expectNoPendingException();
    return env()->GetLongField(object, env()->GetFieldID(cls, "dataRefPtr", "J"));
  }
  jint getFloats(jlong ref, jint offset, jfloatArray buf) {
    return callStatic<jint>(cls, m("getFloatArrayValueN", "(JI[F)I"), ref, offset, buf);
  }
  jint getInts(jlong ref, jint offset, jintArray buf) {
    return callStatic<jint>(cls, m("getIntArrayValueN", "(JI[I)I"), ref, offset, buf);
  }
  jint getBytes(jlong ref, jint offset, jbyteArray buf) {
    return callStatic<jint>(cls, m("getDataValueN", "(JI[B)I"), ref, offset, buf);
  }
  void setFloats(jlong ref, jfloatArray values, jint offset, jint size) {
    callStatic(cls, m("setFloatArrayValueN", "(J[FII)V"), ref, values, offset, size);
  }
  void setInts(jlong ref, jintArray values, jint offset, jint size) {
    callStatic(cls, m("setIntArrayValueN", "(J[III)V"), ref, values, offset, size);
  }
  void setBytes(jlong ref, jbyteArray values, jint offset, jint size) {
    callStatic(cls, m("setDataValueN", "(J[BII)V"), ref, values, offset, size);
  }

  jclass cls = nullptr;
};

TEST_F(DataRefTest, FindDataRefReturnsTheSimulatorsHandleOrZero) {
  XPLMDataRef expected = xplmsim::defineInt("test/found", 1);
  EXPECT_EQ(find("test/found"), handleOf(expected));
  EXPECT_EQ(find("test/missing"), 0);
  EXPECT_EQ(xplmsim::lastCall("XPLMFindDataRef")->s(0), "test/missing");
}

TEST_F(DataRefTest, ScalarGettersAndSettersForwardExactly) {
  const jlong i = handleOf(xplmsim::defineInt("test/int", -7));
  const jlong f = handleOf(xplmsim::defineFloat("test/float", 0.0f));
  const jlong d = handleOf(xplmsim::defineDouble("test/double", 0.0));

  EXPECT_EQ(callStatic<jint>(cls, m("getIntValueN", "(J)I"), i), -7);
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatai")->i(0), i);
  callStatic(cls, m("setIntValueN", "(JI)V"), i, 2147483647);
  EXPECT_EQ(xplmsim::scalarValue("test/int"), 2147483647.0);

  // Single precision stays single: 0.1f arrives as 0.1f, not as 0.1.
  callStatic(cls, m("setFloatValueN", "(JF)V"), f, 0.1f);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDataf")->d(1), static_cast<double>(0.1f));
  EXPECT_EQ(callStatic<jfloat>(cls, m("getFloatValueN", "(J)F"), f), 0.1f);

  callStatic(cls, m("setDoubleValueN", "(JD)V"), d, 0.1);
  EXPECT_EQ(xplmsim::scalarValue("test/double"), 0.1);
  EXPECT_EQ(callStatic<jdouble>(cls, m("getDoubleValueN", "(J)D"), d), 0.1);
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatad")->i(0), d);
}

TEST_F(DataRefTest, TypesWritabilityAndSizes) {
  const jlong multi = handleOf(
      xplmsim::defineScalar("test/multi", xplmType_Int | xplmType_Float | xplmType_Double, 2.5, false));
  const jlong floats = handleOf(xplmsim::defineFloatArray("test/floats", std::vector<float>(13)));
  const jlong ints = handleOf(xplmsim::defineIntArray("test/ints", std::vector<int>(7)));
  const jlong bytes = handleOf(xplmsim::defineData("test/bytes", std::vector<uint8_t>(40)));

  EXPECT_EQ(callStatic<jint>(cls, m("getTypes", "(J)I"), multi), 7);
  EXPECT_EQ(callStatic<jint>(cls, m("getTypes", "(J)I"), floats), xplmType_FloatArray);
  EXPECT_FALSE(callStatic<jboolean>(cls, m("canWrite", "(J)Z"), multi));
  EXPECT_TRUE(callStatic<jboolean>(cls, m("canWrite", "(J)Z"), floats));

  EXPECT_EQ(callStatic<jint>(cls, m("getFloatArraySizeN", "(J)I"), floats), 13);
  EXPECT_EQ(callStatic<jint>(cls, m("getIntArraySizeN", "(J)I"), ints), 7);
  EXPECT_EQ(callStatic<jint>(cls, m("getDataSizeN", "(J)I"), bytes), 40);
  for (const char* query : {"XPLMGetDatavf", "XPLMGetDatavi", "XPLMGetDatab"}) {
    const xplmsim::Call* call = xplmsim::lastCall(query);
    ASSERT_NE(call, nullptr) << query;
    EXPECT_EQ(call->i(1), 0) << query << " must pass a null buffer";
    EXPECT_EQ(call->i(2), 0) << query;
    EXPECT_EQ(call->i(3), 0) << query;
  }
}

TEST_F(DataRefTest, ArrayReadGoesThroughTheScratchBufferAndLeavesTheRestAlone) {
  const jlong ref = handleOf(xplmsim::defineFloatArray("test/floats", {0, 1, 2, 3, 4, 5, 6, 7}));
  jfloatArray buf = floatArray({-1, -1, -1, -1, -1, -1});
  EXPECT_EQ(getFloats(ref, 5, buf), 3);
  EXPECT_EQ(elements(buf), (std::vector<float>{5, 6, 7, -1, -1, -1}));
  const xplmsim::Call* call = xplmsim::lastCall("XPLMGetDatavf");
  EXPECT_EQ(call->i(0), ref);
  EXPECT_EQ(call->i(1), reinterpret_cast<long long>(floatbuf));
  EXPECT_EQ(call->i(2), 5);
  EXPECT_EQ(call->i(3), 6);

  const jlong ints = handleOf(xplmsim::defineIntArray("test/ints", {10, 20, 30}));
  jintArray ibuf = intArray({0, 0, 0, 0});
  EXPECT_EQ(getInts(ints, 1, ibuf), 2);
  EXPECT_EQ(elements(ibuf), (std::vector<int>{20, 30, 0, 0}));
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatavi")->i(1), reinterpret_cast<long long>(intbuf));

  const jlong bytes = handleOf(xplmsim::defineData("test/bytes", {'a', 'b', 'c'}));
  jbyteArray bbuf = byteArray({0, 0});
  EXPECT_EQ(getBytes(bytes, 0, bbuf), 2);
  EXPECT_EQ(elements(bbuf), (std::vector<signed char>{'a', 'b'}));
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatab")->i(1), reinterpret_cast<long long>(charbuf));
}

// The only test here whose reads are cut: the bridge remembers the handles it
// warned about for the whole process, and the stand-in hands out the same
// handles again after a reset.
TEST_F(DataRefTest, ArrayReadsAreCutAt1024WithAMessageOncePerDataRef) {
  std::vector<float> many(2000);
  for (size_t i = 0; i < many.size(); ++i) many[i] = static_cast<float>(i);
  const jlong floats = handleOf(xplmsim::defineFloatArray("test/floats", many));
  const jlong ints = handleOf(xplmsim::defineIntArray("test/ints", std::vector<int>(2000, 9)));
  const jlong bytes = handleOf(xplmsim::defineData("test/bytes", std::vector<uint8_t>(2000, 'q')));

  jfloatArray exact = env()->NewFloatArray(1024);
  Captured out = captureStdout([&] { EXPECT_EQ(getFloats(floats, 0, exact), 1024); });
  EXPECT_EQ(out.text, "");

  jfloatArray tooLong = floatArray(std::vector<float>(1025, -1.0f));
  out = captureStdout([&] { EXPECT_EQ(getFloats(floats, 10, tooLong), 1024); });
  EXPECT_EQ(out.text, "Get float array value - size too large: 1025\n");
  EXPECT_GE(out.flushes, 1);
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatavf")->i(3), 1024);
  const std::vector<float> got = elements(tooLong);
  EXPECT_EQ(got[0], 10.0f);
  EXPECT_EQ(got[1023], 1033.0f);
  EXPECT_EQ(got[1024], -1.0f);
  out = captureStdout([&] { EXPECT_EQ(getFloats(floats, 0, env()->NewFloatArray(1500)), 1024); });
  EXPECT_EQ(out.text, "");
  const jlong otherFloats = handleOf(xplmsim::defineFloatArray("test/other_floats", many));
  out = captureStdout([&] { EXPECT_EQ(getFloats(otherFloats, 0, env()->NewFloatArray(1100)), 1024); });
  EXPECT_EQ(out.text, "Get float array value - size too large: 1100\n");

  out = captureStdout([&] {
    EXPECT_EQ(getInts(ints, 0, env()->NewIntArray(1500)), 1024);
    EXPECT_EQ(getInts(ints, 0, env()->NewIntArray(1500)), 1024);
  });
  EXPECT_EQ(out.text, "Get int array value - size too large: 1500\n");
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatavi")->i(3), 1024);

  out = captureStdout([&] {
    EXPECT_EQ(getBytes(bytes, 0, env()->NewByteArray(1025)), 1024);
    EXPECT_EQ(getBytes(bytes, 0, env()->NewByteArray(1025)), 1024);
  });
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(xplmsim::debugLog(), "[Vaskel] Get data value - size too large.");
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatab")->i(3), 1024);
  const jlong otherBytes = handleOf(xplmsim::defineData("test/other_bytes", std::vector<uint8_t>(2000, 'q')));
  EXPECT_EQ(getBytes(otherBytes, 0, env()->NewByteArray(1025)), 1024);
  EXPECT_EQ(xplmsim::debugLog(), "[Vaskel] Get data value - size too large.[Vaskel] Get data value - size too large.");
}

TEST_F(DataRefTest, EmptyAndNullArraysReadNothing) {
  const jlong ref = handleOf(xplmsim::defineFloatArray("test/floats", {1, 2, 3}));
  Captured out = captureStdout([&] { EXPECT_EQ(getFloats(ref, 0, env()->NewFloatArray(0)), 0); });
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(xplmsim::lastCall("XPLMGetDatavf")->i(3), 0);

  xplmsim::clearCalls();
  EXPECT_EQ(getFloats(ref, 0, nullptr), 0);
  EXPECT_EQ(getInts(ref, 0, nullptr), 0);
  EXPECT_EQ(getBytes(ref, 0, nullptr), 0);
  EXPECT_TRUE(xplmsim::calls().empty());
}

// A publisher that claims more values than it was asked for, or a negative
// count, never makes the bridge copy past the Java array.
int boastfulRead(void*, float* out, int, int max) {
  if (out != nullptr) {
    for (int i = 0; i < max; ++i) out[i] = 7.0f;
  }
  return 5000;
}
int negativeRead(void*, int*, int, int) { return -3; }

TEST_F(DataRefTest, CountsAPublisherGetsWrongAreCutToTheArray) {
  XPLMDataRef boastful;
  XPLMDataRef negative;
  {
    xplmsim::CallerScope other(xplmsim::kOtherPlugin);
    boastful = XPLMRegisterDataAccessor("other/boastful", xplmType_FloatArray, 0, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, boastfulRead, nullptr,
                                        nullptr, nullptr, nullptr, nullptr);
    negative = XPLMRegisterDataAccessor("other/negative", xplmType_IntArray, 0, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, negativeRead, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr);
  }
  jfloatArray buf = env()->NewFloatArray(4);
  EXPECT_EQ(getFloats(handleOf(boastful), 0, buf), 4);
  EXPECT_EQ(elements(buf), (std::vector<float>{7, 7, 7, 7}));
  jintArray ibuf = intArray({1, 2});
  EXPECT_EQ(getInts(handleOf(negative), 0, ibuf), 0);
  EXPECT_EQ(elements(ibuf), (std::vector<int>{1, 2}));
}

TEST_F(DataRefTest, ArrayWritesPassTheElementsAndLeaveTheJavaArrayUnchanged) {
  const jlong floats = handleOf(xplmsim::defineFloatArray("test/floats", std::vector<float>(6, 0.0f)));
  jfloatArray values = floatArray({1.5f, 2.5f, 3.5f});
  setFloats(floats, values, 2, 3);
  EXPECT_EQ(xplmsim::floatArrayValue("test/floats"), (std::vector<float>{0, 0, 1.5f, 2.5f, 3.5f, 0}));
  EXPECT_EQ(elements(values), (std::vector<float>{1.5f, 2.5f, 3.5f}));
  const xplmsim::Call* call = xplmsim::lastCall("XPLMSetDatavf");
  EXPECT_EQ(call->i(0), floats);
  EXPECT_EQ(call->i(2), 2);
  EXPECT_EQ(call->i(3), 3);

  const jlong ints = handleOf(xplmsim::defineIntArray("test/ints", {0, 0, 0}));
  setInts(ints, intArray({4, 5}), 0, 1);
  EXPECT_EQ(xplmsim::intArrayValue("test/ints"), (std::vector<int>{4, 0, 0}));

  const jlong bytes = handleOf(xplmsim::defineData("test/bytes", std::vector<uint8_t>(4, 0)));
  setBytes(bytes, byteArray({'h', 'i'}), 1, 2);
  EXPECT_EQ(xplmsim::dataValue("test/bytes"), (std::vector<uint8_t>{0, 'h', 'i', 0}));
}

TEST_F(DataRefTest, ArrayWriteSizesAreCutToTheJavaArray) {
  const jlong floats = handleOf(xplmsim::defineFloatArray("test/floats", std::vector<float>(100, 0.0f)));
  setFloats(floats, floatArray({1, 2, 3}), 0, 90);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDatavf")->i(3), 3);
  const std::vector<float> after = xplmsim::floatArrayValue("test/floats");
  EXPECT_EQ(after[2], 3.0f);
  EXPECT_EQ(after[3], 0.0f);

  setFloats(floats, floatArray({9}), 0, -5);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDatavf")->i(3), 0);

  const jlong ints = handleOf(xplmsim::defineIntArray("test/ints", std::vector<int>(100, 0)));
  setInts(ints, intArray({1}), 0, 1000000);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDatavi")->i(3), 1);
  const jlong bytes = handleOf(xplmsim::defineData("test/bytes", std::vector<uint8_t>(100, 0)));
  setBytes(bytes, byteArray({1, 2}), 0, 2147483647);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDatab")->i(3), 2);

  xplmsim::clearCalls();
  setFloats(floats, nullptr, 0, 3);
  setInts(ints, nullptr, 0, 3);
  setBytes(bytes, nullptr, 0, 3);
  EXPECT_TRUE(xplmsim::calls().empty());
}

TEST_F(DataRefTest, AWriteToAReadOnlyDataRefIsHandedToTheSimulatorWhichIgnoresIt) {
  const jlong ref = handleOf(xplmsim::defineFloat("test/readonly", 3.0f, false));
  callStatic(cls, m("setFloatValueN", "(JF)V"), ref, 9.0f);
  EXPECT_NE(xplmsim::lastCall("XPLMSetDataf"), nullptr);
  EXPECT_EQ(xplmsim::scalarValue("test/readonly"), 3.0);
}

// The Java API's array reads and writes, on an XPlaneDataRef of the path.
class DataRefApiTest : public BridgeTest {
 protected:
  jobject dataRef(const char* path) {
    return newObject("com/brevanto/qovin/data/XPlaneDataRef", "(Ljava/lang/String;)V", env()->NewStringUTF(path));
  }
  // Offset and count of each call of `function` since the last clearCalls().
  static std::vector<std::pair<long long, long long>> pieces(const std::string& function) {
    std::vector<std::pair<long long, long long>> all;
    for (const xplmsim::Call& call : xplmsim::calls()) {
      if (call.function == function) all.emplace_back(call.i(2), call.i(3));
    }
    return all;
  }
};

TEST_F(DataRefApiTest, LongArraysAreReadWholeInPiecesOf1024WithoutAMessage) {
  std::vector<float> values(5000);
  for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i) * 0.5f;
  xplmsim::defineFloatArray("test/long_floats", values);
  xplmsim::defineIntArray("test/long_ints", std::vector<int>(3000, 7));
  xplmsim::defineData("test/long_bytes", std::vector<uint8_t>(2500, 'z'));
  jfloatArray floats = env()->NewFloatArray(5000);
  jintArray ints = env()->NewIntArray(3000);
  jbyteArray bytes = env()->NewByteArray(2500);
  xplmsim::clearCalls();
  const Captured out = captureStdout([&] {
    EXPECT_EQ(callMethod<jint>(dataRef("test/long_floats"), "getFloatArray", "(I[F)I", 0, floats), 5000);
    EXPECT_EQ(callMethod<jint>(dataRef("test/long_ints"), "getIntArray", "(I[I)I", 0, ints), 3000);
    EXPECT_EQ(callMethod<jint>(dataRef("test/long_bytes"), "getData", "(I[B)I", 0, bytes), 2500);
  });
  EXPECT_EQ(elements(floats), values);
  EXPECT_EQ(elements(ints), std::vector<int>(3000, 7));
  EXPECT_EQ(elements(bytes), std::vector<signed char>(2500, 'z'));
  EXPECT_EQ(pieces("XPLMGetDatavf"),
            (std::vector<std::pair<long long, long long>>{{0, 1024}, {1024, 1024}, {2048, 1024}, {3072, 1024},
                                                         {4096, 904}}));
  EXPECT_EQ(pieces("XPLMGetDatab").size(), 3u);
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(xplmsim::debugLog(), "");
}

TEST_F(DataRefApiTest, AReadNearTheEndStopsAtTheFirstShortPiece) {
  std::vector<float> values(5000);
  for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i);
  xplmsim::defineFloatArray("test/long_floats", values);
  jfloatArray buf = floatArray(std::vector<float>(2000, -1.0f));
  xplmsim::clearCalls();
  EXPECT_EQ(callMethod<jint>(dataRef("test/long_floats"), "getFloatArray", "(I[F)I", 4990, buf), 10);
  const std::vector<float> got = elements(buf);
  EXPECT_EQ(std::vector<float>(got.begin(), got.begin() + 10), std::vector<float>(values.begin() + 4990, values.end()));
  EXPECT_EQ(std::vector<float>(got.begin() + 10, got.end()), std::vector<float>(1990, -1.0f));
  EXPECT_EQ(pieces("XPLMGetDatavf"), (std::vector<std::pair<long long, long long>>{{4990, 1024}}));
}

TEST_F(DataRefApiTest, LongArraysAreWrittenWholeInPiecesOf1024) {
  xplmsim::defineIntArray("test/long_ints", std::vector<int>(3000, 0));
  xplmsim::defineFloatArray("test/long_floats", std::vector<float>(3000, 0.0f));
  xplmsim::defineData("test/long_bytes", std::vector<uint8_t>(2000, 0));
  std::vector<int> ints(3000);
  for (size_t i = 0; i < ints.size(); ++i) ints[i] = static_cast<int>(i) + 1;
  xplmsim::clearCalls();
  callMethod(dataRef("test/long_ints"), "setIntArray", "(I[I)V", 0, intArray(ints));
  EXPECT_EQ(xplmsim::intArrayValue("test/long_ints"), ints);
  EXPECT_EQ(pieces("XPLMSetDatavi"),
            (std::vector<std::pair<long long, long long>>{{0, 1024}, {1024, 1024}, {2048, 952}}));

  // The first 2500 of 2900 values, from element 100 on.
  callMethod(dataRef("test/long_floats"), "setFloatArray", "(I[FI)V", 100, floatArray(std::vector<float>(2900, 4.0f)),
             2500);
  const std::vector<float> floats = xplmsim::floatArrayValue("test/long_floats");
  EXPECT_EQ(std::count(floats.begin(), floats.end(), 4.0f), 2500);
  EXPECT_EQ(floats[99], 0.0f);
  EXPECT_EQ(floats[100], 4.0f);
  EXPECT_EQ(floats[2599], 4.0f);
  EXPECT_EQ(floats[2600], 0.0f);

  callMethod(dataRef("test/long_bytes"), "setData", "(I[B)V", 0, byteArray(std::vector<signed char>(2000, 'w')));
  EXPECT_EQ(xplmsim::dataValue("test/long_bytes"), std::vector<uint8_t>(2000, 'w'));
}

TEST_F(DataRefApiTest, ArraysOfUpTo1024TakeOneNativeCallAndNullArraysNone) {
  xplmsim::defineFloatArray("test/floats", std::vector<float>(2000, 1.0f));
  jobject ref = dataRef("test/floats");
  xplmsim::clearCalls();
  EXPECT_EQ(callMethod<jint>(ref, "getFloatArray", "(I[F)I", 0, env()->NewFloatArray(1024)), 1024);
  callMethod(ref, "setFloatArray", "(I[F)V", 0, env()->NewFloatArray(1024));
  callMethod(ref, "setFloatArray", "(I[FI)V", 0, env()->NewFloatArray(2000), 1024);
  EXPECT_EQ(pieces("XPLMGetDatavf").size(), 1u);
  EXPECT_EQ(pieces("XPLMSetDatavf").size(), 2u);

  xplmsim::clearCalls();
  callMethod(ref, "setFloatArray", "(I[F)V", 0, static_cast<jfloatArray>(nullptr));
  EXPECT_EQ(callMethod<jint>(ref, "getFloatArray", "(I[F)I", 0, static_cast<jfloatArray>(nullptr)), 0);
  EXPECT_TRUE(pieces("XPLMSetDatavf").empty());
  EXPECT_TRUE(pieces("XPLMGetDatavf").empty());
}

}  // namespace
