// Natives of com.brevanto.qovin.data.XPlaneDataRef for datarefs that Java
// publishes: the twelve accessor callbacks call the Java accessor objects.
#include <XPLMDataAccess.h>

#include "bridge.h"
#include "utf8.h"
#include "registrations.h"
#include "com_brevanto_qovin_data_XPlaneDataRef.h"

// Shared by every Java-backed dataref; set by initialize, released by destroy.
jclass DataReadAccessor = nullptr;
jclass DataWriteAccessor = nullptr;
jfloatArray jfloatBuf = nullptr;
jintArray jintBuf = nullptr;
jbyteArray jbyteBuf = nullptr;
jmethodID readFloatMtd = nullptr;
jmethodID writeFloatMtd = nullptr;
jmethodID readIntMtd = nullptr;
jmethodID writeIntMtd = nullptr;
jmethodID readDoubleMtd = nullptr;
jmethodID writeDoubleMtd = nullptr;
jmethodID getDataArraySizeMtd = nullptr;
jmethodID readDataArrayMtd = nullptr;
jmethodID writeDataArrayMtd = nullptr;
jmethodID getIntArraySizeMtd = nullptr;
jmethodID readIntArrayMtd = nullptr;
jmethodID writeIntArrayMtd = nullptr;
jmethodID getFloatArraySizeMtd = nullptr;
jmethodID readFloatArrayMtd = nullptr;
jmethodID writeFloatArrayMtd = nullptr;

namespace {
// An exception thrown by an accessor is printed and cleared; a read answers 0.
bool threw() { return printAndClearException(); }

// Array reads in progress that use the scratch arrays, and whether destroy
// asked to release them meanwhile: they are released when the last such read
// ends, so an accessor that withdraws the last dataref, or publishes new ones,
// never takes the arrays from under the read that called it.
int scratchReaders = 0;
bool releasePending = false;

void releaseShared() {
  JVMP_env->DeleteGlobalRef(DataReadAccessor);
  JVMP_env->DeleteGlobalRef(DataWriteAccessor);
  JVMP_env->DeleteGlobalRef(jfloatBuf);
  JVMP_env->DeleteGlobalRef(jintBuf);
  JVMP_env->DeleteGlobalRef(jbyteBuf);
  DataReadAccessor = nullptr;
  DataWriteAccessor = nullptr;
  jfloatBuf = nullptr;
  jintBuf = nullptr;
  jbyteBuf = nullptr;
  releasePending = false;
}

// Counts a read that uses the scratch arrays for its whole length.
class ScratchUse {
 public:
  ScratchUse() { ++scratchReaders; }
  ~ScratchUse() {
    if (--scratchReaders == 0 && releasePending) releaseShared();
  }
  ScratchUse(const ScratchUse&) = delete;
  ScratchUse& operator=(const ScratchUse&) = delete;
};

jobject accessor(void* refcon) { return static_cast<jobject>(refcon); }

// Array read: a null buffer asks for the size. Otherwise the Java method fills
// the scratch array; what it reports is cut to the scratch array, to the
// host's maximum and to at least 0, and that many elements are copied straight
// from the scratch array into the host's buffer. A read made while another is
// in progress (an accessor reading one of our datarefs) fills an array of its
// own, so neither overwrites the other's values.
template <typename JArray, typename JElement>
int readArray(void* refcon, JElement* out, int offset, int max, jmethodID sizeMethod, jmethodID readMethod,
              JArray shared, JArray (JNIEnv::*newArray)(jsize),
              void (JNIEnv::*getRegion)(JArray, jsize, jsize, JElement*)) {
  if (refcon == nullptr) return 0;
  if (out == nullptr) {
    const jint size = JVMP_env->CallIntMethod(accessor(refcon), sizeMethod);
    return threw() ? 0 : size;
  }
  ScratchUse use;
  const bool nested = scratchReaders > 1 || shared == nullptr;
  JArray scratch = nested ? (JVMP_env->*newArray)(kScratchElements) : shared;
  if (scratch == nullptr) {
    threw();
    return 0;
  }
  jint n = JVMP_env->CallIntMethod(accessor(refcon), readMethod, offset, scratch);
  if (threw()) n = 0;
  if (n > kScratchElements) n = kScratchElements;
  if (n > max) n = max;
  if (n > 0) (JVMP_env->*getRegion)(scratch, 0, n, out);
  if (nested) JVMP_env->DeleteLocalRef(scratch);
  return n > 0 ? n : 0;
}

// Array write: a new Java array of exactly the written count (0 included),
// released after the call. A null buffer or a negative count calls nothing.
template <typename JArray, typename JElement, typename HostElement>
void writeArray(void* refcon, const HostElement* in, int offset, int count, jmethodID writeMethod,
                JArray (JNIEnv::*newArray)(jsize), void (JNIEnv::*setRegion)(JArray, jsize, jsize, const JElement*)) {
  if (refcon == nullptr || in == nullptr || count < 0) return;
  JArray values = (JVMP_env->*newArray)(count);
  if (values == nullptr) {
    threw();
    return;
  }
  if (count > 0) (JVMP_env->*setRegion)(values, 0, count, reinterpret_cast<const JElement*>(in));
  JVMP_env->CallVoidMethod(accessor(refcon), writeMethod, values, offset, count);
  threw();
  JVMP_env->DeleteLocalRef(values);
}

}  // namespace

// A null refcon (no accessor was given) reads 0 and writes nothing.
int DAreadInt(void* inRefcon) {
  if (inRefcon == nullptr) return 0;
  const jint value = JVMP_env->CallIntMethod(accessor(inRefcon), readIntMtd);
  return threw() ? 0 : value;
}
void DAwriteInt(void* inRefcon, int value) {
  if (inRefcon == nullptr) return;
  JVMP_env->CallVoidMethod(accessor(inRefcon), writeIntMtd, value);
  threw();
}
float DAreadFloat(void* inRefcon) {
  if (inRefcon == nullptr) return 0.0f;
  const jfloat value = JVMP_env->CallFloatMethod(accessor(inRefcon), readFloatMtd);
  return threw() ? 0.0f : value;
}
void DAwriteFloat(void* inRefcon, float value) {
  if (inRefcon == nullptr) return;
  JVMP_env->CallVoidMethod(accessor(inRefcon), writeFloatMtd, value);
  threw();
}
double DAreadDouble(void* inRefcon) {
  if (inRefcon == nullptr) return 0.0;
  const jdouble value = JVMP_env->CallDoubleMethod(accessor(inRefcon), readDoubleMtd);
  return threw() ? 0.0 : value;
}
void DAwriteDouble(void* inRefcon, double value) {
  if (inRefcon == nullptr) return;
  JVMP_env->CallVoidMethod(accessor(inRefcon), writeDoubleMtd, value);
  threw();
}

int DAreadIntArray(void* inRefcon, int* outValues, int inOffset, int max) {
  return readArray(inRefcon, outValues, inOffset, max, getIntArraySizeMtd, readIntArrayMtd, jintBuf,
                   &JNIEnv::NewIntArray, &JNIEnv::GetIntArrayRegion);
}
void DAwriteIntArray(void* inRefcon, int* inValues, int inOffset, int inCount) {
  writeArray<jintArray, jint>(inRefcon, inValues, inOffset, inCount, writeIntArrayMtd, &JNIEnv::NewIntArray,
                              &JNIEnv::SetIntArrayRegion);
}
int DAreadFloatArray(void* inRefcon, float* outValues, int inOffset, int max) {
  return readArray(inRefcon, outValues, inOffset, max, getFloatArraySizeMtd, readFloatArrayMtd, jfloatBuf,
                   &JNIEnv::NewFloatArray, &JNIEnv::GetFloatArrayRegion);
}
void DAwriteFloatArray(void* inRefcon, float* inValues, int inOffset, int inCount) {
  writeArray<jfloatArray, jfloat>(inRefcon, inValues, inOffset, inCount, writeFloatArrayMtd, &JNIEnv::NewFloatArray,
                                  &JNIEnv::SetFloatArrayRegion);
}
int DAreadDataArray(void* inRefcon, void* outValues, int inOffset, int max) {
  return readArray(inRefcon, static_cast<jbyte*>(outValues), inOffset, max, getDataArraySizeMtd, readDataArrayMtd,
                   jbyteBuf, &JNIEnv::NewByteArray, &JNIEnv::GetByteArrayRegion);
}
void DAwriteDataArray(void* inRefcon, void* inValues, int inOffset, int inCount) {
  writeArray<jbyteArray, jbyte>(inRefcon, static_cast<const jbyte*>(inValues), inOffset, inCount, writeDataArrayMtd,
                                &JNIEnv::NewByteArray, &JNIEnv::SetByteArrayRegion);
}

// Made once and kept while any Java-backed dataref may be read: a second call
// before destroy, or one while a release waits for a read to end, keeps the
// arrays it finds.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_data_XPlaneDataRef_initialize(JNIEnv* env, jclass) {
  releasePending = false;
  if (jfloatBuf != nullptr) return;
  jfloatBuf = static_cast<jfloatArray>(env->NewGlobalRef(env->NewFloatArray(kScratchElements)));
  jintBuf = static_cast<jintArray>(env->NewGlobalRef(env->NewIntArray(kScratchElements)));
  jbyteBuf = static_cast<jbyteArray>(env->NewGlobalRef(env->NewByteArray(kScratchElements)));
  jclass read = JVMP_env->FindClass("com/brevanto/qovin/data/DataReadAccessor");
  jclass write = JVMP_env->FindClass("com/brevanto/qovin/data/DataWriteAccessor");
  if (read == nullptr || write == nullptr) return;
  DataReadAccessor = static_cast<jclass>(JVMP_env->NewGlobalRef(read));
  DataWriteAccessor = static_cast<jclass>(JVMP_env->NewGlobalRef(write));
  readFloatMtd = JVMP_env->GetMethodID(DataReadAccessor, "readFloat", "()F");
  writeFloatMtd = JVMP_env->GetMethodID(DataWriteAccessor, "writeFloat", "(F)V");
  readIntMtd = JVMP_env->GetMethodID(DataReadAccessor, "readInt", "()I");
  writeIntMtd = JVMP_env->GetMethodID(DataWriteAccessor, "writeInt", "(I)V");
  readDoubleMtd = JVMP_env->GetMethodID(DataReadAccessor, "readDouble", "()D");
  writeDoubleMtd = JVMP_env->GetMethodID(DataWriteAccessor, "writeDouble", "(D)V");
  getDataArraySizeMtd = JVMP_env->GetMethodID(DataReadAccessor, "getDataArraySize", "()I");
  readDataArrayMtd = JVMP_env->GetMethodID(DataReadAccessor, "readData", "(I[B)I");
  writeDataArrayMtd = JVMP_env->GetMethodID(DataWriteAccessor, "writeData", "([BII)V");
  getIntArraySizeMtd = JVMP_env->GetMethodID(DataReadAccessor, "getIntArraySize", "()I");
  readIntArrayMtd = JVMP_env->GetMethodID(DataReadAccessor, "readIntArray", "(I[I)I");
  writeIntArrayMtd = JVMP_env->GetMethodID(DataWriteAccessor, "writeIntArray", "([III)V");
  getFloatArraySizeMtd = JVMP_env->GetMethodID(DataReadAccessor, "getFloatArraySize", "()I");
  readFloatArrayMtd = JVMP_env->GetMethodID(DataReadAccessor, "readFloatArray", "(I[F)I");
  writeFloatArrayMtd = JVMP_env->GetMethodID(DataWriteAccessor, "writeFloatArray", "([FII)V");
  env->DeleteLocalRef(read);
  env->DeleteLocalRef(write);
}

// While an array read is in progress the release waits for it to end.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_data_XPlaneDataRef_destroy(JNIEnv*, jclass) {
  if (jfloatBuf == nullptr) return;
  if (scratchReaders > 0) {
    releasePending = true;
    return;
  }
  releaseShared();
}

// The accessors are held by global references while the dataref is published.
// A name the simulator refuses (or a null one) publishes nothing: the
// references are deleted at once, the object's fields stay 0 and the result is
// 0. Called on an object that is not a JavaBackedDataRef, it publishes nothing.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_data_XPlaneDataRef_registerDataAccessor(
    JNIEnv* env, jobject self, jstring name, jint type, jboolean writable, jobject readAccessor,
    jobject writeAccessor) {
  if (name == nullptr) return 0;
  jclass cls = env->FindClass("com/brevanto/qovin/data/JavaBackedDataRef");
  if (cls == nullptr) return 0;
  const bool backed = env->IsInstanceOf(self, cls);
  jfieldID readField = backed ? env->GetFieldID(cls, "readRef", "J") : nullptr;
  jfieldID writeField = readField != nullptr ? env->GetFieldID(cls, "writeRef", "J") : nullptr;
  env->DeleteLocalRef(cls);
  if (writeField == nullptr) return 0;
  const Utf8 text(env, name);
  if (!text) return 0;
  jobject readRef = readAccessor != nullptr ? env->NewGlobalRef(readAccessor) : nullptr;
  jobject writeRef = writeAccessor != nullptr ? env->NewGlobalRef(writeAccessor) : nullptr;
  XPLMDataRef ref = XPLMRegisterDataAccessor(text.c_str(), type, writable ? 1 : 0, DAreadInt, DAwriteInt, DAreadFloat,
                                             DAwriteFloat, DAreadDouble, DAwriteDouble, DAreadIntArray,
                                             DAwriteIntArray, DAreadFloatArray, DAwriteFloatArray, DAreadDataArray,
                                             DAwriteDataArray, readRef, writeRef);
  if (ref == nullptr) {
    if (readRef != nullptr) env->DeleteGlobalRef(readRef);
    if (writeRef != nullptr) env->DeleteGlobalRef(writeRef);
    return 0;
  }
  qovin::addRegistration(qovin::Kind::kDataAccessor, reinterpret_cast<jlong>(ref), {readRef, writeRef, 0, 0});
  env->SetLongField(self, readField, qovin::keyOf(readRef));
  env->SetLongField(self, writeField, qovin::keyOf(writeRef));
  return reinterpret_cast<jlong>(ref);
}

// Withdraws a dataref published here: Java-backed when both references are
// the ones recorded for it, direct when both are 0. Anything else changes
// nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_data_XPlaneDataRef_unregisterDataAccessor(JNIEnv* env, jobject,
                                                                                        jlong dataRefPtr,
                                                                                        jlong readRef,
                                                                                        jlong writeRef) {
  const qovin::Registration* backed = qovin::findRegistration(qovin::Kind::kDataAccessor, dataRefPtr);
  if (backed != nullptr && qovin::keyOf(backed->ref) == readRef && qovin::keyOf(backed->ref2) == writeRef) {
    jobject read = backed->ref;
    jobject write = backed->ref2;
    qovin::removeRegistration(qovin::Kind::kDataAccessor, dataRefPtr);
    XPLMUnregisterDataAccessor(reinterpret_cast<XPLMDataRef>(dataRefPtr));
    if (read != nullptr) env->DeleteGlobalRef(read);
    if (write != nullptr) env->DeleteGlobalRef(write);
    return;
  }
  if (readRef == 0 && writeRef == 0 && qovin::removeRegistration(qovin::Kind::kDirectValue, dataRefPtr)) {
    XPLMUnregisterDataAccessor(reinterpret_cast<XPLMDataRef>(dataRefPtr));
  }
}
