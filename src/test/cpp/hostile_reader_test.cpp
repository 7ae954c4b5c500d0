// Another plugin reads and writes every kind of array dataref with offsets,
// maxima and counts from far below zero to far beyond the end, and null
// buffers. The accessors must answer in range and touch no memory outside
// the reader's request or their own storage (the sanitizer build checks the
// latter).
#include <XPLMDataAccess.h>

#include <climits>
#include <cstring>
#include <string>

#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

constexpr int kElements = 1024;      // every dataref below holds this many
constexpr int kReaderElements = 2048;  // what the hostile plugin's buffers hold
constexpr unsigned char kCanary = 0xA5;

const int kOffsets[] = {INT_MIN, -1000000000, -1025, -1, 0, 1, 511, 1023, 1024, 1025, 1000000000, INT_MAX};
const int kMaxima[] = {INT_MIN, -1000000000, -1, 0, 1, 7, 1023, 1024, 1025, 2048, 1000000000, INT_MAX};
// A writer's count never exceeds what its own buffer holds, except for kinds
// that read only what fits (simulator-owned and direct arrays).
const int kCounts[] = {INT_MIN, -1, 0, 1, 7, 1024, 1025, kReaderElements};
const int kCountsBeyondTheWriter[] = {1000000000, INT_MAX};

enum class Type { Floats, Ints, Bytes };

struct Kind {
  std::string name;
  Type type;
  XPLMDataRef ref;
  bool readsOnlyWhatFits;
};

size_t width(Type type) { return type == Type::Bytes ? 1 : 4; }

int read(const Kind& kind, void* out, int offset, int max) {
  switch (kind.type) {
    case Type::Floats:
      return XPLMGetDatavf(kind.ref, static_cast<float*>(out), offset, max);
    case Type::Ints:
      return XPLMGetDatavi(kind.ref, static_cast<int*>(out), offset, max);
    default:
      return XPLMGetDatab(kind.ref, out, offset, max);
  }
}

void write(const Kind& kind, void* in, int offset, int count) {
  switch (kind.type) {
    case Type::Floats:
      XPLMSetDatavf(kind.ref, static_cast<float*>(in), offset, count);
      break;
    case Type::Ints:
      XPLMSetDatavi(kind.ref, static_cast<int*>(in), offset, count);
      break;
    default:
      XPLMSetDatab(kind.ref, in, offset, count);
      break;
  }
}

class HostileReaderTest : public BridgeTest {
 protected:
  jobject accessor() {
    jobject a = newObject("com/brevanto/qovin/testing/RecordingAccessor", "()V");
    jclass cls = env()->GetObjectClass(a);
    env()->SetBooleanField(a, env()->GetFieldID(cls, "quiet", "Z"), JNI_TRUE);
    env()->SetObjectField(a, env()->GetFieldID(cls, "floats", "[F"), env()->NewFloatArray(kElements));
    env()->SetObjectField(a, env()->GetFieldID(cls, "ints", "[I"), env()->NewIntArray(kElements));
    env()->SetObjectField(a, env()->GetFieldID(cls, "bytes", "[B"), env()->NewByteArray(kElements));
    return a;
  }

  jobject javaBacked(const char* name, int type, jobject a) {
    return newObject("com/brevanto/qovin/data/JavaBackedDataRef",
                     "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;"
                     "Lcom/brevanto/qovin/data/DataWriteAccessor;)V",
                     env()->NewStringUTF(name), type, JNI_TRUE, a, a);
  }

  jobject directArray(const char* method, const char* name) {
    jclass cls = findClass("com/brevanto/qovin/data/DirectArrayDataRef");
    return callStatic<jobject>(
        cls, staticMethod(cls, method, "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectArrayDataRef;"),
        env()->NewStringUTF(name), kElements);
  }

  XPLMDataRef handle(jobject ref) { return reinterpret_cast<XPLMDataRef>(callMethod<jlong>(ref, "getHandle", "()J")); }
};

TEST_F(HostileReaderTest, EveryArrayKindAnswersInRange) {
  jobject a = accessor();
  std::vector<jobject> published = {
      javaBacked("hostile/java/floats", xplmType_FloatArray, a),
      javaBacked("hostile/java/ints", xplmType_IntArray, a),
      javaBacked("hostile/java/bytes", xplmType_Data, a),
      directArray("publishFloats", "hostile/direct/floats"),
      directArray("publishInts", "hostile/direct/ints"),
  };
  const std::vector<Kind> kinds = {
      {"simulator floats", Type::Floats, xplmsim::defineFloatArray("hostile/sim/floats", std::vector<float>(kElements)), true},
      {"simulator ints", Type::Ints, xplmsim::defineIntArray("hostile/sim/ints", std::vector<int>(kElements)), true},
      {"simulator bytes", Type::Bytes, xplmsim::defineData("hostile/sim/bytes", std::vector<uint8_t>(kElements)), true},
      {"Java floats", Type::Floats, handle(published[0]), false},
      {"Java ints", Type::Ints, handle(published[1]), false},
      {"Java bytes", Type::Bytes, handle(published[2]), false},
      {"direct floats", Type::Floats, handle(published[3]), true},
      {"direct ints", Type::Ints, handle(published[4]), true},
  };

  std::vector<unsigned char> buffer(kReaderElements * 4);
  xplmsim::CallerScope other(xplmsim::kOtherPlugin);
  xplmsim::setRecording(false);
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    EXPECT_EQ(read(kind, nullptr, 5, -5), kElements) << "size query";
    for (int offset : kOffsets) {
      for (int max : kMaxima) {
        std::memset(buffer.data(), kCanary, buffer.size());
        const int count = read(kind, buffer.data(), offset, max);
        ASSERT_FALSE(env()->ExceptionCheck());
        ASSERT_GE(count, 0) << "offset " << offset << " max " << max;
        ASSERT_LE(count, std::max(max, 0)) << "offset " << offset << " max " << max;
        ASSERT_LE(count, kElements) << "offset " << offset << " max " << max;
        const size_t used = static_cast<size_t>(count) * width(kind.type);
        for (size_t i = used; i < buffer.size(); ++i) {
          ASSERT_EQ(buffer[i], kCanary) << "byte " << i << " written past the count, offset " << offset << " max "
                                        << max;
        }
      }
      for (int count : kCounts) write(kind, buffer.data(), offset, count);
      if (kind.readsOnlyWhatFits) {
        for (int count : kCountsBeyondTheWriter) write(kind, buffer.data(), offset, count);
      }
      ASSERT_FALSE(env()->ExceptionCheck());
    }
    EXPECT_EQ(read(kind, nullptr, 0, 0), kElements) << "size after the writes";
    write(kind, nullptr, 0, 4);
  }
  xplmsim::setRecording(true);
  for (jobject ref : published) callMethod(ref, "unregister", "()V");
}

}  // namespace
