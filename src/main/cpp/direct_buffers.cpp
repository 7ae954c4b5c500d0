// The accessor callbacks of direct datarefs: plain copies between the
// simulator's buffers and the Java direct buffers, bounded by what each holds.
#include "direct_buffers.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

float* floatBufferAddr = nullptr;
int* intBufferAddr = nullptr;
double* doubleBufferAddr = nullptr;
jlong floatBufferCapacity = 0;
jlong intBufferCapacity = 0;
jlong doubleBufferCapacity = 0;

namespace {

// Direct arrays hold ints or floats, both of this size.
constexpr size_t kArrayElementBytes = 4;
static_assert(sizeof(int) == kArrayElementBytes && sizeof(float) == kArrayElementBytes);

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
  std::memcpy(out, static_cast<const char*>(info->bufferAddr) + static_cast<size_t>(offset) * kArrayElementBytes,
              static_cast<size_t>(n) * kArrayElementBytes);
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
  std::memcpy(static_cast<char*>(info->bufferAddr) + static_cast<size_t>(offset) * kArrayElementBytes, in,
              static_cast<size_t>(n) * kArrayElementBytes);
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
