// The runner's --set: checked against what the simulator knows of the dataref.
#include "dataref_settings.h"

#include <XPLMDataAccess.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "xplmsim/datarefs.h"

namespace qovinhost {

namespace {

// A finite number taking the whole text (surrounding spaces allowed).
bool number(const std::string& text, double* value) {
  const char* start = text.c_str();
  char* end = nullptr;
  *value = std::strtod(start, &end);
  if (end == start) return false;
  while (*end == ' ') ++end;
  return *end == '\0' && std::isfinite(*value);
}

bool whole(double value) { return value == std::trunc(value) && value >= INT_MIN && value <= INT_MAX; }

// "[a, b, ...]" into numbers; false if it is no such list.
bool list(const std::string& text, std::vector<double>* values) {
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
  const std::string inside = text.substr(1, text.size() - 2);
  if (inside.find_first_not_of(' ') == std::string::npos) return true;
  size_t start = 0;
  while (true) {
    const size_t comma = inside.find(',', start);
    double value = 0;
    if (!number(inside.substr(start, comma - start), &value)) return false;
    values->push_back(value);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

std::string setArray(const std::string& name, const std::string& text, bool ints, int size) {
  std::vector<double> values;
  if (!list(text, &values)) return name + " is an array: give its values as [a, b, ...], not " + text;
  if (static_cast<int>(values.size()) > size) {
    return name + " holds " + std::to_string(size) + " values, " + text + " has " + std::to_string(values.size());
  }
  if (ints) {
    std::vector<int> wholeValues;
    for (double v : values) {
      if (!whole(v)) return name + " holds whole numbers, " + text + " does not";
      wholeValues.push_back(static_cast<int>(v));
    }
    xplmsim::setIntArray(name, wholeValues);
  } else {
    xplmsim::setFloatArray(name, std::vector<float>(values.begin(), values.end()));
  }
  return "";
}

}  // namespace

std::string applySetting(const std::string& setting) {
  const size_t eq = setting.find('=');
  if (eq == std::string::npos || eq == 0) return "give DATAREF=VALUE, not " + setting;
  const std::string name = setting.substr(0, eq);
  const std::string text = setting.substr(eq + 1);
  const xplmsim::DataRefInfo info = xplmsim::dataRefInfo(name);
  if (info.types == 0) return "the simulator has no dataref " + name;
  if (info.published) return name + " is published by a plugin, not the simulator's";
  if (info.types & xplmType_FloatArray) {
    return setArray(name, text, false, static_cast<int>(xplmsim::floatArrayValue(name).size()));
  }
  if (info.types & xplmType_IntArray) {
    return setArray(name, text, true, static_cast<int>(xplmsim::intArrayValue(name).size()));
  }
  if (info.types & xplmType_Data) {
    const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
    const std::string chars = quoted ? text.substr(1, text.size() - 2) : text;
    std::vector<uint8_t> bytes(chars.begin(), chars.end());
    bytes.push_back(0);
    xplmsim::setData(name, bytes);
    return "";
  }
  double value = 0;
  if (!number(text, &value)) return name + " is a number, " + text + " is not";
  if ((info.types & (xplmType_Float | xplmType_Double)) == 0 && !whole(value)) {
    return name + " is an int, " + text + " is not a whole number";
  }
  xplmsim::setScalar(name, value);
  return "";
}

}  // namespace qovinhost
