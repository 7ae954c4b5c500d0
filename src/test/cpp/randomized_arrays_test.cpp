// Randomized array traffic: random array lengths, offsets, sizes and counts
// (negative, zero, around 1024, huge, INT_MIN and INT_MAX among them) thrown
// at the array natives of XPlaneDataRef, at their critical twins and, as
// another plugin would, at the accessor callbacks of a Java-backed dataref
// whose Java side reports random counts and sizes. Every result is checked
// against a model of the rules, every native buffer has canaries on both
// sides, and every Java array element past the count must keep its canary.
//
// The seed is fixed and printed; QOVIN_RANDOM_SEED and QOVIN_RANDOM_ROUNDS
// change it and the number of rounds (a few seconds by default).
#include <XPLMDataAccess.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "critical_natives.h"
#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

uint64_t fromEnvironment(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

const uint64_t kSeed = fromEnvironment("QOVIN_RANDOM_SEED", 20261205);
const int kRounds = static_cast<int>(fromEnvironment("QOVIN_RANDOM_ROUNDS", 1500));
constexpr int kGuard = 16;          // canary elements on each side of a native buffer
constexpr int kScratch = 1024;      // the bridge's scratch arrays
constexpr int kLyingRoom = 1100;    // room of a reader that claims more than it has

class Dice {
 public:
  explicit Dice(uint64_t seed) : rng_(seed) {}
  int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(int percent) { return between(0, 99) < percent; }

  // An offset, maximum, size or count for an array of `length`.
  int hostile(int length) {
    static const int kEdges[] = {INT_MIN, INT_MIN + 1, -1000000000, -1025, -1, 0, 1,
                                 1023,    1024,        1025,        1000000000, INT_MAX - 1, INT_MAX};
    switch (between(0, 5)) {
      case 0: return kEdges[between(0, static_cast<int>(std::size(kEdges)) - 1)];
      case 1: return length + between(-2, 2);
      case 2: return between(INT_MIN, INT_MAX);
      default: return between(-8, length + 8);
    }
  }

  // An array length: mostly short, sometimes empty, around 1024 or past it.
  int length() {
    switch (between(0, 5)) {
      case 0: return between(0, 2);
      case 1: return between(1020, 1030);
      case 2: return between(0, 3000);
      default: return between(0, 64);
    }
  }

 private:
  std::mt19937_64 rng_;
};

// One element type: its Java arrays, natives, simulator calls and fixture fields.
template <typename JArray, typename E>
struct Kind {
  const char* name;
  const char* arraySignature;  // "[F"
  const char* getMethod;       // XPlaneDataRef's reader, (I[F)I
  const char* setMethod;       // its writer, (I[FI)V
  const char* sizeMethod;
  const char* field;           // ScriptedArrayAccessor's source array
  const char* writtenField;
  JArray (JNIEnv::*newArray)(jsize);
  void (JNIEnv::*getRegion)(JArray, jsize, jsize, E*);
  void (JNIEnv::*setRegion)(JArray, jsize, jsize, const E*);
  int (*hostRead)(XPLMDataRef, E*, int, int);
  void (*hostWrite)(XPLMDataRef, E*, int, int);
  jint (*criticalRead)(jlong, jint, jint, E*);
  void (*criticalWrite)(jlong, jint, E*, jint, jint);
  XPLMDataRef (*define)(const std::string&, const std::vector<E>&);
  std::vector<E> (*value)(const std::string&);
  E canary;
  E (*random)(Dice&);
};

const Kind<jfloatArray, jfloat> kFloats{
    "float", "[F", "getFloatArray", "setFloatArray", "getFloatArraySize", "floats", "writtenFloats",
    &JNIEnv::NewFloatArray, &JNIEnv::GetFloatArrayRegion, &JNIEnv::SetFloatArrayRegion, XPLMGetDatavf, XPLMSetDatavf,
    JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getFloatArrayValueN,
    JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setFloatArrayValueN,
    [](const std::string& n, const std::vector<float>& v) { return xplmsim::defineFloatArray(n, v); },
    xplmsim::floatArrayValue, -7.5e30f, [](Dice& d) { return static_cast<float>(d.between(-1000000, 1000000)) / 8; }};

const Kind<jintArray, jint> kInts{
    "int", "[I", "getIntArray", "setIntArray", "getIntArraySize", "ints", "writtenInts",
    &JNIEnv::NewIntArray, &JNIEnv::GetIntArrayRegion, &JNIEnv::SetIntArrayRegion, XPLMGetDatavi, XPLMSetDatavi,
    JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getIntArrayValueN,
    JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setIntArrayValueN,
    [](const std::string& n, const std::vector<int>& v) { return xplmsim::defineIntArray(n, v); },
    xplmsim::intArrayValue, -77777777, [](Dice& d) { return d.between(INT_MIN, INT_MAX); }};

const Kind<jbyteArray, jbyte> kBytes{
    "byte", "[B", "getData", "setData", "getDataSize", "bytes", "writtenBytes",
    &JNIEnv::NewByteArray, &JNIEnv::GetByteArrayRegion, &JNIEnv::SetByteArrayRegion,
    [](XPLMDataRef r, jbyte* out, int offset, int max) { return XPLMGetDatab(r, out, offset, max); },
    [](XPLMDataRef r, jbyte* in, int offset, int count) { XPLMSetDatab(r, in, offset, count); },
    JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getDataValueN,
    JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setDataValueN,
    [](const std::string& n, const std::vector<jbyte>& v) {
      return xplmsim::defineData(n, std::vector<uint8_t>(v.begin(), v.end()));
    },
    [](const std::string& n) {
      const std::vector<uint8_t> bytes = xplmsim::dataValue(n);
      return std::vector<jbyte>(bytes.begin(), bytes.end());
    },
    static_cast<jbyte>(0x5A), [](Dice& d) { return static_cast<jbyte>(d.between(-128, 127)); }};

template <typename E>
std::vector<E> randomValues(Dice& dice, E (*random)(Dice&), int n) {
  std::vector<E> values(static_cast<size_t>(std::max(n, 0)));
  for (E& v : values) v = random(dice);
  return values;
}

template <typename JArray, typename E>
JArray javaArray(const Kind<JArray, E>& kind, const std::vector<E>& values) {
  JArray array = (env()->*kind.newArray)(static_cast<jsize>(values.size()));
  (env()->*kind.setRegion)(array, 0, static_cast<jsize>(values.size()), values.data());
  return array;
}

template <typename JArray, typename E>
std::vector<E> javaElements(const Kind<JArray, E>& kind, JArray array) {
  std::vector<E> values(static_cast<size_t>(env()->GetArrayLength(array)));
  (env()->*kind.getRegion)(array, 0, static_cast<jsize>(values.size()), values.data());
  return values;
}

int clampTo(int n, int limit) { return n < 0 ? 0 : std::min(n, limit); }

// What a simulator-owned array of `size` elements gives for a read at
// `offset` of at most `max`: the elements from `offset` on that fit.
int ownedRead(int size, int offset, int max) {
  if (offset < 0 || offset >= size || max <= 0) return 0;
  return std::min(size - offset, max);
}

// A native buffer of `room` elements with `kGuard` canaries on each side.
template <typename E>
struct Guarded {
  Guarded(int room, E canary) : canary(canary), memory(static_cast<size_t>(room + 2 * kGuard), canary) {}
  E* data() { return memory.data() + kGuard; }
  E at(int i) const { return memory[static_cast<size_t>(kGuard + i)]; }
  // Everything outside [0, count) still holds the canary.
  void expectUntouchedFrom(int count, const std::string& where) const {
    for (size_t i = 0; i < memory.size(); ++i) {
      const int element = static_cast<int>(i) - kGuard;
      if (element >= 0 && element < count) continue;
      ASSERT_EQ(memory[i], canary) << "element " << element << " touched, " << where;
    }
  }
  E canary;
  std::vector<E> memory;
};

std::string describe(const char* what, int offset, int n) {
  return std::string(what) + " offset " + std::to_string(offset) + " n " + std::to_string(n);
}

class RandomizedArraysTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    std::cout << "randomized arrays: seed " << kSeed << ", " << kRounds
              << " rounds (QOVIN_RANDOM_SEED, QOVIN_RANDOM_ROUNDS)" << std::endl;
    xplmsim::setRecording(false);
  }
  void TearDown() override {
    xplmsim::setRecording(true);
    BridgeTest::TearDown();
  }

  jmethodID method(const char* name, const char* signature) {
    jclass cls = findClass("com/brevanto/qovin/data/XPlaneDataRef");
    jmethodID id = env()->GetMethodID(cls, name, signature);
    env()->DeleteLocalRef(cls);
    return id;
  }

  // Java reads and writes of a simulator-owned array, and the critical twins.
  template <typename JArray, typename E>
  void simulatorArrayRound(Dice& dice, const Kind<JArray, E>& kind) {
    ASSERT_EQ(env()->PushLocalFrame(16), JNI_OK);
    const std::string name = std::string("random/sim/") + kind.name;
    const int size = dice.length();
    std::vector<E> model = randomValues(dice, kind.random, size);
    const jlong handle = reinterpret_cast<jlong>(kind.define(name, model));
    jobject ref = newObject("com/brevanto/qovin/data/XPlaneDataRef", "(Ljava/lang/String;)V",
                            env()->NewStringUTF(name.c_str()));
    const std::string get = std::string("(I") + kind.arraySignature + ")I";
    const std::string set = std::string("(I") + kind.arraySignature + "I)V";
    const jmethodID getMethod = method(kind.getMethod, get.c_str());
    const jmethodID setMethod = method(kind.setMethod, set.c_str());
    const jmethodID sizeMethod = method(kind.sizeMethod, "()I");
    for (int op = 0; op < 8; ++op) {
      ASSERT_EQ(env()->PushLocalFrame(8), JNI_OK);
      const int length = dice.length();
      const int offset = dice.hostile(size);
      const int count = dice.hostile(length);
      SCOPED_TRACE(std::string(kind.name) + " array of " + std::to_string(size) + ", Java array of " +
                   std::to_string(length) + ", offset " + std::to_string(offset) + ", count " + std::to_string(count));
      switch (dice.between(0, 4)) {
        case 0: {  // Java read: the whole Java array in pieces (one call of 1024 at most for a negative offset)
          JArray buf = javaArray(kind, std::vector<E>(static_cast<size_t>(length), kind.canary));
          const int n = env()->CallIntMethod(ref, getMethod, offset, buf);
          expectNoPendingException();
          const int expected = ownedRead(size, offset, offset < 0 ? std::min(length, kScratch) : length);
          ASSERT_EQ(n, expected);
          const std::vector<E> got = javaElements(kind, buf);
          for (int i = 0; i < length; ++i) {
            ASSERT_EQ(got[i], i < n ? model[static_cast<size_t>(offset + i)] : kind.canary) << "element " << i;
          }
          break;
        }
        case 1: {  // Java write: `count` cut to the Java array
          const std::vector<E> values = randomValues(dice, kind.random, length);
          env()->CallVoidMethod(ref, setMethod, offset, javaArray(kind, values), count);
          expectNoPendingException();
          const int n = ownedRead(size, offset, clampTo(count, length));
          if (n > 0) std::copy(values.begin(), values.begin() + n, model.begin() + offset);
          ASSERT_EQ(kind.value(name), model);
          break;
        }
        case 2: {  // critical read: straight into the array, at most its length
          Guarded<E> buf(length, kind.canary);
          const int n = kind.criticalRead(handle, offset, length, buf.data());
          ASSERT_EQ(n, ownedRead(size, offset, length));
          for (int i = 0; i < n; ++i) ASSERT_EQ(buf.at(i), model[static_cast<size_t>(offset + i)]);
          buf.expectUntouchedFrom(n, describe("critical read", offset, n));
          break;
        }
        case 3: {  // critical write: `count` cut to the array's length
          const std::vector<E> values = randomValues(dice, kind.random, length);
          std::vector<E> copy = values;
          kind.criticalWrite(handle, length, copy.data(), offset, count);
          const int n = ownedRead(size, offset, clampTo(count, length));
          if (n > 0) std::copy(values.begin(), values.begin() + n, model.begin() + offset);
          ASSERT_EQ(kind.value(name), model);
          ASSERT_EQ(copy, values) << "the writer's array changed";
          break;
        }
        default: {  // size, and reads into no array
          ASSERT_EQ(env()->CallIntMethod(ref, sizeMethod), size);
          expectNoPendingException();
          ASSERT_EQ(env()->CallIntMethod(ref, getMethod, offset, nullptr), 0);
          expectNoPendingException();
          env()->CallVoidMethod(ref, setMethod, offset, nullptr, count);
          expectNoPendingException();
          ASSERT_EQ(kind.criticalRead(handle, offset, 0, nullptr), 0);
          ASSERT_EQ(kind.value(name), model);
          break;
        }
      }
      env()->PopLocalFrame(nullptr);
    }
    env()->PopLocalFrame(nullptr);
  }

  // The accessor behind a Java-backed dataref, its fields, and what the
  // bridge's scratch array of each type holds (as far as the test knows).
  struct Publisher {
    jobject accessor;
    jobject ref;
    jlong handle;
    jfieldID overrideCount, reportedCount, overrideSize, reportedSize, writtenOffset, writtenCount, writes;
  };
  template <typename E>
  struct Scratch {
    std::vector<E> values = std::vector<E>(kScratch);
    std::vector<bool> known = std::vector<bool>(kScratch, false);
  };

  Publisher publish() {
    Publisher p{};
    p.accessor = newObject("com/brevanto/qovin/testing/ScriptedArrayAccessor", "()V");
    p.ref = newObject("com/brevanto/qovin/data/JavaBackedDataRef",
                      "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;"
                      "Lcom/brevanto/qovin/data/DataWriteAccessor;)V",
                      env()->NewStringUTF("random/java"), xplmType_FloatArray | xplmType_IntArray | xplmType_Data,
                      JNI_TRUE, p.accessor, p.accessor);
    p.handle = callMethod<jlong>(p.ref, "getHandle", "()J");
    jclass cls = env()->GetObjectClass(p.accessor);
    p.overrideCount = env()->GetFieldID(cls, "overrideCount", "Z");
    p.reportedCount = env()->GetFieldID(cls, "reportedCount", "I");
    p.overrideSize = env()->GetFieldID(cls, "overrideSize", "Z");
    p.reportedSize = env()->GetFieldID(cls, "reportedSize", "I");
    p.writtenOffset = env()->GetFieldID(cls, "writtenOffset", "I");
    p.writtenCount = env()->GetFieldID(cls, "writtenCount", "I");
    p.writes = env()->GetFieldID(cls, "writes", "J");
    env()->DeleteLocalRef(cls);
    return p;
  }

  template <typename JArray, typename E>
  jfieldID accessorField(const Publisher& p, const char* name, const Kind<JArray, E>& kind) {
    jclass cls = env()->GetObjectClass(p.accessor);
    jfieldID id = env()->GetFieldID(cls, name, kind.arraySignature);
    env()->DeleteLocalRef(cls);
    return id;
  }

  // The Java method fills the scratch array with what it has from `offset` on
  // (at most 1024) and reports its count, or the scripted one. Returns what
  // the bridge then copies: that report cut to 1024 and to `max`, at least 0.
  template <typename E>
  int javaRead(const std::vector<E>& source, int offset, int max, Scratch<E>& scratch, bool override, int reported) {
    const int placed = ownedRead(static_cast<int>(source.size()), offset, kScratch);
    for (int i = 0; i < placed; ++i) {
      scratch.values[static_cast<size_t>(i)] = source[static_cast<size_t>(offset + i)];
      scratch.known[static_cast<size_t>(i)] = true;
    }
    const int n = std::min({override ? reported : placed, kScratch, max});
    return n < 0 ? 0 : n;
  }

  template <typename E>
  static void expectScratchPrefix(const Scratch<E>& scratch, int n, E (*at)(const void*, int), const void* out) {
    for (int i = 0; i < n; ++i) {
      if (scratch.known[static_cast<size_t>(i)]) {
        ASSERT_EQ(at(out, i), scratch.values[static_cast<size_t>(i)]) << "element " << i;
      }
    }
  }

  // Whether Java received exactly `values` at `offset` as its last write, as write number `writes`.
  template <typename JArray, typename E>
  void expectJavaWrite(const Publisher& p, const Kind<JArray, E>& kind, jlong writes, const std::vector<E>& values,
                       int offset) {
    ASSERT_EQ(env()->GetLongField(p.accessor, p.writes), writes);
    if (values.empty()) return;
    auto written = static_cast<JArray>(env()->GetObjectField(p.accessor, accessorField(p, kind.writtenField, kind)));
    ASSERT_EQ(javaElements(kind, written), values);
    ASSERT_EQ(env()->GetIntField(p.accessor, p.writtenOffset), offset);
    ASSERT_EQ(env()->GetIntField(p.accessor, p.writtenCount), static_cast<int>(values.size()));
  }

  // Another plugin, the Java API and the critical twins on a Java-backed
  // array whose Java side holds `length` elements and reports random counts.
  template <typename JArray, typename E>
  void javaBackedRound(Dice& dice, const Publisher& p, const Kind<JArray, E>& kind, Scratch<E>& scratch) {
    ASSERT_EQ(env()->PushLocalFrame(16), JNI_OK);
    const int length = dice.length();
    const std::vector<E> source = randomValues(dice, kind.random, length);
    env()->SetObjectField(p.accessor, accessorField(p, kind.field, kind), javaArray(kind, source));
    const bool override = dice.chance(40);
    const int reported = dice.hostile(length);
    const bool overrideSize = dice.chance(20);
    const int reportedSize = dice.hostile(length);
    env()->SetBooleanField(p.accessor, p.overrideCount, override ? JNI_TRUE : JNI_FALSE);
    env()->SetIntField(p.accessor, p.reportedCount, reported);
    env()->SetBooleanField(p.accessor, p.overrideSize, overrideSize ? JNI_TRUE : JNI_FALSE);
    env()->SetIntField(p.accessor, p.reportedSize, reportedSize);
    const XPLMDataRef ref = reinterpret_cast<XPLMDataRef>(p.handle);
    const std::string get = std::string("(I") + kind.arraySignature + ")I";
    const std::string set = std::string("(I") + kind.arraySignature + "I)V";
    const jmethodID getMethod = method(kind.getMethod, get.c_str());
    const jmethodID setMethod = method(kind.setMethod, set.c_str());
    const auto at = [](const void* out, int i) { return static_cast<const E*>(out)[i]; };

    for (int op = 0; op < 8 && !HasFatalFailure(); ++op) {
      ASSERT_EQ(env()->PushLocalFrame(8), JNI_OK);
      const int javaLength = dice.length();
      const int offset = dice.hostile(length);
      int count = dice.hostile(javaLength);
      const jlong writes = env()->GetLongField(p.accessor, p.writes);
      SCOPED_TRACE(std::string(kind.name) + " array of " + std::to_string(length) + (override ? ", reports " : "") +
                   (override ? std::to_string(reported) : "") + ", offset " + std::to_string(offset) + ", count " +
                   std::to_string(count) + ", Java array of " + std::to_string(javaLength));
      switch (dice.between(0, 5)) {
        case 0: {  // another plugin reads; a null buffer asks for the size
          xplmsim::CallerScope other(xplmsim::kOtherPlugin);
          if (dice.chance(5)) {
            ASSERT_EQ(kind.hostRead(ref, nullptr, offset, count), overrideSize ? reportedSize : length);
            break;
          }
          Guarded<E> out(clampTo(count, kLyingRoom), kind.canary);
          const int n = kind.hostRead(ref, out.data(), offset, count);
          ASSERT_EQ(n, javaRead(source, offset, count, scratch, override, reported));
          expectScratchPrefix(scratch, n, +at, out.data());
          out.expectUntouchedFrom(n, describe("host read", offset, n));
          break;
        }
        case 1: {  // another plugin writes what its buffer holds
          if (count > 4096) count = dice.between(1025, 4096);
          std::vector<E> values = randomValues(dice, kind.random, count);
          const bool null = dice.chance(5);
          {
            xplmsim::CallerScope other(xplmsim::kOtherPlugin);
            kind.hostWrite(ref, null ? nullptr : values.data(), offset, count);
          }
          expectNoPendingException();
          if (null || count < 0 || values.empty()) {  // an empty vector hands over no buffer
            expectJavaWrite(p, kind, writes, std::vector<E>{}, offset);
          } else {
            expectJavaWrite(p, kind, writes + 1, values, offset);
          }
          break;
        }
        case 2: {  // the plugin reads its own dataref through the Java API: pieces of 1024
          JArray buf = javaArray(kind, std::vector<E>(static_cast<size_t>(javaLength), kind.canary));
          const int n = env()->CallIntMethod(p.ref, getMethod, offset, buf);
          expectNoPendingException();
          const std::vector<E> got = javaElements(kind, buf);
          const bool onePiece = javaLength <= kScratch || offset < 0;
          int total = 0;
          while (onePiece || (total < javaLength && offset <= INT_MAX - total)) {
            const int asked = onePiece ? std::min(javaLength, kScratch) : std::min(kScratch, javaLength - total);
            const int piece = javaRead(source, offset + total, asked, scratch, override, reported);
            expectScratchPrefix(scratch, piece, +at, static_cast<const void*>(got.data() + total));
            total += piece;
            if (onePiece || piece < asked) break;
          }
          ASSERT_EQ(n, total);
          for (int i = n; i < javaLength; ++i) ASSERT_EQ(got[static_cast<size_t>(i)], kind.canary) << "element " << i;
          break;
        }
        case 3: {  // ... and writes it: the count cut to its array, in pieces of 1024
          const std::vector<E> values = randomValues(dice, kind.random, javaLength);
          env()->CallVoidMethod(p.ref, setMethod, offset, javaArray(kind, values), count);
          expectNoPendingException();
          const int n = clampTo(count, javaLength);
          int last = 0;  // where the last piece starts and ends
          int end = n;
          jlong pieces = 1;
          if (n > kScratch && offset >= 0) {  // no piece starts past INT_MAX
            end = kScratch;
            for (int done = kScratch; done < n && offset <= INT_MAX - done; done += kScratch, ++pieces) {
              last = done;
              end = std::min(n, done + kScratch);
            }
          }
          expectJavaWrite(p, kind, writes + pieces, std::vector<E>(values.begin() + last, values.begin() + end),
                          offset + last);
          break;
        }
        case 4: {  // critical read straight into the Java array
          Guarded<E> buf(javaLength, kind.canary);
          const int n = kind.criticalRead(p.handle, offset, javaLength, buf.data());
          ASSERT_EQ(n, javaRead(source, offset, javaLength, scratch, override, reported));
          expectScratchPrefix(scratch, n, +at, buf.data());
          buf.expectUntouchedFrom(n, describe("critical read", offset, n));
          break;
        }
        default: {  // critical write
          std::vector<E> values = randomValues(dice, kind.random, javaLength);
          kind.criticalWrite(p.handle, javaLength, values.data(), offset, count);
          expectNoPendingException();
          const int n = clampTo(count, javaLength);
          // An empty vector hands over no buffer at all: then Java is not called.
          expectJavaWrite(p, kind, values.empty() ? writes : writes + 1,
                          std::vector<E>(values.begin(), values.begin() + n), offset);
          break;
        }
      }
      env()->PopLocalFrame(nullptr);
    }
    env()->PopLocalFrame(nullptr);
  }
};

TEST_F(RandomizedArraysTest, JavaNativesAndCriticalTwinsOnSimulatorArrays) {
  Dice dice(kSeed);
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    SCOPED_TRACE("seed " + std::to_string(kSeed) + " round " + std::to_string(round));
    simulatorArrayRound(dice, kFloats);
    simulatorArrayRound(dice, kInts);
    simulatorArrayRound(dice, kBytes);
  }
}

TEST_F(RandomizedArraysTest, ReadsAndWritesOfAJavaBackedArrayWithRandomReports) {
  Dice dice(kSeed + 2);
  const Publisher p = publish();
  Scratch<jfloat> floats;
  Scratch<jint> ints;
  Scratch<jbyte> bytes;
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    SCOPED_TRACE("seed " + std::to_string(kSeed) + " round " + std::to_string(round));
    javaBackedRound(dice, p, kFloats, floats);
    javaBackedRound(dice, p, kInts, ints);
    javaBackedRound(dice, p, kBytes, bytes);
  }
  callMethod(p.ref, "unregister", "()V");
}

// A byte dataref as text: setString writes the UTF-8 bytes and a zero as far
// as they fit; getString reads at most 1024 bytes and stops at the first zero.
TEST_F(RandomizedArraysTest, TextsOfRandomLengthsInByteArraysOfRandomSizes) {
  Dice dice(kSeed + 1);
  jclass cls = findClass("com/brevanto/qovin/data/XPlaneDataRef");
  const jmethodID setString = env()->GetMethodID(cls, "setString", "(Ljava/lang/String;)V");
  const jmethodID getString = env()->GetMethodID(cls, "getString", "()Ljava/lang/String;");
  for (int round = 0; round < kRounds && !HasFatalFailure(); ++round) {
    ASSERT_EQ(env()->PushLocalFrame(8), JNI_OK);
    const int size = dice.chance(20) ? dice.between(1020, 1030) : dice.between(0, 2000);
    std::string text(static_cast<size_t>(dice.chance(20) ? dice.between(1020, 1030) : dice.between(0, 2100)), ' ');
    for (char& c : text) c = static_cast<char>(dice.between(0x21, 0x7E));
    SCOPED_TRACE("round " + std::to_string(round) + ": " + std::to_string(text.size()) + " characters into " +
                 std::to_string(size) + " bytes");
    const std::vector<uint8_t> before = randomValues<uint8_t>(dice, [](Dice& d) {
      return static_cast<uint8_t>(d.between(0, 255));
    }, size);
    xplmsim::defineData("random/text", before);
    jobject ref = newObject("com/brevanto/qovin/data/XPlaneDataRef", "(Ljava/lang/String;)V",
                            env()->NewStringUTF("random/text"));
    env()->CallVoidMethod(ref, setString, env()->NewStringUTF(text.c_str()));
    expectNoPendingException();
    std::vector<uint8_t> expectedBytes = before;
    const std::string terminated = text + '\0';
    std::copy(terminated.begin(), terminated.begin() + std::min<size_t>(terminated.size(), before.size()),
              expectedBytes.begin());
    ASSERT_EQ(xplmsim::dataValue("random/text"), expectedBytes);
    auto javaText = static_cast<jstring>(env()->CallObjectMethod(ref, getString));
    expectNoPendingException();
    const std::string read = toStdString(javaText);
    ASSERT_EQ(read, text.substr(0, std::min({text.size(), static_cast<size_t>(size), static_cast<size_t>(kScratch)})));
    env()->PopLocalFrame(nullptr);
  }
}

}  // namespace
