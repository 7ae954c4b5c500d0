// XPLMScenery's library lookups and magnetic variation. The library maps
// virtual paths to OBJ files under the root folder, in the order the entries
// were added (library load order); an entry may be limited to a region. The
// magnetic variation is 15 degrees east everywhere: the world model's
// magnetic_variation dataref (-15, magnetic = true + it) says the same.
#include <XPLMScenery.h>

#include <cmath>

#include "state.h"
#include "xplmsim/scenery.h"

using namespace xplmsim;

namespace {

constexpr float kVariationEast = 15.0f;

struct Library {
  std::vector<LibraryEntry> entries;
};

Library& library() {
  static Library instance;
  return instance;
}

void installDefaultLibrary() {
  Library& l = library();
  l.entries.push_back(LibraryEntry{"lib/airport/vehicles/fuel_truck.obj", kFuelTruckObject});
  l.entries.push_back(LibraryEntry{"lib/airport/vehicles/pushback/tug.obj", kTugObject});
  l.entries.push_back(LibraryEntry{"lib/airport/lights/beacon.obj", kBeaconObject});
  l.entries.push_back(LibraryEntry{"lib/airport/vehicles/any.obj", kFuelTruckObject});
  l.entries.push_back(LibraryEntry{"lib/airport/vehicles/any.obj", kTugObject});
}

bool inRegion(const LibraryEntry& e, float latitude, float longitude) {
  return latitude >= e.south && latitude <= e.north && longitude >= e.west && longitude <= e.east;
}

// Degrees in [0, 360).
float wrap360(float degrees) {
  const float wrapped = std::fmod(degrees, 360.0f);
  return wrapped < 0 ? wrapped + 360.0f : (wrapped >= 360.0f ? 0.0f : wrapped);
}

}  // namespace

// The enumerator is called for each entry of the path allowed at the place,
// before this returns; the answer is the number of calls. A null path or
// enumerator calls nothing and answers 0. Each path passed lives for its call.
int XPLMLookupObjects(const char* inPath, float inLatitude, float inLongitude, XPLMLibraryEnumerator_f enumerator,
                      void* ref) {
  record("XPLMLookupObjects", std::string(inPath != nullptr ? inPath : ""), real(inLatitude), real(inLongitude),
         ptr(reinterpret_cast<void*>(enumerator)), ptr(ref));
  if (inPath == nullptr || enumerator == nullptr) return 0;
  const std::vector<LibraryEntry> entries = library().entries;  // an enumerator may change the library
  int found = 0;
  for (const LibraryEntry& e : entries) {
    if (e.virtualPath != inPath || !inRegion(e, inLatitude, inLongitude)) continue;
    enumerator(e.file.c_str(), ref);
    ++found;
  }
  return found;
}

float XPLMGetMagneticVariation(double latitude, double longitude) {
  record("XPLMGetMagneticVariation", real(latitude), real(longitude));
  return kVariationEast;
}

// Magnetic = true - variation (east positive), wrapped to [0, 360).
float XPLMDegTrueToDegMagnetic(float headingDegreesTrue) {
  record("XPLMDegTrueToDegMagnetic", real(headingDegreesTrue));
  return wrap360(headingDegreesTrue - kVariationEast);
}

float XPLMDegMagneticToDegTrue(float headingDegreesMagnetic) {
  record("XPLMDegMagneticToDegTrue", real(headingDegreesMagnetic));
  return wrap360(headingDegreesMagnetic + kVariationEast);
}

namespace xplmsim {

void addLibraryObject(const LibraryEntry& entry) { library().entries.push_back(entry); }

void clearLibrary() {
  library().entries.clear();
  installDefaultLibrary();
}

}  // namespace xplmsim
