// XPLMScenery objects: loading (at once, or asynchronously with completion on a
// later frame), drawing and unloading. A path is relative to the X-Plane root
// folder, or absolute; it loads if it names one of the objects the simulator
// ships with (known without a file) or a file that starts as an OBJ file does. Loads of a path already loaded give the
// same handle and count: the object is purged when every load is unloaded and
// no instance holds it. Its handle is stale from then on: a call with it does
// nothing and is counted as a use of a released handle.
#include <XPLMScenery.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <unordered_map>

#include "owners.h"
#include "scenery.h"
#include "state.h"
#include "xplmsim/scenery.h"

using namespace xplmsim;

namespace {

struct ObjectEntry {
  std::string path;
  int loads = 0;
  std::vector<int> loaders;  // the plugin of each load not yet unloaded
  int instances = 0;
  bool async = false;
  long long drawCalls = 0;
  long long recordsDrawn = 0;
  bool loaded() const { return loads > 0 || instances > 0; }
};

struct PendingLoad {
  std::string path;
  XPLMObjectLoaded_f callback = nullptr;
  void* refcon = nullptr;
  int plugin = kHostPlugin;
};

struct Objects {
  std::set<std::string> files;
  HandleTable<ObjectEntry, 0x0B7EC7> table;
  std::unordered_map<std::string, size_t> loadedByPath;  // index of the loaded entry of a path
  std::vector<PendingLoad> pending;
  std::vector<Draw> draws;
};

Objects& objectState() {
  static Objects instance;
  return instance;
}

ObjectEntry* loadedEntry(XPLMObjectRef object) {
  ObjectEntry* entry = objectState().table.find(object);
  return entry != nullptr && entry->loaded() ? entry : nullptr;
}

// The same for a handle a plugin passed to `function`: a stale handle is
// counted as a released handle used.
ObjectEntry* loadedEntry(XPLMObjectRef object, const char* function) {
  if (objectReleased(object)) countReleasedHandleUse(function);
  return loadedEntry(object);
}

// Whether the file starts with the three lines of an OBJ file: "I" or "A" (the
// line ends of the machine that wrote it), "800" (the version), "OBJ".
bool isObjFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string lines[3];
  for (std::string& line : lines) {
    if (!std::getline(file, line)) return false;
    const size_t first = line.find_first_not_of(" \t\r");
    line = first == std::string::npos ? "" : line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
  }
  return (lines[0] == "I" || lines[0] == "A") && lines[1] == "800" && lines[2] == "OBJ";
}

// One load of `path`: the loaded object's handle, or null for a path that is
// no object.
XPLMObjectRef load(const char* path, bool async) {
  Objects& o = objectState();
  if (path == nullptr) return nullptr;
  auto found = o.loadedByPath.find(path);
  if (found != o.loadedByPath.end()) {
    ++o.table.at(found->second).loads;
    o.table.at(found->second).loaders.push_back(currentPlugin());
    return o.table.handleOf(found->second);
  }
  if (o.files.count(path) == 0 && !isObjFile(underSystemPath(path))) return nullptr;
  auto entry = std::make_unique<ObjectEntry>();
  entry->path = path;
  entry->loads = 1;
  entry->loaders.push_back(currentPlugin());
  entry->async = async;
  XPLMObjectRef handle = o.table.add(std::move(entry));
  o.loadedByPath.emplace(path, o.table.size() - 1);
  return handle;
}

void purgeIfUnused(ObjectEntry& entry) {
  if (!entry.loaded()) objectState().loadedByPath.erase(entry.path);
}

void installDefaultObjectFiles() {
  defineObjectFile(kFuelTruckObject);
  defineObjectFile(kTugObject);
  defineObjectFile(kBeaconObject);
}

}  // namespace

XPLMObjectRef XPLMLoadObject(const char* inPath) {
  record("XPLMLoadObject", std::string(inPath ? inPath : ""));
  return load(inPath, false);
}

// The path is copied: the caller may release it as soon as this returns.
void XPLMLoadObjectAsync(const char* inPath, XPLMObjectLoaded_f inCallback, void* inRefcon) {
  record("XPLMLoadObjectAsync", std::string(inPath ? inPath : ""), ptr(reinterpret_cast<void*>(inCallback)),
         ptr(inRefcon));
  if (inCallback == nullptr) return;
  objectState().pending.push_back(PendingLoad{inPath ? inPath : "", inCallback, inRefcon, state().caller});
}

// Draws a loaded object once per location. A negative count or no locations
// draws nothing; a stale or unknown handle draws nothing.
void XPLMDrawObjects(XPLMObjectRef inObject, int inCount, XPLMDrawInfo_t* inLocations, int lighting,
                     int earth_relative) {
  record("XPLMDrawObjects", ptr(inObject), num(inCount), ptr(inLocations), num(lighting), num(earth_relative));
  ObjectEntry* entry = loadedEntry(inObject, "XPLMDrawObjects");
  if (entry == nullptr) return;
  const int count = inLocations != nullptr ? std::max(0, inCount) : 0;
  ++entry->drawCalls;
  entry->recordsDrawn += count;
  if (!state().recording) return;
  Draw draw;
  draw.object = inObject;
  draw.path = entry->path;
  draw.count = inCount;
  draw.locations = inLocations;
  draw.lighting = lighting;
  draw.earthRelative = earth_relative;
  if (count > 0) draw.records.assign(inLocations, inLocations + count);
  objectState().draws.push_back(std::move(draw));
}

// Releases one load; unloading more often than loading changes nothing.
void XPLMUnloadObject(XPLMObjectRef inObject) {
  record("XPLMUnloadObject", ptr(inObject));
  ObjectEntry* entry = loadedEntry(inObject, "XPLMUnloadObject");
  if (entry == nullptr || entry->loads == 0) return;
  --entry->loads;
  std::vector<int>& loaders = entry->loaders;  // the caller's load goes first
  const auto caller = std::find(loaders.begin(), loaders.end(), currentPlugin());
  loaders.erase(caller != loaders.end() ? caller : loaders.begin());
  purgeIfUnused(*entry);
}

namespace xplmsim {

void defineObjectFile(const std::string& path) { objectState().files.insert(path); }

int completePendingLoads() {
  std::vector<PendingLoad> due;
  due.swap(objectState().pending);
  for (const PendingLoad& request : due) {
    CallerScope asRequester(request.plugin);
    XPLMObjectRef handle = load(request.path.c_str(), true);
    request.callback(handle, request.refcon);
  }
  return static_cast<int>(due.size());
}

int pendingLoads() { return static_cast<int>(objectState().pending.size()); }

int pendingLoadsOf(int plugin) {
  const std::vector<PendingLoad>& pending = objectState().pending;
  return static_cast<int>(
      std::count_if(pending.begin(), pending.end(), [&](const PendingLoad& p) { return p.plugin == plugin; }));
}

int objectLoadsOf(int plugin) {
  int count = 0;
  const Objects& o = objectState();
  for (size_t i = 0; i < o.table.size(); ++i) {
    const std::vector<int>& loaders = o.table.at(i).loaders;
    count += static_cast<int>(std::count(loaders.begin(), loaders.end(), plugin));
  }
  return count;
}

std::vector<ObjectInfo> objects() {
  std::vector<ObjectInfo> all;
  const Objects& o = objectState();
  for (size_t i = 0; i < o.table.size(); ++i) {
    const ObjectEntry& e = o.table.at(i);
    all.push_back(ObjectInfo{o.table.handleOf(i), e.path, e.loads, e.instances, e.loaded(), e.async, e.drawCalls,
                             e.recordsDrawn});
  }
  return all;
}

const std::vector<Draw>& draws() { return objectState().draws; }

bool holdObjectForInstance(XPLMObjectRef object) {
  ObjectEntry* entry = loadedEntry(object);
  if (entry == nullptr) return false;
  ++entry->instances;
  return true;
}

void releaseObjectOfInstance(XPLMObjectRef object) {
  ObjectEntry* entry = loadedEntry(object);
  if (entry == nullptr || entry->instances == 0) return;
  --entry->instances;
  purgeIfUnused(*entry);
}

bool objectReleased(XPLMObjectRef object) {
  const ObjectEntry* entry = objectState().table.find(object);
  return entry != nullptr && !entry->loaded();
}

std::string objectPath(XPLMObjectRef object) {
  const ObjectEntry* entry = objectState().table.find(object);
  return entry != nullptr ? entry->path : std::string();
}

void clearObjects() {
  Objects& o = objectState();
  o.files.clear();
  o.table.clear();
  o.loadedByPath.clear();
  o.pending.clear();
  o.draws.clear();
  installDefaultObjectFiles();
  clearLibrary();
}

void clearScenery() {
  clearObjects();
  clearTerrainAndProbes();
  clearInstances();
}

}  // namespace xplmsim
