// qovin-bench-callbacks: what the simulator pays when it calls into Java
// through the bridge's trampolines, and what direct-buffer datarefs cost it,
// each against a baseline of its own measured in the same run:
//
// - trampolines against a plain C++ callback registered with the stand-in that
//   makes the same JNI upcall (same object, same method) and nothing else;
// - direct-buffer datarefs against a simulator-owned dataref (no JVM entered).
//
//   qovin-bench-callbacks [--smoke] [Google Benchmark flags]
#include <XPLMDataAccess.h>
#include <XPLMProcessing.h>
#include <XPLMUtilities.h>
#include <jni.h>

#include <cstdio>
#include <vector>

#include "bench_jvm.h"
#include "gbench_runner.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

namespace {

JNIEnv* env = nullptr;

// The Java objects and methods the baselines call.
jobject baselineLoop = nullptr;
jobject baselineCommand = nullptr;
jobject baselineAccessor = nullptr;
jfloatArray baselineScratch = nullptr;
jmethodID callbackMtd = nullptr;
jmethodID beforeMtd = nullptr;
jmethodID readFloatMtd = nullptr;
jmethodID writeFloatMtd = nullptr;
jmethodID readFloatArrayMtd = nullptr;
jclass accessorClass = nullptr;
jmethodID ownReadFloatMtd = nullptr;
jmethodID staticReadFloatMtd = nullptr;

// The bridge's side.
jobject bridgeLoop = nullptr;
jmethodID registerLoopMtd = nullptr;
jmethodID unregisterLoopMtd = nullptr;

XPLMCommandRef bridgeCommandRef = nullptr;
XPLMCommandRef baselineCommandRef = nullptr;
XPLMDataRef javaBacked = nullptr;
XPLMDataRef baselineJavaBacked = nullptr;
XPLMDataRef directFloat = nullptr;
XPLMDataRef ownedFloat = nullptr;
XPLMDataRef directFloats = nullptr;
XPLMDataRef ownedFloats = nullptr;

std::vector<float> out(1024);

// --- baselines: the JNI upcall and nothing else -----------------------------
float baselineFlightLoop(float sinceLastCall, float sinceLastLoop, int counter, void* refcon) {
  return env->CallFloatMethod(static_cast<jobject>(refcon), callbackMtd, sinceLastCall, sinceLastLoop, counter);
}

// A flight-loop object's baseline: the same upcall, to FlightLoopFunction.call.
jmethodID loopFunctionCallMtd = nullptr;
float baselineLoopObject(float sinceLastCall, float sinceLastLoop, int counter, void* refcon) {
  return env->CallFloatMethod(static_cast<jobject>(refcon), loopFunctionCallMtd, sinceLastCall, sinceLastLoop, counter);
}

int baselineHandler(XPLMCommandRef, XPLMCommandPhase phase, void* refcon) {
  return env->CallBooleanMethod(static_cast<jobject>(refcon), beforeMtd, phase) ? 1 : 0;
}

float baselineReadFloat(void* refcon) { return env->CallFloatMethod(static_cast<jobject>(refcon), readFloatMtd); }

void baselineWriteFloat(void* refcon, float value) {
  env->CallVoidMethod(static_cast<jobject>(refcon), writeFloatMtd, value);
}

// The benchmark's accessor never reports more than it was asked for.
int baselineReadFloats(void* refcon, float* values, int offset, int) {
  const jint count = env->CallIntMethod(static_cast<jobject>(refcon), readFloatArrayMtd, offset, baselineScratch);
  env->GetFloatArrayRegion(baselineScratch, 0, count, values);
  return count;
}

// --- set-up ------------------------------------------------------------------
template <typename... A>
XPLMDataRef publish(const char* name, const char* signature, A... args) {
  return reinterpret_cast<XPLMDataRef>(
      qovinbench::callStaticLong(env, "com/brevanto/qovin/bench/Publishers", name, signature, args...));
}

void setUp() {
  const char* loopClass = "com/brevanto/qovin/bench/BenchFlightLoop";
  const char* commandClass = "com/brevanto/qovin/bench/BenchCommand";
  const char* accessorName = "com/brevanto/qovin/bench/BenchAccessor";
  bridgeLoop = qovinbench::newGlobalObject(env, loopClass, "()V");
  baselineLoop = qovinbench::newGlobalObject(env, loopClass, "()V");
  registerLoopMtd = qovinbench::method(env, loopClass, "register", "(F)J");
  unregisterLoopMtd = qovinbench::method(env, loopClass, "unregister", "(J)Z");
  callbackMtd = qovinbench::method(env, loopClass, "callback", "(FFI)F");

  jstring name = env->NewStringUTF("bench/command");
  jobject bridgeCommand = qovinbench::newGlobalObject(env, commandClass, "(Ljava/lang/String;)V", name);
  env->CallLongMethod(bridgeCommand, qovinbench::method(env, commandClass, "registerHandler", "(Z)J"), JNI_TRUE);
  qovinbench::exitOnException(env, "registerHandler");
  bridgeCommandRef = XPLMFindCommand("bench/command");
  jstring baselineName = env->NewStringUTF("bench/command_baseline");
  baselineCommand = qovinbench::newGlobalObject(env, commandClass, "(Ljava/lang/String;)V", baselineName);
  baselineCommandRef = XPLMFindCommand("bench/command_baseline");
  beforeMtd = qovinbench::method(env, commandClass, "beforehandlerCallback", "(I)Z");
  XPLMRegisterCommandHandler(baselineCommandRef, baselineHandler, 1, baselineCommand);

  jobject accessor = qovinbench::newGlobalObject(env, accessorName, "()V");
  javaBacked = publish("publishJavaBacked", "(Ljava/lang/String;Lcom/brevanto/qovin/bench/BenchAccessor;)J",
                       env->NewStringUTF("bench/java_backed"), accessor);
  baselineAccessor = qovinbench::newGlobalObject(env, accessorName, "()V");
  baselineScratch = static_cast<jfloatArray>(env->NewGlobalRef(env->NewFloatArray(1024)));
  readFloatMtd = qovinbench::method(env, "com/brevanto/qovin/data/DataReadAccessor", "readFloat", "()F");
  writeFloatMtd = qovinbench::method(env, "com/brevanto/qovin/data/DataWriteAccessor", "writeFloat", "(F)V");
  readFloatArrayMtd =
      qovinbench::method(env, "com/brevanto/qovin/data/DataReadAccessor", "readFloatArray", "(I[F)I");
  baselineJavaBacked = XPLMRegisterDataAccessor(
      "bench/baseline_java_backed", xplmType_Float | xplmType_FloatArray, 1, nullptr, nullptr, baselineReadFloat,
      baselineWriteFloat, nullptr, nullptr, nullptr, nullptr, baselineReadFloats, nullptr, nullptr, nullptr,
      baselineAccessor, baselineAccessor);

  directFloat = publish("publishDirectFloat", "(Ljava/lang/String;)J", env->NewStringUTF("bench/direct_float"));
  ownedFloat = xplmsim::defineFloat("bench/owned_float", 1.5f);
  directFloats =
      publish("publishDirectFloats", "(Ljava/lang/String;I)J", env->NewStringUTF("bench/direct_floats"), jint{1024});
  ownedFloats = xplmsim::defineFloatArray("bench/owned_floats", std::vector<float>(1024, 0.5f));

  accessorClass = static_cast<jclass>(env->NewGlobalRef(qovinbench::findClass(env, accessorName)));
  ownReadFloatMtd = qovinbench::method(env, accessorName, "readFloat", "()F");
  staticReadFloatMtd =
      qovinbench::staticMethod(env, accessorClass, "readFloatOf", "(Lcom/brevanto/qovin/bench/BenchAccessor;)F");
}

// --- benchmarks --------------------------------------------------------------
void flightLoopBridge(benchmark::State& state) {
  const jlong handlerRef = env->CallLongMethod(bridgeLoop, registerLoopMtd, -1.0f);
  qovinbench::timeCalls(state, 1, [] { xplmsim::runFlightLoop(0.05f); });
  env->CallBooleanMethod(bridgeLoop, unregisterLoopMtd, handlerRef);
}

void flightLoopBaseline(benchmark::State& state) {
  XPLMRegisterFlightLoopCallback(baselineFlightLoop, -1.0f, baselineLoop);
  qovinbench::timeCalls(state, 1, [] { xplmsim::runFlightLoop(0.05f); });
  XPLMUnregisterFlightLoopCallback(baselineFlightLoop, baselineLoop);
}

// A processing.FlightLoop (XPLMCreateFlightLoop, after the flight model)
// against a C++ loop object making the same upcall to the same kind of function.
void flightLoopObjectBridge(benchmark::State& state) {
  const char* functionClass = "com/brevanto/qovin/bench/BenchLoopFunction";
  jobject function = qovinbench::newGlobalObject(env, functionClass, "()V");
  jobject loop = env->CallObjectMethod(
      function, qovinbench::method(env, functionClass, "scheduleEveryLoop", "()Lcom/brevanto/qovin/processing/FlightLoop;"));
  qovinbench::exitOnException(env, "scheduleEveryLoop");
  qovinbench::timeCalls(state, 1, [] { xplmsim::runFlightLoop(0.05f); });
  env->CallVoidMethod(loop, qovinbench::method(env, "com/brevanto/qovin/processing/FlightLoop", "close", "()V"));
  env->DeleteLocalRef(loop);
  env->DeleteGlobalRef(function);
}

void flightLoopObjectBaseline(benchmark::State& state) {
  const char* functionClass = "com/brevanto/qovin/bench/BenchLoopFunction";
  jobject function = qovinbench::newGlobalObject(env, functionClass, "()V");
  loopFunctionCallMtd = qovinbench::method(env, "com/brevanto/qovin/processing/FlightLoopFunction", "call", "(FFI)F");
  XPLMCreateFlightLoop_t params{static_cast<int>(sizeof(XPLMCreateFlightLoop_t)),
                                xplm_FlightLoop_Phase_AfterFlightModel, baselineLoopObject, function};
  XPLMFlightLoopID id = XPLMCreateFlightLoop(&params);
  XPLMScheduleFlightLoop(id, -1.0f, 1);
  qovinbench::timeCalls(state, 1, [] { xplmsim::runFlightLoop(0.05f); });
  XPLMDestroyFlightLoop(id);
  env->DeleteGlobalRef(function);
}

// XPLMCommandOnce runs the handler twice: begin and end.
void commandHandler(benchmark::State& state, XPLMCommandRef command) {
  xplmsim::forgetCommandActions();
  qovinbench::timeCalls(state, 2, [command] { XPLMCommandOnce(command); });
}

void floatRead(benchmark::State& state, XPLMDataRef ref) {
  qovinbench::timeCalls(state, 1, [ref] { benchmark::DoNotOptimize(XPLMGetDataf(ref)); });
}

void floatWrite(benchmark::State& state, XPLMDataRef ref) {
  qovinbench::timeCalls(state, 1, [ref] { XPLMSetDataf(ref, 2.5f); });
}

void floatArrayRead(benchmark::State& state, XPLMDataRef ref) {
  qovinbench::timeCalls(state, 1, [ref] {
    benchmark::DoNotOptimize(XPLMGetDatavf(ref, out.data(), 0, 1024));
    benchmark::ClobberMemory();
  });
}

// What the trampolines add to the bare upcall: one check for a pending Java
// exception after it (a JNI call of its own).
void exceptionCheck(benchmark::State& state) {
  qovinbench::timeCalls(state, 1, [] { benchmark::DoNotOptimize(env->ExceptionCheck()); });
}

// The same upcall made three ways: through the interface method (as the
// trampolines do), to the class's own method without dispatch, and to a static
// method that takes the object.
void upcallVirtual(benchmark::State& state) {
  qovinbench::timeCalls(state, 1,
                        [] { benchmark::DoNotOptimize(env->CallFloatMethod(baselineAccessor, readFloatMtd)); });
}
void upcallNonvirtual(benchmark::State& state) {
  qovinbench::timeCalls(state, 1, [] {
    benchmark::DoNotOptimize(env->CallNonvirtualFloatMethod(baselineAccessor, accessorClass, ownReadFloatMtd));
  });
}
void upcallStatic(benchmark::State& state) {
  qovinbench::timeCalls(state, 1, [] {
    benchmark::DoNotOptimize(env->CallStaticFloatMethod(accessorClass, staticReadFloatMtd, baselineAccessor));
  });
}

double target(const std::string& family) { return family.rfind("direct", 0) == 0 ? 1.25 : 1.10; }

}  // namespace

int main(int argc, char** argv) {
  env = qovinbench::startBenchJvm();
  xplmsim::reset();
  setUp();
  // The record of calls would cost both sides alike and grow without end.
  xplmsim::setRecording(false);

  benchmark::RegisterBenchmark("flight_loop/bridge", flightLoopBridge);
  benchmark::RegisterBenchmark("flight_loop/baseline", flightLoopBaseline);
  benchmark::RegisterBenchmark("flight_loop_object/bridge", flightLoopObjectBridge);
  benchmark::RegisterBenchmark("flight_loop_object/baseline", flightLoopObjectBaseline);
  benchmark::RegisterBenchmark("command_handler/bridge", commandHandler, bridgeCommandRef);
  benchmark::RegisterBenchmark("command_handler/baseline", commandHandler, baselineCommandRef);
  benchmark::RegisterBenchmark("java_backed_float_read/bridge", floatRead, javaBacked);
  benchmark::RegisterBenchmark("java_backed_float_read/baseline", floatRead, baselineJavaBacked);
  benchmark::RegisterBenchmark("java_backed_float_write/bridge", floatWrite, javaBacked);
  benchmark::RegisterBenchmark("java_backed_float_write/baseline", floatWrite, baselineJavaBacked);
  benchmark::RegisterBenchmark("java_backed_1024_floats_read/bridge", floatArrayRead, javaBacked);
  benchmark::RegisterBenchmark("java_backed_1024_floats_read/baseline", floatArrayRead, baselineJavaBacked);
  benchmark::RegisterBenchmark("direct_float_read/bridge", floatRead, directFloat);
  benchmark::RegisterBenchmark("direct_float_read/baseline", floatRead, ownedFloat);
  benchmark::RegisterBenchmark("direct_1024_floats_read/bridge", floatArrayRead, directFloats);
  benchmark::RegisterBenchmark("direct_1024_floats_read/baseline", floatArrayRead, ownedFloats);
  benchmark::RegisterBenchmark("jni/exception_check", exceptionCheck);
  benchmark::RegisterBenchmark("jni/upcall_interface", upcallVirtual);
  benchmark::RegisterBenchmark("jni/upcall_nonvirtual", upcallNonvirtual);
  benchmark::RegisterBenchmark("jni/upcall_static", upcallStatic);

  const std::vector<qovinbench::Result> results = qovinbench::runBenchmarks(argc, argv);
  qovinbench::printPairs("Simulator to Java (and direct-buffer datarefs)", results, target);
  for (const qovinbench::Result& r : results) {
    if (r.family != "jni") continue;
    if (r.variant == "exception_check") {
      std::printf("\nOne ExceptionCheck (each trampoline makes one): %.1f ns\n", r.nsPerCall());
    } else {
      std::printf("One float upcall, %s: %.1f ns\n", r.variant.c_str(), r.nsPerCall());
    }
  }
  return 0;
}
