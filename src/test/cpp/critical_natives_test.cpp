// The JavaCritical_ twins of XPlaneDataRef: called directly, and chosen by a
// JVM started with -XX:+CriticalJNINatives once it compiles the callers.
#include <XPLMDataAccess.h>

#include "critical_natives.h"
#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/graphics.h"
#include "xplmsim/sim.h"

#include <string>
#include <thread>

extern float* floatbuf;

using namespace qovintest;

namespace {

jlong handleOf(XPLMDataRef ref) { return reinterpret_cast<jlong>(ref); }

class CriticalTest : public BridgeTest {};

TEST_F(CriticalTest, ScalarTwinsForwardExactly) {
  const jlong i = handleOf(xplmsim::defineInt("test/int", 0));
  const jlong f = handleOf(xplmsim::defineFloat("test/float", 0.0f));
  const jlong d = handleOf(xplmsim::defineDouble("test/double", 0.0));
  JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setIntValueN(i, -123);
  EXPECT_EQ(JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getIntValueN(i), -123);
  JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setFloatValueN(f, 0.1f);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDataf")->d(1), static_cast<double>(0.1f));
  EXPECT_EQ(JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getFloatValueN(f), 0.1f);
  JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setDoubleValueN(d, 0.1);
  EXPECT_EQ(JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getDoubleValueN(d), 0.1);
}

TEST_F(CriticalTest, ArrayReadsGoStraightIntoTheArrayWithoutTheLimit) {
  std::vector<float> many(3000);
  for (size_t k = 0; k < many.size(); ++k) many[k] = static_cast<float>(k);
  const jlong ref = handleOf(xplmsim::defineFloatArray("test/floats", many));
  std::vector<float> buf(2500, -1.0f);
  Captured out = captureStdout([&] {
    EXPECT_EQ(JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getFloatArrayValueN(ref, 100, 2500, buf.data()),
              2500);
  });
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(buf[0], 100.0f);
  EXPECT_EQ(buf[2499], 2599.0f);
  const xplmsim::Call* call = xplmsim::lastCall("XPLMGetDatavf");
  EXPECT_EQ(call->i(1), reinterpret_cast<long long>(buf.data()));
  EXPECT_EQ(call->i(3), 2500);

  const jlong ints = handleOf(xplmsim::defineIntArray("test/ints", {1, 2, 3}));
  std::vector<jint> ibuf(5, 0);
  EXPECT_EQ(JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getIntArrayValueN(ints, 1, 5, ibuf.data()), 2);
  EXPECT_EQ(ibuf, (std::vector<jint>{2, 3, 0, 0, 0}));

  const jlong bytes = handleOf(xplmsim::defineData("test/bytes", std::vector<uint8_t>(2000, 'z')));
  std::vector<jbyte> bbuf(1500, 0);
  EXPECT_EQ(JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getDataValueN(bytes, 0, 1500, bbuf.data()), 1500);
  EXPECT_EQ(xplmsim::debugLog(), "");

  // A null array is no size query.
  EXPECT_EQ(JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getFloatArrayValueN(ref, 0, 0, nullptr), 0);
}

TEST_F(CriticalTest, ArrayWriteTwinsCutTheSizeToTheArray) {
  const jlong floats = handleOf(xplmsim::defineFloatArray("test/floats", std::vector<float>(10, 0.0f)));
  std::vector<float> values = {1, 2, 3};
  JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setFloatArrayValueN(floats, 3, values.data(), 4, 9);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDatavf")->i(3), 3);
  EXPECT_EQ(xplmsim::floatArrayValue("test/floats"), (std::vector<float>{0, 0, 0, 0, 1, 2, 3, 0, 0, 0}));

  const jlong ints = handleOf(xplmsim::defineIntArray("test/ints", {0, 0}));
  std::vector<jint> ivalues = {5, 6};
  JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setIntArrayValueN(ints, 2, ivalues.data(), 0, -1);
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDatavi")->i(3), 0);
  JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setIntArrayValueN(ints, 2, ivalues.data(), 0, 2);
  EXPECT_EQ(xplmsim::intArrayValue("test/ints"), (std::vector<int>{5, 6}));

  const jlong bytes = handleOf(xplmsim::defineData("test/bytes", std::vector<uint8_t>(4, 0)));
  std::vector<jbyte> bvalues = {'o', 'k'};
  JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setDataValueN(bytes, 2, bvalues.data(), 2, 100);
  EXPECT_EQ(xplmsim::dataValue("test/bytes"), (std::vector<uint8_t>{0, 0, 'o', 'k'}));
}

// drawChars' twin gets each array as its length and elements: the text is cut
// to both, missing colour components are 0, and off the host thread (where it
// cannot throw) nothing is drawn.
TEST_F(CriticalTest, TheDrawCharsTwinCutsToTheArraysAndDrawsOnlyOnTheHostThread) {
  std::u16string text = u"Zürich 42";
  jfloat color[2] = {0.5f, 1.0f};
  auto draw = [&](jint colorLength, jfloat* rgb, jint textLength, jchar* units, jint length, jint wrap) {
    JavaCritical_com_brevanto_qovin_graphics_XPlaneGraphics_drawCharsN(colorLength, rgb, 7, 8, textLength, units,
                                                                       length, wrap, 0);
  };
  auto* units = reinterpret_cast<jchar*>(text.data());
  const jint size = static_cast<jint>(text.size());
  draw(2, color, size, units, -1, 0);
  draw(0, nullptr, size, units, 6, 50);
  draw(2, color, 3, units, 1000, 0);
  draw(2, color, 0, nullptr, 5, 0);
  std::thread([&] { draw(2, color, size, units, -1, 0); }).join();
  const std::vector<xplmsim::DrawnString>& drawn = xplmsim::drawnStrings();
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].text, "Zürich 42");
  EXPECT_EQ(std::vector<float>(drawn[0].color, drawn[0].color + 3), (std::vector<float>{0.5f, 1.0f, 0.0f}));
  EXPECT_FALSE(drawn[0].wrapped);
  EXPECT_EQ(drawn[1].text, "Zürich");
  EXPECT_EQ(std::vector<float>(drawn[1].color, drawn[1].color + 3), (std::vector<float>{0, 0, 0}));
  EXPECT_EQ(drawn[1].wrapWidth, 50);
  EXPECT_EQ(drawn[2].text, "Zür");
}

// Once the JIT has compiled the Java caller, the JVM calls the twin: the
// simulator then sees the Java array's own elements instead of the scratch
// buffer, and the values still arrive right.
TEST_F(CriticalTest, TheJvmSwitchesToTheTwinsWhenItCompilesTheCallers) {
  xplmsim::defineFloatArray("test/floats", {1, 2, 3, 4, 5, 6, 7, 8});
  xplmsim::defineInt("test/int", 0);
  jclass calls = findClass("com/brevanto/qovin/testing/CriticalCalls");
  jfloatArray buf = env()->NewFloatArray(8);
  const jint count = callStatic<jint>(calls, staticMethod(calls, "readFloats", "(Ljava/lang/String;[FI)I"),
                                                env()->NewStringUTF("test/floats"), buf, 50000);
  EXPECT_EQ(count, 8);
  EXPECT_EQ(elements(buf), (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_NE(xplmsim::lastCall("XPLMGetDatavf")->i(1), reinterpret_cast<long long>(floatbuf))
      << "the JVM never called the critical twin";

  const jlong sum = callStatic<jlong>(
      calls, staticMethod(calls, "roundTripInts", "(Ljava/lang/String;I)J"), env()->NewStringUTF("test/int"), 50000);
  EXPECT_EQ(sum, 50000LL * 49999 / 2);
}

}  // namespace

int main(int argc, char** argv) { return runAllTests(argc, argv, {"-XX:+CriticalJNINatives"}); }
