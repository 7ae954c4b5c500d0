// XPLMCamera: one controller at a time places the camera each frame. Another
// controller taking over, the user changing the view (for control until the
// view changes) or the controller answering 0 ends its control with one call
// that has the losing flag set and a null record. XPLMDontControlCamera ends
// it without that call.
#include <XPLMCamera.h>

#include <limits>

#include "owners.h"
#include "state.h"
#include "xplmsim/keys.h"

using namespace xplmsim;

namespace {

struct Camera {
  XPLMCameraControl_f controller = nullptr;
  void* refcon = nullptr;
  int owner = 0;  // the plugin whose controller it is, and as which it is called
  XPLMCameraControlDuration duration = 0;
  long generation = 0;  // changes whenever the controller does
  XPLMCameraPosition_t position{0, 150, 30, -10, 160, 0, 1};
  int callbacks = 0;
  int losingCalls = 0;
};

Camera& camera() {
  static Camera instance;
  return instance;
}

// Ends the current control; the controller is told if `tell`.
void endControl(bool tell) {
  Camera& c = camera();
  const XPLMCameraControl_f controller = c.controller;
  void* refcon = c.refcon;
  const int owner = c.owner;
  c.controller = nullptr;
  c.refcon = nullptr;
  c.duration = 0;
  ++c.generation;
  if (tell && controller != nullptr) {
    ++c.callbacks;
    ++c.losingCalls;
    const CallerScope asOwner(owner);
    controller(nullptr, 1, refcon);
  }
}

}  // namespace

void XPLMControlCamera(XPLMCameraControlDuration inHowLong, XPLMCameraControl_f inControlFunc, void* inRefcon) {
  record("XPLMControlCamera", num(inHowLong), ptr(reinterpret_cast<void*>(inControlFunc)), ptr(inRefcon));
  if (inControlFunc == nullptr) return;
  endControl(true);
  Camera& c = camera();
  c.controller = inControlFunc;
  c.refcon = inRefcon;
  c.owner = currentPlugin();
  c.duration = inHowLong;
}

void XPLMDontControlCamera(void) {
  record("XPLMDontControlCamera");
  endControl(false);
}

int XPLMIsCameraBeingControlled(XPLMCameraControlDuration* outCameraControlDuration) {
  record("XPLMIsCameraBeingControlled", ptr(outCameraControlDuration));
  const Camera& c = camera();
  if (c.controller == nullptr) return 0;
  if (outCameraControlDuration != nullptr) *outCameraControlDuration = c.duration;
  return 1;
}

void XPLMReadCameraPosition(XPLMCameraPosition_t* outCameraPosition) {
  record("XPLMReadCameraPosition", ptr(outCameraPosition));
  if (outCameraPosition != nullptr) *outCameraPosition = camera().position;
}

namespace xplmsim {

// The record handed to the controller holds NaNs: its contents are undefined
// until the controller fills it.
void runCamera() {
  Camera& c = camera();
  if (c.controller == nullptr) return;
  const long generation = c.generation;
  constexpr float kUndefined = std::numeric_limits<float>::quiet_NaN();
  XPLMCameraPosition_t wanted{kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined};
  ++c.callbacks;
  const CallerScope asOwner(c.owner);
  const int keep = c.controller(&wanted, 0, c.refcon);
  if (c.generation != generation) return;  // the controller changed during its call
  if (keep != 0) {
    c.position = wanted;
  } else {
    endControl(true);
  }
}

XPLMCameraPosition_t cameraPosition() { return camera().position; }
void setCameraPosition(const XPLMCameraPosition_t& position) { camera().position = position; }

void userChangesView() {
  if (camera().controller != nullptr && camera().duration == xplm_ControlCameraUntilViewChanges) endControl(true);
}

int cameraCallbacks() { return camera().callbacks; }
int cameraControlOf(int plugin) { return camera().controller != nullptr && camera().owner == plugin ? 1 : 0; }
int cameraLosingCalls() { return camera().losingCalls; }

void clearCamera() { camera() = Camera{}; }

}  // namespace xplmsim
