// XPLMInstance: instances of loaded objects, each with the dataref names given
// at creation (copied: the caller may release them at once) and placed by a
// location plus one value per name. An instance holds its object loaded until
// it is destroyed.
#include <XPLMInstance.h>

#include "scenery.h"
#include "owners.h"
#include "state.h"
#include "xplmsim/scenery.h"

using namespace xplmsim;

namespace {

struct InstanceEntry {
  XPLMObjectRef object = nullptr;
  std::vector<std::string> datarefs;
  XPLMDrawInfo_t position{};
  std::vector<float> values;
  int positionsSet = 0;
  bool destroyed = false;
  int owner = 0;  // the plugin that created it
};

HandleTable<InstanceEntry, 0x1257A>& instanceTable() {
  static HandleTable<InstanceEntry, 0x1257A> table;
  return table;
}

// A live instance; a destroyed one is counted as a released handle used by `function`.
InstanceEntry* liveInstance(XPLMInstanceRef instance, const char* function) {
  InstanceEntry* entry = instanceTable().find(instance);
  if (entry != nullptr && entry->destroyed) countReleasedHandleUse(function);
  return entry != nullptr && !entry->destroyed ? entry : nullptr;
}

}  // namespace

// Recorded with the object, the list's address, the number of names before its
// null terminator, then the names. No list, or an object that is not loaded,
// gives no instance.
XPLMInstanceRef XPLMCreateInstance(XPLMObjectRef obj, const char** datarefs) {
  std::vector<std::string> names;
  for (const char** name = datarefs; name != nullptr && *name != nullptr; ++name) names.emplace_back(*name);
  record("XPLMCreateInstance", ptr(obj), ptr(datarefs), num(static_cast<long long>(names.size())));
  if (state().recording) {
    for (const std::string& name : names) state().calls.back().args.emplace_back(name);
  }
  if (objectReleased(obj)) countReleasedHandleUse("XPLMCreateInstance");
  if (datarefs == nullptr || !holdObjectForInstance(obj)) return nullptr;
  auto entry = std::make_unique<InstanceEntry>();
  entry->object = obj;
  entry->owner = currentPlugin();
  entry->values.assign(names.size(), 0.0f);
  entry->datarefs = std::move(names);
  return instanceTable().add(std::move(entry));
}

void XPLMDestroyInstance(XPLMInstanceRef instance) {
  record("XPLMDestroyInstance", ptr(instance));
  InstanceEntry* entry = liveInstance(instance, "XPLMDestroyInstance");
  if (entry == nullptr) return;
  entry->destroyed = true;
  releaseObjectOfInstance(entry->object);
}

// Reads one location and one value per dataref name. Without a location, or
// without values while the instance has names, nothing changes.
void XPLMInstanceSetPosition(XPLMInstanceRef instance, const XPLMDrawInfo_t* new_position, const float* data) {
  record("XPLMInstanceSetPosition", ptr(instance), ptr(new_position), ptr(data));
  InstanceEntry* entry = liveInstance(instance, "XPLMInstanceSetPosition");
  if (entry == nullptr || new_position == nullptr || (data == nullptr && !entry->datarefs.empty())) return;
  entry->position = *new_position;
  entry->values.assign(data, data + entry->datarefs.size());
  ++entry->positionsSet;
}

namespace xplmsim {

std::vector<InstanceInfo> instances() {
  std::vector<InstanceInfo> all;
  const auto& table = instanceTable();
  for (size_t i = 0; i < table.size(); ++i) {
    const InstanceEntry& e = table.at(i);
    if (e.destroyed) continue;
    all.push_back(
        InstanceInfo{table.handleOf(i), objectPath(e.object), e.datarefs, e.position, e.values, e.positionsSet});
  }
  return all;
}

int instancesOf(int plugin) {
  int count = 0;
  const auto& table = instanceTable();
  for (size_t i = 0; i < table.size(); ++i) count += !table.at(i).destroyed && table.at(i).owner == plugin ? 1 : 0;
  return count;
}

void clearInstances() { instanceTable().clear(); }

}  // namespace xplmsim
