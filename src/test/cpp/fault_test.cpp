// Every accessor of a Java-backed dataref, and the command handlers on both
// sides, with Java code that throws: the simulator gets the defined answer, the
// exception is printed and cleared before the simulator's next call, and the
// next call works. (The other trampolines' faults are tested with their
// subsystems: flight loops, draw callbacks, windows, key sniffers, menus, the
// camera and asynchronous loads.)
#include <XPLMDataAccess.h>

#include <functional>
#include <string>

#include "jvm_harness.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

constexpr const char* kAccessor = "com/brevanto/qovin/testing/RecordingAccessor";

class FaultTest : public BridgeTest {
 protected:
  jobject publishAll(jobject accessor) {
    const char* signature =
        "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;Lcom/brevanto/qovin/data/DataWriteAccessor;)V";
    return newObject("com/brevanto/qovin/data/JavaBackedDataRef", signature, env()->NewStringUTF("qovin/test/all"),
                     xplmType_Int | xplmType_Float | xplmType_Double | xplmType_FloatArray | xplmType_IntArray |
                         xplmType_Data,
                     JNI_TRUE, accessor, accessor);
  }
  void setFail(jobject accessor, bool fail) {
    jclass cls = env()->GetObjectClass(accessor);
    env()->SetBooleanField(accessor, env()->GetFieldID(cls, "fail", "Z"), fail ? JNI_TRUE : JNI_FALSE);
    env()->DeleteLocalRef(cls);
  }
  void fill(jobject accessor) {
    jclass cls = env()->GetObjectClass(accessor);
    env()->SetIntField(accessor, env()->GetFieldID(cls, "intValue", "I"), 7);
    env()->SetFloatField(accessor, env()->GetFieldID(cls, "floatValue", "F"), 7.5f);
    env()->SetDoubleField(accessor, env()->GetFieldID(cls, "doubleValue", "D"), 7.25);
    env()->SetObjectField(accessor, env()->GetFieldID(cls, "floats", "[F"), floatArray({1, 2, 3}));
    env()->SetObjectField(accessor, env()->GetFieldID(cls, "ints", "[I"), intArray({4, 5, 6}));
    env()->SetObjectField(accessor, env()->GetFieldID(cls, "bytes", "[B"), byteArray({8, 9}));
    env()->DeleteLocalRef(cls);
  }
  long long callCount(jobject accessor) {
    jclass cls = env()->GetObjectClass(accessor);
    const jlong count = env()->GetLongField(accessor, env()->GetFieldID(cls, "callCount", "J"));
    env()->DeleteLocalRef(cls);
    return count;
  }
};

// What another plugin does with the dataref, and what it gets back: the
// answer, and the first element of its buffer (canary -1 when untouched).
struct Access {
  const char* name;
  std::function<double(XPLMDataRef, double* first)> run;
  double normal;  // the answer when Java does not throw
};

std::vector<Access> accesses() {
  return {
      {"XPLMGetDatai", [](XPLMDataRef r, double*) { return XPLMGetDatai(r); }, 7},
      {"XPLMGetDataf", [](XPLMDataRef r, double*) { return XPLMGetDataf(r); }, 7.5},
      {"XPLMGetDatad", [](XPLMDataRef r, double*) { return XPLMGetDatad(r); }, 7.25},
      {"XPLMGetDatavf", [](XPLMDataRef r, double* first) {
         float buf[3] = {-1, -1, -1};
         const int n = XPLMGetDatavf(r, buf, 0, 3);
         *first = buf[0];
         return n;
       }, 3},
      {"XPLMGetDatavf size", [](XPLMDataRef r, double*) { return XPLMGetDatavf(r, nullptr, 0, 0); }, 3},
      {"XPLMGetDatavi", [](XPLMDataRef r, double* first) {
         int buf[3] = {-1, -1, -1};
         const int n = XPLMGetDatavi(r, buf, 0, 3);
         *first = buf[0];
         return n;
       }, 3},
      {"XPLMGetDatavi size", [](XPLMDataRef r, double*) { return XPLMGetDatavi(r, nullptr, 0, 0); }, 3},
      {"XPLMGetDatab", [](XPLMDataRef r, double* first) {
         signed char buf[2] = {-1, -1};
         const int n = XPLMGetDatab(r, buf, 0, 2);
         *first = buf[0];
         return n;
       }, 2},
      {"XPLMGetDatab size", [](XPLMDataRef r, double*) { return XPLMGetDatab(r, nullptr, 0, 0); }, 2},
      {"XPLMSetDatai", [](XPLMDataRef r, double*) { XPLMSetDatai(r, 1); return 0; }, 0},
      {"XPLMSetDataf", [](XPLMDataRef r, double*) { XPLMSetDataf(r, 1); return 0; }, 0},
      {"XPLMSetDatad", [](XPLMDataRef r, double*) { XPLMSetDatad(r, 1); return 0; }, 0},
      {"XPLMSetDatavf", [](XPLMDataRef r, double*) { float v[2] = {1, 2}; XPLMSetDatavf(r, v, 0, 2); return 0; }, 0},
      {"XPLMSetDatavi", [](XPLMDataRef r, double*) { int v[2] = {1, 2}; XPLMSetDatavi(r, v, 0, 2); return 0; }, 0},
      {"XPLMSetDatab", [](XPLMDataRef r, double*) { char v[2] = {1, 2}; XPLMSetDatab(r, v, 0, 2); return 0; }, 0},
  };
}

TEST_F(FaultTest, EveryJavaBackedAccessorThatThrowsGivesTheDefinedAnswerAndTheNextCallWorks) {
  jobject accessor = newObject(kAccessor, "()V");
  jobject ref = publishAll(accessor);
  const auto handle = reinterpret_cast<XPLMDataRef>(callMethod<jlong>(ref, "getHandle", "()J"));
  for (const Access& access : accesses()) {
    SCOPED_TRACE(access.name);
    fill(accessor);
    setFail(accessor, true);
    const long long before = callCount(accessor);
    double answer = -2;
    double first = -1;
    const std::string printed = captureJavaStderr([&] {
      sim::CallerScope other(sim::kOtherPlugin);
      answer = access.run(handle, &first);
      ASSERT_FALSE(env()->ExceptionCheck());
    });
    EXPECT_EQ(before + 1, callCount(accessor));  // Java was called, and threw
    EXPECT_NE(std::string::npos, printed.find("accessor failure")) << printed;
    EXPECT_EQ(0, answer);
    EXPECT_EQ(-1, first);  // the host's buffer is untouched

    setFail(accessor, false);
    fill(accessor);
    first = -1;
    {
      sim::CallerScope other(sim::kOtherPlugin);
      answer = access.run(handle, &first);
    }
    EXPECT_EQ(access.normal, answer);
  }
  callMethod(ref, "unregister", "()V");
}

TEST_F(FaultTest, ThrowingCommandHandlersOnEitherSideLetTheCommandGoOn) {
  jclass recorder = findClass("com/brevanto/qovin/testing/RecordingCommand");
  callStatic(recorder, staticMethod(recorder, "clearLog", "()V"));
  auto handler = [](const char* label) {
    return newObject("com/brevanto/qovin/testing/RecordingCommand", "(Ljava/lang/String;Ljava/lang/String;)V",
                     env()->NewStringUTF(label), env()->NewStringUTF("sim/operation/pause_toggle"));
  };
  jobject after = handler("after");
  jobject next = handler("next");
  callMethod(after, "fail", "(Z)V", JNI_TRUE);
  callMethod<jlong>(after, "registerHandler", "(Z)J", JNI_FALSE);
  callMethod<jlong>(next, "registerHandler", "(Z)J", JNI_FALSE);
  const std::string printed = captureJavaStderr([] {
    sim::commandOnce("sim/operation/pause_toggle");
    ASSERT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(std::string::npos, printed.find("IllegalStateException")) << printed;
  EXPECT_EQ((std::vector<std::string>{"after:after:0", "next:after:0", "after:after:2", "next:after:2"}),
            toStrings(static_cast<jobjectArray>(
                callStatic<jobject>(recorder, staticMethod(recorder, "log", "()[Ljava/lang/String;")))));
  EXPECT_EQ((std::vector<int>{0, 2}), sim::commandActions("sim/operation/pause_toggle"));
  callMethod(after, "unregisterAllHandlers", "()V");
  callMethod(next, "unregisterAllHandlers", "()V");
}

}  // namespace
