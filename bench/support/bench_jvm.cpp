#include "bench_jvm.h"

#include <cstdlib>
#include <iostream>

#include "allocation_counter.h"
#include "embedded_jvm.h"

namespace qovinbench {

namespace {
jlong JNICALL countAllocations(JNIEnv*, jclass) { return allocations(); }
}  // namespace

void exitOnException(JNIEnv* env, const char* what) {
  if (!env->ExceptionCheck()) return;
  env->ExceptionDescribe();
  std::cerr << "benchmark setup failed: " << what << std::endl;
  std::exit(2);
}

jclass findClass(JNIEnv* env, const char* name) {
  jclass cls = env->FindClass(name);
  exitOnException(env, name);
  return cls;
}

jmethodID staticMethod(JNIEnv* env, jclass cls, const char* name, const char* signature) {
  jmethodID method = env->GetStaticMethodID(cls, name, signature);
  exitOnException(env, name);
  return method;
}

jmethodID method(JNIEnv* env, const char* className, const char* name, const char* signature) {
  jclass cls = findClass(env, className);
  jmethodID id = env->GetMethodID(cls, name, signature);
  exitOnException(env, name);
  env->DeleteLocalRef(cls);
  return id;
}

JNIEnv* startBenchJvm(const std::vector<std::string>& extraOptions) {
  std::vector<std::string> options = {"-Djava.class.path=" QOVIN_BENCH_CLASSPATH};
  options.insert(options.end(), extraOptions.begin(), extraOptions.end());
  JNIEnv* env = qovin::startJvm(options);
  if (env == nullptr) {
    std::cerr << "cannot create the JVM" << std::endl;
    std::exit(2);
  }
  jclass helper = findClass(env, "com/brevanto/qovin/XPlanePluginHelper");
  jstring path = env->NewStringUTF(QOVIN_BRIDGE_PATH);
  env->CallStaticVoidMethod(helper, staticMethod(env, helper, "load", "(Ljava/lang/String;)V"), path);
  exitOnException(env, "loading the bridge");
  env->DeleteLocalRef(path);
  env->DeleteLocalRef(helper);

  jclass counter = findClass(env, "com/brevanto/qovin/bench/NativeAllocations");
  const JNINativeMethod count{const_cast<char*>("count"), const_cast<char*>("()J"),
                              reinterpret_cast<void*>(countAllocations)};
  env->RegisterNatives(counter, &count, 1);
  exitOnException(env, "registering NativeAllocations.count");
  env->DeleteLocalRef(counter);
  return env;
}

}  // namespace qovinbench
