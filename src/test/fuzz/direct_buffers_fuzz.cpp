// Fuzzes the accessor callbacks of direct datarefs with every capacity, offset,
// maximum, count and position an input can spell, null buffers included. Each
// buffer is allocated at its exact size, so the sanitizer sees any access
// outside it; the results are checked against a model of the rules:
// - a read with a null buffer answers the capacity;
// - a read at a negative offset, at or past the end, with a maximum of 0 or
//   less, or of a buffer without an address answers 0 and writes nothing;
// - otherwise min(capacity - offset, maximum) elements are copied and counted;
// - a write follows the same rules and changes nothing else;
// - a single value outside its shared buffer reads 0 and is not written.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "direct_buffers.h"
#include "fuzz_input.h"

using qovinfuzz::Input;

namespace {

constexpr uint32_t kCanary = 0xA5A5A5A5u;
constexpr int kMaxCapacity = 4096;

// A block of exactly `elements` 4-byte elements (new[0] is a valid, empty block).
std::unique_ptr<uint32_t[]> block(size_t elements, uint32_t fill) {
  std::unique_ptr<uint32_t[]> b(new uint32_t[elements]);
  for (size_t i = 0; i < elements; ++i) b[i] = fill;
  return b;
}

// The room a well-behaved caller has for `count` elements of a buffer of
// `capacity`: `count` itself, but never more than the capacity, which is
// already more than any correct copy may touch.
size_t room(int count, int capacity) {
  if (count <= 0) return 0;
  return static_cast<size_t>(count < capacity ? count : capacity);
}

struct Array {
  std::unique_ptr<uint32_t[]> memory;
  std::vector<uint32_t> model;
  DirectBufferInfo info;
};

void readArray(Input& in, Array& a, bool floats, bool nullRecord) {
  const int offset = in.take<int32_t>();
  const int max = in.take<int32_t>();
  const bool nullOut = (in.take<uint8_t>() & 7) == 0;
  void* refcon = nullRecord ? nullptr : &a.info;
  const int capacity = a.info.bufferCapacity;
  if (nullOut) {
    const int size = floats ? DAreadDirectFloatArray(refcon, nullptr, offset, max)
                            : DAreadDirectIntArray(refcon, nullptr, offset, max);
    QOVIN_FUZZ_CHECK(size == (nullRecord ? 0 : capacity), "size query gave %d, capacity %d", size, capacity);
    return;
  }
  const size_t outRoom = room(max, capacity);
  auto out = block(outRoom, kCanary);
  const int n = floats ? DAreadDirectFloatArray(refcon, reinterpret_cast<float*>(out.get()), offset, max)
                       : DAreadDirectIntArray(refcon, reinterpret_cast<int*>(out.get()), offset, max);
  int expected = 0;
  if (!nullRecord && a.info.bufferAddr != nullptr && offset >= 0 && max > 0 && offset < capacity) {
    expected = capacity - offset < max ? capacity - offset : max;
  }
  QOVIN_FUZZ_CHECK(n == expected, "read at %d max %d of %d gave %d, not %d", offset, max, capacity, n, expected);
  for (int i = 0; i < n; ++i) {
    QOVIN_FUZZ_CHECK(out[i] == a.model[static_cast<size_t>(offset + i)], "element %d read wrong", i);
  }
  for (size_t i = static_cast<size_t>(n); i < outRoom; ++i) {
    QOVIN_FUZZ_CHECK(out[i] == kCanary, "element %zu written past the count %d", i, n);
  }
}

void writeArray(Input& in, Array& a, bool floats, bool nullRecord) {
  const int offset = in.take<int32_t>();
  const int count = in.take<int32_t>();
  const bool nullIn = (in.take<uint8_t>() & 7) == 0;
  const uint32_t seed = in.take<uint32_t>();
  const int capacity = a.info.bufferCapacity;
  const size_t inRoom = room(count, capacity);
  auto values = block(inRoom, 0);
  for (size_t i = 0; i < inRoom; ++i) values[i] = seed * 2654435761u + static_cast<uint32_t>(i);
  void* source = nullIn ? nullptr : values.get();
  void* refcon = nullRecord ? nullptr : &a.info;
  if (floats) {
    DAwriteDirectFloatArray(refcon, static_cast<float*>(source), offset, count);
  } else {
    DAwriteDirectIntArray(refcon, static_cast<int*>(source), offset, count);
  }
  if (!nullRecord && !nullIn && a.info.bufferAddr != nullptr && offset >= 0 && count > 0 && offset < capacity) {
    const int n = capacity - offset < count ? capacity - offset : count;
    for (int i = 0; i < n; ++i) a.model[static_cast<size_t>(offset + i)] = values[static_cast<size_t>(i)];
  }
  if (a.info.bufferAddr == nullptr) return;
  for (int i = 0; i < capacity; ++i) {
    QOVIN_FUZZ_CHECK(a.memory[static_cast<size_t>(i)] == a.model[static_cast<size_t>(i)],
                     "element %d after a write at %d count %d of %d", i, offset, count, capacity);
  }
}

// The shared buffer of one single-value type, at its exact size.
template <typename T>
struct Shared {
  std::unique_ptr<T[]> memory;
  std::vector<T> model;
  jlong capacity = 0;
};

template <typename T>
void singleValue(Input& in, Shared<T>& s, T (*read)(void*), void (*write)(void*, T), bool writing) {
  const int64_t position = in.take<int64_t>();
  void* refcon = reinterpret_cast<void*>(static_cast<intptr_t>(position));
  const bool inside = s.memory != nullptr && position >= 0 && position < s.capacity;
  if (writing) {
    const T value = in.take<T>();
    write(refcon, value);
    if (inside) s.model[static_cast<size_t>(position)] = value;
    for (jlong i = 0; s.memory != nullptr && i < s.capacity; ++i) {
      QOVIN_FUZZ_CHECK(std::memcmp(&s.memory[i], &s.model[static_cast<size_t>(i)], sizeof(T)) == 0,
                       "shared element %lld after a write at %lld", static_cast<long long>(i),
                       static_cast<long long>(position));
    }
    return;
  }
  const T value = read(refcon);
  const T expected = inside ? s.model[static_cast<size_t>(position)] : T{};
  QOVIN_FUZZ_CHECK(std::memcmp(&value, &expected, sizeof(T)) == 0, "single value at %lld read wrong",
                   static_cast<long long>(position));
}

template <typename T>
Shared<T> shared(Input& in, T** address, jlong* capacity) {
  Shared<T> s;
  const uint16_t raw = in.take<uint16_t>();
  if ((raw & 0x8000) == 0) {
    s.capacity = raw % (kMaxCapacity + 1);
    s.memory.reset(new T[static_cast<size_t>(s.capacity)]());
    s.model.assign(static_cast<size_t>(s.capacity), T{});
  }
  *address = s.memory.get();
  *capacity = s.capacity;
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  // One direct array; its record says what the bridge would record: no
  // address (and then any capacity) or the exact capacity of its buffer.
  Array a;
  const uint16_t rawCapacity = in.take<uint16_t>();
  const int capacity = rawCapacity % (kMaxCapacity + 1);
  const bool noAddress = (rawCapacity & 0x8000) != 0;
  a.memory = block(static_cast<size_t>(capacity), 0);
  a.model.assign(static_cast<size_t>(capacity), 0);
  a.info = DirectBufferInfo{noAddress ? nullptr : a.memory.get(), capacity};

  Shared<int> ints = shared(in, &intBufferAddr, &intBufferCapacity);
  Shared<float> floats = shared(in, &floatBufferAddr, &floatBufferCapacity);
  Shared<double> doubles = shared(in, &doubleBufferAddr, &doubleBufferCapacity);

  for (int step = 0; step < 64 && !in.empty(); ++step) {
    const uint8_t op = in.take<uint8_t>();
    const bool nullRecord = (op & 0xF0) == 0xF0;
    switch (op % 8) {
      case 0: readArray(in, a, true, nullRecord); break;
      case 1: readArray(in, a, false, nullRecord); break;
      case 2: writeArray(in, a, true, nullRecord); break;
      case 3: writeArray(in, a, false, nullRecord); break;
      case 4: singleValue(in, ints, DAreadDirectInt, DAwriteDirectInt, (op & 8) != 0); break;
      case 5: singleValue(in, floats, DAreadDirectFloat, DAwriteDirectFloat, (op & 8) != 0); break;
      default: singleValue(in, doubles, DAreadDirectDouble, DAwriteDirectDouble, (op & 8) != 0); break;
    }
  }
  // The shared buffers die with this input: leave no dangling address behind.
  intBufferAddr = nullptr;
  floatBufferAddr = nullptr;
  doubleBufferAddr = nullptr;
  intBufferCapacity = floatBufferCapacity = doubleBufferCapacity = 0;
  return 0;
}
