// XPLMScenery terrain probes. A Y probe finds the terrain on the vertical
// through the point, whatever the point's height: the terrain's height there,
// its surface normal, its velocity and whether it is water. Where no scenery is
// present the probe misses and fills nothing; a bad probe, a probe of another
// type, or a record whose structSize is not 44 is an error.
#include <XPLMScenery.h>

#include <cmath>

#include "scenery.h"
#include "owners.h"
#include "state.h"
#include "xplmsim/scenery.h"

using namespace xplmsim;

namespace {

struct ProbeEntry {
  XPLMProbeType type = xplm_ProbeY;
  bool destroyed = false;
  int owner = 0;  // the plugin that created it
};

struct Area {
  float minX, minZ, maxX, maxZ;
  Terrain terrain;
};

struct Probes {
  HandleTable<ProbeEntry, 0x960BE> table;
  Terrain ground;
  std::vector<Area> areas;
  ProbeCounts counts;
  int lastResult = -1;
};

Probes& probeState() {
  static Probes instance;
  return instance;
}

const Terrain& terrainAt(float x, float z) {
  const Probes& p = probeState();
  for (auto it = p.areas.rbegin(); it != p.areas.rend(); ++it) {
    if (x >= it->minX && x <= it->maxX && z >= it->minZ && z <= it->maxZ) return it->terrain;
  }
  return p.ground;
}

XPLMProbeResult probe(XPLMProbeRef inProbe, float inX, float inZ, XPLMProbeInfo_t* outInfo) {
  const ProbeEntry* entry = probeState().table.find(inProbe);
  if (entry == nullptr || entry->destroyed || entry->type != xplm_ProbeY || outInfo == nullptr ||
      outInfo->structSize != static_cast<int>(sizeof(XPLMProbeInfo_t))) {
    return xplm_ProbeError;
  }
  const Terrain& t = terrainAt(inX, inZ);
  if (!t.present) return xplm_ProbeMissed;
  const float length = std::sqrt(t.slopeX * t.slopeX + 1.0f + t.slopeZ * t.slopeZ);
  outInfo->locationX = inX;
  outInfo->locationY = t.height + t.slopeX * inX + t.slopeZ * inZ;
  outInfo->locationZ = inZ;
  outInfo->normalX = -t.slopeX / length;
  outInfo->normalY = 1.0f / length;
  outInfo->normalZ = -t.slopeZ / length;
  outInfo->velocityX = t.velocityX;
  outInfo->velocityY = t.velocityY;
  outInfo->velocityZ = t.velocityZ;
  outInfo->is_wet = t.wet ? 1 : 0;
  return xplm_ProbeHitTerrain;
}

void installDefaultTerrain() {
  Terrain land;
  land.height = 129.5f;
  setTerrain(land);
  Terrain sound;  // Puget Sound, west of the airport
  sound.wet = true;
  addTerrainArea(-1.0e7f, -1.0e7f, -3000.0f, 1.0e7f, sound);
}

}  // namespace

// Only xplm_ProbeY exists: other types give no probe.
XPLMProbeRef XPLMCreateProbe(XPLMProbeType inProbeType) {
  record("XPLMCreateProbe", num(inProbeType));
  if (inProbeType != xplm_ProbeY) return nullptr;
  Probes& p = probeState();
  ++p.counts.created;
  ++p.counts.live;
  auto entry = std::make_unique<ProbeEntry>();
  entry->type = inProbeType;
  entry->owner = currentPlugin();
  return p.table.add(std::move(entry));
}

void XPLMDestroyProbe(XPLMProbeRef inProbe) {
  record("XPLMDestroyProbe", ptr(inProbe));
  ProbeEntry* entry = probeState().table.find(inProbe);
  if (entry != nullptr && entry->destroyed) countReleasedHandleUse("XPLMDestroyProbe");
  if (entry == nullptr || entry->destroyed) return;
  entry->destroyed = true;
  --probeState().counts.live;
}

XPLMProbeResult XPLMProbeTerrainXYZ(XPLMProbeRef inProbe, float inX, float inY, float inZ, XPLMProbeInfo_t* outInfo) {
  record("XPLMProbeTerrainXYZ", ptr(inProbe), real(inX), real(inY), real(inZ), ptr(outInfo));
  const ProbeEntry* entry = probeState().table.find(inProbe);
  if (entry != nullptr && entry->destroyed) countReleasedHandleUse("XPLMProbeTerrainXYZ");
  const XPLMProbeResult result = probe(inProbe, inX, inZ, outInfo);
  ProbeCounts& counts = probeState().counts;
  ++counts.probes;
  if (result == xplm_ProbeHitTerrain) ++counts.hits;
  if (result == xplm_ProbeHitTerrain && outInfo->is_wet != 0) ++counts.wet;
  if (result == xplm_ProbeMissed) ++counts.misses;
  if (result == xplm_ProbeError) ++counts.errors;
  probeState().lastResult = result;
  return result;
}

namespace xplmsim {

void setTerrain(const Terrain& everywhere) {
  probeState().ground = everywhere;
  probeState().areas.clear();
}

void addTerrainArea(float minX, float minZ, float maxX, float maxZ, const Terrain& terrain) {
  probeState().areas.push_back(Area{minX, minZ, maxX, maxZ, terrain});
}

bool terrainHeight(double x, double z, double* height) {
  const Terrain& t = terrainAt(static_cast<float>(x), static_cast<float>(z));
  if (!t.present) return false;
  *height = t.height + t.slopeX * x + t.slopeZ * z;
  return true;
}

ProbeCounts probeCounts() { return probeState().counts; }

int probesOf(int plugin) {
  int count = 0;
  const auto& table = probeState().table;
  for (size_t i = 0; i < table.size(); ++i) count += !table.at(i).destroyed && table.at(i).owner == plugin ? 1 : 0;
  return count;
}
int lastProbeResult() { return probeState().lastResult; }

void clearTerrainAndProbes() {
  Probes& p = probeState();
  p.table.clear();
  p.counts = ProbeCounts{};
  p.lastResult = -1;
  installDefaultTerrain();
}

}  // namespace xplmsim
