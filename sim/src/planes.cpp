// XPLMPlanes: the aircraft model in each of the simulator's aircraft slots.
#include <XPLMPlanes.h>

#include <array>
#include <algorithm>
#include <cstring>

#include "state.h"
#include "text_out.h"
#include "xplmsim/plugins.h"

using namespace xplmsim;

namespace {

struct Model {
  std::string fileName;
  std::string path;
};

std::array<Model, kAircraftSlots>& slots() {
  static std::array<Model, kAircraftSlots> instance;
  return instance;
}

}  // namespace

// An index outside the slots writes nothing; an empty slot writes empty texts.
void XPLMGetNthAircraftModel(int inIndex, char* outFileName, char* outPath) {
  record("XPLMGetNthAircraftModel", num(inIndex), ptr(outFileName), ptr(outPath));
  if (inIndex < 0 || inIndex >= kAircraftSlots) return;
  const Model& m = slots()[static_cast<size_t>(inIndex)];
  copyText(outFileName, m.fileName, kAircraftFileBytes);
  copyText(outPath, m.path, kAircraftPathBytes);
}

namespace xplmsim {

void setAircraftModel(int slot, const std::string& fileName, const std::string& path) {
  if (slot >= 0 && slot < kAircraftSlots) slots()[static_cast<size_t>(slot)] = Model{fileName, path};
}

void clearAircraft() {
  slots().fill(Model{});
  setAircraftModel(0, "Cessna_172SP.acf", "/X-Plane 11/Aircraft/Laminar Research/Cessna 172SP/Cessna_172SP.acf");
  setAircraftModel(1, "C90B.acf", "/X-Plane 11/Aircraft/Laminar Research/Beechcraft King Air C90B/C90B.acf");
}

}  // namespace xplmsim
