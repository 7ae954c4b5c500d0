// What the bridge's source files share: the host thread's JNI environment, the
// log functions, the dataref type mask, file paths for Java and navaids for Java.
#ifndef QOVIN_BRIDGE_H
#define QOVIN_BRIDGE_H

#include <XPLMNavigation.h>
#include <jni.h>

#include "utf8.h"

#include <sstream>
#include <string>
#include <vector>

// The environment of the simulator's main thread (the host thread), stored by
// XPlanePluginHelper.initNatives. Trampolines reach Java through it.
extern JNIEnv* JVMP_env;

// The Java logger "QOVINNative" and its methods, set by initNatives.
extern jobject logger;
extern jmethodID mtdlogInfo;
extern jmethodID mtdlogFine;
extern jmethodID mtdlogFiner;

// Log a text at INFO, FINE or FINER. Nothing is logged before initNatives.
void logInfo(const char* msg);
void logFine(const char* msg);
void logFiner(const char* msg);
// Log the stream's contents, then leave the stream empty and in a good state.
void logInfo(std::stringstream& lstr);
void logFine(std::stringstream& lstr);
void logFiner(std::stringstream& lstr);

// For the natives Java code may call directly: true, with an
// IllegalStateException thrown to the caller, when `env` is not the host
// thread's. Nothing then reaches the simulator.
bool offHostThread(JNIEnv* env);
// For natives without a JNIEnv (critical twins): whether the calling thread is
// the host thread. False before initNatives.
bool onHostThread();

// For trampolines, after a call into Java: prints and clears a pending Java
// exception, so that none reaches the simulator's next call. True if there was one.
bool printAndClearException();

// Elements of the scratch buffers and arrays that dataref reads go through.
constexpr jint kScratchElements = 1024;

// Dataref type bits, as the SDK publishes them.
enum : int {
  kTypeUnknown = 0,
  kTypeInt = 1,
  kTypeFloat = 2,
  kTypeDouble = 4,
  kTypeFloatArray = 8,
  kTypeIntArray = 16,
  kTypeData = 32,
};

// A new object of `className`, made with its constructor of `signature` and
// the arguments that follow; both are looked up on each call. Null, with the
// Java error pending, if either is missing.
jobject newJavaObject(JNIEnv* env, const char* className, const char* signature, ...);

// The one step through which every file path from the simulator passes on its
// way to Java (plugin files, aircraft models). Paths go through unchanged.
std::string convertPath(std::string inPath);

// A new navigation.XPlaneNavRef for the navaid `ref`, built through `env`: the
// handle and everything the simulator tells about it. A handle the simulator
// does not fill (such as -1) gives zero numbers and empty texts. Shares its
// text buffers with every call, so it is not reentrant.
jobject toJava(JNIEnv* env, XPLMNavRef ref);

// The handle `call` gives for the UTF-8 of `text`, held for that call only. A
// null text makes no call and gives 0.
template <typename Call>
jlong handleForText(JNIEnv* env, jstring text, Call call) {
  const Utf8 chars(env, text);
  if (!chars) return 0;
  return reinterpret_cast<jlong>(call(chars.c_str()));
}

#endif
