// XPLMDisplay hot keys and monitor bounds. Hot key handles come from a
// HandleTable: an unregistered handle stays known as released, a made-up one
// is unknown; both change nothing.
#include <XPLMDisplay.h>

#include <memory>

#include "state.h"
#include "text_out.h"
#include "xplmsim/hot_keys.h"

using namespace xplmsim;

namespace {

// Descriptions are written into buffers of at least 512 bytes.
constexpr size_t kDescriptionBytes = 512;
constexpr XPLMKeyFlags kModifiers = xplm_ShiftFlag | xplm_OptionAltFlag | xplm_ControlFlag;

struct HotKeyEntry {
  HotKeyInfo info;
  XPLMHotKey_f callback = nullptr;
  void* refcon = nullptr;
  bool alive = true;
};

struct HotKeys {
  HandleTable<HotKeyEntry, 0x407C> table;
  std::vector<Monitor> monitors{Monitor{0, 1080, 1920, 0, true}};
};

HotKeys& hotKeyState() {
  static HotKeys instance;
  return instance;
}

// A live hot key; a released one is counted as a released handle used by `function`.
HotKeyEntry* live(XPLMHotKeyID id, const char* function) {
  HotKeyEntry* entry = hotKeyState().table.find(id);
  if (entry != nullptr && !entry->alive) countReleasedHandleUse(function);
  return entry != nullptr && entry->alive ? entry : nullptr;
}

}  // namespace

XPLMHotKeyID XPLMRegisterHotKey(char inVirtualKey, XPLMKeyFlags inFlags, const char* inDescription,
                                XPLMHotKey_f inCallback, void* inRefcon) {
  record("XPLMRegisterHotKey", num(inVirtualKey), num(inFlags), std::string(inDescription ? inDescription : ""),
         ptr(reinterpret_cast<void*>(inCallback)), ptr(inRefcon));
  if (inCallback == nullptr) return nullptr;
  auto entry = std::make_unique<HotKeyEntry>();
  entry->info.virtualKey = inVirtualKey;
  entry->info.flags = inFlags;
  entry->info.description = inDescription != nullptr ? inDescription : "";
  entry->info.owner = currentPlugin();
  entry->callback = inCallback;
  entry->refcon = inRefcon;
  HotKeys& h = hotKeyState();
  XPLMHotKeyID id = h.table.add(std::move(entry));
  h.table.at(h.table.size() - 1).info.id = id;
  return id;
}

// Only the plugin that registered a hot key can unregister it.
void XPLMUnregisterHotKey(XPLMHotKeyID inHotKey) {
  record("XPLMUnregisterHotKey", ptr(inHotKey));
  HotKeyEntry* entry = live(inHotKey, "XPLMUnregisterHotKey");
  if (entry != nullptr && entry->info.owner == currentPlugin()) entry->alive = false;
}

int XPLMCountHotKeys(void) {
  record("XPLMCountHotKeys");
  return static_cast<int>(hotKeys().size());
}

// Registration order; an index outside 0 to count - 1 gives null.
XPLMHotKeyID XPLMGetNthHotKey(int inIndex) {
  record("XPLMGetNthHotKey", num(inIndex));
  HotKeys& h = hotKeyState();
  int seen = 0;
  for (size_t i = 0; i < h.table.size() && inIndex >= 0; ++i) {
    if (h.table.at(i).alive && seen++ == inIndex) return h.table.handleOf(i);
  }
  return nullptr;
}

// Null outputs are skipped; an unknown or released hot key writes nothing.
void XPLMGetHotKeyInfo(XPLMHotKeyID inHotKey, char* outVirtualKey, XPLMKeyFlags* outFlags, char* outDescription,
                       XPLMPluginID* outPlugin) {
  record("XPLMGetHotKeyInfo", ptr(inHotKey), ptr(outVirtualKey), ptr(outFlags), ptr(outDescription),
         ptr(outPlugin));
  const HotKeyEntry* entry = live(inHotKey, "XPLMGetHotKeyInfo");
  if (entry == nullptr) return;
  if (outVirtualKey != nullptr) *outVirtualKey = entry->info.virtualKey;
  if (outFlags != nullptr) *outFlags = entry->info.flags;
  copyText(outDescription, entry->info.description, kDescriptionBytes);
  if (outPlugin != nullptr) *outPlugin = entry->info.owner;
}

// Any plugin may rebind any hot key.
void XPLMSetHotKeyCombination(XPLMHotKeyID inHotKey, char inVirtualKey, XPLMKeyFlags inFlags) {
  record("XPLMSetHotKeyCombination", ptr(inHotKey), num(inVirtualKey), num(inFlags));
  if (HotKeyEntry* entry = live(inHotKey, "XPLMSetHotKeyCombination")) {
    entry->info.virtualKey = inVirtualKey;
    entry->info.flags = inFlags;
  }
}

void XPLMGetAllMonitorBoundsGlobal(XPLMReceiveMonitorBoundsGlobal_f inMonitorBoundsCallback, void* refcon) {
  record("XPLMGetAllMonitorBoundsGlobal", ptr(reinterpret_cast<void*>(inMonitorBoundsCallback)), ptr(refcon));
  if (inMonitorBoundsCallback == nullptr) return;
  const std::vector<Monitor> monitors = hotKeyState().monitors;  // a callback may change the list
  for (size_t i = 0; i < monitors.size(); ++i) {
    const Monitor& m = monitors[i];
    if (m.fullScreen) inMonitorBoundsCallback(static_cast<int>(i), m.left, m.top, m.right, m.bottom, refcon);
  }
}

void XPLMGetAllMonitorBoundsOS(XPLMReceiveMonitorBoundsOS_f inMonitorBoundsCallback, void* refcon) {
  record("XPLMGetAllMonitorBoundsOS", ptr(reinterpret_cast<void*>(inMonitorBoundsCallback)), ptr(refcon));
  if (inMonitorBoundsCallback == nullptr) return;
  const std::vector<Monitor> monitors = hotKeyState().monitors;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const Monitor& m = monitors[i];
    inMonitorBoundsCallback(static_cast<int>(i), m.left, m.top, m.right, m.bottom, refcon);
  }
}

namespace xplmsim {

bool fireHotKeys(char virtualKey, XPLMKeyFlags flags) {
  if ((flags & xplm_DownFlag) == 0) return false;
  HotKeys& h = hotKeyState();
  bool fired = false;
  const size_t count = h.table.size();  // hot keys registered by a callback wait for the next key
  for (size_t i = 0; i < count; ++i) {
    HotKeyEntry& entry = h.table.at(i);
    if (!entry.alive || entry.info.virtualKey != virtualKey || (entry.info.flags & kModifiers) != (flags & kModifiers)) {
      continue;
    }
    ++entry.info.fired;
    fired = true;
    const XPLMHotKey_f callback = entry.callback;
    void* const refcon = entry.refcon;
    const CallerScope asOwner(entry.info.owner);
    callback(refcon);
  }
  return fired;
}

std::vector<HotKeyInfo> hotKeys() {
  std::vector<HotKeyInfo> all;
  HotKeys& h = hotKeyState();
  for (size_t i = 0; i < h.table.size(); ++i) {
    if (h.table.at(i).alive) all.push_back(h.table.at(i).info);
  }
  return all;
}

int hotKeysOf(int plugin) {
  int count = 0;
  for (const HotKeyInfo& info : hotKeys()) count += info.owner == plugin ? 1 : 0;
  return count;
}

void setMonitors(const std::vector<Monitor>& monitors) { hotKeyState().monitors = monitors; }

void clearHotKeys() { hotKeyState() = HotKeys{}; }

}  // namespace xplmsim
