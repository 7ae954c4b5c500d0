// XPLMDataAccess: simulator-owned datarefs and datarefs published by plugins.
// A read of a type the dataref does not offer gives 0 and leaves the buffer
// untouched; a write to a read-only dataref, or of a type not offered, does
// nothing. Array reads and writes of a published dataref are handed to its
// accessor unchanged (offset, maximum and null buffer included).
#include <XPLMDataAccess.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "catalog.h"
#include "shared_data.h"
#include "state.h"
#include "xplmsim/datarefs.h"

using namespace xplmsim;

namespace {

using Kind = DataRefEntry::Kind;

DataRefEntry* entry(XPLMDataRef ref) { return state().datarefs.find(ref); }

// A dataref that can serve `type`: bound, offering the type.
DataRefEntry* readable(XPLMDataRef ref, int type) {
  DataRefEntry* e = entry(ref);
  if (e == nullptr || e->kind == Kind::Unbound || (e->types & type) == 0) return nullptr;
  return e;
}

DataRefEntry* writable(XPLMDataRef ref, int type) {
  DataRefEntry* e = readable(ref, type);
  return e != nullptr && e->writable ? e : nullptr;
}

// The entry of `name`, created unbound if the name is new.
DataRefEntry& named(const std::string& name, XPLMDataRef* handle) {
  State& s = state();
  auto found = s.datarefsByName.find(name);
  if (found != s.datarefsByName.end()) {
    *handle = s.datarefs.handleOf(found->second);
    return s.datarefs.at(found->second);
  }
  auto fresh = std::make_unique<DataRefEntry>();
  fresh->name = name;
  DataRefEntry& e = *fresh;
  *handle = s.datarefs.add(std::move(fresh));
  s.datarefsByName.emplace(name, s.datarefs.size() - 1);
  return e;
}

// Owned array read: a null buffer asks for the element count; otherwise up to
// `max` elements from `offset` on. A negative offset or maximum reads nothing.
template <typename T>
int readOwned(const std::vector<T>& values, T* out, int offset, int max) {
  const int size = static_cast<int>(values.size());
  if (out == nullptr) return size;
  if (offset < 0 || max <= 0 || offset >= size) return 0;
  const int n = std::min(max, size - offset);
  std::memcpy(out, values.data() + offset, static_cast<size_t>(n) * sizeof(T));
  return n;
}

// Owned array write: up to `count` elements from `offset` on, stopping at the end.
template <typename T>
void writeOwned(std::vector<T>& values, const T* in, int offset, int count) {
  const int size = static_cast<int>(values.size());
  if (in == nullptr || offset < 0 || count <= 0 || offset >= size) return;
  const int n = std::min(count, size - offset);
  std::memcpy(values.data() + offset, in, static_cast<size_t>(n) * sizeof(T));
}

DataRefEntry& owned(const std::string& name) {
  auto found = state().datarefsByName.find(name);
  if (found == state().datarefsByName.end()) throw std::out_of_range("no dataref " + name);
  DataRefEntry& e = state().datarefs.at(found->second);
  if (e.kind != Kind::Owned) throw std::logic_error("not simulator-owned: " + name);
  return e;
}

XPLMDataRef define(const std::string& name, int types, bool isWritable) {
  XPLMDataRef handle = nullptr;
  DataRefEntry& e = named(name, &handle);
  e = DataRefEntry{};
  e.name = name;
  e.kind = Kind::Owned;
  e.types = types;
  e.writable = isWritable;
  return handle;
}

}  // namespace

XPLMDataRef XPLMFindDataRef(const char* inDataRefName) {
  record("XPLMFindDataRef", std::string(inDataRefName ? inDataRefName : ""));
  if (inDataRefName == nullptr) return nullptr;
  State& s = state();
  auto found = s.datarefsByName.find(inDataRefName);
  if (found == s.datarefsByName.end() || s.datarefs.at(found->second).kind == Kind::Unbound) return nullptr;
  return s.datarefs.handleOf(found->second);
}

int XPLMCanWriteDataRef(XPLMDataRef inDataRef) {
  record("XPLMCanWriteDataRef", ptr(inDataRef));
  DataRefEntry* e = entry(inDataRef);
  return e != nullptr && e->kind != Kind::Unbound && e->writable ? 1 : 0;
}

XPLMDataTypeID XPLMGetDataRefTypes(XPLMDataRef inDataRef) {
  record("XPLMGetDataRefTypes", ptr(inDataRef));
  DataRefEntry* e = entry(inDataRef);
  return e != nullptr && e->kind != Kind::Unbound ? e->types : xplmType_Unknown;
}

int XPLMGetDatai(XPLMDataRef inDataRef) {
  record("XPLMGetDatai", ptr(inDataRef));
  DataRefEntry* e = readable(inDataRef, xplmType_Int);
  if (e == nullptr) return 0;
  if (e->kind == Kind::Owned) return static_cast<int>(e->number);
  const CallerScope asPublisher(e->owner);
  return e->readInt ? e->readInt(e->readRefcon) : 0;
}

void XPLMSetDatai(XPLMDataRef inDataRef, int inValue) {
  record("XPLMSetDatai", ptr(inDataRef), num(inValue));
  DataRefEntry* e = writable(inDataRef, xplmType_Int);
  if (e == nullptr) return;
  if (e->kind == Kind::Owned) {
    e->number = inValue;
    if (e->shared) notifySharers(*e);
  } else if (e->writeInt) {
    const CallerScope asPublisher(e->owner);
    e->writeInt(e->writeRefcon, inValue);
  }
}

float XPLMGetDataf(XPLMDataRef inDataRef) {
  record("XPLMGetDataf", ptr(inDataRef));
  DataRefEntry* e = readable(inDataRef, xplmType_Float);
  if (e == nullptr) return 0.0f;
  if (e->kind == Kind::Owned) return static_cast<float>(e->number);
  const CallerScope asPublisher(e->owner);
  return e->readFloat ? e->readFloat(e->readRefcon) : 0.0f;
}

void XPLMSetDataf(XPLMDataRef inDataRef, float inValue) {
  record("XPLMSetDataf", ptr(inDataRef), real(inValue));
  DataRefEntry* e = writable(inDataRef, xplmType_Float);
  if (e == nullptr) return;
  if (e->kind == Kind::Owned) {
    e->number = inValue;
    if (e->shared) notifySharers(*e);
  } else if (e->writeFloat) {
    const CallerScope asPublisher(e->owner);
    e->writeFloat(e->writeRefcon, inValue);
  }
}

double XPLMGetDatad(XPLMDataRef inDataRef) {
  record("XPLMGetDatad", ptr(inDataRef));
  DataRefEntry* e = readable(inDataRef, xplmType_Double);
  if (e == nullptr) return 0.0;
  if (e->kind == Kind::Owned) return e->number;
  const CallerScope asPublisher(e->owner);
  return e->readDouble ? e->readDouble(e->readRefcon) : 0.0;
}

void XPLMSetDatad(XPLMDataRef inDataRef, double inValue) {
  record("XPLMSetDatad", ptr(inDataRef), real(inValue));
  DataRefEntry* e = writable(inDataRef, xplmType_Double);
  if (e == nullptr) return;
  if (e->kind == Kind::Owned) {
    e->number = inValue;
    if (e->shared) notifySharers(*e);
  } else if (e->writeDouble) {
    const CallerScope asPublisher(e->owner);
    e->writeDouble(e->writeRefcon, inValue);
  }
}

int XPLMGetDatavi(XPLMDataRef inDataRef, int* outValues, int inOffset, int inMax) {
  record("XPLMGetDatavi", ptr(inDataRef), ptr(outValues), num(inOffset), num(inMax));
  DataRefEntry* e = readable(inDataRef, xplmType_IntArray);
  if (e == nullptr) return 0;
  if (e->kind == Kind::Owned) return readOwned(e->ints, outValues, inOffset, inMax);
  const CallerScope asPublisher(e->owner);
  return e->readIntArray ? e->readIntArray(e->readRefcon, outValues, inOffset, inMax) : 0;
}

void XPLMSetDatavi(XPLMDataRef inDataRef, int* inValues, int inoffset, int inCount) {
  record("XPLMSetDatavi", ptr(inDataRef), ptr(inValues), num(inoffset), num(inCount));
  DataRefEntry* e = writable(inDataRef, xplmType_IntArray);
  if (e == nullptr) return;
  if (e->kind == Kind::Owned) {
    if (e->shared) makeRoomInShared(*e, inoffset, inCount);
    writeOwned(e->ints, inValues, inoffset, inCount);
    if (e->shared) notifySharers(*e);
  } else if (e->writeIntArray) {
    const CallerScope asPublisher(e->owner);
    e->writeIntArray(e->writeRefcon, inValues, inoffset, inCount);
  }
}

int XPLMGetDatavf(XPLMDataRef inDataRef, float* outValues, int inOffset, int inMax) {
  record("XPLMGetDatavf", ptr(inDataRef), ptr(outValues), num(inOffset), num(inMax));
  DataRefEntry* e = readable(inDataRef, xplmType_FloatArray);
  if (e == nullptr) return 0;
  if (e->kind == Kind::Owned) return readOwned(e->floats, outValues, inOffset, inMax);
  const CallerScope asPublisher(e->owner);
  return e->readFloatArray ? e->readFloatArray(e->readRefcon, outValues, inOffset, inMax) : 0;
}

void XPLMSetDatavf(XPLMDataRef inDataRef, float* inValues, int inoffset, int inCount) {
  record("XPLMSetDatavf", ptr(inDataRef), ptr(inValues), num(inoffset), num(inCount));
  DataRefEntry* e = writable(inDataRef, xplmType_FloatArray);
  if (e == nullptr) return;
  if (e->kind == Kind::Owned) {
    if (e->shared) makeRoomInShared(*e, inoffset, inCount);
    writeOwned(e->floats, inValues, inoffset, inCount);
    if (e->shared) notifySharers(*e);
  } else if (e->writeFloatArray) {
    const CallerScope asPublisher(e->owner);
    e->writeFloatArray(e->writeRefcon, inValues, inoffset, inCount);
  }
}

int XPLMGetDatab(XPLMDataRef inDataRef, void* outValue, int inOffset, int inMaxBytes) {
  record("XPLMGetDatab", ptr(inDataRef), ptr(outValue), num(inOffset), num(inMaxBytes));
  DataRefEntry* e = readable(inDataRef, xplmType_Data);
  if (e == nullptr) return 0;
  if (e->kind == Kind::Owned) return readOwned(e->bytes, static_cast<uint8_t*>(outValue), inOffset, inMaxBytes);
  const CallerScope asPublisher(e->owner);
  return e->readData ? e->readData(e->readRefcon, outValue, inOffset, inMaxBytes) : 0;
}

void XPLMSetDatab(XPLMDataRef inDataRef, void* inValue, int inOffset, int inLength) {
  record("XPLMSetDatab", ptr(inDataRef), ptr(inValue), num(inOffset), num(inLength));
  DataRefEntry* e = writable(inDataRef, xplmType_Data);
  if (e == nullptr) return;
  if (e->kind == Kind::Owned) {
    if (e->shared) makeRoomInShared(*e, inOffset, inLength);
    writeOwned(e->bytes, static_cast<const uint8_t*>(inValue), inOffset, inLength);
    if (e->shared) notifySharers(*e);
  } else if (e->writeData) {
    const CallerScope asPublisher(e->owner);
    e->writeData(e->writeRefcon, inValue, inOffset, inLength);
  }
}

// A name that is bound already (owned by the simulator or published by a
// plugin) is refused with a null handle. A name that was published before and
// unregistered is bound again, under the handle it had.
XPLMDataRef XPLMRegisterDataAccessor(const char* inDataName, XPLMDataTypeID inDataType, int inIsWritable,
                                     XPLMGetDatai_f inReadInt, XPLMSetDatai_f inWriteInt,
                                     XPLMGetDataf_f inReadFloat, XPLMSetDataf_f inWriteFloat,
                                     XPLMGetDatad_f inReadDouble, XPLMSetDatad_f inWriteDouble,
                                     XPLMGetDatavi_f inReadIntArray, XPLMSetDatavi_f inWriteIntArray,
                                     XPLMGetDatavf_f inReadFloatArray, XPLMSetDatavf_f inWriteFloatArray,
                                     XPLMGetDatab_f inReadData, XPLMSetDatab_f inWriteData, void* inReadRefcon,
                                     void* inWriteRefcon) {
  record("XPLMRegisterDataAccessor", std::string(inDataName ? inDataName : ""), num(inDataType),
         num(inIsWritable), ptr(reinterpret_cast<void*>(inReadInt)), ptr(reinterpret_cast<void*>(inWriteInt)),
         ptr(reinterpret_cast<void*>(inReadFloat)), ptr(reinterpret_cast<void*>(inWriteFloat)),
         ptr(reinterpret_cast<void*>(inReadDouble)), ptr(reinterpret_cast<void*>(inWriteDouble)),
         ptr(reinterpret_cast<void*>(inReadIntArray)), ptr(reinterpret_cast<void*>(inWriteIntArray)),
         ptr(reinterpret_cast<void*>(inReadFloatArray)), ptr(reinterpret_cast<void*>(inWriteFloatArray)),
         ptr(reinterpret_cast<void*>(inReadData)), ptr(reinterpret_cast<void*>(inWriteData)), ptr(inReadRefcon),
         ptr(inWriteRefcon));
  if (inDataName == nullptr || *inDataName == '\0') return nullptr;
  XPLMDataRef handle = nullptr;
  DataRefEntry& e = named(inDataName, &handle);
  if (e.kind != Kind::Unbound) return nullptr;
  e.kind = Kind::Published;
  e.types = inDataType;
  e.writable = inIsWritable != 0;
  e.owner = state().caller;
  e.readInt = inReadInt;
  e.writeInt = inWriteInt;
  e.readFloat = inReadFloat;
  e.writeFloat = inWriteFloat;
  e.readDouble = inReadDouble;
  e.writeDouble = inWriteDouble;
  e.readIntArray = inReadIntArray;
  e.writeIntArray = inWriteIntArray;
  e.readFloatArray = inReadFloatArray;
  e.writeFloatArray = inWriteFloatArray;
  e.readData = inReadData;
  e.writeData = inWriteData;
  e.readRefcon = inReadRefcon;
  e.writeRefcon = inWriteRefcon;
  return handle;
}

// Only a published dataref can be unregistered; its accessors are not called
// again and lookups of its name find nothing until it is registered again.
void XPLMUnregisterDataAccessor(XPLMDataRef inDataRef) {
  record("XPLMUnregisterDataAccessor", ptr(inDataRef));
  DataRefEntry* e = entry(inDataRef);
  if (e == nullptr || e->kind != Kind::Published) return;
  const std::string name = e->name;
  *e = DataRefEntry{};
  e->name = name;
}

namespace xplmsim {

XPLMDataRef defineScalar(const std::string& name, int types, double value, bool isWritable) {
  XPLMDataRef handle = define(name, types, isWritable);
  entry(handle)->number = value;
  return handle;
}
XPLMDataRef defineInt(const std::string& name, int value, bool isWritable) {
  return defineScalar(name, xplmType_Int, value, isWritable);
}
XPLMDataRef defineFloat(const std::string& name, float value, bool isWritable) {
  return defineScalar(name, xplmType_Float, value, isWritable);
}
XPLMDataRef defineDouble(const std::string& name, double value, bool isWritable) {
  return defineScalar(name, xplmType_Double, value, isWritable);
}
XPLMDataRef defineFloatArray(const std::string& name, std::vector<float> values, bool isWritable) {
  XPLMDataRef handle = define(name, xplmType_FloatArray, isWritable);
  entry(handle)->floats = std::move(values);
  return handle;
}
XPLMDataRef defineIntArray(const std::string& name, std::vector<int> values, bool isWritable) {
  XPLMDataRef handle = define(name, xplmType_IntArray, isWritable);
  entry(handle)->ints = std::move(values);
  return handle;
}
XPLMDataRef defineData(const std::string& name, std::vector<uint8_t> bytes, bool isWritable) {
  XPLMDataRef handle = define(name, xplmType_Data, isWritable);
  entry(handle)->bytes = std::move(bytes);
  return handle;
}

double scalarValue(const std::string& name) { return owned(name).number; }
std::vector<float> floatArrayValue(const std::string& name) { return owned(name).floats; }
std::vector<int> intArrayValue(const std::string& name) { return owned(name).ints; }
std::vector<uint8_t> dataValue(const std::string& name) { return owned(name).bytes; }
void setScalar(const std::string& name, double value) { owned(name).number = value; }
void setFloatArray(const std::string& name, const std::vector<float>& values) {
  writeOwned(owned(name).floats, values.data(), 0, static_cast<int>(values.size()));
}
void setIntArray(const std::string& name, const std::vector<int>& values) {
  writeOwned(owned(name).ints, values.data(), 0, static_cast<int>(values.size()));
}
void setData(const std::string& name, const std::vector<uint8_t>& bytes) {
  writeOwned(owned(name).bytes, bytes.data(), 0, static_cast<int>(bytes.size()));
}

DataRefInfo dataRefInfo(const std::string& name) {
  const State& s = state();
  auto found = s.datarefsByName.find(name);
  if (found == s.datarefsByName.end()) return DataRefInfo{name};
  const DataRefEntry& e = s.datarefs.at(found->second);
  if (e.kind == Kind::Unbound) return DataRefInfo{name};
  return DataRefInfo{e.name, e.types, e.writable, e.kind == Kind::Published, e.owner};
}

std::vector<DataRefInfo> dataRefs() {
  std::vector<DataRefInfo> all;
  const State& s = state();
  for (size_t i = 0; i < s.datarefs.size(); ++i) {
    const DataRefEntry& e = s.datarefs.at(i);
    if (e.kind == Kind::Unbound) continue;
    all.push_back(DataRefInfo{e.name, e.types, e.writable, e.kind == Kind::Published, e.owner});
  }
  return all;
}

void installSimulatorDataRefs() {
  State& s = state();
  for (size_t i = 0; i < kCatalogDataRefCount; ++i) {
    const CatalogDataRef& d = kCatalogDataRefs[i];
    XPLMDataRef handle = nullptr;
    DataRefEntry& e = i < s.datarefs.size() ? s.datarefs.at(i) : named(d.name, &handle);
    e.kind = Kind::Owned;
    e.types = d.types;
    e.writable = d.writable;
    e.owner = 0;
    e.number = 0;
    const size_t size = static_cast<size_t>(d.size);
    e.floats.assign((d.types & xplmType_FloatArray) ? size : 0, 0.0f);
    e.ints.assign((d.types & xplmType_IntArray) ? size : 0, 0);
    e.bytes.assign((d.types & xplmType_Data) ? size : 0, 0);
  }
  s.simulatorDataRefs = kCatalogDataRefCount;
}

void clearDataRefs() {
  State& s = state();
  for (size_t i = s.simulatorDataRefs; i < s.datarefs.size(); ++i) s.datarefsByName.erase(s.datarefs.at(i).name);
  s.datarefs.truncate(s.simulatorDataRefs);
}

}  // namespace xplmsim
