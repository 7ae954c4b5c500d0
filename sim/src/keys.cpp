// XPLMDisplay key sniffers, and the path of a key press: sniffers before the
// windows, the window with keyboard focus, sniffers after the windows, the
// simulator. A sniffer answering 0 consumes the key.
#include <XPLMDisplay.h>

#include "owners.h"
#include "state.h"
#include "xplmsim/keys.h"

using namespace xplmsim;

namespace {

struct SnifferEntry {
  XPLMKeySniffer_f callback = nullptr;
  int beforeWindows = 0;
  void* refcon = nullptr;
  int owner = kHostPlugin;  // the plugin that registered it, and as which it is called
};

struct Keys {
  Registrations<SnifferEntry> sniffers;
  int reachedSimulator = 0;
  bool refuse = false;
};

Keys& keys() {
  static Keys instance;
  return instance;
}

// True if a sniffer of that side consumed the key.
bool sniff(int beforeWindows, char key, XPLMKeyFlags flags, char virtualKey) {
  Registrations<SnifferEntry>& sniffers = keys().sniffers;
  return !sniffers.walk([&](size_t index) {
    const SnifferEntry entry = sniffers.at(index);
    if (entry.beforeWindows != beforeWindows) return true;
    const CallerScope asOwner(entry.owner);
    return entry.callback(key, flags, virtualKey, entry.refcon) != 0;
  });
}

}  // namespace

int XPLMRegisterKeySniffer(XPLMKeySniffer_f inCallback, int inBeforeWindows, void* inRefcon) {
  record("XPLMRegisterKeySniffer", ptr(reinterpret_cast<void*>(inCallback)), num(inBeforeWindows), ptr(inRefcon));
  if (inCallback == nullptr || keys().refuse) return 0;
  keys().sniffers.add(SnifferEntry{inCallback, inBeforeWindows != 0 ? 1 : 0, inRefcon, currentPlugin()});
  return 1;
}

int XPLMUnregisterKeySniffer(XPLMKeySniffer_f inCallback, int inBeforeWindows, void* inRefcon) {
  record("XPLMUnregisterKeySniffer", ptr(reinterpret_cast<void*>(inCallback)), num(inBeforeWindows),
         ptr(inRefcon));
  const int before = inBeforeWindows != 0 ? 1 : 0;
  return keys().sniffers.remove([&](const SnifferEntry& e) {
    return e.callback == inCallback && e.beforeWindows == before && e.refcon == inRefcon;
  }) ? 1 : 0;
}

namespace xplmsim {

KeyResult pressKey(char key, XPLMKeyFlags flags, char virtualKey) {
  if (sniff(1, key, flags, virtualKey)) return KeyResult{KeyTaker::SnifferBeforeWindows, nullptr};
  const InputResult window = deliverKeyToFocus(key, flags, virtualKey);
  if (window.window != nullptr) return KeyResult{KeyTaker::Window, window.window};
  if (keyboardFocus() == nullptr && fireHotKeys(virtualKey, flags)) return KeyResult{KeyTaker::HotKey, nullptr};
  if (sniff(0, key, flags, virtualKey)) return KeyResult{KeyTaker::SnifferAfterWindows, nullptr};
  ++keys().reachedSimulator;
  return KeyResult{};
}

int keysReachingSimulator() { return keys().reachedSimulator; }
int keySnifferCount() { return static_cast<int>(keys().sniffers.size()); }

int keySniffersOf(int plugin) {
  Registrations<SnifferEntry>& sniffers = keys().sniffers;
  int count = 0;
  sniffers.walk([&](size_t index) {
    count += sniffers.at(index).owner == plugin ? 1 : 0;
    return true;
  });
  return count;
}

void refuseKeySniffers(bool refuse) { keys().refuse = refuse; }

void clearKeySniffers() {
  keys().sniffers.clear();
  keys().reachedSimulator = 0;
  keys().refuse = false;
}

}  // namespace xplmsim
