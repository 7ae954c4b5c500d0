// Fuzzes the draw-info array natives with every size and index an input can
// spell: allocation (negative, zero, small and past the largest array),
// setEntry, the index check behind getEntry and the count cut behind
// drawInstancesN, on live arrays and on no array (address 0). The sanitizer
// sees any access outside an array; the results are checked against a model:
// - a size below 0 or past the largest array allocates nothing and gives 0;
// - every record of a new array carries its struct size;
// - setEntry writes exactly the record at an index inside the array, and
//   nothing for any other index;
// - a draw of n records reads min(max(n, 0), records) of them.
// getEntry builds a Java object, so it is left to the JVM tests; its index
// check (drawInfoRecordAt) is fuzzed here.
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "com_brevanto_qovin_scenery_XPlaneDrawInfo.h"
#include "draw_info_array.h"
#include "fuzz_input.h"

using qovinfuzz::Input;

// The bridge's host-thread environment: getEntry, the one native here that
// uses it, is never called, so it stays null.
JNIEnv* JVMP_env = nullptr;

namespace {

// Sizes the fuzzer really allocates; a valid size above this is folded into it,
// to stay within libFuzzer's memory limit.
constexpr jint kMaxFuzzedRecords = 4096;

struct Live {
  jlong address = 0;
  std::vector<XPLMDrawInfo_t> model;
};

bool sameRecord(const XPLMDrawInfo_t& a, const XPLMDrawInfo_t& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void allocate(Input& in, Live& live) {
  Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_freeDrawInfoStruct(nullptr, nullptr, live.address, 0);
  live = Live{};
  jint size = in.take<int32_t>();
  const bool refused = size < 0 || size > kMaxDrawInfoRecords;
  if (!refused && size > kMaxFuzzedRecords) size %= kMaxFuzzedRecords + 1;
  const jlong address = Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_allocateDrawInfoStruct(nullptr, nullptr, size);
  if (refused) {
    QOVIN_FUZZ_CHECK(address == 0, "size %d was allocated", size);
    return;
  }
  QOVIN_FUZZ_CHECK(address != 0, "size %d was refused", size);
  QOVIN_FUZZ_CHECK(drawInfoCount(address) == size, "size %d counts %lld", size,
                   static_cast<long long>(drawInfoCount(address)));
  live.address = address;
  live.model.resize(static_cast<size_t>(size));
  for (jint i = 0; i < size; ++i) {
    QOVIN_FUZZ_CHECK(drawInfoRecords(address)[i].structSize == sizeof(XPLMDrawInfo_t), "record %d has no size", i);
    live.model[static_cast<size_t>(i)] = drawInfoRecords(address)[i];
  }
}

void setEntry(Input& in, Live& live) {
  const jint index = in.take<int32_t>();
  std::array<float, 6> v{};
  for (float& f : v) f = in.take<float>();
  Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_setEntry(nullptr, nullptr, live.address, index, v[0], v[1], v[2],
                                                          v[3], v[4], v[5]);
  if (index >= 0 && static_cast<size_t>(index) < live.model.size()) {
    XPLMDrawInfo_t& r = live.model[static_cast<size_t>(index)];
    r.x = v[0];
    r.y = v[1];
    r.z = v[2];
    r.pitch = v[3];
    r.heading = v[4];
    r.roll = v[5];
  }
  for (size_t i = 0; i < live.model.size(); ++i) {
    QOVIN_FUZZ_CHECK(sameRecord(drawInfoRecords(live.address)[i], live.model[i]), "record %zu after setEntry(%d)", i,
                     index);
  }
}

void lookUp(Input& in, const Live& live) {
  const jint index = in.take<int32_t>();
  const XPLMDrawInfo_t* record = drawInfoRecordAt(live.address, index);
  const bool inside = index >= 0 && static_cast<size_t>(index) < live.model.size();
  QOVIN_FUZZ_CHECK((record != nullptr) == inside, "index %d of %zu records", index, live.model.size());
  if (record != nullptr) {
    QOVIN_FUZZ_CHECK(sameRecord(*record, live.model[static_cast<size_t>(index)]), "record %d read wrong", index);
  }
}

// What the simulator may read for a draw of `requested` records.
void draw(Input& in, const Live& live) {
  const jint requested = in.take<int32_t>();
  const jint n = drawableRecords(requested, live.address);
  const size_t records = live.model.size();
  const size_t expected = requested <= 0 ? 0 : (static_cast<size_t>(requested) < records ? requested : records);
  QOVIN_FUZZ_CHECK(n >= 0 && static_cast<size_t>(n) == expected, "draw of %d of %zu records reads %d", requested,
                   records, n);
  const XPLMDrawInfo_t* first = drawInfoRecords(live.address);
  for (jint i = 0; i < n; ++i) {
    QOVIN_FUZZ_CHECK(sameRecord(first[i], live.model[static_cast<size_t>(i)]), "drawn record %d", i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  std::array<Live, 3> arrays{};  // arrays[0] may stay "no array" (address 0)
  for (int step = 0; step < 64 && !in.empty(); ++step) {
    const uint8_t op = in.take<uint8_t>();
    Live& live = arrays[(op >> 4) % arrays.size()];
    switch (op % 4) {
      case 0: allocate(in, live); break;
      case 1: setEntry(in, live); break;
      case 2: lookUp(in, live); break;
      default: draw(in, live); break;
    }
  }
  for (Live& live : arrays) {
    Java_com_brevanto_qovin_scenery_XPlaneDrawInfo_freeDrawInfoStruct(nullptr, nullptr, live.address, 0);
  }
  return 0;
}
