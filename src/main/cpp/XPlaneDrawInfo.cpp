// Natives of com.brevanto.qovin.scenery.XPlaneDrawInfo: native arrays of draw
// locations that Java fills record by record and the simulator reads in place.
#include <XPLMScenery.h>

#include <cstdlib>

#include "bridge.h"
#include "com_brevanto_qovin_scenery_XPlaneDrawInfo.h"
#include "draw_info_array.h"

// A negative size, or one whose byte count would not fit a 32-bit int, is
// refused: nothing is allocated and the result is 0, as it is when memory runs
// out. A size of 0 gives a valid array without records.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_allocateDrawInfoStruct(JNIEnv*, jclass,
                                                                                              jint size) {
  if (size < 0 || size > kMaxDrawInfoRecords) return 0;
  const size_t records = static_cast<size_t>(size);
  char* block = static_cast<char*>(std::malloc(kDrawInfoHeaderBytes + records * sizeof(XPLMDrawInfo_t)));
  if (block == nullptr) return 0;
  const jlong count = size;
  std::memcpy(block, &count, sizeof(count));
  auto* first = reinterpret_cast<XPLMDrawInfo_t*>(block + kDrawInfoHeaderBytes);
  for (size_t i = 0; i < records; ++i) first[i].structSize = sizeof(XPLMDrawInfo_t);
  return reinterpret_cast<jlong>(first);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_freeDrawInfoStruct(JNIEnv*, jclass,
                                                                                         jlong jdrawInfoPtr, jint) {
  if (jdrawInfoPtr == 0) return;
  std::free(reinterpret_cast<char*>(jdrawInfoPtr) - kDrawInfoHeaderBytes);
}

// An index outside the array gives null.
JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_getEntry(JNIEnv*, jclass, jlong jdrawInfoPtr,
                                                                                  jint index) {
  const XPLMDrawInfo_t* record = drawInfoRecordAt(jdrawInfoPtr, index);
  if (record == nullptr) return nullptr;
  jclass entryClass = JVMP_env->FindClass("com/brevanto/qovin/scenery/QOVINDrawInfo$DrawInfoEntry");
  if (entryClass == nullptr) return nullptr;
  jmethodID constructor = JVMP_env->GetMethodID(entryClass, "<init>", "(FFFFFF)V");
  jobject entry = constructor == nullptr ? nullptr
                                         : JVMP_env->NewObject(entryClass, constructor, record->x, record->y, record->z,
                                                               record->pitch, record->heading, record->roll);
  JVMP_env->DeleteLocalRef(entryClass);
  return entry;
}

// An index outside the array writes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_setEntry(JNIEnv*, jclass, jlong jdrawInfoPtr,
                                                                               jint index, jfloat x, jfloat y, jfloat z,
                                                                               jfloat pitch, jfloat heading,
                                                                               jfloat roll) {
  XPLMDrawInfo_t* record = drawInfoRecordAt(jdrawInfoPtr, index);
  if (record == nullptr) return;
  record->x = x;
  record->y = y;
  record->z = z;
  record->pitch = pitch;
  record->heading = heading;
  record->roll = roll;
}
