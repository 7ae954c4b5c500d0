// Camera control from Java: the shared position object, the controller's
// reference released by the losing-control call, faults in controlCamera and
// getPos, and the screen and mouse queries that go with the view.
#include <XPLMCamera.h>

#include <cmath>

#include "jvm_harness.h"
#include "xplmsim/display.h"
#include "xplmsim/keys.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

using Calls = std::vector<std::string>;

class CameraTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    helper = findClass("com/brevanto/qovin/camera/XPlaneCameraControlHelper");
  }
  jobject controller(int giveUpOnCall) {
    return newObject("com/brevanto/qovin/testing/ScriptedCamera", "(I)V", giveUpOnCall);
  }
  void control(jobject c, int howLong) {
    callStatic(helper, staticMethod(helper, "controlCameraN", "(Lcom/brevanto/qovin/camera/QOVINCameraControl;I)V"), c,
               howLong);
  }
  jobject duration() {
    return callStatic<jobject>(helper, staticMethod(helper, "isCameraBeingControlledN", "()Ljava/lang/Integer;"));
  }
  Calls calls(jobject c) { return takeStrings(c, "takeCalls"); }
  static std::vector<float> where() {
    const XPLMCameraPosition_t p = sim::cameraPosition();
    return {p.x, p.y, p.z, p.pitch, p.heading, p.roll, p.zoom};
  }
  jclass helper = nullptr;
};

TEST_F(CameraTest, ControllerPlacesTheCameraEachFrameFromGetPos) {
  jobject c = controller(0);
  EXPECT_EQ(nullptr, duration());
  control(c, xplm_ControlCameraForever);
  jobject d = duration();
  ASSERT_NE(nullptr, d);
  EXPECT_EQ(2, callMethod<jint>(d, "intValue", "()I"));
  sim::drawFrame();
  EXPECT_EQ((std::vector<float>{1, 2, 3, 10, 20, 30, 1}), where());
  sim::drawFrame();
  EXPECT_EQ((std::vector<float>{2, 4, 6, 10, 20, 30, 1}), where());
  // The shared position object keeps the values of the previous call.
  const Calls seen = calls(c);
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ("control 1,2,3,10,20,30,1", seen[1]);
  XPLMDontControlCamera();
}

TEST_F(CameraTest, LosingControlPassesTheSharedPositionAndReleasesTheController) {
  jobject c = controller(0);
  jobject weak = weakReference(c);
  control(c, xplm_ControlCameraUntilViewChanges);
  sim::drawFrame();
  sim::userChangesView();
  const Calls seen = calls(c);  // the first call sees whatever an earlier controller left
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ("losing 1,2,3,10,20,30,1", seen[1]);
  EXPECT_EQ(nullptr, duration());
  env()->DeleteLocalRef(c);
  EXPECT_TRUE(collected(weak));
}

TEST_F(CameraTest, GivingUpOrBeingTakenOverReleasesTheController) {
  jobject quitter = controller(2);
  jobject weakQuitter = weakReference(quitter);
  control(quitter, xplm_ControlCameraForever);
  sim::runFrames(3, 0.05f);
  EXPECT_EQ(3, sim::cameraCallbacks());  // two frames in control, then the losing call
  EXPECT_EQ(1, sim::cameraLosingCalls());
  EXPECT_EQ((std::vector<float>{1, 2, 3, 10, 20, 30, 1}), where());  // the second frame was given up
  env()->DeleteLocalRef(quitter);
  EXPECT_TRUE(collected(weakQuitter));

  jobject first = controller(0);
  jobject second = controller(0);
  jobject weakFirst = weakReference(first);
  control(first, xplm_ControlCameraForever);
  sim::drawFrame();
  control(second, xplm_ControlCameraForever);
  EXPECT_EQ(2, sim::cameraLosingCalls());
  env()->DeleteLocalRef(first);
  EXPECT_TRUE(collected(weakFirst));
  sim::drawFrame();
  EXPECT_EQ(1u, calls(second).size());
  XPLMDontControlCamera();
}

TEST_F(CameraTest, FaultsInControlCameraOrGetPosGiveControlUpWithoutMovingTheCamera) {
  for (const char* mode : {"throw", "short", "null"}) {
    SCOPED_TRACE(mode);
    sim::reset();
    jobject c = controller(0);
    jobject weak = weakReference(c);
    control(c, xplm_ControlCameraForever);
    sim::drawFrame();
    const std::vector<float> before = where();
    callMethod(c, "setMode", "(Ljava/lang/String;)V", env()->NewStringUTF(mode));
    const std::string printed = captureJavaStderr([] {
      sim::drawFrame();
      ASSERT_FALSE(env()->ExceptionCheck());
    });
    const std::string expected = std::string(mode) == "throw"  ? "camera controller failed"
                                 : std::string(mode) == "null" ? "no camera position array"
                                                               : "";
    EXPECT_NE(std::string::npos, printed.find(expected)) << printed;
    EXPECT_EQ(before, where());
    for (float value : where()) EXPECT_FALSE(std::isnan(value));
    EXPECT_EQ(nullptr, duration());
    EXPECT_EQ(1, sim::cameraLosingCalls());
    callMethod(c, "repairPosition", "()V");
    env()->DeleteLocalRef(c);
    EXPECT_TRUE(collected(weak));
  }
}

TEST_F(CameraTest, ReadCameraPositionWritesSevenElementsAtMost) {
  sim::setCameraPosition(XPLMCameraPosition_t{1, 2, 3, 4, 5, 6, 7});
  jmethodID read = staticMethod(helper, "readCameraPosition", "([F)V");
  jfloatArray nine = floatArray({0, 0, 0, 0, 0, 0, 0, 8.5f, 9.5f});
  callStatic(helper, read, nine);
  EXPECT_EQ((std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8.5f, 9.5f}), elements(nine));
  jfloatArray three = floatArray({0, 0, 0});
  callStatic(helper, read, three);
  EXPECT_EQ((std::vector<float>{1, 2, 3}), elements(three));
  callStatic(helper, read, static_cast<jfloatArray>(nullptr));
}

TEST_F(CameraTest, ScreenAndMouseQueriesWriteTheirElementsOnly) {
  jclass display = findClass("com/brevanto/qovin/display/XPlaneDisplayHelper");
  sim::setDesktopBounds(-1920, 1080, 1920, 0);
  sim::setScreenSize(2560, 1440);
  sim::setMainWindowOrigin(100, 50);
  sim::moveMouse(640, 360);

  jintArray bounds = intArray({0, 0, 0, 0, 42});
  callStatic(display, staticMethod(display, "getScreenBoundsGlobalN", "([I)V"), bounds);
  EXPECT_EQ((std::vector<int>{-1920, 1080, 1920, 0, 42}), elements(bounds));
  jintArray global = intArray({0, 0, 42});
  callStatic(display, staticMethod(display, "getMouseLocationGlobalN", "([I)V"), global);
  EXPECT_EQ((std::vector<int>{640, 360, 42}), elements(global));
  jintArray size = intArray({0, 0, 42, 43});
  callStatic(display, staticMethod(display, "getScreenSizeN", "([I)V"), size);
  EXPECT_EQ((std::vector<int>{2560, 1440, 42, 43}), elements(size));
  jobject helperObject = newObject("com/brevanto/qovin/display/XPlaneDisplayHelper", "()V");
  jintArray local = intArray({0, 0});
  callMethod(helperObject, "getMouseLocationN", "([I)V", local);
  EXPECT_EQ((std::vector<int>{540, 310}), elements(local));

  jintArray one = intArray({-1});
  callStatic(display, staticMethod(display, "getScreenBoundsGlobalN", "([I)V"), one);
  EXPECT_EQ((std::vector<int>{-1920}), elements(one));
  callStatic(display, staticMethod(display, "getScreenSizeN", "([I)V"), static_cast<jintArray>(nullptr));
}

}  // namespace
