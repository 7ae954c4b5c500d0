// qovin.ini: "key = value" lines; '#' starts a comment. Unknown keys are kept
// for the Java side, which reads the same file.
#ifndef QOVIN_PLUGIN_SETTINGS_H
#define QOVIN_PLUGIN_SETTINGS_H

#include <map>
#include <string>

namespace qovin {

struct Settings {
  std::map<std::string, std::string> values;

  // The value of `key`, or `fallback` if it is missing or empty.
  std::string get(const std::string& key, const std::string& fallback = "") const;
  // "yes", "true", "on" or "1" (any case) are true; missing: `fallback`.
  bool flag(const std::string& key, bool fallback) const;
};

// Reads `path`; a missing file gives no values.
Settings readSettings(const std::string& path);

}  // namespace qovin

#endif
