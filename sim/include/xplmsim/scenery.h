// Scenery of the stand-in simulator: object files it knows, loaded objects and
// asynchronous loads, draws, terrain and probes, and object instances.
#ifndef XPLMSIM_SCENERY_H
#define XPLMSIM_SCENERY_H

#include <XPLMInstance.h>
#include <XPLMScenery.h>

#include <string>
#include <vector>

namespace xplmsim {

// --- objects -----------------------------------------------------------------
// Objects load from files, by path relative to the root folder (systemPath())
// or absolute: a missing file, or one that does not start with the lines "I"
// or "A", "800", "OBJ", gives 0. The objects the simulator ships with load by
// their paths without a file; defineObjectFile adds one. These are known:
constexpr const char* kFuelTruckObject = "Resources/default scenery/sim objects/apt_vehicles/fuel_truck.obj";
constexpr const char* kTugObject = "Resources/default scenery/sim objects/apt_vehicles/pushback_tug.obj";
constexpr const char* kBeaconObject = "Resources/default scenery/sim objects/apt_lights/beacon.obj";
void defineObjectFile(const std::string& path);

// Asynchronous loads complete on a later frame: each frame begins by completing
// the loads requested before it. This completes every load requested so far,
// in request order (a load requested by a completion callback waits for the
// next call), and returns how many it completed.
int completePendingLoads();
int pendingLoads();

// Every object loaded since reset, unloaded ones included. An object stays
// loaded while plugin loads or instances hold it.
struct ObjectInfo {
  XPLMObjectRef handle = nullptr;
  std::string path;
  int loads = 0;      // loads not yet unloaded
  int instances = 0;  // instances not yet destroyed
  bool loaded = false;
  bool async = false;  // first loaded by an asynchronous request
  long long drawCalls = 0;
  long long recordsDrawn = 0;
};
std::vector<ObjectInfo> objects();

// A draw of a loaded object, as XPLMDrawObjects received it: the address and
// count of its locations, its flags, and a copy of the records it read. Kept
// while recording is on.
struct Draw {
  XPLMObjectRef object = nullptr;
  std::string path;
  int count = 0;
  const XPLMDrawInfo_t* locations = nullptr;
  int lighting = 0;
  int earthRelative = 0;
  std::vector<XPLMDrawInfo_t> records;
};
const std::vector<Draw>& draws();

// --- the library and magnetic variation ---------------------------------------------
// XPLMLookupObjects finds the entries of a virtual path whose region holds the
// place, in the order they were added, and passes each file's path (relative
// to the root folder). Reset: "lib/airport/vehicles/fuel_truck.obj",
// "lib/airport/vehicles/pushback/tug.obj", "lib/airport/lights/beacon.obj"
// (each its object above) and "lib/airport/vehicles/any.obj" (the fuel truck,
// then the tug), everywhere. The magnetic variation is 15 degrees east
// everywhere (magnetic = true - 15).
struct LibraryEntry {
  std::string virtualPath;
  std::string file;
  float south = -90, west = -180, north = 90, east = 180;  // the region, in degrees
};
void addLibraryObject(const LibraryEntry& entry);

// --- terrain and probes --------------------------------------------------------
// A plane of terrain: its local height y = height + slopeX * x + slopeZ * z,
// how it moves, whether it is water. Terrain that is not present (scenery not
// loaded there) makes probes miss.
struct Terrain {
  float height = 0;
  float slopeX = 0;
  float slopeZ = 0;
  float velocityX = 0;
  float velocityY = 0;
  float velocityZ = 0;
  bool wet = false;
  bool present = true;
};
// Replaces all terrain, areas included, by `everywhere`. The default world: dry flat land at
// local y 129.5 (the aircraft stands on it), and from x -3000 westward water
// at y 0.
void setTerrain(const Terrain& everywhere);
// Terrain over the rectangle of local x and z given; a later area lies on top
// of earlier ones.
void addTerrainArea(float minX, float minZ, float maxX, float maxZ, const Terrain& terrain);

struct ProbeCounts {
  int created = 0;
  int live = 0;
  long long probes = 0;
  long long hits = 0;
  long long wet = 0;  // hits on water
  long long misses = 0;
  long long errors = 0;
};
ProbeCounts probeCounts();
// The result of the latest XPLMProbeTerrainXYZ (-1 before any).
int lastProbeResult();

// --- instances -----------------------------------------------------------------
struct InstanceInfo {
  XPLMInstanceRef handle = nullptr;
  std::string objectPath;
  std::vector<std::string> datarefs;
  XPLMDrawInfo_t position{};  // the latest, all 0 before any
  std::vector<float> values;  // one per dataref, all 0 before any position
  int positionsSet = 0;
};
// Instances not yet destroyed, oldest first.
std::vector<InstanceInfo> instances();

}  // namespace xplmsim

#endif
