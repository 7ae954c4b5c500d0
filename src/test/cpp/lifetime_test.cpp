// What the simulator or another plugin can still reach stays alive whatever
// Java does, and the natives take back only what they handed out: natives are
// called here directly, as any Java code could call them.
#include <XPLMDataAccess.h>
#include <XPLMUtilities.h>

#include <string>

#include "jvm_harness.h"
#include "xplmsim/display.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

constexpr const char* kMisuse = "com/brevanto/qovin/testing/Misuse";
constexpr const char* kAccessor = "com/brevanto/qovin/testing/Misuse$WithdrawingAccessor";
constexpr const char* kSoak = "com/brevanto/qovin/testing/Soak";

class LifetimeTest : public BridgeTest {
 protected:
  long long globalRefs() {
    jclass soak = findClass(kSoak);
    return callStatic<jlong>(soak, staticMethod(soak, "jniGlobalRefs", "()J"));
  }
  jlong longField(jobject object, const char* name) {
    jclass cls = env()->GetObjectClass(object);
    const jlong value = env()->GetLongField(object, env()->GetFieldID(cls, name, "J"));
    env()->DeleteLocalRef(cls);
    expectNoPendingException();
    return value;
  }
  jobject objectField(jobject object, const char* name, const char* signature) {
    jclass cls = env()->GetObjectClass(object);
    jobject value = env()->GetObjectField(object, env()->GetFieldID(cls, name, signature));
    env()->DeleteLocalRef(cls);
    expectNoPendingException();
    return value;
  }
  // Any XPlaneDataRef, to call the instance natives on.
  jobject anyDataRef() {
    return newObject("com/brevanto/qovin/data/XPlaneDataRef", "(Ljava/lang/String;)V",
                     env()->NewStringUTF("sim/time/total_running_time_sec"));
  }
  // What another plugin reads from a float array dataref.
  std::vector<float> otherPluginReads(const char* name, int max) {
    sim::CallerScope other(sim::kOtherPlugin);
    std::vector<float> values(static_cast<size_t>(max), -1.0f);
    const int n = XPLMGetDatavf(XPLMFindDataRef(name), values.data(), 0, max);
    values.resize(static_cast<size_t>(n < 0 ? 0 : n));
    return values;
  }
};

// A published direct array keeps its buffer alive when every Java reference
// to it is gone; only its unregistration lets the buffer go.
TEST_F(LifetimeTest, ADirectArrayStaysReadableAfterItsJavaObjectIsCollected) {
  jclass cls = findClass("com/brevanto/qovin/data/DirectArrayDataRef");
  jobject array = callStatic<jobject>(
      cls, staticMethod(cls, "publishFloats", "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectArrayDataRef;"),
      env()->NewStringUTF("qovin/test/orphan"), 64);
  jobject floats = callMethod<jobject>(array, "floats", "()Ljava/nio/FloatBuffer;");
  env()->DeleteLocalRef(callMethod<jobject>(floats, "put", "(IF)Ljava/nio/FloatBuffer;", 63, 7.0f));
  const jlong dataRef = longField(array, "dataRefPtr");
  const jlong info = longField(array, "bufferInfo");
  jobject weakArray = weakReference(array);
  jobject weakBuffer = weakReference(floats);
  env()->DeleteLocalRef(array);
  env()->DeleteLocalRef(floats);
  EXPECT_TRUE(collected(weakArray));
  EXPECT_FALSE(collected(weakBuffer));
  const std::vector<float> read = otherPluginReads("qovin/test/orphan", 64);
  ASSERT_EQ(read.size(), 64u);
  EXPECT_EQ(read[63], 7.0f);
  {
    sim::CallerScope other(sim::kOtherPlugin);
    float written[2] = {1.0f, 2.0f};
    XPLMSetDatavf(XPLMFindDataRef("qovin/test/orphan"), written, 62, 2);
  }
  jobject any = anyDataRef();
  callMethod(any, "unregisterDirectArrayDataAccessor", "(JJ)V", dataRef + 1, info);  // not its pair
  callMethod(any, "unregisterDirectArrayDataAccessor", "(JJ)V", dataRef, info + 8);
  EXPECT_EQ(otherPluginReads("qovin/test/orphan", 64).size(), 64u);
  callMethod(any, "unregisterDirectArrayDataAccessor", "(JJ)V", dataRef, info);
  callMethod(any, "unregisterDirectArrayDataAccessor", "(JJ)V", dataRef, info);  // repeated
  EXPECT_TRUE(otherPluginReads("qovin/test/orphan", 64).empty());
  EXPECT_TRUE(collected(weakBuffer));
}

// The shared buffer of the direct single values is held until a reallocation
// replaces it, whoever hands it over.
TEST_F(LifetimeTest, TheSharedValueBufferIsHeldUntilReplaced) {
  jclass direct = findClass("com/brevanto/qovin/data/DirectDataRef");
  jobject value = callStatic<jobject>(
      direct, staticMethod(direct, "publishFloat", "(Ljava/lang/String;F)Lcom/brevanto/qovin/data/DirectDataRef;"),
      env()->NewStringUTF("qovin/test/shared"), 4.0f);
  const jint position = env()->GetIntField(value, env()->GetFieldID(direct, "position", "I"));
  jclass misuse = findClass(kMisuse);
  jobject replacement = callStatic<jobject>(
      misuse, staticMethod(misuse, "countingFloats", "(I)Ljava/nio/FloatBuffer;"), position + 1);
  jobject any = anyDataRef();
  callMethod(any, "floatBufferReallocated", "(Ljava/lang/Object;)V", replacement);
  jobject weak = weakReference(replacement);
  env()->DeleteLocalRef(replacement);
  EXPECT_FALSE(collected(weak));
  {
    sim::CallerScope other(sim::kOtherPlugin);
    EXPECT_EQ(XPLMGetDataf(XPLMFindDataRef("qovin/test/shared")), static_cast<float>(position));
  }
  // Back to the pool's own buffer: the replacement is released.
  jobject pool = env()->GetStaticObjectField(
      direct, env()->GetStaticFieldID(direct, "FLOATS", "Lcom/brevanto/qovin/data/DirectDataRef$Pool;"));
  jobject bytes = objectField(pool, "bytes", "Ljava/nio/ByteBuffer;");
  callMethod(any, "floatBufferReallocated", "(Ljava/lang/Object;)V",
             callMethod<jobject>(bytes, "asFloatBuffer", "()Ljava/nio/FloatBuffer;"));
  EXPECT_TRUE(collected(weak));
  {
    sim::CallerScope other(sim::kOtherPlugin);
    EXPECT_EQ(XPLMGetDataf(XPLMFindDataRef("qovin/test/shared")), 4.0f);
  }
  callMethod(value, "unregister", "()V");
}

// An accessor that withdraws the last Java-backed dataref inside another
// plugin's read, then publishes new ones or registers flight loops, still
// hands the host what it produced.
TEST_F(LifetimeTest, AnAccessorThatWithdrawsItsDatarefInsideAReadStillDeliversItsValues) {
  jclass cls = findClass(kAccessor);
  for (int mode = 0; mode <= 2; ++mode) {
    SCOPED_TRACE(mode);
    const std::string name = "qovin/test/withdrawing" + std::to_string(mode);
    jobject accessor = callStatic<jobject>(
        cls, staticMethod(cls, "publish", "(Ljava/lang/String;I)Lcom/brevanto/qovin/testing/Misuse$WithdrawingAccessor;"),
        env()->NewStringUTF(name.c_str()), mode);
    XPLMDataRef ref = XPLMFindDataRef(name.c_str());
    float values[3] = {0, 0, 0};
    {
      sim::CallerScope other(sim::kOtherPlugin);
      EXPECT_EQ(XPLMGetDatavf(ref, values, 0, 3), 3);
    }
    EXPECT_EQ(values[0], 1.5f);
    EXPECT_EQ(values[2], 3.5f);
    {
      sim::CallerScope other(sim::kOtherPlugin);
      EXPECT_EQ(XPLMGetDatavf(ref, values, 0, 3), 0);  // withdrawn
    }
    callMethod(accessor, "cleanUp", "()V");
  }
}

// Flight loops, command handlers, draw callbacks and key sniffers: stale,
// repeated, made-up and mismatched references change nothing.
TEST_F(LifetimeTest, UnregisterNativesTakeBackOnlyCurrentRegistrations) {
  jobject loop = newObject("com/brevanto/qovin/testing/Soak$Loop", "()V");
  jobject loopWeak = weakReference(loop);
  const jlong loopRef = callMethod<jlong>(loop, "registerN", "(F)J", -1.0f);
  callMethod(loop, "unregisterN", "(J)V", loopRef + 16);
  callMethod(loop, "unregisterN", "(J)V", static_cast<jlong>(0x12345));
  sim::runFlightLoop(0.1f);
  EXPECT_EQ(longField(loop, "calls"), 1);
  callMethod(loop, "unregisterN", "(J)V", loopRef);
  callMethod(loop, "unregisterN", "(J)V", loopRef);  // repeated

  jobject command = newObject("com/brevanto/qovin/testing/RecordingCommand", "(Ljava/lang/String;Ljava/lang/String;)V",
                              env()->NewStringUTF("h"), env()->NewStringUTF("sim/operation/pause_toggle"));
  const jlong cmd = callMethod<jlong>(command, "getHandle", "()J");
  const jlong handlerRef = callMethod<jlong>(command, "registerHandlerN", "(JZ)J", cmd, JNI_TRUE);
  callMethod(command, "unregisterHandlerN", "(JJZ)V", cmd, handlerRef, JNI_FALSE);    // other side
  callMethod(command, "unregisterHandlerN", "(JJZ)V", cmd + 1, handlerRef, JNI_TRUE);  // other command
  EXPECT_EQ(sim::callsTo("XPLMUnregisterCommandHandler").size(), 0u);
  callMethod(command, "unregisterHandlerN", "(JJZ)V", cmd, handlerRef, JNI_TRUE);
  callMethod(command, "unregisterHandlerN", "(JJZ)V", cmd, handlerRef, JNI_TRUE);
  EXPECT_EQ(sim::callsTo("XPLMUnregisterCommandHandler").size(), 1u);

  jobject draw = newObject("com/brevanto/qovin/testing/RecordingDraw", "(I)V", 1);
  EXPECT_EQ(callMethod<jint>(draw, "unregisterDrawCallback", "(JIZ)I", static_cast<jlong>(0x777), 25, JNI_TRUE), 0);
  jobject sniffer = newObject("com/brevanto/qovin/testing/RecordingSniffer", "(Z)V", JNI_FALSE);
  EXPECT_EQ(callMethod<jint>(sniffer, "unregisterN", "(ZJ)I", JNI_TRUE, static_cast<jlong>(0x777)), 0);
  EXPECT_EQ(sim::callsTo("XPLMUnregisterDrawCallback").size() + sim::callsTo("XPLMUnregisterKeySniffer").size(), 0u);

  env()->DeleteLocalRef(loop);
  EXPECT_TRUE(collected(loopWeak));
}

// Java-backed and direct single-value datarefs are withdrawn only with the
// references they were published with; windows only once, and only ours.
TEST_F(LifetimeTest, DatarefsAndWindowsAreReleasedOnlyWithWhatTheyWereMadeWith) {
  jobject accessor = newObject("com/brevanto/qovin/testing/RecordingAccessor", "()V");
  jobject backed = newObject("com/brevanto/qovin/data/JavaBackedDataRef",
                             "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;Lcom/brevanto/qovin/data/"
                             "DataWriteAccessor;)V",
                             env()->NewStringUTF("qovin/test/backed"), 2, JNI_TRUE, accessor, accessor);
  const jlong ref = longField(backed, "dataRefPtr");
  const jlong readRef = longField(backed, "readRef");
  jobject any = anyDataRef();
  callMethod(any, "unregisterDataAccessor", "(JJJ)V", ref, readRef, static_cast<jlong>(0));
  callMethod(any, "unregisterDataAccessor", "(JJJ)V", ref, static_cast<jlong>(0), static_cast<jlong>(0));
  callMethod(any, "unregisterDataAccessor", "(JJJ)V", static_cast<jlong>(0x4242), readRef, readRef);
  EXPECT_EQ(sim::callsTo("XPLMUnregisterDataAccessor").size(), 0u);
  callMethod(backed, "unregister", "()V");
  EXPECT_EQ(sim::callsTo("XPLMUnregisterDataAccessor").size(), 1u);

  jobject window = newObject("com/brevanto/qovin/testing/RecordingWindow", "(I)V", 1);
  const jlong id = callMethod<jlong>(window, "createWindowEx", "(IIIIZ)J", 0, 100, 100, 0, JNI_TRUE);
  jclass helper = findClass("com/brevanto/qovin/display/XPlaneWindowHelper");
  jmethodID destroy = staticMethod(helper, "destroy", "(J)V");
  callStatic(helper, destroy, id + 1);
  callStatic(helper, destroy, static_cast<jlong>(0));
  EXPECT_EQ(sim::windows().size(), 1u);
  callStatic(helper, destroy, id);
  callStatic(helper, destroy, id);  // repeated
  EXPECT_EQ(sim::callsTo("XPLMDestroyWindow").size(), 1u);
}

// dontControl releases the controller, which gets no losing-control call.
TEST_F(LifetimeTest, GivingUpTheCameraReleasesTheController) {
  jobject controller = newObject("com/brevanto/qovin/testing/ScriptedCamera", "(I)V", 1000);
  jobject weak = weakReference(controller);
  jclass camera = findClass("com/brevanto/qovin/camera/XPlaneCameraControlHelper");
  callStatic(camera,
             staticMethod(camera, "controlCamera", "(Lcom/brevanto/qovin/camera/QOVINCameraControl;I)V"),
             controller, 2);
  callStatic(camera, staticMethod(camera, "dontControl", "()V"));
  env()->DeleteLocalRef(controller);
  EXPECT_TRUE(collected(weak));
  callStatic(camera, staticMethod(camera, "dontControl", "()V"));
}

// A log handler that throws breaks neither the native that logs nor the Java
// peer's record of its registrations.
TEST_F(LifetimeTest, AThrowingLogHandlerLeavesRegistrationsExactlyOnce) {
  jclass handler = findClass("com/brevanto/qovin/testing/Misuse$ThrowingLogHandler");
  callStatic(handler, staticMethod(handler, "install", "()V"));
  jobject command = newObject("com/brevanto/qovin/testing/RecordingCommand", "(Ljava/lang/String;Ljava/lang/String;)V",
                              env()->NewStringUTF("h"), env()->NewStringUTF("sim/operation/pause_toggle"));
  const std::string printed = captureJavaStderr([&] {
    callMethod<jlong>(command, "registerHandler", "(Z)J", JNI_TRUE);
    callMethod<jlong>(command, "registerHandler", "(Z)J", JNI_FALSE);
    callMethod(command, "unregisterAllHandlers", "()V");
  });
  callStatic(handler, staticMethod(handler, "remove", "()V"));
  EXPECT_NE(printed.find("log handler failed"), std::string::npos);
  EXPECT_EQ(sim::callsTo("XPLMRegisterCommandHandler").size(), 2u);
  EXPECT_EQ(sim::callsTo("XPLMUnregisterCommandHandler").size(), 2u);
  XPLMCommandOnce(XPLMFindCommand("sim/operation/pause_toggle"));
  jclass recorder = findClass("com/brevanto/qovin/testing/RecordingCommand");
  EXPECT_TRUE(toStrings(static_cast<jobjectArray>(callStatic<jobject>(
                            recorder, staticMethod(recorder, "log", "()[Ljava/lang/String;"))))
                  .empty());
}

// A withdrawn direct value no longer reaches the place another dataref took.
TEST_F(LifetimeTest, AWithdrawnDirectValueIsInert) {
  jclass direct = findClass("com/brevanto/qovin/data/DirectDataRef");
  jmethodID publish =
      staticMethod(direct, "publishInt", "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectDataRef;");
  jobject first = callStatic<jobject>(direct, publish, env()->NewStringUTF("qovin/test/first"), 11);
  callMethod(first, "unregister", "()V");
  jobject second = callStatic<jobject>(direct, publish, env()->NewStringUTF("qovin/test/second"), 22);
  callMethod(first, "set", "(D)V", 99.0);
  const jdouble firstValue = env()->CallDoubleMethod(first, env()->GetMethodID(direct, "value", "()D"));
  expectNoPendingException();
  EXPECT_EQ(firstValue, 11.0);
  {
    sim::CallerScope other(sim::kOtherPlugin);
    EXPECT_EQ(XPLMGetDatai(XPLMFindDataRef("qovin/test/second")), 22);
  }
  callMethod(second, "unregister", "()V");
}

// Refused publications keep no global reference, however many there are.
TEST_F(LifetimeTest, RefusedRegistrationsLeakNothing) {
  jclass misuse = findClass(kMisuse);
  jmethodID publishTaken = staticMethod(misuse, "publishTaken", "(Ljava/lang/String;I)I");
  jobject taken = newObject("com/brevanto/qovin/data/JavaBackedDataRef",
                            "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;Lcom/brevanto/qovin/data/"
                            "DataWriteAccessor;)V",
                            env()->NewStringUTF("qovin/test/taken"), 2, JNI_TRUE, nullptr, nullptr);
  callStatic<jint>(misuse, publishTaken, env()->NewStringUTF("qovin/test/taken"), 100);
  const long long before = globalRefs();
  sim::setRecording(false);
  EXPECT_EQ(callStatic<jint>(misuse, publishTaken, env()->NewStringUTF("qovin/test/taken"), 10000), 0);
  EXPECT_EQ(callStatic<jint>(misuse, publishTaken, env()->NewStringUTF(""), 1000), 0);
  jobject draw = newObject("com/brevanto/qovin/testing/RecordingDraw", "(I)V", 1);
  for (int i = 0; i < 1000; ++i) callMethod<jlong>(draw, "register", "(IZ)J", 12345, JNI_TRUE);
  sim::setRecording(true);
  EXPECT_LE(globalRefs(), before + 2);  // the JVM's own transient references
  callMethod(taken, "unregister", "()V");
}

// Every call from another thread is refused with IllegalStateException
// before it reaches the simulator.
TEST_F(LifetimeTest, CallsFromAnotherThreadAreRefused) {
  jobject ref = anyDataRef();
  jclass direct = findClass("com/brevanto/qovin/data/DirectDataRef");
  jobject value = callStatic<jobject>(
      direct, staticMethod(direct, "publishFloat", "(Ljava/lang/String;F)Lcom/brevanto/qovin/data/DirectDataRef;"),
      env()->NewStringUTF("qovin/test/threaded"), 4.0f);
  jobject loop = newObject("com/brevanto/qovin/testing/Soak$Loop", "()V");
  sim::clearCalls();
  jclass wrong = findClass("com/brevanto/qovin/testing/WrongThread");
  const std::vector<std::string> notRefused = toStrings(static_cast<jobjectArray>(callStatic<jobject>(
      wrong,
      staticMethod(wrong, "callsNotRefused",
                   "(Lcom/brevanto/qovin/data/XPlaneDataRef;Lcom/brevanto/qovin/data/DirectDataRef;"
                   "Lcom/brevanto/qovin/testing/Soak$Loop;)[Ljava/lang/String;"),
      ref, value, loop)));
  EXPECT_TRUE(notRefused.empty()) << notRefused.front();
  EXPECT_TRUE(sim::calls().empty()) << sim::calls().front().function;
  callMethod(value, "unregister", "()V");
}

}  // namespace
