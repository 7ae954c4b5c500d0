// qovin-bench-calls: what a call from Java into the simulator costs through
// the bridge, against baseline natives of its own. The timing itself is done
// in Java (com.brevanto.qovin.data.CallCostBench), in this embedded JVM.
//
//   qovin-bench-calls [--critical] [--smoke]
//
// --critical starts the JVM with -XX:+CriticalJNINatives, so that compiled
// Java code calls the JavaCritical_ twins; --smoke runs each figure once,
// briefly (CI uses it so the benchmark cannot rot).
#include <XPLMDataAccess.h>
#include <jni.h>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "bench_jvm.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/sim.h"

extern float* floatbuf;  // the bridge's scratch buffer of float array reads

namespace {

void JNICALL recordCalls(JNIEnv*, jclass, jboolean on) { xplmsim::setRecording(on == JNI_TRUE); }

jboolean JNICALL lastFloatArrayReadUsedScratch(JNIEnv*, jclass) {
  const xplmsim::Call* call = xplmsim::lastCall("XPLMGetDatavf");
  return call != nullptr && call->i(1) == static_cast<long long>(reinterpret_cast<uintptr_t>(floatbuf)) ? JNI_TRUE
                                                                                                       : JNI_FALSE;
}

void registerStandIn(JNIEnv* env) {
  jclass cls = qovinbench::findClass(env, "com/brevanto/qovin/bench/StandIn");
  const JNINativeMethod methods[] = {
      {const_cast<char*>("recordCalls"), const_cast<char*>("(Z)V"), reinterpret_cast<void*>(recordCalls)},
      {const_cast<char*>("lastFloatArrayReadUsedScratch"), const_cast<char*>("()Z"),
       reinterpret_cast<void*>(lastFloatArrayReadUsedScratch)},
  };
  env->RegisterNatives(cls, methods, 2);
  qovinbench::exitOnException(env, "registering StandIn");
  env->DeleteLocalRef(cls);
}

void loadBaseline(JNIEnv* env) {
  jclass baseline = qovinbench::findClass(env, "com/brevanto/qovin/data/BaselineNatives");
  jstring path = env->NewStringUTF(QOVIN_BENCH_BASELINE_PATH);
  env->CallStaticVoidMethod(baseline, qovinbench::staticMethod(env, baseline, "load", "(Ljava/lang/String;)V"), path);
  qovinbench::exitOnException(env, "loading the baseline natives");
  env->DeleteLocalRef(path);
  env->DeleteLocalRef(baseline);
}

}  // namespace

int main(int argc, char** argv) {
  bool critical = false;
  bool smoke = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--critical") == 0) {
      critical = true;
    } else if (std::strcmp(argv[i], "--smoke") == 0) {
      smoke = true;
    } else {
      std::cerr << "usage: qovin-bench-calls [--critical] [--smoke]" << std::endl;
      return 2;
    }
  }
  std::vector<std::string> options;
  if (critical) options.push_back("-XX:+CriticalJNINatives");
  JNIEnv* env = qovinbench::startBenchJvm(options);
  loadBaseline(env);
  registerStandIn(env);

  xplmsim::reset();
  xplmsim::defineInt("bench/int", 1);
  xplmsim::defineFloat("bench/float", 1.5f);
  xplmsim::defineDouble("bench/double", 2.5);
  xplmsim::defineFloatArray("bench/floats", std::vector<float>(1024, 0.5f));
  xplmsim::defineIntArray("bench/ints", std::vector<int>(1024, 7));
  xplmsim::defineData("bench/bytes", std::vector<uint8_t>(1024, 'q'));
  // The record of calls would cost both sides alike and grow without end.
  xplmsim::setRecording(false);

  jclass bench = qovinbench::findClass(env, "com/brevanto/qovin/data/CallCostBench");
  env->CallStaticVoidMethod(bench, qovinbench::staticMethod(env, bench, "run", "(ZZ)V"), critical ? JNI_TRUE : JNI_FALSE,
                            smoke ? JNI_TRUE : JNI_FALSE);
  qovinbench::exitOnException(env, "running the benchmark");
  return 0;
}
