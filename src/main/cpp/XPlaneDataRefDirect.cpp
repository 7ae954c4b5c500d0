// Natives of com.brevanto.qovin.data.XPlaneDataRef for datarefs served straight
// from Java direct buffers: the callbacks copy memory and never enter Java.
#include <XPLMDataAccess.h>

#include <climits>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_data_XPlaneDataRef.h"
#include "direct_buffers.h"
#include "registrations.h"

namespace {

// The direct address of `buffer` and how many elements of `width` bytes it
// holds: its capacity if it is a buffer of `elementClass` (whose capacity counts
// such elements), otherwise its capacity taken as bytes, so that the count
// never exceeds what fits. Not a direct buffer (or null): no address, and the
// capacity JNI reports for it, -1.
jlong directElements(JNIEnv* env, jobject buffer, const char* elementClass, jlong width, void** address) {
  *address = nullptr;
  if (buffer == nullptr) return -1;
  void* base = env->GetDirectBufferAddress(buffer);
  const jlong capacity = env->GetDirectBufferCapacity(buffer);
  if (base == nullptr || capacity <= 0) return capacity;
  jclass cls = env->FindClass(elementClass);
  const bool counted = cls != nullptr && env->IsInstanceOf(buffer, cls);
  if (cls != nullptr) env->DeleteLocalRef(cls);
  *address = base;
  return counted ? capacity : capacity / width;
}

// Registers `name` with the given read and write callbacks of one type, the
// same refcon for both. A null name registers nothing and gives 0.
jlong registerDirect(JNIEnv* env, jstring name, XPLMDataTypeID type, XPLMGetDatai_f readInt,
                     XPLMSetDatai_f writeInt, XPLMGetDataf_f readFloat, XPLMSetDataf_f writeFloat,
                     XPLMGetDatad_f readDouble, XPLMSetDatad_f writeDouble, XPLMGetDatavi_f readInts,
                     XPLMSetDatavi_f writeInts, XPLMGetDatavf_f readFloats, XPLMSetDatavf_f writeFloats,
                     void* refcon) {
  return handleForText(env, name, [&](const char* text) {
    return XPLMRegisterDataAccessor(text, type, 1, readInt, writeInt, readFloat, writeFloat, readDouble, writeDouble,
                                    readInts, writeInts, readFloats, writeFloats, nullptr, nullptr, refcon, refcon);
  });
}

// A single value published at `position` of the shared buffer of its type.
jlong registerDirectValue(JNIEnv* env, jstring name, XPLMDataTypeID type, XPLMGetDatai_f readInt,
                          XPLMSetDatai_f writeInt, XPLMGetDataf_f readFloat, XPLMSetDataf_f writeFloat,
                          XPLMGetDatad_f readDouble, XPLMSetDatad_f writeDouble, jlong position) {
  const jlong ref = registerDirect(env, name, type, readInt, writeInt, readFloat, writeFloat, readDouble,
                                   writeDouble, nullptr, nullptr, nullptr, nullptr, reinterpret_cast<void*>(position));
  if (ref != 0) qovin::addRegistration(qovin::Kind::kDirectValue, ref, {});
  return ref;
}

// The buffer is held by a global reference from here to the unregistration,
// so its memory stays valid whatever becomes of the Java objects. A refused
// name keeps nothing: both results are 0.
jlongArray registerDirectArray(JNIEnv* env, jstring name, jobject jbuf, const char* elementClass,
                               XPLMDataTypeID type, XPLMGetDatavi_f readInts, XPLMSetDatavi_f writeInts,
                               XPLMGetDatavf_f readFloats, XPLMSetDatavf_f writeFloats) {
  jlongArray array = env->NewLongArray(2);
  if (array == nullptr) return nullptr;
  auto* info = new DirectBufferInfo{nullptr, 0};
  const jlong elements = directElements(env, jbuf, elementClass, 4, &info->bufferAddr);
  info->bufferCapacity = static_cast<int>(elements > INT_MAX ? INT_MAX : elements);
  if (info->bufferAddr != nullptr) {
    info->buffer = env->NewGlobalRef(jbuf);
    if (info->buffer == nullptr) {
      info->bufferAddr = nullptr;
      info->bufferCapacity = 0;
    }
  }
  const jlong ref = registerDirect(env, name, type, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, readInts,
                                   writeInts, readFloats, writeFloats, info);
  if (ref == 0) {
    if (info->buffer != nullptr) env->DeleteGlobalRef(info->buffer);
    delete info;
    info = nullptr;
  } else {
    qovin::addRegistration(qovin::Kind::kDirectArray, reinterpret_cast<jlong>(info), {nullptr, nullptr, ref, 0});
  }
  const jlong result[2] = {ref, reinterpret_cast<jlong>(info)};
  env->SetLongArrayRegion(array, 0, 2, result);
  return array;
}

// The shared buffer of one type now: its address and element count, and the
// global reference that keeps it alive until the next one replaces it.
void replaceShared(JNIEnv* env, jobject buffer, const char* elementClass, jlong width, jobject* held,
                   void** address, jlong* capacity) {
  void* newAddress = nullptr;
  jlong newCapacity = directElements(env, buffer, elementClass, width, &newAddress);
  jobject newHeld = newAddress != nullptr ? env->NewGlobalRef(buffer) : nullptr;
  if (newHeld == nullptr) {
    newAddress = nullptr;
    newCapacity = 0;
  }
  jobject old = *held;
  *held = newHeld;
  *capacity = newCapacity;
  *address = newAddress;
  if (old != nullptr) env->DeleteGlobalRef(old);
}

jobject floatBufferHeld = nullptr;
jobject intBufferHeld = nullptr;
jobject doubleBufferHeld = nullptr;

}  // namespace

#define QOVIN_DATAREF(name) Java_com_brevanto_qovin_data_XPlaneDataRef_##name

JNIEXPORT jlong JNICALL QOVIN_DATAREF(registerDirectFloatDataAccessor)(JNIEnv* env, jobject, jstring name,
                                                                      jlong bufferPos) {
  return registerDirectValue(env, name, xplmType_Float, nullptr, nullptr, DAreadDirectFloat, DAwriteDirectFloat,
                             nullptr, nullptr, bufferPos);
}
JNIEXPORT jlong JNICALL QOVIN_DATAREF(registerDirectIntDataAccessor)(JNIEnv* env, jobject, jstring name,
                                                                    jlong bufferPos) {
  return registerDirectValue(env, name, xplmType_Int, DAreadDirectInt, DAwriteDirectInt, nullptr, nullptr, nullptr,
                             nullptr, bufferPos);
}
JNIEXPORT jlong JNICALL QOVIN_DATAREF(registerDirectDoubleDataAccessor)(JNIEnv* env, jobject, jstring name,
                                                                       jlong bufferPos) {
  return registerDirectValue(env, name, xplmType_Double, nullptr, nullptr, nullptr, nullptr, DAreadDirectDouble,
                             DAwriteDirectDouble, bufferPos);
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
// next callback on, every direct dataref of the type uses the new buffer,
// which the bridge holds until the next one replaces it.
JNIEXPORT void JNICALL QOVIN_DATAREF(floatBufferReallocated)(JNIEnv* env, jobject, jobject floatBuffer) {
  void* address = nullptr;
  replaceShared(env, floatBuffer, "java/nio/FloatBuffer", sizeof(float), &floatBufferHeld, &address,
                &floatBufferCapacity);
  floatBufferAddr = static_cast<float*>(address);
}
JNIEXPORT void JNICALL QOVIN_DATAREF(intBufferReallocated)(JNIEnv* env, jobject, jobject jintBuffer) {
  void* address = nullptr;
  replaceShared(env, jintBuffer, "java/nio/IntBuffer", sizeof(int), &intBufferHeld, &address, &intBufferCapacity);
  intBufferAddr = static_cast<int*>(address);
}
JNIEXPORT void JNICALL QOVIN_DATAREF(doubleBufferReallocated)(JNIEnv* env, jobject, jobject jdoubleBuffer) {
  void* address = nullptr;
  replaceShared(env, jdoubleBuffer, "java/nio/DoubleBuffer", sizeof(double), &doubleBufferHeld, &address,
                &doubleBufferCapacity);
  doubleBufferAddr = static_cast<double*>(address);
}

// Only the pair of dataref and record that a registration returned is taken
// back; anything else changes nothing.
JNIEXPORT void JNICALL QOVIN_DATAREF(unregisterDirectArrayDataAccessor)(JNIEnv* env, jobject, jlong dataRefPtr,
                                                                       jlong directBufInfoPtr) {
  const qovin::Registration* registration = qovin::findRegistration(qovin::Kind::kDirectArray, directBufInfoPtr);
  if (registration == nullptr || registration->a != dataRefPtr) return;
  qovin::removeRegistration(qovin::Kind::kDirectArray, directBufInfoPtr);
  XPLMUnregisterDataAccessor(reinterpret_cast<XPLMDataRef>(dataRefPtr));
  auto* info = reinterpret_cast<DirectBufferInfo*>(directBufInfoPtr);
  if (info->buffer != nullptr) env->DeleteGlobalRef(info->buffer);
  delete info;
}
