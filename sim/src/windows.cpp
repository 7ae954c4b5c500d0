// XPLMDisplay windows: creation records, geometry, visibility, layers and
// front-to-back order, keyboard focus, and input delivered to the right
// window's callbacks. A destroyed window's handle stays known as dead, so
// calls with it do nothing and are counted as uses of a released handle.
#include <XPLMDisplay.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "state.h"
#include "xplmsim/display.h"

using namespace xplmsim;

namespace {

struct WindowEntry {
  WindowInfo info;
  bool alive = true;
  XPLMDrawWindow_f draw = nullptr;
  XPLMHandleKey_f key = nullptr;
  XPLMHandleMouseClick_f click = nullptr;
  XPLMHandleMouseClick_f rightClick = nullptr;
  XPLMHandleCursor_f cursor = nullptr;
  XPLMHandleMouseWheel_f wheel = nullptr;
};

constexpr int kLayers = 4;

struct Windows {
  HandleTable<WindowEntry, 0x3D0F> table;
  std::vector<size_t> order;      // back to front, across layers
  std::vector<size_t> drawOrder;  // reused while drawing
  XPLMWindowID focus = nullptr;
  XPLMWindowID captured = nullptr;  // got the latest mouse Down
  bool capturedRight = false;
  int mouseX = 0, mouseY = 0;
};

Windows& windowsState() {
  static Windows instance;
  return instance;
}

WindowEntry* live(XPLMWindowID id) {
  WindowEntry* entry = windowsState().table.find(id);
  return entry != nullptr && entry->alive ? entry : nullptr;
}

// The same for a handle a plugin passed to `function`: a destroyed window is
// counted as a released handle used.
WindowEntry* live(XPLMWindowID id, const char* function) {
  const WindowEntry* entry = windowsState().table.find(id);
  if (entry != nullptr && !entry->alive) countReleasedHandleUse(function);
  return live(id);
}

void toFront(size_t index) {
  std::vector<size_t>& order = windowsState().order;
  order.erase(std::remove(order.begin(), order.end(), index), order.end());
  order.push_back(index);
}

XPLMWindowID addWindow(WindowEntry entry) {
  Windows& w = windowsState();
  entry.info.owner = currentPlugin();
  XPLMWindowID id = w.table.add(std::make_unique<WindowEntry>(std::move(entry)));
  w.table.at(w.table.size() - 1).info.id = id;
  w.order.push_back(w.table.size() - 1);
  return id;
}

bool contains(const WindowInfo& info, int x, int y) {
  return x >= info.left && x <= info.right && y >= info.bottom && y <= info.top;
}

// The front-most visible window under (x, y) that `wants`, higher layers first.
template <typename Wants>
WindowEntry* hit(int x, int y, Wants wants) {
  Windows& w = windowsState();
  for (int layer = kLayers - 1; layer >= 0; --layer) {
    for (auto it = w.order.rbegin(); it != w.order.rend(); ++it) {
      WindowEntry& entry = w.table.at(*it);
      if (entry.info.layer == layer && entry.info.visible && contains(entry.info, x, y) && wants(entry)) {
        return &entry;
      }
    }
  }
  return nullptr;
}

void writeRect(int a, int b, int c, int d, int* outA, int* outB, int* outC, int* outD) {
  if (outA != nullptr) *outA = a;
  if (outB != nullptr) *outB = b;
  if (outC != nullptr) *outC = c;
  if (outD != nullptr) *outD = d;
}

}  // namespace

XPLMWindowID XPLMCreateWindowEx(XPLMCreateWindow_t* inParams) {
  record("XPLMCreateWindowEx", ptr(inParams));
  if (inParams == nullptr || inParams->structSize < static_cast<int>(offsetof(XPLMCreateWindow_t, decorateAsFloatingWindow))) {
    return nullptr;
  }
  WindowEntry entry;
  WindowInfo& info = entry.info;
  info.structSize = inParams->structSize;
  info.left = inParams->left;
  info.top = inParams->top;
  info.right = inParams->right;
  info.bottom = inParams->bottom;
  info.visible = inParams->visible != 0;
  info.refcon = inParams->refcon;
  entry.draw = inParams->drawWindowFunc;
  entry.click = inParams->handleMouseClickFunc;
  entry.key = inParams->handleKeyFunc;
  entry.cursor = inParams->handleCursorFunc;
  entry.wheel = inParams->handleMouseWheelFunc;
  if (inParams->structSize >= static_cast<int>(sizeof(XPLMCreateWindow_t))) {
    info.decorated = inParams->decorateAsFloatingWindow != 0;
    info.layer = inParams->layer;
    entry.rightClick = inParams->handleRightClickFunc;
  } else {
    // A record without the layer fields comes from an older SDK: a legacy, floating window.
    info.legacy = true;
    info.layer = xplm_WindowLayerFloatingWindows;
  }
  if (info.layer < 0 || info.layer >= kLayers) info.layer = xplm_WindowLayerFloatingWindows;
  return addWindow(std::move(entry));
}

XPLMWindowID XPLMCreateWindow(int inLeft, int inTop, int inRight, int inBottom, int inIsVisible,
                              XPLMDrawWindow_f inDrawCallback, XPLMHandleKey_f inKeyCallback,
                              XPLMHandleMouseClick_f inMouseCallback, void* inRefcon) {
  record("XPLMCreateWindow", num(inLeft), num(inTop), num(inRight), num(inBottom), num(inIsVisible),
         ptr(reinterpret_cast<void*>(inDrawCallback)), ptr(reinterpret_cast<void*>(inKeyCallback)),
         ptr(reinterpret_cast<void*>(inMouseCallback)), ptr(inRefcon));
  WindowEntry entry;
  entry.info.legacy = true;
  entry.info.layer = xplm_WindowLayerFloatingWindows;
  entry.info.left = inLeft;
  entry.info.top = inTop;
  entry.info.right = inRight;
  entry.info.bottom = inBottom;
  entry.info.visible = inIsVisible != 0;
  entry.info.refcon = inRefcon;
  entry.draw = inDrawCallback;
  entry.key = inKeyCallback;
  entry.click = inMouseCallback;
  return addWindow(std::move(entry));
}

// Focus goes quietly with the window: no key callback follows its destruction.
void XPLMDestroyWindow(XPLMWindowID inWindowID) {
  record("XPLMDestroyWindow", ptr(inWindowID));
  Windows& w = windowsState();
  WindowEntry* entry = live(inWindowID, "XPLMDestroyWindow");
  if (entry == nullptr) return;
  entry->alive = false;
  if (w.focus == inWindowID) w.focus = nullptr;
  if (w.captured == inWindowID) w.captured = nullptr;
  for (size_t i = 0; i < w.order.size(); ++i) {
    if (w.table.handleOf(w.order[i]) == inWindowID) {
      w.order.erase(w.order.begin() + static_cast<long>(i));
      break;
    }
  }
}

void XPLMGetWindowGeometry(XPLMWindowID inWindowID, int* outLeft, int* outTop, int* outRight, int* outBottom) {
  record("XPLMGetWindowGeometry", ptr(inWindowID));
  const WindowEntry* e = live(inWindowID, "XPLMGetWindowGeometry");
  if (e == nullptr) return;
  writeRect(e->info.left, e->info.top, e->info.right, e->info.bottom, outLeft, outTop, outRight, outBottom);
}

void XPLMSetWindowGeometry(XPLMWindowID inWindowID, int inLeft, int inTop, int inRight, int inBottom) {
  record("XPLMSetWindowGeometry", ptr(inWindowID), num(inLeft), num(inTop), num(inRight), num(inBottom));
  WindowEntry* e = live(inWindowID, "XPLMSetWindowGeometry");
  if (e == nullptr || e->info.positioningMode == xplm_WindowPopOut) return;
  e->info.left = inLeft;
  e->info.top = inTop;
  e->info.right = inRight;
  e->info.bottom = inBottom;
}

void XPLMGetWindowGeometryOS(XPLMWindowID inWindowID, int* outLeft, int* outTop, int* outRight, int* outBottom) {
  record("XPLMGetWindowGeometryOS", ptr(inWindowID));
  const WindowEntry* e = live(inWindowID, "XPLMGetWindowGeometryOS");
  if (e == nullptr) return;
  writeRect(e->info.osLeft, e->info.osTop, e->info.osRight, e->info.osBottom, outLeft, outTop, outRight,
            outBottom);
}

void XPLMSetWindowGeometryOS(XPLMWindowID inWindowID, int inLeft, int inTop, int inRight, int inBottom) {
  record("XPLMSetWindowGeometryOS", ptr(inWindowID), num(inLeft), num(inTop), num(inRight), num(inBottom));
  WindowEntry* e = live(inWindowID, "XPLMSetWindowGeometryOS");
  if (e == nullptr) return;
  e->info.osLeft = inLeft;
  e->info.osTop = inTop;
  e->info.osRight = inRight;
  e->info.osBottom = inBottom;
}

int XPLMGetWindowIsVisible(XPLMWindowID inWindowID) {
  record("XPLMGetWindowIsVisible", ptr(inWindowID));
  const WindowEntry* e = live(inWindowID, "XPLMGetWindowIsVisible");
  return e != nullptr && e->info.visible ? 1 : 0;
}

void XPLMSetWindowIsVisible(XPLMWindowID inWindowID, int inIsVisible) {
  record("XPLMSetWindowIsVisible", ptr(inWindowID), num(inIsVisible));
  if (WindowEntry* e = live(inWindowID, "XPLMSetWindowIsVisible")) e->info.visible = inIsVisible != 0;
}

int XPLMWindowIsPoppedOut(XPLMWindowID inWindowID) {
  record("XPLMWindowIsPoppedOut", ptr(inWindowID));
  const WindowEntry* e = live(inWindowID, "XPLMWindowIsPoppedOut");
  return e != nullptr && e->info.positioningMode == xplm_WindowPopOut ? 1 : 0;
}

void XPLMSetWindowGravity(XPLMWindowID inWindowID, float inLeftGravity, float inTopGravity, float inRightGravity,
                          float inBottomGravity) {
  record("XPLMSetWindowGravity", ptr(inWindowID), real(inLeftGravity), real(inTopGravity), real(inRightGravity),
         real(inBottomGravity));
  WindowEntry* e = live(inWindowID, "XPLMSetWindowGravity");
  if (e == nullptr || e->info.legacy) return;
  const float gravity[4] = {inLeftGravity, inTopGravity, inRightGravity, inBottomGravity};
  std::memcpy(e->info.gravity, gravity, sizeof gravity);
}

void XPLMSetWindowResizingLimits(XPLMWindowID inWindowID, int inMinWidthBoxels, int inMinHeightBoxels,
                                 int inMaxWidthBoxels, int inMaxHeightBoxels) {
  record("XPLMSetWindowResizingLimits", ptr(inWindowID), num(inMinWidthBoxels), num(inMinHeightBoxels),
         num(inMaxWidthBoxels), num(inMaxHeightBoxels));
  WindowEntry* e = live(inWindowID, "XPLMSetWindowResizingLimits");
  if (e == nullptr || e->info.legacy) return;
  const int limits[4] = {inMinWidthBoxels, inMinHeightBoxels, inMaxWidthBoxels, inMaxHeightBoxels};
  std::memcpy(e->info.limits, limits, sizeof limits);
}

// Popping a window out gives it an OS window where it was.
void XPLMSetWindowPositioningMode(XPLMWindowID inWindowID, XPLMWindowPositioningMode inPositioningMode,
                                  int inMonitorIndex) {
  record("XPLMSetWindowPositioningMode", ptr(inWindowID), num(inPositioningMode), num(inMonitorIndex));
  WindowEntry* e = live(inWindowID, "XPLMSetWindowPositioningMode");
  if (e == nullptr || e->info.legacy) return;
  if (inPositioningMode == xplm_WindowPopOut && e->info.positioningMode != xplm_WindowPopOut) {
    e->info.osLeft = e->info.left;
    e->info.osTop = e->info.top;
    e->info.osRight = e->info.right;
    e->info.osBottom = e->info.bottom;
  }
  e->info.positioningMode = inPositioningMode;
  e->info.monitor = inMonitorIndex;
}

void XPLMSetWindowTitle(XPLMWindowID inWindowID, const char* inWindowTitle) {
  record("XPLMSetWindowTitle", ptr(inWindowID), std::string(inWindowTitle != nullptr ? inWindowTitle : ""));
  WindowEntry* e = live(inWindowID, "XPLMSetWindowTitle");
  if (e == nullptr || e->info.legacy) return;
  e->info.title = inWindowTitle != nullptr ? inWindowTitle : "";
}

void* XPLMGetWindowRefCon(XPLMWindowID inWindowID) {
  record("XPLMGetWindowRefCon", ptr(inWindowID));
  const WindowEntry* e = live(inWindowID, "XPLMGetWindowRefCon");
  return e != nullptr ? e->info.refcon : nullptr;
}

void XPLMSetWindowRefCon(XPLMWindowID inWindowID, void* inRefcon) {
  record("XPLMSetWindowRefCon", ptr(inWindowID), ptr(inRefcon));
  if (WindowEntry* e = live(inWindowID, "XPLMSetWindowRefCon")) e->info.refcon = inRefcon;
}

// The previous holder of the focus is told with a key callback (losingFocus 1).
void XPLMTakeKeyboardFocus(XPLMWindowID inWindow) {
  record("XPLMTakeKeyboardFocus", ptr(inWindow));
  Windows& w = windowsState();
  if (inWindow != nullptr && live(inWindow, "XPLMTakeKeyboardFocus") == nullptr) return;
  const XPLMWindowID previous = w.focus;
  if (previous == inWindow) return;
  w.focus = inWindow;
  if (WindowEntry* old = live(previous)) {
    if (old->key != nullptr) {
      ++old->info.keys;
      const CallerScope asOwner(old->info.owner);
      old->key(previous, 0, 0, 0, old->info.refcon, 1);
    }
  }
}

void XPLMBringWindowToFront(XPLMWindowID inWindow) {
  record("XPLMBringWindowToFront", ptr(inWindow));
  Windows& w = windowsState();
  if (live(inWindow, "XPLMBringWindowToFront") == nullptr) return;
  for (size_t index : w.order) {
    if (w.table.handleOf(index) == inWindow) {
      toFront(index);
      return;
    }
  }
}

int XPLMIsWindowInFront(XPLMWindowID inWindow) {
  record("XPLMIsWindowInFront", ptr(inWindow));
  Windows& w = windowsState();
  const WindowEntry* e = live(inWindow, "XPLMIsWindowInFront");
  if (e == nullptr || !e->info.visible) return 0;
  for (auto it = w.order.rbegin(); it != w.order.rend(); ++it) {
    const WindowEntry& other = w.table.at(*it);
    if (other.info.layer == e->info.layer && other.info.visible) return other.info.id == inWindow ? 1 : 0;
  }
  return 0;
}

namespace xplmsim {

void drawWindows() {
  Windows& w = windowsState();
  w.drawOrder = w.order;
  for (int layer = 0; layer < kLayers; ++layer) {
    for (size_t index : w.drawOrder) {
      WindowEntry& e = w.table.at(index);
      if (!e.alive || !e.info.visible || e.info.layer != layer || e.draw == nullptr) continue;
      ++e.info.draws;
      const CallerScope asOwner(e.info.owner);
      e.draw(e.info.id, e.info.refcon);
    }
  }
}

std::vector<WindowInfo> windows() {
  std::vector<WindowInfo> all;
  Windows& w = windowsState();
  for (size_t i = 0; i < w.table.size(); ++i) {
    const WindowEntry& e = w.table.at(i);
    if (!e.alive) continue;
    all.push_back(e.info);
    WindowInfo& info = all.back();
    info.hasDraw = e.draw != nullptr;
    info.hasKey = e.key != nullptr;
    info.hasClick = e.click != nullptr;
    info.hasRightClick = e.rightClick != nullptr;
    info.hasCursor = e.cursor != nullptr;
    info.hasWheel = e.wheel != nullptr;
  }
  return all;
}

WindowInfo window(XPLMWindowID id) {
  for (const WindowInfo& info : windows()) {
    if (info.id == id) return info;
  }
  return WindowInfo{};
}

XPLMWindowID keyboardFocus() { return windowsState().focus; }

InputResult mouse(int x, int y, XPLMMouseStatus status, bool right) {
  Windows& w = windowsState();
  w.mouseX = x;
  w.mouseY = y;
  WindowEntry* target = nullptr;
  if (status == xplm_MouseDown) {
    target = hit(x, y, [&](const WindowEntry& e) { return (right ? e.rightClick : e.click) != nullptr; });
    w.captured = target != nullptr ? target->info.id : nullptr;
    w.capturedRight = right;
  } else if (w.capturedRight == right) {
    target = live(w.captured);
    if (status == xplm_MouseUp) w.captured = nullptr;
  }
  if (target == nullptr) return InputResult{};
  XPLMHandleMouseClick_f callback = right ? target->rightClick : target->click;
  if (callback == nullptr) return InputResult{};
  ++(right ? target->info.rightClicks : target->info.clicks);
  const XPLMWindowID id = target->info.id;
  const CallerScope asOwner(target->info.owner);
  return InputResult{id, callback(id, x, y, status, target->info.refcon)};
}

InputResult click(int x, int y, bool right) {
  InputResult down = mouse(x, y, xplm_MouseDown, right);
  mouse(x, y, xplm_MouseUp, right);
  return down;
}

InputResult moveMouse(int x, int y) {
  Windows& w = windowsState();
  w.mouseX = x;
  w.mouseY = y;
  WindowEntry* target = hit(x, y, [](const WindowEntry& e) { return e.cursor != nullptr; });
  if (target == nullptr) return InputResult{};
  ++target->info.cursorQueries;
  const CallerScope asOwner(target->info.owner);
  return InputResult{target->info.id, target->cursor(target->info.id, x, y, target->info.refcon)};
}

InputResult turnWheel(int x, int y, int wheel, int clicks) {
  Windows& w = windowsState();
  w.mouseX = x;
  w.mouseY = y;
  WindowEntry* target = hit(x, y, [](const WindowEntry& e) { return e.wheel != nullptr; });
  if (target == nullptr) return InputResult{};
  ++target->info.wheelTurns;
  const CallerScope asOwner(target->info.owner);
  return InputResult{target->info.id, target->wheel(target->info.id, x, y, wheel, clicks, target->info.refcon)};
}

InputResult deliverKeyToFocus(char key, XPLMKeyFlags flags, char virtualKey) {
  WindowEntry* target = live(windowsState().focus);
  if (target == nullptr || target->key == nullptr) return InputResult{};
  ++target->info.keys;
  const CallerScope asOwner(target->info.owner);
  target->key(target->info.id, key, flags, virtualKey, target->info.refcon, 0);
  return InputResult{target->info.id, 1};
}

void mouseLocation(int* x, int* y) {
  writeRect(windowsState().mouseX, windowsState().mouseY, 0, 0, x, y, nullptr, nullptr);
}

void clearWindows() {
  Windows& w = windowsState();
  w.table.clear();
  w.order.clear();
  w.focus = nullptr;
  w.captured = nullptr;
  w.mouseX = 0;
  w.mouseY = 0;
}

}  // namespace xplmsim
