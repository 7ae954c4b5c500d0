// Natives of com.brevanto.qovin.data.XPlaneDataRef for datarefs served straight
// from Java direct buffers: the callbacks copy memory and never enter Java.
#include <XPLMDataAccess.h>

#include <climits>

#include "bridge.h"
#include "com_brevanto_qovin_data_XPlaneDataRef.h"
#include "direct_buffers.h"

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
