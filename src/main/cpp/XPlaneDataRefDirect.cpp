// Natives of com.brevanto.qovin.data.XPlaneDataRef for datarefs served straight
// from Java direct buffers: the callbacks copy memory and never enter Java.
#include <XPLMDataAccess.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "bridge.h"
#include "com_brevanto_qovin_data_XPlaneDataRef.h"

// The shared buffers of the direct single values, with the number of elements
// each holds; replaced by the reallocation natives.
float* floatBufferAddr = nullptr;
int* intBufferAddr = nullptr;
double* doubleBufferAddr = nullptr;
jlong floatBufferCapacity = 0;
jlong intBufferCapacity = 0;
jlong doubleBufferCapacity = 0;

// The buffer of one direct array dataref: its refcon.
struct DirectBufferInfo {
  void* bufferAddr;
  int bufferCapacity;  // in elements
};

namespace {

// The direct address of `buffer` and how many elements of `width` bytes it
// holds: its capacity if it is a buffer of `elementClass` (whose capacity counts
// such elements), otherwise its capacity taken as bytes, so that the count
// never exceeds what fits. Null or not a direct buffer: no address, 0 elements.
jlong directElements(JNIEnv* env, jobject buffer, const char* elementClass, jlong width, void** address) {
  *address = nullptr;
  if (buffer == nullptr) return 0;
  void* base = env->GetDirectBufferAddress(buffer);
  const jlong capacity = env->GetDirectBufferCapacity(buffer);
  if (base == nullptr || capacity <= 0) return 0;
  jclass cls = env->FindClass(elementClass);
  const bool counted = cls != nullptr && env->IsInstanceOf(buffer, cls);
  if (cls != nullptr) env->DeleteLocalRef(cls);
  *address = base;
  return counted ? capacity : capacity / width;
}

// Element `position` of a shared buffer, or 0 if the buffer is not set or the
// position lies outside it. Copied as raw memory: buffers need no alignment.
template <typename T>
T loadAt(const void* base, jlong capacity, void* refcon) {
  const intptr_t position = reinterpret_cast<intptr_t>(refcon);
  T value{};
  if (base == nullptr || position < 0 || position >= capacity) return value;
  std::memcpy(&value, static_cast<const char*>(base) + position * static_cast<intptr_t>(sizeof(T)), sizeof(T));
  return value;
}

// Stores into element `position`; nothing happens outside the buffer.
template <typename T>
void storeAt(void* base, jlong capacity, void* refcon, T value) {
  const intptr_t position = reinterpret_cast<intptr_t>(refcon);
  if (base == nullptr || position < 0 || position >= capacity) return;
  std::memcpy(static_cast<char*>(base) + position * static_cast<intptr_t>(sizeof(T)), &value, sizeof(T));
}

// Array read: a null buffer asks for the capacity. A negative offset or a
// maximum of 0 or less reads nothing; otherwise the elements from `offset` to
// the end, at most `max`, are copied and counted.
int readDirect(void* refcon, void* out, int offset, int max) {
  const auto* info = static_cast<const DirectBufferInfo*>(refcon);
  if (info == nullptr) return 0;
  if (out == nullptr) return info->bufferCapacity;
  if (info->bufferAddr == nullptr || offset < 0 || max <= 0 || offset >= info->bufferCapacity) return 0;
  const int n = info->bufferCapacity - offset < max ? info->bufferCapacity - offset : max;
  std::memcpy(out, static_cast<const char*>(info->bufferAddr) + static_cast<size_t>(offset) * 4,
              static_cast<size_t>(n) * 4);
  return n;
}

// Array write: values that would fall outside the buffer, or at a negative
// offset, are dropped.
void writeDirect(void* refcon, const void* in, int offset, int count) {
  const auto* info = static_cast<const DirectBufferInfo*>(refcon);
  if (info == nullptr || in == nullptr || info->bufferAddr == nullptr || offset < 0 || count <= 0 ||
      offset >= info->bufferCapacity) {
    return;
  }
  const int n = info->bufferCapacity - offset < count ? info->bufferCapacity - offset : count;
  std::memcpy(static_cast<char*>(info->bufferAddr) + static_cast<size_t>(offset) * 4, in,
              static_cast<size_t>(n) * 4);
}

// Registers `name` with the given read and write callbacks of one type, the
// same refcon for both. A null name registers nothing and gives 0.
jlong registerDirect(jstring name, XPLMDataTypeID type, XPLMGetDatai_f readInt, XPLMSetDatai_f writeInt,
                     XPLMGetDataf_f readFloat, XPLMSetDataf_f writeFloat, XPLMGetDatad_f readDouble,
                     XPLMSetDatad_f writeDouble, XPLMGetDatavi_f readInts, XPLMSetDatavi_f writeInts,
                     XPLMGetDatavf_f readFloats, XPLMSetDatavf_f writeFloats, void* refcon) {
  if (name == nullptr) return 0;
  const char* text = JVMP_env->GetStringUTFChars(name, nullptr);
  if (text == nullptr) return 0;
  XPLMDataRef ref = XPLMRegisterDataAccessor(text, type, 1, readInt, writeInt, readFloat, writeFloat, readDouble,
                                             writeDouble, readInts, writeInts, readFloats, writeFloats, nullptr,
                                             nullptr, refcon, refcon);
  JVMP_env->ReleaseStringUTFChars(name, text);
  return reinterpret_cast<jlong>(ref);
}

jlongArray registerDirectArray(JNIEnv* env, jstring name, jobject jbuf, const char* elementClass,
                               XPLMDataTypeID type, XPLMGetDatavi_f readInts, XPLMSetDatavi_f writeInts,
                               XPLMGetDatavf_f readFloats, XPLMSetDatavf_f writeFloats) {
  auto* info = new DirectBufferInfo{nullptr, 0};
  const jlong elements = directElements(env, jbuf, elementClass, 4, &info->bufferAddr);
  info->bufferCapacity = static_cast<int>(elements > INT_MAX ? INT_MAX : elements);
  const jlong ref = registerDirect(name, type, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, readInts,
                                   writeInts, readFloats, writeFloats, info);
  const jlong result[2] = {ref, reinterpret_cast<jlong>(info)};
  jlongArray array = env->NewLongArray(2);
  if (array != nullptr) env->SetLongArrayRegion(array, 0, 2, result);
  return array;
}

}  // namespace

int DAreadDirectInt(void* inRefcon) { return loadAt<int>(intBufferAddr, intBufferCapacity, inRefcon); }
void DAwriteDirectInt(void* inRefcon, int value) { storeAt(intBufferAddr, intBufferCapacity, inRefcon, value); }
float DAreadDirectFloat(void* inRefcon) { return loadAt<float>(floatBufferAddr, floatBufferCapacity, inRefcon); }
void DAwriteDirectFloat(void* inRefcon, float value) {
  storeAt(floatBufferAddr, floatBufferCapacity, inRefcon, value);
}
double DAreadDirectDouble(void* inRefcon) {
  return loadAt<double>(doubleBufferAddr, doubleBufferCapacity, inRefcon);
}
void DAwriteDirectDouble(void* inRefcon, double value) {
  storeAt(doubleBufferAddr, doubleBufferCapacity, inRefcon, value);
}
int DAreadDirectIntArray(void* inRefcon, int* outValues, int inOffset, int max) {
  return readDirect(inRefcon, outValues, inOffset, max);
}
void DAwriteDirectIntArray(void* inRefcon, int* inValues, int inOffset, int inCount) {
  writeDirect(inRefcon, inValues, inOffset, inCount);
}
int DAreadDirectFloatArray(void* inRefcon, float* outValues, int inOffset, int max) {
  return readDirect(inRefcon, outValues, inOffset, max);
}
void DAwriteDirectFloatArray(void* inRefcon, float* inValues, int inOffset, int inCount) {
  writeDirect(inRefcon, inValues, inOffset, inCount);
}

#define QOVIN_DATAREF(name) Java_com_brevanto_qovin_data_XPlaneDataRef_##name

JNIEXPORT jlong JNICALL QOVIN_DATAREF(registerDirectFloatDataAccessor)(JNIEnv*, jobject, jstring name,
                                                                      jlong bufferPos) {
  return registerDirect(name, xplmType_Float, nullptr, nullptr, DAreadDirectFloat, DAwriteDirectFloat, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, reinterpret_cast<void*>(bufferPos));
}
JNIEXPORT jlong JNICALL QOVIN_DATAREF(registerDirectIntDataAccessor)(JNIEnv*, jobject, jstring name,
                                                                    jlong bufferPos) {
  return registerDirect(name, xplmType_Int, DAreadDirectInt, DAwriteDirectInt, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, reinterpret_cast<void*>(bufferPos));
}
JNIEXPORT jlong JNICALL QOVIN_DATAREF(registerDirectDoubleDataAccessor)(JNIEnv*, jobject, jstring name,
                                                                       jlong bufferPos) {
  return registerDirect(name, xplmType_Double, nullptr, nullptr, nullptr, nullptr, DAreadDirectDouble,
                        DAwriteDirectDouble, nullptr, nullptr, nullptr, nullptr, reinterpret_cast<void*>(bufferPos));
}

// The returned array holds the dataref handle and the address of its buffer
// record, which unregisterDirectArrayDataAccessor frees.
JNIEXPORT jlongArray JNICALL QOVIN_DATAREF(registerDirectFloatArrayDataAccessor)(JNIEnv* env, jobject,
                                                                                jstring name, jobject jbuf) {
  return registerDirectArray(env, name, jbuf, "java/nio/FloatBuffer", xplmType_FloatArray, nullptr, nullptr,
                             DAreadDirectFloatArray, DAwriteDirectFloatArray);
}
JNIEXPORT jlongArray JNICALL QOVIN_DATAREF(registerDirectIntArrayDataAccessor)(JNIEnv* env, jobject,
                                                                              jstring name, jobject jbuf) {
  return registerDirectArray(env, name, jbuf, "java/nio/IntBuffer", xplmType_IntArray, DAreadDirectIntArray,
                             DAwriteDirectIntArray, nullptr, nullptr);
}

// Each records the buffer's address and how many elements it holds; from the
// next callback on, every direct dataref of the type uses the new buffer.
JNIEXPORT void JNICALL QOVIN_DATAREF(floatBufferReallocated)(JNIEnv* env, jobject, jobject floatBuffer) {
  void* address = nullptr;
  floatBufferCapacity = directElements(env, floatBuffer, "java/nio/FloatBuffer", sizeof(float), &address);
  floatBufferAddr = static_cast<float*>(address);
}
JNIEXPORT void JNICALL QOVIN_DATAREF(intBufferReallocated)(JNIEnv* env, jobject, jobject jintBuffer) {
  void* address = nullptr;
  intBufferCapacity = directElements(env, jintBuffer, "java/nio/IntBuffer", sizeof(int), &address);
  intBufferAddr = static_cast<int*>(address);
}
JNIEXPORT void JNICALL QOVIN_DATAREF(doubleBufferReallocated)(JNIEnv* env, jobject, jobject jdoubleBuffer) {
  void* address = nullptr;
  doubleBufferCapacity = directElements(env, jdoubleBuffer, "java/nio/DoubleBuffer", sizeof(double), &address);
  doubleBufferAddr = static_cast<double*>(address);
}

JNIEXPORT void JNICALL QOVIN_DATAREF(unregisterDirectArrayDataAccessor)(JNIEnv*, jobject, jlong dataRefPtr,
                                                                       jlong directBufInfoPtr) {
  XPLMUnregisterDataAccessor(reinterpret_cast<XPLMDataRef>(dataRefPtr));
  delete reinterpret_cast<DirectBufferInfo*>(directBufInfoPtr);
}
