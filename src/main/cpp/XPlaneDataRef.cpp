// Natives of com.brevanto.qovin.data.XPlaneDataRef: finding, reading and
// writing datarefs, with the JavaCritical_ twins of the typed getters and setters.
#include <XPLMDataAccess.h>
#include <XPLMUtilities.h>

#include <cstdlib>
#include <iostream>
#include <unordered_set>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_data_XPlaneDataRef.h"

namespace {
XPLMDataRef handle(jlong dataRefPtr) { return reinterpret_cast<XPLMDataRef>(dataRefPtr); }

// Never more than the caller's array holds, and never negative.
jint clampCount(jint count, jint limit) {
  if (count < 0) return 0;
  return count > limit ? limit : count;
}
}  // namespace

// Scratch buffers for the array reads, allocated at load and never freed.
float* floatbuf = static_cast<float*>(std::malloc(kScratchElements * sizeof(float)));
int* intbuf = static_cast<int*>(std::malloc(kScratchElements * sizeof(int)));
char* charbuf = static_cast<char*>(std::malloc(kScratchElements * sizeof(char)));

#define QOVIN_DATAREF(name) Java_com_brevanto_qovin_data_XPlaneDataRef_##name
#define QOVIN_CRITICAL(name) JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_##name

// A null path finds nothing.
JNIEXPORT jlong JNICALL QOVIN_DATAREF(findDataRef)(JNIEnv* env, jobject, jstring path) {
  return handleForText(env, path, XPLMFindDataRef);
}

JNIEXPORT jint JNICALL QOVIN_DATAREF(getIntValueN)(JNIEnv*, jclass, jlong ref) { return XPLMGetDatai(handle(ref)); }
JNIEXPORT void JNICALL QOVIN_DATAREF(setIntValueN)(JNIEnv*, jclass, jlong ref, jint value) {
  XPLMSetDatai(handle(ref), value);
}
JNIEXPORT jfloat JNICALL QOVIN_DATAREF(getFloatValueN)(JNIEnv*, jclass, jlong ref) { return XPLMGetDataf(handle(ref)); }
JNIEXPORT void JNICALL QOVIN_DATAREF(setFloatValueN)(JNIEnv*, jclass, jlong ref, jfloat value) {
  XPLMSetDataf(handle(ref), value);
}
JNIEXPORT jdouble JNICALL QOVIN_DATAREF(getDoubleValueN)(JNIEnv*, jclass, jlong ref) {
  return XPLMGetDatad(handle(ref));
}
JNIEXPORT void JNICALL QOVIN_DATAREF(setDoubleValueN)(JNIEnv*, jclass, jlong ref, jdouble value) {
  XPLMSetDatad(handle(ref), value);
}

// Array reads go through a scratch buffer of 1024 elements: a longer Java array
// is read only up to 1024 elements, with a message the first time for each
// dataref (the Java API reads longer arrays in pieces). The copy into Java is cut to
// what the array holds even if the publisher reports more; the count copied is
// returned. A null array reads nothing and returns 0.
//
// Array writes: `size` is cut to the array's length (and a negative one to 0),
// so the host never reads past the array's end. Up to 1024 elements are copied
// out of the Java array into a write buffer of their own (one region copy, no
// allocation) and handed to the host from there; longer writes hand the host
// the array's elements (which the JVM copies into memory it allocates). A
// null array writes nothing.
namespace {

// Each message comes once per dataref: the handles already warned about, one
// set per kind, touched only when a read is cut.
bool firstCut(jlong ref, std::unordered_set<jlong>& warned) { return warned.insert(ref).second; }

void tooLargeFloats(jlong ref, jint length) {
  static std::unordered_set<jlong> warned;
  if (firstCut(ref, warned)) std::cout << "Get float array value - size too large: " << length << std::endl;
}
void tooLargeInts(jlong ref, jint length) {
  static std::unordered_set<jlong> warned;
  if (firstCut(ref, warned)) std::cout << "Get int array value - size too large: " << length << std::endl;
}
void tooLargeData(jlong ref, jint) {
  static std::unordered_set<jlong> warned;
  if (firstCut(ref, warned)) XPLMDebugString("[Vaskel] Get data value - size too large.");
}

// One array type: its JNI array, elements, host calls and size message.
template <typename JArray, typename JElement, typename HostElement>
struct ArrayKind {
  int (*hostRead)(XPLMDataRef, HostElement*, int, int);
  void (*hostWrite)(XPLMDataRef, HostElement*, int, int);
  HostElement* const* scratch;  // the scratch buffer's global
  HostElement* writeBuffer;     // kScratchElements elements
  void (JNIEnv::*setRegion)(JArray, jsize, jsize, const JElement*);
  void (JNIEnv::*getRegion)(JArray, jsize, jsize, JElement*);
  JElement* (JNIEnv::*getElements)(JArray, jboolean*);
  void (JNIEnv::*releaseElements)(JArray, JElement*, jint);
  void (*tooLarge)(jlong ref, jint length);
};

template <typename JArray, typename JElement, typename HostElement>
jint readArray(const ArrayKind<JArray, JElement, HostElement>& kind, JNIEnv* env, jlong ref, jint offset,
               JArray buf) {
  if (buf == nullptr) return 0;
  jint size = env->GetArrayLength(buf);
  if (size > kScratchElements) {
    kind.tooLarge(ref, size);
    size = kScratchElements;
  }
  const jint count = clampCount(kind.hostRead(handle(ref), *kind.scratch, offset, size), size);
  if (count > 0) (JVMP_env->*kind.setRegion)(buf, 0, count, reinterpret_cast<const JElement*>(*kind.scratch));
  return count;
}

template <typename JArray, typename JElement, typename HostElement>
void writeArray(const ArrayKind<JArray, JElement, HostElement>& kind, jlong ref, JArray value, jint offset,
                jint size) {
  if (value == nullptr) return;
  const jint count = clampCount(size, JVMP_env->GetArrayLength(value));
  if (count <= kScratchElements) {
    (JVMP_env->*kind.getRegion)(value, 0, count, reinterpret_cast<JElement*>(kind.writeBuffer));
    kind.hostWrite(handle(ref), kind.writeBuffer, offset, count);
    return;
  }
  JElement* elements = (JVMP_env->*kind.getElements)(value, nullptr);
  if (elements == nullptr) return;
  kind.hostWrite(handle(ref), reinterpret_cast<HostElement*>(elements), offset, count);
  (JVMP_env->*kind.releaseElements)(value, elements, JNI_ABORT);
}

// The write buffers, static, never freed. They are shared like the read
// scratch buffers: only a write nested inside the host's handling of another
// write of the same type (through a Java accessor) reuses one while the outer
// host call may still be reading it.
float floatWrites[kScratchElements];
int intWrites[kScratchElements];
char byteWrites[kScratchElements];

int hostReadData(XPLMDataRef ref, char* out, int offset, int max) { return XPLMGetDatab(ref, out, offset, max); }
void hostWriteData(XPLMDataRef ref, char* in, int offset, int count) { XPLMSetDatab(ref, in, offset, count); }

constexpr ArrayKind<jfloatArray, jfloat, float> kFloats{XPLMGetDatavf,
                                                    XPLMSetDatavf,
                                                    &floatbuf,
                                                    floatWrites,
                                                    &JNIEnv::SetFloatArrayRegion,
                                                    &JNIEnv::GetFloatArrayRegion,
                                                    &JNIEnv::GetFloatArrayElements,
                                                    &JNIEnv::ReleaseFloatArrayElements,
                                                    tooLargeFloats};
constexpr ArrayKind<jintArray, jint, int> kInts{XPLMGetDatavi,
                                            XPLMSetDatavi,
                                            &intbuf,
                                            intWrites,
                                            &JNIEnv::SetIntArrayRegion,
                                            &JNIEnv::GetIntArrayRegion,
                                            &JNIEnv::GetIntArrayElements,
                                            &JNIEnv::ReleaseIntArrayElements,
                                            tooLargeInts};
constexpr ArrayKind<jbyteArray, jbyte, char> kBytes{hostReadData,
                                                hostWriteData,
                                                &charbuf,
                                                byteWrites,
                                                &JNIEnv::SetByteArrayRegion,
                                                &JNIEnv::GetByteArrayRegion,
                                                &JNIEnv::GetByteArrayElements,
                                                &JNIEnv::ReleaseByteArrayElements,
                                                tooLargeData};

}  // namespace

JNIEXPORT jint JNICALL QOVIN_DATAREF(getFloatArrayValueN)(JNIEnv* env, jclass, jlong ref, jint offset,
                                                          jfloatArray buf) {
  return readArray(kFloats, env, ref, offset, buf);
}
JNIEXPORT jint JNICALL QOVIN_DATAREF(getIntArrayValueN)(JNIEnv* env, jclass, jlong ref, jint offset,
                                                        jintArray buf) {
  return readArray(kInts, env, ref, offset, buf);
}
JNIEXPORT jint JNICALL QOVIN_DATAREF(getDataValueN)(JNIEnv* env, jclass, jlong ref, jint offset, jbyteArray buf) {
  return readArray(kBytes, env, ref, offset, buf);
}
JNIEXPORT void JNICALL QOVIN_DATAREF(setFloatArrayValueN)(JNIEnv*, jclass, jlong ref, jfloatArray value,
                                                          jint offset, jint size) {
  writeArray(kFloats, ref, value, offset, size);
}
JNIEXPORT void JNICALL QOVIN_DATAREF(setIntArrayValueN)(JNIEnv*, jclass, jlong ref, jintArray value, jint offset,
                                                        jint size) {
  writeArray(kInts, ref, value, offset, size);
}
JNIEXPORT void JNICALL QOVIN_DATAREF(setDataValueN)(JNIEnv*, jclass, jlong ref, jbyteArray value, jint offset,
                                                    jint size) {
  writeArray(kBytes, ref, value, offset, size);
}

JNIEXPORT jint JNICALL QOVIN_DATAREF(getIntArraySizeN)(JNIEnv*, jclass, jlong ref) {
  return XPLMGetDatavi(handle(ref), nullptr, 0, 0);
}
JNIEXPORT jint JNICALL QOVIN_DATAREF(getFloatArraySizeN)(JNIEnv*, jclass, jlong ref) {
  return XPLMGetDatavf(handle(ref), nullptr, 0, 0);
}
JNIEXPORT jint JNICALL QOVIN_DATAREF(getDataSizeN)(JNIEnv*, jclass, jlong ref) {
  return XPLMGetDatab(handle(ref), nullptr, 0, 0);
}
JNIEXPORT jint JNICALL QOVIN_DATAREF(getTypes)(JNIEnv*, jclass, jlong ref) { return XPLMGetDataRefTypes(handle(ref)); }
JNIEXPORT jboolean JNICALL QOVIN_DATAREF(canWrite)(JNIEnv*, jclass, jlong ref) {
  return XPLMCanWriteDataRef(handle(ref)) != 0 ? JNI_TRUE : JNI_FALSE;
}
// A withdrawn, unknown or null handle is not good.
JNIEXPORT jboolean JNICALL QOVIN_DATAREF(isGoodN)(JNIEnv*, jclass, jlong ref) {
  return XPLMIsDataRefGood(handle(ref)) != 0 ? JNI_TRUE : JNI_FALSE;
}

// Critical twins: called by the JVM without an environment, each Java array as
// its length and its elements. Reads use the array's length as the maximum, go
// straight into the array and return the count cut as above; writes cut `size`
// as above. A null array (null elements) reads and writes nothing.
extern "C" {
JNIEXPORT jint JNICALL QOVIN_CRITICAL(getIntValueN)(jlong ref) { return XPLMGetDatai(handle(ref)); }
JNIEXPORT void JNICALL QOVIN_CRITICAL(setIntValueN)(jlong ref, jint value) { XPLMSetDatai(handle(ref), value); }
JNIEXPORT jfloat JNICALL QOVIN_CRITICAL(getFloatValueN)(jlong ref) { return XPLMGetDataf(handle(ref)); }
JNIEXPORT void JNICALL QOVIN_CRITICAL(setFloatValueN)(jlong ref, jfloat value) { XPLMSetDataf(handle(ref), value); }
JNIEXPORT jdouble JNICALL QOVIN_CRITICAL(getDoubleValueN)(jlong ref) { return XPLMGetDatad(handle(ref)); }
JNIEXPORT void JNICALL QOVIN_CRITICAL(setDoubleValueN)(jlong ref, jdouble value) { XPLMSetDatad(handle(ref), value); }

JNIEXPORT jint JNICALL QOVIN_CRITICAL(getFloatArrayValueN)(jlong ref, jint offset, jint bufLength, jfloat* buf) {
  if (buf == nullptr) return 0;
  return clampCount(XPLMGetDatavf(handle(ref), buf, offset, bufLength), bufLength);
}
JNIEXPORT void JNICALL QOVIN_CRITICAL(setFloatArrayValueN)(jlong ref, jint bufLength, jfloat* buf, jint offset,
                                                           jint size) {
  if (buf == nullptr) return;
  XPLMSetDatavf(handle(ref), buf, offset, clampCount(size, bufLength));
}
JNIEXPORT jint JNICALL QOVIN_CRITICAL(getIntArrayValueN)(jlong ref, jint offset, jint bufLength, jint* buf) {
  if (buf == nullptr) return 0;
  return clampCount(XPLMGetDatavi(handle(ref), buf, offset, bufLength), bufLength);
}
JNIEXPORT void JNICALL QOVIN_CRITICAL(setIntArrayValueN)(jlong ref, jint bufLength, jint* buf, jint offset,
                                                         jint size) {
  if (buf == nullptr) return;
  XPLMSetDatavi(handle(ref), buf, offset, clampCount(size, bufLength));
}
JNIEXPORT jint JNICALL QOVIN_CRITICAL(getDataValueN)(jlong ref, jint offset, jint bufLength, jbyte* buf) {
  if (buf == nullptr) return 0;
  return clampCount(XPLMGetDatab(handle(ref), buf, offset, bufLength), bufLength);
}
JNIEXPORT void JNICALL QOVIN_CRITICAL(setDataValueN)(jlong ref, jint bufLength, jbyte* buf, jint offset,
                                                     jint size) {
  if (buf == nullptr) return;
  XPLMSetDatab(handle(ref), buf, offset, clampCount(size, bufLength));
}
}
