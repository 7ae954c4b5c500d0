// Datarefs described as text, for summaries.
#include <XPLMDataAccess.h>

#include <algorithm>
#include <sstream>

#include "state.h"
#include "xplmsim/datarefs.h"

namespace xplmsim {

namespace {
// Keeps the first `count` elements, never more than there are.
template <typename C>
void keep(C& values, int count) {
  if (count < 0) count = 0;
  if (static_cast<size_t>(count) < values.size()) values.resize(static_cast<size_t>(count));
}

template <typename T>
std::string list(const std::vector<T>& values) {
  std::ostringstream out;
  out << '[';
  for (size_t i = 0; i < values.size(); ++i) out << (i ? ", " : "") << values[i];
  out << ']';
  return out.str();
}
}  // namespace

std::string dataRefName(XPLMDataRef ref) {
  const DataRefEntry* e = state().datarefs.find(ref);
  return e != nullptr ? e->name : std::string();
}

std::string valueText(const std::string& name) {
  const bool wasRecording = state().recording;
  setRecording(false);
  XPLMDataRef ref = XPLMFindDataRef(name.c_str());
  const int types = XPLMGetDataRefTypes(ref);
  std::ostringstream out;
  out.precision(10);
  if (types & xplmType_Double) {
    out << XPLMGetDatad(ref);
  } else if (types & xplmType_Float) {
    out << XPLMGetDataf(ref);
  } else if (types & xplmType_Int) {
    out << XPLMGetDatai(ref);
  } else if (types & xplmType_FloatArray) {
    std::vector<float> values(static_cast<size_t>(std::max(0, XPLMGetDatavf(ref, nullptr, 0, 0))));
    keep(values, XPLMGetDatavf(ref, values.data(), 0, static_cast<int>(values.size())));
    out << list(values);
  } else if (types & xplmType_IntArray) {
    std::vector<int> values(static_cast<size_t>(std::max(0, XPLMGetDatavi(ref, nullptr, 0, 0))));
    keep(values, XPLMGetDatavi(ref, values.data(), 0, static_cast<int>(values.size())));
    out << list(values);
  } else if (types & xplmType_Data) {
    std::string bytes(static_cast<size_t>(std::max(0, XPLMGetDatab(ref, nullptr, 0, 0))), '\0');
    keep(bytes, XPLMGetDatab(ref, bytes.data(), 0, static_cast<int>(bytes.size())));
    out << '"' << bytes.substr(0, bytes.find('\0')) << '"';
  } else {
    out << "(no value)";
  }
  setRecording(wasRecording);
  return out.str();
}

}  // namespace xplmsim
