// XPLMDataAccess shared data: data any plugin creates by name, stored by the
// simulator and used as a dataref. It starts at zero (arrays empty) and is
// writable; a write notifies, once each, the registrations of every plugin but
// the writer. Also XPLMIsDataRefGood.
#include <XPLMDataAccess.h>

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>

#include "errors.h"
#include "owners.h"
#include "registrations.h"
#include "shared_data.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/utilities.h"

using namespace xplmsim;

namespace {

struct Notification {
  XPLMDataChanged_f function = nullptr;
  void* refcon = nullptr;
  int owner = kHostPlugin;
};

struct Sharing {
  std::unordered_map<const DataRefEntry*, Registrations<Notification>> notifications;
  std::map<int, int> received;  // notifications called, by plugin
};

Sharing& sharing() {
  static Sharing instance;
  return instance;
}

bool oneType(XPLMDataTypeID type) {
  return type == xplmType_Int || type == xplmType_Float || type == xplmType_Double ||
         type == xplmType_FloatArray || type == xplmType_IntArray || type == xplmType_Data;
}

// The shared data of `name`, or null if the name is not shared data.
DataRefEntry* sharedEntry(const char* name) {
  State& s = state();
  auto found = s.datarefsByName.find(name);
  if (found == s.datarefsByName.end()) return nullptr;
  DataRefEntry& entry = s.datarefs.at(found->second);
  return entry.shared && entry.kind == DataRefEntry::Kind::Owned ? &entry : nullptr;
}

// Whether a bound dataref has the name.
bool taken(const char* name) {
  State& s = state();
  auto found = s.datarefsByName.find(name);
  return found != s.datarefsByName.end() && s.datarefs.at(found->second).kind != DataRefEntry::Kind::Unbound;
}

DataRefEntry* createShared(const char* name, XPLMDataTypeID type) {
  XPLMDataRef handle = nullptr;
  if (type == xplmType_FloatArray) handle = defineFloatArray(name, {}, true);
  else if (type == xplmType_IntArray) handle = defineIntArray(name, {}, true);
  else if (type == xplmType_Data) handle = defineData(name, {}, true);
  else handle = defineScalar(name, type, 0, true);
  DataRefEntry* entry = state().datarefs.find(handle);
  entry->shared = true;
  return entry;
}

template <typename T>
void grow(std::vector<T>& values, int offset, int count) {
  if (offset < 0 || count <= 0 || offset > kSharedElementLimit - count) return;
  values.resize(std::max(values.size(), static_cast<size_t>(offset + count)));
}

}  // namespace

// Joins the shared data `inDataName`, creating it if no dataref has the name;
// a non-null function is notified of other plugins' writes. 0 for a null or
// empty name, a type that is not exactly one type, or a name taken by a
// dataref that is not shared data of that type.
int XPLMShareData(const char* inDataName, XPLMDataTypeID inDataType, XPLMDataChanged_f inNotificationFunc,
                  void* inNotificationRefcon) {
  record("XPLMShareData", std::string(inDataName ? inDataName : ""), num(inDataType),
         ptr(reinterpret_cast<void*>(inNotificationFunc)), ptr(inNotificationRefcon));
  if (inDataName == nullptr || *inDataName == '\0' || !oneType(inDataType)) return 0;
  DataRefEntry* entry = sharedEntry(inDataName);
  if (entry == nullptr) {
    if (taken(inDataName)) return 0;
    entry = createShared(inDataName, inDataType);
  }
  if (entry->types != inDataType) return 0;
  if (inNotificationFunc != nullptr) {
    sharing().notifications[entry].add(Notification{inNotificationFunc, inNotificationRefcon, currentPlugin()});
  }
  return 1;
}

// 1 if the caller's notification with these four values was removed; the data
// and its value stay.
int XPLMUnshareData(const char* inDataName, XPLMDataTypeID inDataType, XPLMDataChanged_f inNotificationFunc,
                    void* inNotificationRefcon) {
  record("XPLMUnshareData", std::string(inDataName ? inDataName : ""), num(inDataType),
         ptr(reinterpret_cast<void*>(inNotificationFunc)), ptr(inNotificationRefcon));
  if (inDataName == nullptr) return 0;
  DataRefEntry* entry = sharedEntry(inDataName);
  if (entry == nullptr || entry->types != inDataType) return 0;
  auto found = sharing().notifications.find(entry);
  if (found == sharing().notifications.end()) return 0;
  const int caller = currentPlugin();
  return found->second.remove([&](const Notification& n) {
    return n.function == inNotificationFunc && n.refcon == inNotificationRefcon && n.owner == caller;
  }) ? 1 : 0;
}

// 0 for null, made-up and unregistered datarefs.
int XPLMIsDataRefGood(XPLMDataRef inDataRef) {
  record("XPLMIsDataRefGood", ptr(inDataRef));
  const DataRefEntry* entry = state().datarefs.find(inDataRef);
  return entry != nullptr && entry->kind != DataRefEntry::Kind::Unbound ? 1 : 0;
}

namespace xplmsim {

void makeRoomInShared(DataRefEntry& entry, int offset, int count) {
  if (entry.types == xplmType_FloatArray) grow(entry.floats, offset, count);
  if (entry.types == xplmType_IntArray) grow(entry.ints, offset, count);
  if (entry.types == xplmType_Data) grow(entry.bytes, offset, count);
}

void notifySharers(DataRefEntry& entry) {
  auto found = sharing().notifications.find(&entry);
  if (found == sharing().notifications.end()) return;
  Registrations<Notification>& list = found->second;
  const int writer = currentPlugin();
  list.walk([&](size_t index) {
    const Notification n = list.at(index);
    if (n.owner == writer) return true;
    ++sharing().received[n.owner];
    const CallerScope asOwner(n.owner);
    n.function(n.refcon);
    return true;
  });
}

int shareCount(const std::string& name) {
  DataRefEntry* entry = sharedEntry(name.c_str());
  if (entry == nullptr) return 0;
  auto found = sharing().notifications.find(entry);
  return found == sharing().notifications.end() ? 0 : static_cast<int>(found->second.size());
}

int notificationsReceived(int plugin) {
  auto found = sharing().received.find(plugin);
  return found == sharing().received.end() ? 0 : found->second;
}

int dataSharesOf(int plugin) {
  int held = 0;
  for (auto& [entry, list] : sharing().notifications) {
    list.walk([&](size_t index) {
      held += list.at(index).owner == plugin ? 1 : 0;
      return true;
    });
  }
  return held;
}

void clearSharedData() { sharing() = Sharing{}; }

}  // namespace xplmsim
