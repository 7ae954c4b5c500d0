// Array writes from Java: up to 1024 elements go to the host from the bridge's
// write buffer, longer ones from the Java array's elements; either way every
// value arrives, nothing past the Java array is read and the array is unchanged.
#include <XPLMDataAccess.h>

#include <vector>

#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

class ArrayWriteTest : public BridgeTest {
 protected:
  void setFloats(jlong ref, jfloatArray values, jint offset, jint size) {
    jclass cls = findClass("com/brevanto/qovin/data/XPlaneDataRef");
    callStatic(cls, staticMethod(cls, "setFloatArrayValueN", "(J[FII)V"), ref, values, offset, size);
  }
  void setInts(jlong ref, jintArray values, jint offset, jint size) {
    jclass cls = findClass("com/brevanto/qovin/data/XPlaneDataRef");
    callStatic(cls, staticMethod(cls, "setIntArrayValueN", "(J[III)V"), ref, values, offset, size);
  }
};

std::vector<float> counting(size_t n, float start) {
  std::vector<float> values(n);
  for (size_t k = 0; k < n; ++k) values[k] = start + static_cast<float>(k);
  return values;
}

TEST_F(ArrayWriteTest, WritesOfEverySizeArriveWhole) {
  const jlong ref = reinterpret_cast<jlong>(xplmsim::defineFloatArray("test/floats", std::vector<float>(3000, 0)));
  for (size_t n : {size_t{1}, size_t{1023}, size_t{1024}, size_t{1025}, size_t{3000}}) {
    const std::vector<float> values = counting(n, static_cast<float>(n));
    jfloatArray array = floatArray(values);
    setFloats(ref, array, 0, static_cast<jint>(n));
    const std::vector<float> stored = xplmsim::floatArrayValue("test/floats");
    EXPECT_EQ(std::vector<float>(stored.begin(), stored.begin() + static_cast<long>(n)), values) << n;
    EXPECT_EQ(xplmsim::lastCall("XPLMSetDatavf")->i(3), static_cast<long long>(n));
    EXPECT_EQ(elements(array), values) << "the Java array must stay as it was";
    env()->DeleteLocalRef(array);
  }
}

TEST_F(ArrayWriteTest, APartOfALongArrayAndAnOversizedCountStayWithinTheArray) {
  const jlong ref = reinterpret_cast<jlong>(xplmsim::defineIntArray("test/ints", std::vector<int>(2000, -1)));
  std::vector<int> values(1500);
  for (size_t k = 0; k < values.size(); ++k) values[k] = static_cast<int>(k);
  jintArray array = intArray(values);
  setInts(ref, array, 10, 5);
  std::vector<int> stored = xplmsim::intArrayValue("test/ints");
  EXPECT_EQ(std::vector<int>(stored.begin() + 9, stored.begin() + 16), (std::vector<int>{-1, 0, 1, 2, 3, 4, -1}));

  setInts(ref, array, 0, 1000000);  // cut to the 1500 elements the array holds
  EXPECT_EQ(xplmsim::lastCall("XPLMSetDatavi")->i(3), 1500);
  stored = xplmsim::intArrayValue("test/ints");
  EXPECT_EQ(stored[1499], 1499);
  EXPECT_EQ(stored[1500], -1);
}

}  // namespace
