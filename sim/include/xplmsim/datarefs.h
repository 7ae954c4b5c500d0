// Simulator-owned datarefs of the stand-in, and a look at every dataref known.
#ifndef XPLMSIM_DATAREFS_H
#define XPLMSIM_DATAREFS_H

#include <XPLMDataAccess.h>

#include <cstdint>
#include <string>
#include <vector>

namespace xplmsim {

// Define (or redefine) a simulator-owned dataref. A scalar dataref may offer
// several of int, float and double (`types`): it holds one number, and each
// typed read converts it. Array and byte datarefs hold a fixed number of
// elements. Returns the dataref's handle, the same one XPLMFindDataRef gives.
XPLMDataRef defineScalar(const std::string& name, int types, double value, bool writable);
XPLMDataRef defineInt(const std::string& name, int value, bool writable = true);
XPLMDataRef defineFloat(const std::string& name, float value, bool writable = true);
XPLMDataRef defineDouble(const std::string& name, double value, bool writable = true);
XPLMDataRef defineFloatArray(const std::string& name, std::vector<float> values, bool writable = true);
XPLMDataRef defineIntArray(const std::string& name, std::vector<int> values, bool writable = true);
XPLMDataRef defineData(const std::string& name, std::vector<uint8_t> bytes, bool writable = true);

// Values of simulator-owned datarefs, read without going through XPLM (and
// without being recorded). The dataref must exist and be simulator-owned.
double scalarValue(const std::string& name);
std::vector<float> floatArrayValue(const std::string& name);
std::vector<int> intArrayValue(const std::string& name);
std::vector<uint8_t> dataValue(const std::string& name);

// Set a simulator-owned dataref as the simulator itself would, read-only or not.
void setScalar(const std::string& name, double value);

// The name behind a handle ("" for an unknown handle).
std::string dataRefName(XPLMDataRef ref);

// The current value of a dataref as text, read as any plugin would read it:
// a number, a list "[a, b, ...]" for arrays, a quoted text for bytes.
std::string valueText(const std::string& name);

// What the simulator knows of a dataref, for summaries.
struct DataRefInfo {
  std::string name;
  int types = 0;
  bool writable = false;
  bool published = false;  // registered by a plugin through XPLMRegisterDataAccessor
  int owner = 0;           // the plugin that registered it (0: the simulator)
};
std::vector<DataRefInfo> dataRefs();

}  // namespace xplmsim

#endif
