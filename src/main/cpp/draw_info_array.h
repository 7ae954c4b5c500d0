// Draw-info arrays: native arrays of XPLMDrawInfo_t records that Java owns
// through the address of their first record. Each array carries its record
// count in the 8 bytes just before that record, so that indexes and draw
// counts are checked against the array itself; the address Java holds is the
// address the simulator gets.
#ifndef QOVIN_DRAW_INFO_ARRAY_H
#define QOVIN_DRAW_INFO_ARRAY_H

#include <XPLMScenery.h>
#include <jni.h>

#include <climits>
#include <cstring>

// Bytes before the first record.
constexpr size_t kDrawInfoHeaderBytes = sizeof(jlong);
// Largest array: its byte count, header included, fits a 32-bit int.
constexpr jint kMaxDrawInfoRecords = static_cast<jint>((INT_MAX - kDrawInfoHeaderBytes) / sizeof(XPLMDrawInfo_t));

// The first record of the array at `address` (0: none).
inline XPLMDrawInfo_t* drawInfoRecords(jlong address) { return reinterpret_cast<XPLMDrawInfo_t*>(address); }

// The number of records of the array at `address`; 0 for address 0.
inline jlong drawInfoCount(jlong address) {
  if (address == 0) return 0;
  jlong count = 0;
  std::memcpy(&count, reinterpret_cast<const char*>(address) - kDrawInfoHeaderBytes, sizeof(count));
  return count;
}

// Record `index` of the array at `address`, or null if the index lies outside it.
inline XPLMDrawInfo_t* drawInfoRecordAt(jlong address, jint index) {
  if (index < 0 || index >= drawInfoCount(address)) return nullptr;
  return drawInfoRecords(address) + index;
}

// How many records of the array at `address` a draw of `requested` records
// may read: cut to the array's record count; a negative count, or no array, 0.
inline jint drawableRecords(jint requested, jlong address) {
  const jlong available = drawInfoCount(address);
  if (requested < 0) return 0;
  return requested > available ? static_cast<jint>(available) : requested;
}

#endif
