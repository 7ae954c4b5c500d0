// XPLMUtilities paths: the X-Plane root folder, the preferences file and the
// directory separator.
#include <XPLMUtilities.h>

#include <unistd.h>

#include <cstring>
#include <string>

#include "state.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

using namespace xplmsim;

namespace {

constexpr size_t kLongestFolder = 510;  // + separator + zero byte: the SDK's 512-byte buffer

std::string& folder() {
  static std::string root = "/";
  return root;
}

}  // namespace

void XPLMGetSystemPath(char* outSystemPath) {
  record("XPLMGetSystemPath", ptr(outSystemPath));
  if (outSystemPath == nullptr) return;
  const std::string& root = systemPath();
  std::memcpy(outSystemPath, root.c_str(), root.size() + 1);
}

// The preferences file under the root folder; "" if it would not fit 512 bytes.
void XPLMGetPrefsPath(char* outPrefsPath) {
  record("XPLMGetPrefsPath", ptr(outPrefsPath));
  if (outPrefsPath == nullptr) return;
  const std::string path = prefsPath();
  std::memcpy(outPrefsPath, path.c_str(), path.size() + 1);
}

const char* XPLMGetDirectorySeparator(void) {
  record("XPLMGetDirectorySeparator");
  return "/";
}

namespace xplmsim {

bool setSystemPath(const std::string& path) {
  std::string root = path;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  if (root.empty() || root[0] != '/' || root.size() > kLongestFolder) return false;
  folder() = root == "/" ? root : root + "/";
  return true;
}

const std::string& systemPath() { return folder(); }

std::string prefsPath() {
  const std::string path = systemPath() + "Output/preferences/X-Plane.prf";
  return path.size() < 512 ? path : std::string();
}

std::string underSystemPath(const std::string& path) {
  return !path.empty() && path[0] == '/' ? path : systemPath() + path;
}

void clearSystemPath() {
  char here[4096];
  if (getcwd(here, sizeof here) == nullptr || !setSystemPath(here)) folder() = "/";
}

}  // namespace xplmsim
