// Drawing phases, windows and input of the stand-in simulator.
#ifndef XPLMSIM_DISPLAY_H
#define XPLMSIM_DISPLAY_H

#include <XPLMDisplay.h>

#include <string>
#include <vector>

namespace xplmsim {

// --- drawing -------------------------------------------------------------------
// Draws one frame: the camera controller (if any) places the camera, then each phase of the scene (3-D, then cockpit 2-D) in turn, with
// its before-callbacks, the simulator's own drawing of the phase (skipped when a
// before-callback answered 0) and its after-callbacks; then every visible
// window, back to front. runFrames draws one frame per frame. The map phases
// are accepted at registration but drawn only while a map is open, which the
// stand-in never has.
void drawFrame();

// The phases the simulator itself drew in the latest frame, in drawing order.
const std::vector<int>& phasesDrawn();

// The phases of a frame, in drawing order.
const std::vector<int>& framePhases();

// Draw-callback registrations that exist.
int drawCallbackCount();

// --- windows -------------------------------------------------------------------
struct WindowInfo {
  XPLMWindowID id = nullptr;
  int owner = 0;                 // plugin that created it
  bool legacy = false;           // made by XPLMCreateWindow
  int structSize = 0;            // of the creation record (0 for legacy windows)
  int left = 0, top = 0, right = 0, bottom = 0;
  int osLeft = 0, osTop = 0, osRight = 0, osBottom = 0;
  bool visible = false;
  bool decorated = false;
  int layer = 0;
  std::string title;
  float gravity[4] = {0, 1, 0, 1};
  int limits[4] = {0, 0, 0, 0};  // min width, min height, max width, max height
  int positioningMode = 0;
  int monitor = -1;
  void* refcon = nullptr;
  bool hasDraw = false, hasKey = false, hasClick = false, hasRightClick = false, hasCursor = false,
       hasWheel = false;
  // Callbacks delivered to the window.
  int draws = 0, keys = 0, clicks = 0, rightClicks = 0, cursorQueries = 0, wheelTurns = 0;
};

// Windows that exist, in creation order.
std::vector<WindowInfo> windows();
// One window; a default WindowInfo (id null) if there is no such window.
WindowInfo window(XPLMWindowID id);
// The window holding keyboard focus, or null.
XPLMWindowID keyboardFocus();

// --- input ---------------------------------------------------------------------
// What became of one mouse or key event: the window that got it (null if none)
// and the callback's answer (0 if no callback was called).
struct InputResult {
  XPLMWindowID window = nullptr;
  int answer = 0;
};

// A mouse event at (x, y). Down goes to the front-most visible window under the
// point (higher layers first) that has a callback for the button; Drag and Up go
// to the window that got the Down. Without a right-click callback, right clicks
// fall through to the simulator.
InputResult mouse(int x, int y, XPLMMouseStatus status, bool right = false);
// Down then Up at the same point.
InputResult click(int x, int y, bool right = false);
// The mouse moves to (x, y): the front-most visible window under it with a
// cursor callback is asked for the cursor. The answer is its cursor status.
InputResult moveMouse(int x, int y);
// The wheel turns over (x, y): front-most visible window under it with a wheel callback.
InputResult turnWheel(int x, int y, int wheel, int clicks);
// Where the mouse is, in global desktop boxels (moveMouse and mouse move it).
void mouseLocation(int* x, int* y);

}  // namespace xplmsim

#endif
