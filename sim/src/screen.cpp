// XPLMDisplay screen and mouse queries. The mouse moves with xplmsim's mouse
// input (display.h); legacy positions are relative to the main window.
#include <XPLMDisplay.h>

#include "state.h"
#include "xplmsim/display.h"
#include "xplmsim/keys.h"

using namespace xplmsim;

namespace {

struct Screen {
  int width = 1920, height = 1080;
  int bounds[4] = {0, 1080, 1920, 0};
  int originX = 0, originY = 0;
};

Screen& screen() {
  static Screen instance;
  return instance;
}

void put(int value, int* out) {
  if (out != nullptr) *out = value;
}

}  // namespace

void XPLMGetScreenSize(int* outWidth, int* outHeight) {
  record("XPLMGetScreenSize", ptr(outWidth), ptr(outHeight));
  put(screen().width, outWidth);
  put(screen().height, outHeight);
}

void XPLMGetScreenBoundsGlobal(int* outLeft, int* outTop, int* outRight, int* outBottom) {
  record("XPLMGetScreenBoundsGlobal", ptr(outLeft), ptr(outTop), ptr(outRight), ptr(outBottom));
  const int* b = screen().bounds;
  put(b[0], outLeft);
  put(b[1], outTop);
  put(b[2], outRight);
  put(b[3], outBottom);
}

void XPLMGetMouseLocation(int* outX, int* outY) {
  record("XPLMGetMouseLocation", ptr(outX), ptr(outY));
  int x = 0, y = 0;
  mouseLocation(&x, &y);
  put(x - screen().originX, outX);
  put(y - screen().originY, outY);
}

void XPLMGetMouseLocationGlobal(int* outX, int* outY) {
  record("XPLMGetMouseLocationGlobal", ptr(outX), ptr(outY));
  mouseLocation(outX, outY);
}

namespace xplmsim {

void setScreenSize(int width, int height) {
  screen().width = width;
  screen().height = height;
}

void setDesktopBounds(int left, int top, int right, int bottom) {
  int* b = screen().bounds;
  b[0] = left;
  b[1] = top;
  b[2] = right;
  b[3] = bottom;
}

void setMainWindowOrigin(int x, int y) {
  screen().originX = x;
  screen().originY = y;
}

void clearScreen() { screen() = Screen{}; }

}  // namespace xplmsim
