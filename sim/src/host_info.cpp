// XPLMUtilities: what the simulator tells about itself, what plugins ask of it
// (speech, key strokes, joystick buttons, data files, scenery reloads), and
// the plugins' error callbacks.
#include <XPLMPlugin.h>
#include <XPLMUtilities.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>

#include "errors.h"
#include "owners.h"
#include "state.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/plugins.h"
#include "xplmsim/utilities.h"

using namespace xplmsim;

namespace {

struct Asked {
  int language = xplm_Language_English;
  std::vector<std::string> spoken;
  std::vector<int> keyStrokes;
  std::vector<SimulatedKey> simulatedKeys;
  std::vector<int> buttonsHeld;
  std::vector<DataFileCall> dataFiles;
  int sceneryReloads = 0;
  std::map<int, XPLMError_f> errorCallbacks;  // by plugin
};

Asked& asked() {
  static Asked instance;
  return instance;
}

// The commands behind the key functions and joystick buttons the stand-in models.
const char* commandOfKey(int key) {
  switch (key) {
    case xplm_key_pause: return "sim/operation/pause_toggle";
    case xplm_key_gear: return "sim/flight_controls/landing_gear_toggle";
    case xplm_key_flapsup: return "sim/flight_controls/flaps_up";
    case xplm_key_flapsdn: return "sim/flight_controls/flaps_down";
    default: return nullptr;
  }
}

const char* commandOfButton(int button) {
  switch (button) {
    case xplm_joy_pause: return "sim/operation/pause_toggle";
    case xplm_joy_throt_up: return "sim/engines/throttle_up";
    case xplm_joy_throt_dn: return "sim/engines/throttle_down";
    case xplm_joy_gear_tog: return "sim/flight_controls/landing_gear_toggle";
    case xplm_joy_flapsup: return "sim/flight_controls/flaps_up";
    case xplm_joy_flapsdn: return "sim/flight_controls/flaps_down";
    default: return nullptr;
  }
}

bool knownFileType(XPLMDataFileType type) {
  return type == xplm_DataFile_Situation || type == xplm_DataFile_ReplayMovie;
}

}  // namespace

int XPLMInitialized(void) {
  record("XPLMInitialized");
  return 1;
}

// Null pointers are skipped.
void XPLMGetVersions(int* outXPlaneVersion, int* outXPLMVersion, XPLMHostApplicationID* outHostID) {
  record("XPLMGetVersions", ptr(outXPlaneVersion), ptr(outXPLMVersion), ptr(outHostID));
  if (outXPlaneVersion != nullptr) *outXPlaneVersion = kXPlaneVersion;
  if (outXPLMVersion != nullptr) *outXPLMVersion = kXPLMVersion;
  if (outHostID != nullptr) *outHostID = xplm_Host_XPlane;
}

XPLMLanguageCode XPLMGetLanguage(void) {
  record("XPLMGetLanguage");
  return asked().language;
}

// Goes to the simulator alone: no plugin's key sniffer or window sees it.
void XPLMSimulateKeyPress(int inKeyType, int inKey) {
  record("XPLMSimulateKeyPress", num(inKeyType), num(inKey));
  asked().simulatedKeys.push_back(SimulatedKey{inKeyType, inKey});
}

// A null text says nothing.
void XPLMSpeakString(const char* inString) {
  record("XPLMSpeakString", std::string(inString ? inString : ""));
  if (inString != nullptr) asked().spoken.push_back(inString);
}

// Runs the key function's command, where the stand-in has one; an unknown key is an error.
void XPLMCommandKeyStroke(XPLMCommandKeyID inKey) {
  record("XPLMCommandKeyStroke", num(inKey));
  if (inKey < 0 || inKey >= xplm_key_max) return misuse("XPLMCommandKeyStroke", "no such key");
  asked().keyStrokes.push_back(inKey);
  if (const char* name = commandOfKey(inKey)) commandOnce(name);
}

// A pressed button begins its command, held until the release ends it. A
// button already held, or released without a press, changes nothing.
void XPLMCommandButtonPress(XPLMCommandButtonID inButton) {
  record("XPLMCommandButtonPress", num(inButton));
  if (inButton < 0 || inButton >= xplm_joy_max) return misuse("XPLMCommandButtonPress", "no such button");
  std::vector<int>& held = asked().buttonsHeld;
  if (std::find(held.begin(), held.end(), inButton) != held.end()) return;
  held.push_back(inButton);
  if (const char* name = commandOfButton(inButton)) commandBegin(name);
}

void XPLMCommandButtonRelease(XPLMCommandButtonID inButton) {
  record("XPLMCommandButtonRelease", num(inButton));
  std::vector<int>& held = asked().buttonsHeld;
  auto found = std::find(held.begin(), held.end(), inButton);
  if (found == held.end()) return;
  held.erase(found);
  if (const char* name = commandOfButton(inButton)) commandEnd(name);
}

// Names of the virtual keys the stand-in knows; any other gives "".
const char* XPLMGetVirtualKeyDescription(char inVirtualKey) {
  record("XPLMGetVirtualKeyDescription", num(inVirtualKey));
  static const char* const kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  static const char* const kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                         "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
  static const char* const kFunctionKeys[] = {"F1", "F2", "F3", "F4", "F5",  "F6",
                                              "F7", "F8", "F9", "F10", "F11", "F12"};
  const int key = static_cast<unsigned char>(inVirtualKey);
  if (key >= 0x30 && key <= 0x39) return kDigits[key - 0x30];
  if (key >= 0x41 && key <= 0x5A) return kLetters[key - 0x41];
  if (key >= 0x70 && key <= 0x7B) return kFunctionKeys[key - 0x70];
  switch (key) {
    case 0x08: return "BACK";
    case 0x09: return "TAB";
    case 0x0D: return "RETURN";
    case 0x1B: return "ESCAPE";
    case 0x20: return "SPACE";
    case 0x25: return "LEFT";
    case 0x26: return "UP";
    case 0x27: return "RIGHT";
    case 0x28: return "DOWN";
    case 0xB0: return "EQUAL";
    case 0xB1: return "MINUS";
    default: return "";
  }
}

// Reloads at once, then sends XPLM_MSG_SCENERY_LOADED to every enabled plugin.
void XPLMReloadScenery(void) {
  record("XPLMReloadScenery");
  ++asked().sceneryReloads;
  sendSimulatorMessage(XPLM_MSG_SCENERY_LOADED, nullptr);
}

// A null callback clears the plugin's.
void XPLMSetErrorCallback(XPLMError_f inCallback) {
  record("XPLMSetErrorCallback", ptr(reinterpret_cast<void*>(inCallback)));
  if (inCallback == nullptr) {
    asked().errorCallbacks.erase(currentPlugin());
  } else {
    asked().errorCallbacks[currentPlugin()] = inCallback;
  }
}

// Loads a situation or replay file (relative to the root folder): 1 if it
// exists. A null path clears the replay (replay type only); an unknown type is an error.
int XPLMLoadDataFile(XPLMDataFileType inFileType, const char* inFilePath) {
  record("XPLMLoadDataFile", num(inFileType), std::string(inFilePath ? inFilePath : ""));
  if (!knownFileType(inFileType)) return misuse("XPLMLoadDataFile", "no such file type"), 0;
  if (inFilePath == nullptr && inFileType != xplm_DataFile_ReplayMovie) {
    return misuse("XPLMLoadDataFile", "a situation needs a path"), 0;
  }
  if (inFilePath != nullptr && !std::ifstream(underSystemPath(inFilePath)).good()) return 0;
  asked().dataFiles.push_back(DataFileCall{false, inFileType, inFilePath ? inFilePath : ""});
  return 1;
}

// Saves a small file standing for the situation or replay: 1 if it was written.
int XPLMSaveDataFile(XPLMDataFileType inFileType, const char* inFilePath) {
  record("XPLMSaveDataFile", num(inFileType), std::string(inFilePath ? inFilePath : ""));
  if (!knownFileType(inFileType)) return misuse("XPLMSaveDataFile", "no such file type"), 0;
  if (inFilePath == nullptr || *inFilePath == '\0') return misuse("XPLMSaveDataFile", "no path"), 0;
  std::ofstream out(underSystemPath(inFilePath));
  out << (inFileType == xplm_DataFile_Situation ? "situation" : "replay") << " saved by the stand-in simulator\n";
  if (!out.good()) return 0;
  asked().dataFiles.push_back(DataFileCall{true, inFileType, inFilePath});
  return 1;
}

// The stand-in's own XPLM functions only: other names, and null, give null.
void* XPLMFindSymbol(const char* inString) {
  record("XPLMFindSymbol", std::string(inString ? inString : ""));
  if (inString == nullptr || std::strncmp(inString, "XPLM", 4) != 0) return nullptr;
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&XPLMFindSymbol), &self) == 0 || self.dli_fname == nullptr) return nullptr;
  void* library = dlopen(self.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
  if (library == nullptr) return nullptr;
  void* symbol = dlsym(library, inString);
  dlclose(library);
  return symbol;
}

namespace xplmsim {

void misuse(const char* function, const char* what) { reportError(currentPlugin(), std::string(function) + ": " + what); }

bool reportError(int plugin, const std::string& message) {
  auto found = asked().errorCallbacks.find(plugin);
  if (found == asked().errorCallbacks.end()) return false;
  const CallerScope asPlugin(plugin);
  found->second(message.c_str());
  return true;
}

bool hasErrorCallback(int plugin) { return asked().errorCallbacks.count(plugin) != 0; }
int errorCallbackOf(int plugin) { return hasErrorCallback(plugin) ? 1 : 0; }

void clearUtilities() { asked() = Asked{}; }

void setLanguage(int languageCode) { asked().language = languageCode; }
std::vector<std::string> spokenStrings() { return asked().spoken; }
std::vector<int> keyStrokes() { return asked().keyStrokes; }
std::vector<SimulatedKey> simulatedKeys() { return asked().simulatedKeys; }
std::vector<int> buttonsHeld() { return asked().buttonsHeld; }
std::vector<DataFileCall> dataFileCalls() { return asked().dataFiles; }
int sceneryReloads() { return asked().sceneryReloads; }

}  // namespace xplmsim
