// qovin-bench-growth: whether a call's cost grows with the number of
// registrations: a Java-backed float read and a direct float read with 1, 100
// and 10,000 such datarefs published (the newest one is read), a flight-loop
// pass with 1, 100 and 1,000 Java callbacks (cost per callback), and
// drawInstancesN with 1, 100 and 10,000 draw-info records (the bridge's native
// called directly, against XPLMDrawObjects called directly with the same
// arguments: the difference is the bridge's part).
//
//   qovin-bench-growth [--smoke] [Google Benchmark flags]
#include <XPLMDataAccess.h>
#include <XPLMScenery.h>
#include <jni.h>

#include "bench_jvm.h"
#include "gbench_runner.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

// The bridge's draw-info natives, called directly (they use no JNIEnv).
extern "C" {
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_allocateDrawInfoStruct(JNIEnv*, jclass, jint);
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_freeDrawInfoStruct(JNIEnv*, jclass, jlong, jint);
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneObjectRef_drawInstancesN(JNIEnv*, jclass, jlong, jint,
                                                                                      jlong);
}

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

constexpr const char* kObject = "Resources/default scenery/sim objects/apt_vehicles/fuel_truck.obj";

// `records` draw-info records from the bridge's allocator, and the object.
struct DrawSetup {
  XPLMObjectRef object;
  jlong records;
  ~DrawSetup() { Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_freeDrawInfoStruct(env, nullptr, records, 0); }
};

void drawInstancesBridge(benchmark::State& state) {
  const auto count = static_cast<jint>(state.range(0));
  DrawSetup setup{XPLMLoadObject(kObject), Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_allocateDrawInfoStruct(env, nullptr, count)};
  const auto object = reinterpret_cast<jlong>(setup.object);
  const jlong records = setup.records;
  qovinbench::timeCalls(state, 1, [object, count, records] {
    Java_com_brevanto_qovin_scenery_XPlaneObjectRef_drawInstancesN(env, nullptr, object, count, records);
  });
}

void drawInstancesBaseline(benchmark::State& state) {
  const auto count = static_cast<jint>(state.range(0));
  DrawSetup setup{XPLMLoadObject(kObject), Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_allocateDrawInfoStruct(env, nullptr, count)};
  XPLMObjectRef object = setup.object;
  auto* records = reinterpret_cast<XPLMDrawInfo_t*>(setup.records);
  qovinbench::timeCalls(state, 1, [object, count, records] { XPLMDrawObjects(object, count, records, 0, 0); });
}

}  // namespace

int main(int argc, char** argv) {
  env = qovinbench::startBenchJvm();
  xplmsim::reset();
  xplmsim::setRecording(false);

  benchmark::RegisterBenchmark("java_backed_float_read", read, "javaBackedCount")->Arg(1)->Arg(100)->Arg(10000);
  benchmark::RegisterBenchmark("direct_float_read", read, "directCount")->Arg(1)->Arg(100)->Arg(10000);
  benchmark::RegisterBenchmark("flight_loop_pass_per_callback", flightLoopPass)->Arg(1)->Arg(100)->Arg(1000);
  benchmark::RegisterBenchmark("draw_instances", drawInstancesBridge)->Arg(1)->Arg(100)->Arg(10000);
  benchmark::RegisterBenchmark("draw_instances_baseline", drawInstancesBaseline)->Arg(1)->Arg(100)->Arg(10000);

  const std::vector<qovinbench::Result> results = qovinbench::runBenchmarks(argc, argv);
  qovinbench::printGrowth("Growth", results);
  return 0;
}
