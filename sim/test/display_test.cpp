// The stand-in's drawing phases, windows, input routing and graphics, as the
// simulator behaves.
#include <XPLMDisplay.h>
#include <XPLMGraphics.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "xplmsim/display.h"
#include "xplmsim/keys.h"
#include "xplmsim/graphics.h"
#include "xplmsim/sim.h"

namespace sim = xplmsim;

namespace {

std::vector<std::string> seen;

int drawAnswering(XPLMDrawingPhase phase, int before, void* refcon) {
  seen.push_back(std::to_string(phase) + (before ? " before" : " after"));
  return static_cast<int>(reinterpret_cast<intptr_t>(refcon));
}

void drawWindow(XPLMWindowID, void* refcon) { seen.push_back("draw " + std::string(static_cast<const char*>(refcon))); }
void key(XPLMWindowID, char k, XPLMKeyFlags, char, void* refcon, int losing) {
  seen.push_back(std::string("key ") + static_cast<const char*>(refcon) + " " + std::to_string(k) +
                 (losing ? " losing" : ""));
}
int clickAnswer = 1;
int leftClick(XPLMWindowID, int x, int y, XPLMMouseStatus status, void* refcon) {
  seen.push_back("click " + std::string(static_cast<const char*>(refcon)) + " " + std::to_string(x) + "," +
                 std::to_string(y) + " " + std::to_string(status));
  return clickAnswer;
}
int rightClick(XPLMWindowID, int, int, XPLMMouseStatus status, void* refcon) {
  seen.push_back("right " + std::string(static_cast<const char*>(refcon)) + " " + std::to_string(status));
  return 1;
}
XPLMCursorStatus cursor(XPLMWindowID, int, int, void*) { return xplm_CursorArrow; }
int wheel(XPLMWindowID, int, int, int, int clicks, void*) { return clicks; }

XPLMWindowID modern(const char* name, int l, int t, int r, int b, int layer, bool rightClicks = true) {
  XPLMCreateWindow_t params{};
  params.structSize = sizeof params;
  params.left = l;
  params.top = t;
  params.right = r;
  params.bottom = b;
  params.visible = 1;
  params.drawWindowFunc = drawWindow;
  params.handleMouseClickFunc = leftClick;
  params.handleKeyFunc = key;
  params.handleCursorFunc = cursor;
  params.handleMouseWheelFunc = wheel;
  params.refcon = const_cast<char*>(name);
  params.layer = layer;
  params.handleRightClickFunc = rightClicks ? rightClick : nullptr;
  return XPLMCreateWindowEx(&params);
}

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::reset();
    seen.clear();
    clickAnswer = 1;
  }
};

TEST_F(DisplayTest, PhasesRunBeforeOwnDrawingAfterAndAZeroSkipsIt) {
  void* skip = reinterpret_cast<void*>(0);
  void* keep = reinterpret_cast<void*>(1);
  EXPECT_EQ(1, XPLMRegisterDrawCallback(drawAnswering, xplm_Phase_Objects, 0, keep));
  EXPECT_EQ(1, XPLMRegisterDrawCallback(drawAnswering, xplm_Phase_Objects, 1, skip));
  EXPECT_EQ(1, XPLMRegisterDrawCallback(drawAnswering, xplm_Phase_Terrain, 1, keep));
  EXPECT_EQ(0, XPLMRegisterDrawCallback(drawAnswering, 7, 1, keep));
  EXPECT_EQ(0, XPLMRegisterDrawCallback(nullptr, xplm_Phase_Objects, 1, keep));
  EXPECT_EQ(1, XPLMRegisterDrawCallback(drawAnswering, xplm_Phase_LocalMap2D, 1, keep));
  sim::drawFrame();
  EXPECT_EQ((std::vector<std::string>{"5 before", "20 before", "20 after"}), seen);
  std::vector<int> expected = sim::framePhases();
  expected.erase(std::find(expected.begin(), expected.end(), xplm_Phase_Objects));
  EXPECT_EQ(expected, sim::phasesDrawn());
}

TEST_F(DisplayTest, UnregisteringNeedsAllFourValues) {
  void* refcon = reinterpret_cast<void*>(1);
  ASSERT_EQ(1, XPLMRegisterDrawCallback(drawAnswering, xplm_Phase_Panel, 1, refcon));
  EXPECT_EQ(0, XPLMUnregisterDrawCallback(drawAnswering, xplm_Phase_Gauges, 1, refcon));
  EXPECT_EQ(0, XPLMUnregisterDrawCallback(drawAnswering, xplm_Phase_Panel, 0, refcon));
  EXPECT_EQ(0, XPLMUnregisterDrawCallback(drawAnswering, xplm_Phase_Panel, 1, nullptr));
  EXPECT_EQ(1, sim::drawCallbackCount());
  EXPECT_EQ(1, XPLMUnregisterDrawCallback(drawAnswering, xplm_Phase_Panel, 1, refcon));
  EXPECT_EQ(0, XPLMUnregisterDrawCallback(drawAnswering, xplm_Phase_Panel, 1, refcon));
}

TEST_F(DisplayTest, LegacyAndShortRecordsMakeLegacyFloatingWindows) {
  XPLMWindowID legacy = XPLMCreateWindow(0, 10, 10, 0, 1, drawWindow, key, leftClick, const_cast<char*>("L"));
  EXPECT_TRUE(sim::window(legacy).legacy);
  EXPECT_EQ(xplm_WindowLayerFloatingWindows, sim::window(legacy).layer);
  XPLMSetWindowTitle(legacy, "ignored");
  EXPECT_EQ("", sim::window(legacy).title);

  XPLMCreateWindow_t old{};
  old.structSize = 72;
  old.visible = 1;
  XPLMWindowID fromOld = XPLMCreateWindowEx(&old);
  ASSERT_NE(nullptr, fromOld);
  EXPECT_TRUE(sim::window(fromOld).legacy);
  old.structSize = 12;
  EXPECT_EQ(nullptr, XPLMCreateWindowEx(&old));
  EXPECT_EQ(nullptr, XPLMCreateWindowEx(nullptr));
}

TEST_F(DisplayTest, ClicksGoToTheFrontWindowOfTheHighestLayerAndStayWithIt) {
  XPLMWindowID low = modern("low", 0, 100, 100, 0, xplm_WindowLayerFloatingWindows);
  XPLMWindowID lowFront = modern("lowFront", 50, 100, 150, 0, xplm_WindowLayerFloatingWindows);
  modern("high", 80, 100, 120, 0, xplm_WindowLayerModal);
  EXPECT_EQ(lowFront, sim::click(60, 50).window);
  EXPECT_EQ(low, sim::click(10, 50).window);
  XPLMBringWindowToFront(low);
  EXPECT_EQ(low, sim::click(60, 50).window);
  seen.clear();
  // Drag and Up follow the window that got the Down, wherever the mouse goes.
  sim::mouse(90, 50, xplm_MouseDown);
  sim::mouse(500, 500, xplm_MouseDrag);
  sim::mouse(-5, -5, xplm_MouseUp);
  EXPECT_EQ((std::vector<std::string>{"click high 90,50 1", "click high 500,500 2", "click high -5,-5 3"}), seen);
  EXPECT_EQ(nullptr, sim::click(1000, 1000).window);
}

TEST_F(DisplayTest, RightClicksNeedARightClickCallbackAndHiddenWindowsGetNothing) {
  XPLMWindowID noRight = modern("noRight", 0, 100, 100, 0, 1, false);
  XPLMWindowID under = modern("under", 0, 100, 100, 0, 0, true);
  EXPECT_EQ(under, sim::click(10, 10, true).window);
  EXPECT_EQ(noRight, sim::click(10, 10).window);
  XPLMSetWindowIsVisible(noRight, 0);
  EXPECT_EQ(under, sim::click(10, 10).window);
  EXPECT_EQ(xplm_CursorArrow, sim::moveMouse(10, 10).answer);
  EXPECT_EQ(-4, sim::turnWheel(10, 10, 0, -4).answer);
  int x = 0, y = 0;
  sim::mouseLocation(&x, &y);
  EXPECT_EQ(10, x);
}

TEST_F(DisplayTest, FocusMovesWithALosingFocusCallAndDiesQuietlyWithItsWindow) {
  XPLMWindowID a = modern("a", 0, 10, 10, 0, 1);
  XPLMWindowID b = modern("b", 0, 10, 10, 0, 1);
  EXPECT_EQ(sim::KeyTaker::Simulator, sim::pressKey('k', 0, 'k').taker);
  XPLMTakeKeyboardFocus(a);
  sim::pressKey('k', 0, 'k');
  XPLMTakeKeyboardFocus(b);
  sim::pressKey('m', 0, 'm');
  XPLMDestroyWindow(b);
  EXPECT_EQ(nullptr, sim::keyboardFocus());
  EXPECT_EQ((std::vector<std::string>{"key a 107", "key a 0 losing", "key b 109"}), seen);
  // A dead handle is ignored everywhere, and every use of it is counted.
  XPLMTakeKeyboardFocus(b);
  EXPECT_EQ(nullptr, sim::keyboardFocus());
  EXPECT_EQ(0, XPLMGetWindowIsVisible(b));
  EXPECT_EQ(nullptr, XPLMGetWindowRefCon(b));
  int l = 7;
  XPLMGetWindowGeometry(b, &l, nullptr, nullptr, nullptr);
  XPLMGetWindowGeometryOS(b, &l, nullptr, nullptr, nullptr);
  EXPECT_EQ(7, l);
  XPLMSetWindowGeometry(b, 1, 2, 3, 4);
  XPLMSetWindowGeometryOS(b, 1, 2, 3, 4);
  XPLMSetWindowIsVisible(b, 1);
  EXPECT_EQ(0, XPLMWindowIsPoppedOut(b));
  XPLMSetWindowGravity(b, 0, 1, 1, 0);
  XPLMSetWindowResizingLimits(b, 1, 1, 9, 9);
  XPLMSetWindowPositioningMode(b, xplm_WindowPopOut, -1);
  XPLMSetWindowTitle(b, "gone");
  XPLMSetWindowRefCon(b, nullptr);
  XPLMBringWindowToFront(b);
  EXPECT_EQ(0, XPLMIsWindowInFront(b));
  XPLMDestroyWindow(b);
  EXPECT_EQ(1u, sim::windows().size());
  std::map<std::string, int> expected;
  for (const char* f : {"XPLMTakeKeyboardFocus", "XPLMGetWindowIsVisible", "XPLMGetWindowRefCon",
                        "XPLMGetWindowGeometry", "XPLMGetWindowGeometryOS", "XPLMSetWindowGeometry",
                        "XPLMSetWindowGeometryOS", "XPLMSetWindowIsVisible", "XPLMWindowIsPoppedOut",
                        "XPLMSetWindowGravity", "XPLMSetWindowResizingLimits", "XPLMSetWindowPositioningMode",
                        "XPLMSetWindowTitle", "XPLMSetWindowRefCon", "XPLMBringWindowToFront",
                        "XPLMIsWindowInFront", "XPLMDestroyWindow"}) {
    expected[f] = 1;
  }
  EXPECT_EQ(expected, sim::releasedHandleUses());
  // Handles never handed out are not released ones.
  XPLMDestroyWindow(nullptr);
  XPLMSetWindowIsVisible(reinterpret_cast<XPLMWindowID>(0x1234), 1);
  EXPECT_EQ(expected, sim::releasedHandleUses());
  sim::clearReleasedHandleUses();
  EXPECT_TRUE(sim::releasedHandleUses().empty());
}

TEST_F(DisplayTest, FrontOrderVisibilityAndPopOut) {
  XPLMWindowID a = modern("a", 0, 100, 200, 0, 1);
  XPLMWindowID b = modern("b", 0, 100, 200, 0, 1);
  XPLMWindowID overlay = modern("o", 0, 100, 200, 0, 0);
  EXPECT_EQ(1, XPLMIsWindowInFront(b));
  EXPECT_EQ(1, XPLMIsWindowInFront(overlay));  // front of its own layer
  EXPECT_EQ(0, XPLMIsWindowInFront(a));
  XPLMSetWindowIsVisible(b, 0);
  EXPECT_EQ(1, XPLMIsWindowInFront(a));

  XPLMSetWindowPositioningMode(a, xplm_WindowPopOut, -1);
  EXPECT_EQ(1, XPLMWindowIsPoppedOut(a));
  int l = 0, t = 0, r = 0, btm = 0;
  XPLMGetWindowGeometryOS(a, &l, &t, &r, &btm);
  EXPECT_EQ(200, r);
  XPLMSetWindowGeometry(a, 1, 2, 3, 4);  // not for popped-out windows
  XPLMGetWindowGeometry(a, &l, nullptr, nullptr, nullptr);
  EXPECT_EQ(0, l);
  sim::drawFrame();
  EXPECT_EQ((std::vector<std::string>{"draw o", "draw a"}), seen);  // layers bottom up; b is hidden
}

TEST_F(DisplayTest, GraphicsConversionRoundTripsAndTexturesAreFresh) {
  sim::setLocalOrigin(51.47, -0.45);
  double x = 0, y = 0, z = 0;
  XPLMWorldToLocal(51.48, -0.44, 25, &x, &y, &z);
  EXPECT_GT(x, 0);  // east
  EXPECT_LT(z, 0);  // north is -z
  EXPECT_EQ(25, y);
  double lat = 0, lon = 0, alt = 0;
  XPLMLocalToWorld(x, y, z, &lat, &lon, &alt);
  EXPECT_NEAR(51.48, lat, 1e-9);
  EXPECT_NEAR(-0.44, lon, 1e-9);
  XPLMWorldToLocal(0, 0, 0, nullptr, nullptr, nullptr);

  int ids[3] = {0, 0, 0};
  XPLMGenerateTextureNumbers(ids, 3);
  int more[2] = {0, 0};
  XPLMGenerateTextureNumbers(more, 2);
  EXPECT_NE(ids[0], ids[1]);
  EXPECT_NE(ids[2], more[0]);
  EXPECT_NE(0, XPLMGetTexture(xplm_Tex_GeneralInterface));
  EXPECT_EQ(0, XPLMGetTexture(99));

  float rgb[3] = {1, 0.5f, 0};
  XPLMDrawString(rgb, 1, 2, const_cast<char*>("no wrap"), nullptr, xplmFont_Basic);
  EXPECT_FALSE(sim::drawnStrings().back().wrapped);
  EXPECT_EQ(-1, sim::lastCall("XPLMDrawString")->i(6));
}

}  // namespace
