// The benchmarks' JVM: the bridge and the benchmarks' Java classes, the
// stand-in simulator in the simulator's place, and no -Xcheck:jni (it makes
// JNI calls slower and array access copy).
#ifndef QOVIN_BENCH_BENCH_JVM_H
#define QOVIN_BENCH_BENCH_JVM_H

#include <jni.h>

#include <string>
#include <vector>

namespace qovinbench {

// Creates the JVM with `extraOptions`, loads the bridge (initNatives included)
// and gives Java com.brevanto.qovin.bench.NativeAllocations.count(). Exits
// the process if any of it fails. Returns the calling thread's environment.
JNIEnv* startBenchJvm(const std::vector<std::string>& extraOptions = {});

// Exits the process with a message if a Java exception is pending.
void exitOnException(JNIEnv* env, const char* what);

// A class, or the process exits.
jclass findClass(JNIEnv* env, const char* name);

// A static method's ID, or the process exits.
jmethodID staticMethod(JNIEnv* env, jclass cls, const char* name, const char* signature);

// A new object of `className` made with the constructor of `signature`, as a
// global reference (it lives as long as the benchmark). Exits on failure.
template <typename... A>
jobject newGlobalObject(JNIEnv* env, const char* className, const char* signature, A... args) {
  jclass cls = findClass(env, className);
  jmethodID constructor = env->GetMethodID(cls, "<init>", signature);
  exitOnException(env, className);
  jobject local = env->NewObject(cls, constructor, args...);
  exitOnException(env, className);
  jobject global = env->NewGlobalRef(local);
  env->DeleteLocalRef(local);
  env->DeleteLocalRef(cls);
  return global;
}

// Calls a static method of `className` that returns a long. Exits on failure.
template <typename... A>
jlong callStaticLong(JNIEnv* env, const char* className, const char* name, const char* signature, A... args) {
  jclass cls = findClass(env, className);
  const jlong result = env->CallStaticLongMethod(cls, staticMethod(env, cls, name, signature), args...);
  exitOnException(env, name);
  env->DeleteLocalRef(cls);
  return result;
}

// An instance method's ID, or the process exits.
jmethodID method(JNIEnv* env, const char* className, const char* name, const char* signature);

}  // namespace qovinbench

#endif
