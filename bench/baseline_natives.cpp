// libqovin-bench-baseline.so: the baselines of the call-cost benchmark. Each
// native of com.brevanto.qovin.data.BaselineNatives makes the XPLM call that
// its XPlaneDataRef twin makes, with the least JNI work that call needs and
// nothing else: no null checks, no clamping, no size limit. Built and loaded
// like the bridge (a shared library, System.load, XPLM bound at load time), so
// that the two differ only in what the bridge adds.
#include <XPLMDataAccess.h>
#include <jni.h>

#include "com_brevanto_qovin_data_BaselineNatives.h"

namespace {
XPLMDataRef handle(jlong ref) { return reinterpret_cast<XPLMDataRef>(ref); }

// The arrays the benchmark reads hold at most 1024 elements.
float floats[1024];
int ints[1024];
char bytes[1024];
}  // namespace

#define BASELINE(name) Java_com_brevanto_qovin_data_BaselineNatives_##name
#define BASELINE_CRITICAL(name) JavaCritical_com_brevanto_qovin_data_BaselineNatives_##name

JNIEXPORT jlong JNICALL BASELINE(findDataRef)(JNIEnv* env, jobject, jstring path) {
  const char* name = env->GetStringUTFChars(path, nullptr);
  XPLMDataRef ref = XPLMFindDataRef(name);
  env->ReleaseStringUTFChars(path, name);
  return reinterpret_cast<jlong>(ref);
}

JNIEXPORT jint JNICALL BASELINE(getIntValueN)(JNIEnv*, jclass, jlong ref) { return XPLMGetDatai(handle(ref)); }
JNIEXPORT void JNICALL BASELINE(setIntValueN)(JNIEnv*, jclass, jlong ref, jint value) {
  XPLMSetDatai(handle(ref), value);
}
JNIEXPORT jfloat JNICALL BASELINE(getFloatValueN)(JNIEnv*, jclass, jlong ref) { return XPLMGetDataf(handle(ref)); }
JNIEXPORT void JNICALL BASELINE(setFloatValueN)(JNIEnv*, jclass, jlong ref, jfloat value) {
  XPLMSetDataf(handle(ref), value);
}
JNIEXPORT jdouble JNICALL BASELINE(getDoubleValueN)(JNIEnv*, jclass, jlong ref) { return XPLMGetDatad(handle(ref)); }
JNIEXPORT void JNICALL BASELINE(setDoubleValueN)(JNIEnv*, jclass, jlong ref, jdouble value) {
  XPLMSetDatad(handle(ref), value);
}

// Reads: the host fills a native buffer, one region copy takes it into Java.
JNIEXPORT jint JNICALL BASELINE(getFloatArrayValueN)(JNIEnv* env, jclass, jlong ref, jint offset, jfloatArray buf) {
  const jint count = XPLMGetDatavf(handle(ref), floats, offset, env->GetArrayLength(buf));
  env->SetFloatArrayRegion(buf, 0, count, floats);
  return count;
}
JNIEXPORT jint JNICALL BASELINE(getIntArrayValueN)(JNIEnv* env, jclass, jlong ref, jint offset, jintArray buf) {
  const jint count = XPLMGetDatavi(handle(ref), ints, offset, env->GetArrayLength(buf));
  env->SetIntArrayRegion(buf, 0, count, ints);
  return count;
}
JNIEXPORT jint JNICALL BASELINE(getDataValueN)(JNIEnv* env, jclass, jlong ref, jint offset, jbyteArray buf) {
  const jint count = XPLMGetDatab(handle(ref), bytes, offset, env->GetArrayLength(buf));
  env->SetByteArrayRegion(buf, 0, count, reinterpret_cast<const jbyte*>(bytes));
  return count;
}

// Writes: the host reads the Java array's elements.
JNIEXPORT void JNICALL BASELINE(setFloatArrayValueN)(JNIEnv* env, jclass, jlong ref, jfloatArray value, jint offset,
                                                     jint size) {
  jfloat* elements = env->GetFloatArrayElements(value, nullptr);
  XPLMSetDatavf(handle(ref), elements, offset, size);
  env->ReleaseFloatArrayElements(value, elements, JNI_ABORT);
}
JNIEXPORT void JNICALL BASELINE(setIntArrayValueN)(JNIEnv* env, jclass, jlong ref, jintArray value, jint offset,
                                                   jint size) {
  jint* elements = env->GetIntArrayElements(value, nullptr);
  XPLMSetDatavi(handle(ref), elements, offset, size);
  env->ReleaseIntArrayElements(value, elements, JNI_ABORT);
}
JNIEXPORT void JNICALL BASELINE(setDataValueN)(JNIEnv* env, jclass, jlong ref, jbyteArray value, jint offset,
                                               jint size) {
  jbyte* elements = env->GetByteArrayElements(value, nullptr);
  XPLMSetDatab(handle(ref), elements, offset, size);
  env->ReleaseByteArrayElements(value, elements, JNI_ABORT);
}

// Critical twins: the host works on the Java array's own elements.
extern "C" {
JNIEXPORT jint JNICALL BASELINE_CRITICAL(getIntValueN)(jlong ref) { return XPLMGetDatai(handle(ref)); }
JNIEXPORT void JNICALL BASELINE_CRITICAL(setIntValueN)(jlong ref, jint value) { XPLMSetDatai(handle(ref), value); }
JNIEXPORT jfloat JNICALL BASELINE_CRITICAL(getFloatValueN)(jlong ref) { return XPLMGetDataf(handle(ref)); }
JNIEXPORT void JNICALL BASELINE_CRITICAL(setFloatValueN)(jlong ref, jfloat value) {
  XPLMSetDataf(handle(ref), value);
}
JNIEXPORT jdouble JNICALL BASELINE_CRITICAL(getDoubleValueN)(jlong ref) { return XPLMGetDatad(handle(ref)); }
JNIEXPORT void JNICALL BASELINE_CRITICAL(setDoubleValueN)(jlong ref, jdouble value) {
  XPLMSetDatad(handle(ref), value);
}
JNIEXPORT jint JNICALL BASELINE_CRITICAL(getFloatArrayValueN)(jlong ref, jint offset, jint length, jfloat* buf) {
  return XPLMGetDatavf(handle(ref), buf, offset, length);
}
JNIEXPORT void JNICALL BASELINE_CRITICAL(setFloatArrayValueN)(jlong ref, jint, jfloat* buf, jint offset,
                                                              jint size) {
  XPLMSetDatavf(handle(ref), buf, offset, size);
}
JNIEXPORT jint JNICALL BASELINE_CRITICAL(getIntArrayValueN)(jlong ref, jint offset, jint length, jint* buf) {
  return XPLMGetDatavi(handle(ref), buf, offset, length);
}
JNIEXPORT void JNICALL BASELINE_CRITICAL(setIntArrayValueN)(jlong ref, jint, jint* buf, jint offset, jint size) {
  XPLMSetDatavi(handle(ref), buf, offset, size);
}
JNIEXPORT jint JNICALL BASELINE_CRITICAL(getDataValueN)(jlong ref, jint offset, jint length, jbyte* buf) {
  return XPLMGetDatab(handle(ref), buf, offset, length);
}
JNIEXPORT void JNICALL BASELINE_CRITICAL(setDataValueN)(jlong ref, jint, jbyte* buf, jint offset, jint size) {
  XPLMSetDatab(handle(ref), buf, offset, size);
}
}
