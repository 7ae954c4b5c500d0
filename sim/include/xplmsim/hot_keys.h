// Hot keys and monitors of the stand-in simulator.
#ifndef XPLMSIM_HOT_KEYS_H
#define XPLMSIM_HOT_KEYS_H

#include <XPLMDisplay.h>

#include <string>
#include <vector>

namespace xplmsim {

// --- hot keys ------------------------------------------------------------------
// A hot key fires on a key-down (xplm_DownFlag set) whose virtual key equals
// its own and whose shift, option/alt and control flags equal its own, when no
// window has keyboard focus. In a key press (pressKey, xplmsim/keys.h) hot keys
// come after the sniffers before the windows and the focused window, and
// before the sniffers after the windows: a hot key that fires consumes the key
// (KeyTaker::HotKey). Every matching hot key fires, in registration order, as
// the plugin that registered it.
struct HotKeyInfo {
  XPLMHotKeyID id = nullptr;
  char virtualKey = 0;
  XPLMKeyFlags flags = 0;
  std::string description;
  int owner = 0;
  int fired = 0;  // times its callback ran
};
// The live hot keys, in registration order.
std::vector<HotKeyInfo> hotKeys();
// Live hot keys of one plugin.
int hotKeysOf(int plugin);

// --- monitors ------------------------------------------------------------------
// The monitors XPLMGetAllMonitorBoundsOS reports (every one, in list order,
// its index its place in the list) and XPLMGetAllMonitorBoundsGlobal reports
// (those under a full-screen simulator window, with the same indices). The
// bounds serve as both global boxels and OS pixels. Reset: one full-screen
// monitor 0, 1080, 1920, 0.
struct Monitor {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool fullScreen = true;
};
void setMonitors(const std::vector<Monitor>& monitors);

}  // namespace xplmsim

#endif
