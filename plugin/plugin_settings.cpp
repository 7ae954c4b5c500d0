// Reading qovin.ini.
#include "plugin_settings.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace qovin {

namespace {
std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}
}  // namespace

std::string Settings::get(const std::string& key, const std::string& fallback) const {
  const auto found = values.find(key);
  return found == values.end() || found->second.empty() ? fallback : found->second;
}

bool Settings::flag(const std::string& key, bool fallback) const {
  std::string value = get(key);
  if (value.empty()) return fallback;
  std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return std::tolower(c); });
  return value == "yes" || value == "true" || value == "on" || value == "1";
}

Settings readSettings(const std::string& path) {
  Settings settings;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = trimmed(line.substr(0, equals));
    if (!key.empty()) settings.values[key] = trimmed(line.substr(equals + 1));
  }
  return settings;
}

}  // namespace qovin
