// qovin-bench-growth: whether a call's cost grows with the number of
// registrations: a Java-backed float read and a direct float read with 1, 100
// and 10,000 such datarefs published (the newest one is read), and a
// flight-loop pass with 1, 100 and 1,000 Java callbacks (cost per callback).
//
//   qovin-bench-growth [--smoke] [Google Benchmark flags]
#include <XPLMDataAccess.h>
#include <jni.h>

#include "bench_jvm.h"
#include "gbench_runner.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

namespace {

JNIEnv* env = nullptr;

// Calls Publishers.`name`(count), which makes exactly `count` of its kind exist.
jlong resize(const char* name, int count) {
  return qovinbench::callStaticLong(env, "com/brevanto/qovin/bench/Publishers", name, "(I)J", count);
}

void read(benchmark::State& state, const char* publisher) {
  XPLMDataRef ref = reinterpret_cast<XPLMDataRef>(resize(publisher, static_cast<int>(state.range(0))));
  qovinbench::timeCalls(state, 1, [ref] { benchmark::DoNotOptimize(XPLMGetDataf(ref)); });
}

void flightLoopPass(benchmark::State& state) {
  const int callbacks = static_cast<int>(state.range(0));
  resize("flightLoopCount", callbacks);
  qovinbench::timeCalls(state, callbacks, [] { xplmsim::runFlightLoop(0.05f); });
}

// drawInstancesN with 1, 100 and 10,000 draw-info records belongs here, once
// the scenery natives exist: allocate the records with
// XPlaneDrawInfo.allocateDrawInfoStruct, load an object, and time
// XPlaneObjectRef.drawInstancesN against a baseline native that calls
// XPLMDrawObjects with the same arguments (the bridge's part must stay flat
// while the stand-in's own drawing grows with the count).

}  // namespace

int main(int argc, char** argv) {
  env = qovinbench::startBenchJvm();
  xplmsim::reset();
  xplmsim::setRecording(false);

  benchmark::RegisterBenchmark("java_backed_float_read", read, "javaBackedCount")->Arg(1)->Arg(100)->Arg(10000);
  benchmark::RegisterBenchmark("direct_float_read", read, "directCount")->Arg(1)->Arg(100)->Arg(10000);
  benchmark::RegisterBenchmark("flight_loop_pass_per_callback", flightLoopPass)->Arg(1)->Arg(100)->Arg(1000);

  const std::vector<qovinbench::Result> results = qovinbench::runBenchmarks(argc, argv);
  qovinbench::printGrowth("Growth", results);
  return 0;
}
