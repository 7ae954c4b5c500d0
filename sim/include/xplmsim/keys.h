// The keyboard, screen and camera of the stand-in simulator.
#ifndef XPLMSIM_KEYS_H
#define XPLMSIM_KEYS_H

#include <XPLMCamera.h>
#include <XPLMDisplay.h>

namespace xplmsim {

// --- keys ------------------------------------------------------------------------
// Who took a key press: a sniffer before the windows, the window with keyboard
// focus, a sniffer after the windows, or (when nobody consumed it) the simulator.
enum class KeyTaker { SnifferBeforeWindows, Window, SnifferAfterWindows, Simulator, HotKey };
struct KeyResult {
  KeyTaker taker = KeyTaker::Simulator;
  XPLMWindowID window = nullptr;  // for KeyTaker::Window
};
// A key press: sniffers before the windows in registration order (one
// answering 0 consumes it), then the window with keyboard focus, then the
// hot keys when no window has focus (xplmsim/hot_keys.h), then the
// sniffers after the windows, then the simulator.
KeyResult pressKey(char key, XPLMKeyFlags flags, char virtualKey);
// Keys that reached the simulator itself since reset.
int keysReachingSimulator();
int keySnifferCount();
// While on, XPLMRegisterKeySniffer refuses every registration (answers 0).
void refuseKeySniffers(bool refuse);

// --- screen ------------------------------------------------------------------
// The main simulator window's size in pixels (XPLMGetScreenSize), the global
// desktop bounds in boxels (XPLMGetScreenBoundsGlobal) and where the main
// window's lower left corner lies on the desktop (legacy mouse positions are
// relative to it). Reset: 1920 x 1080 at (0, 0), desktop 0, 1080, 1920, 0.
void setScreenSize(int width, int height);
void setDesktopBounds(int left, int top, int right, int bottom);
void setMainWindowOrigin(int x, int y);

// --- camera ------------------------------------------------------------------
// The camera where it is now (set by the simulator, or moved by a controller).
XPLMCameraPosition_t cameraPosition();
void setCameraPosition(const XPLMCameraPosition_t& position);
// The user picks another view: a controller holding the camera until the view
// changes loses it (one call with the losing flag).
void userChangesView();
// Controller callbacks made since reset (losing-control calls included), and
// losing-control calls alone.
int cameraCallbacks();
int cameraLosingCalls();
// Called by drawFrame: the controller, if any, places the camera for the frame.
void runCamera();

}  // namespace xplmsim

#endif
