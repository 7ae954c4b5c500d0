// Windows made and driven from Java: which callbacks each creation form
// installs, the creation record, input reaching the owner, geometry and the
// other window calls, exceptions in callbacks, the owner's lifetime, and a
// destroyed window refusing further use.
#include <XPLMDisplay.h>

#include <functional>
#include <string>
#include <vector>

#include "jvm_harness.h"
#include "xplmsim/display.h"
#include "xplmsim/keys.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

using Events = std::vector<std::string>;

class WindowTest : public BridgeTest {
 protected:
  jobject newWindow(int answer = 1) {
    return newObject("com/brevanto/qovin/testing/RecordingWindow", "(I)V", answer);
  }
  static XPLMWindowID id(jlong handle) { return reinterpret_cast<XPLMWindowID>(handle); }
  jlong createLegacy(jobject w, int l, int t, int r, int b) {
    return callMethod<jlong>(w, "createLegacy", "(IIIIZ)J", l, t, r, b, JNI_TRUE);
  }
  jlong create(jobject w, int l, int t, int r, int b) {
    return callMethod<jlong>(w, "create", "(IIIIZ)J", l, t, r, b, JNI_TRUE);
  }
  jlong create2(jobject w, int l, int t, int r, int b, bool decorate, int layer) {
    return callMethod<jlong>(w, "create", "(IIIIZZI)J", l, t, r, b, JNI_TRUE, decorate ? JNI_TRUE : JNI_FALSE,
                             layer);
  }
  Events events(jobject w) { return takeStrings(w, "takeEvents"); }

  // Every kind of input at (x, y), with the keyboard focus on `window`.
  void everyInput(XPLMWindowID window, int x, int y) {
    sim::drawFrame();
    sim::mouse(x, y, xplm_MouseDown);
    sim::mouse(x, y, xplm_MouseUp, false);
    sim::click(x, y, true);
    sim::moveMouse(x, y);
    sim::turnWheel(x, y, 0, 3);
    XPLMTakeKeyboardFocus(window);
    sim::pressKey('A', xplm_DownFlag, 'B');
    XPLMTakeKeyboardFocus(nullptr);
  }
};

TEST_F(WindowTest, EachCreationFormInstallsItsCallbacks) {
  jobject legacy = newWindow();
  const Captured line = captureStdout([&] { createLegacy(legacy, 0, 100, 100, 0); });
  EXPECT_EQ("XPlaneWindowHelper: In window create.\n", line.text);
  EXPECT_GE(line.flushes, 1);
  const XPLMWindowID legacyId = id(callMethod<jlong>(legacy, "windowId", "()J"));
  everyInput(legacyId, 50, 50);
  EXPECT_EQ((Events{"draw", "click 50 50 1", "click 50 50 3", "key 65 8 66 false", "key 0 0 0 true"}),
            events(legacy));
  callMethod(legacy, "destroy", "()V");

  jobject modern = newWindow();
  const Captured none = captureStdout([&] { create(modern, 0, 100, 100, 0); });
  EXPECT_EQ("", none.text);
  const XPLMWindowID modernId = id(callMethod<jlong>(modern, "windowId", "()J"));
  everyInput(modernId, 50, 50);
  EXPECT_EQ((Events{"draw", "click 50 50 1", "click 50 50 3", "cursor 50 50", "wheel 50 50 0 3",
                    "key 65 8 66 false", "key 0 0 0 true"}),
            events(modern));
  callMethod(modern, "destroy", "()V");

  jobject full = newWindow();
  const Captured none2 = captureStdout([&] { create2(full, 0, 100, 100, 0, false, 0); });
  EXPECT_EQ("", none2.text);
  const XPLMWindowID fullId = id(callMethod<jlong>(full, "windowId", "()J"));
  everyInput(fullId, 50, 50);
  EXPECT_EQ((Events{"draw", "click 50 50 1", "click 50 50 3", "right 50 50 1", "right 50 50 3", "cursor 50 50",
                    "wheel 50 50 0 3", "key 65 8 66 false", "key 0 0 0 true"}),
            events(full));
}

TEST_F(WindowTest, CreationRecordIsFilledFieldByField) {
  jobject w = newWindow();
  const XPLMWindowID plain = id(create(w, -20, 300, 200, 10));
  const sim::WindowInfo info = sim::window(plain);
  EXPECT_EQ(88, info.structSize);
  EXPECT_EQ(-20, info.left);
  EXPECT_EQ(300, info.top);
  EXPECT_EQ(200, info.right);
  EXPECT_EQ(10, info.bottom);
  EXPECT_TRUE(info.visible);
  EXPECT_FALSE(info.decorated);
  EXPECT_EQ(xplm_WindowLayerFlightOverlay, info.layer);
  EXPECT_FALSE(info.hasRightClick);
  EXPECT_TRUE(info.hasDraw && info.hasKey && info.hasClick && info.hasCursor && info.hasWheel);
  callMethod(w, "destroy", "()V");

  const XPLMWindowID decorated = id(create2(w, 0, 100, 100, 0, true, xplm_WindowLayerFloatingWindows));
  EXPECT_TRUE(sim::window(decorated).decorated);
  EXPECT_EQ(xplm_WindowLayerFloatingWindows, sim::window(decorated).layer);
  EXPECT_TRUE(sim::window(decorated).hasRightClick);
  callMethod(w, "destroy", "()V");

  const XPLMWindowID hidden = id(callMethod<jlong>(w, "create", "(IIIIZ)J", 0, 10, 10, 0, JNI_FALSE));
  EXPECT_FALSE(sim::window(hidden).visible);
}

TEST_F(WindowTest, IntCallbacksAnswerJavasValue) {
  jobject w = newWindow(7);
  create2(w, 0, 100, 100, 0, false, 0);
  EXPECT_EQ(7, sim::click(10, 20).answer);
  EXPECT_EQ(7, sim::click(10, 20, true).answer);
  EXPECT_EQ(7, sim::moveMouse(10, 20).answer);
  EXPECT_EQ(7, sim::turnWheel(10, 20, 1, -2).answer);
  EXPECT_EQ((Events{"click 10 20 1", "click 10 20 3", "right 10 20 1", "right 10 20 3", "cursor 10 20",
                    "wheel 10 20 1 -2"}),
            events(w));
}

TEST_F(WindowTest, ThrowingCallbacksArePrintedAndAnswerMinusOne) {
  jobject w = newWindow(1);
  const XPLMWindowID window = id(create2(w, 0, 100, 100, 0, false, 0));
  for (const char* kind : {"click", "right", "cursor", "wheel", "draw", "key"}) {
    SCOPED_TRACE(kind);
    callMethod(w, "throwOn", "(Ljava/lang/String;)V", env()->NewStringUTF(kind));
    sim::InputResult result;
    const std::string printed = captureJavaStderr([&] {
      if (std::string(kind) == "click") result = sim::mouse(5, 5, xplm_MouseDown);
      if (std::string(kind) == "right") result = sim::mouse(5, 5, xplm_MouseDown, true);
      if (std::string(kind) == "cursor") result = sim::moveMouse(5, 5);
      if (std::string(kind) == "wheel") result = sim::turnWheel(5, 5, 0, 1);
      if (std::string(kind) == "draw") sim::drawFrame();
      if (std::string(kind) == "key") {
        XPLMTakeKeyboardFocus(window);
        sim::pressKey('x', 0, 'x');
      }
      ASSERT_FALSE(env()->ExceptionCheck());
    });
    EXPECT_NE(std::string::npos, printed.find("window callback failed")) << printed;
    if (std::string(kind) != "draw" && std::string(kind) != "key") {
      EXPECT_EQ(-1, result.answer);
    }
    callMethod(w, "throwOn", "(Ljava/lang/String;)V", static_cast<jstring>(nullptr));
    // The next callback runs normally.
    EXPECT_EQ(1, sim::click(5, 5).answer);
  }
  XPLMTakeKeyboardFocus(nullptr);
}

TEST_F(WindowTest, KeyCodesArriveAsSignedBytesWithTheSameBits) {
  jobject w = newWindow();
  const XPLMWindowID window = id(create(w, 0, 100, 100, 0));
  callMethod(w, "takeFocus", "()V");
  EXPECT_EQ(window, sim::keyboardFocus());
  sim::pressKey(static_cast<char>(0xB0), xplm_ShiftFlag | xplm_DownFlag, static_cast<char>(0xFF));
  sim::pressKey(0x7F, xplm_UpFlag, 0x41);
  EXPECT_EQ((Events{"key -80 9 -1 false", "key 127 16 65 false"}), events(w));
}

TEST_F(WindowTest, GeometryFillsFourElementsAndNothingElse) {
  jobject w = newWindow();
  const jlong handle = create(w, 100, 500, 400, 200);
  jclass cls = findClass("com/brevanto/qovin/display/XPlaneWindowHelper");
  jmethodID get = staticMethod(cls, "getGeometry", "(J[I)V");
  jmethodID getOS = staticMethod(cls, "getGeometryOS_N", "(J[I)V");

  jintArray four = intArray({0, 0, 0, 0});
  callStatic(cls, get, handle, four);
  EXPECT_EQ((std::vector<int>{100, 500, 400, 200}), elements(four));
  jintArray six = intArray({-1, -1, -1, -1, 77, 88});
  callStatic(cls, get, handle, six);
  EXPECT_EQ((std::vector<int>{100, 500, 400, 200, 77, 88}), elements(six));
  jintArray two = intArray({-1, -1});
  callStatic(cls, get, handle, two);
  EXPECT_EQ((std::vector<int>{100, 500}), elements(two));
  callStatic(cls, get, handle, intArray({}));
  callStatic(cls, get, handle, static_cast<jintArray>(nullptr));

  callMethod(w, "setPositioningMode", "(II)V", 4, -1);
  EXPECT_TRUE(callMethod<jboolean>(w, "poppedOut", "()Z"));
  callMethod(w, "setGeometryOS", "(IIII)V", 10, 700, 310, 400);
  jintArray os = intArray({0, 0, 0, 0, 5});
  callStatic(cls, getOS, handle, os);
  EXPECT_EQ((std::vector<int>{10, 700, 310, 400, 5}), elements(os));
  jintArray shortOS = intArray({0, 0, 0});
  callStatic(cls, getOS, handle, shortOS);
  EXPECT_EQ((std::vector<int>{10, 700, 310}), elements(shortOS));
}

TEST_F(WindowTest, SettersForwardTheirValuesInOrder) {
  jobject w = newWindow();
  const XPLMWindowID window = id(create2(w, 0, 100, 100, 0, true, 1));
  callMethod(w, "setGeometry", "(IIII)V", 1, 2, 3, 4);
  callMethod(w, "setTitle", "(Ljava/lang/String;)V", env()->NewStringUTF("Zürich tower"));
  callMethod(w, "setResizingLimits", "(IIII)V", 50, 60, 700, 800);
  callMethod(w, "setGravity", "(FFFF)V", 0.25f, 0.5f, 0.75f, 1.0f);
  callMethod(w, "setPositioningMode", "(II)V", 1, 2);
  const sim::WindowInfo info = sim::window(window);
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), (std::vector<int>{info.left, info.top, info.right, info.bottom}));
  EXPECT_EQ("Zürich tower", info.title);
  EXPECT_EQ((std::vector<int>{50, 60, 700, 800}), std::vector<int>(info.limits, info.limits + 4));
  EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f}), std::vector<float>(info.gravity, info.gravity + 4));
  EXPECT_EQ(1, info.positioningMode);
  EXPECT_EQ(2, info.monitor);
  EXPECT_FALSE(callMethod<jboolean>(w, "poppedOut", "()Z"));

  callMethod(w, "setTitle", "(Ljava/lang/String;)V", static_cast<jstring>(nullptr));
  EXPECT_EQ("", sim::window(window).title);

  EXPECT_TRUE(callMethod<jboolean>(w, "isVisible", "()Z"));
  callMethod(w, "setVisible", "(Z)V", JNI_FALSE);
  EXPECT_FALSE(sim::window(window).visible);
  EXPECT_FALSE(callMethod<jboolean>(w, "isVisible", "()Z"));
  callMethod(w, "setVisible", "(Z)V", JNI_TRUE);

  jobject other = newWindow();
  create2(other, 0, 100, 100, 0, false, 1);
  EXPECT_FALSE(callMethod<jboolean>(w, "isInFront", "()Z"));
  callMethod(w, "bringToFront", "()V");
  EXPECT_TRUE(callMethod<jboolean>(w, "isInFront", "()Z"));
  EXPECT_FALSE(callMethod<jboolean>(other, "isInFront", "()Z"));
}

TEST_F(WindowTest, DestroyReleasesTheOwnerAfterTheWindowIsGone) {
  jobject w = newWindow();
  const jlong handle = create(w, 0, 100, 100, 0);
  jobject weak = weakReference(w);
  sim::clearCalls();
  callMethod(w, "destroy", "()V");
  ASSERT_EQ(1u, sim::calls().size());
  EXPECT_EQ("XPLMDestroyWindow", sim::calls()[0].function);
  EXPECT_EQ(handle, sim::calls()[0].i(0));
  EXPECT_TRUE(sim::windows().empty());
  sim::drawFrame();
  EXPECT_TRUE(events(w).empty());
  env()->DeleteLocalRef(w);
  EXPECT_TRUE(collected(weak));
}

TEST_F(WindowTest, OpenWindowKeepsItsOwnerAlive) {
  jobject w = newWindow();
  create(w, 0, 100, 100, 0);
  jobject weak = weakReference(w);
  env()->DeleteLocalRef(w);
  EXPECT_FALSE(collected(weak));
  sim::drawFrame();
  ASSERT_EQ(1u, sim::windows().size());
  EXPECT_EQ(1, sim::windows()[0].draws);
  jclass cls = findClass("com/brevanto/qovin/display/XPlaneWindowHelper");
  callStatic(cls, staticMethod(cls, "destroy", "(J)V"), reinterpret_cast<jlong>(sim::windows()[0].id));
  EXPECT_TRUE(collected(weak));
}

TEST_F(WindowTest, ADestroyedWindowRefusesEveryCallAndItsHandleIsNeverUsedAgain) {
  jobject w = newWindow();
  jclass cls = env()->GetObjectClass(w);
  auto m = [&](const char* name, const char* signature) { return env()->GetMethodID(cls, name, signature); };
  const std::vector<std::function<void()>> uses = {
      [&] { env()->CallObjectMethod(w, m("geometry", "()[I")); },
      [&] { env()->CallVoidMethod(w, m("setGeometry", "(IIII)V"), 1, 2, 3, 4); },
      [&] { env()->CallObjectMethod(w, m("geometryOS", "()[I")); },
      [&] { env()->CallVoidMethod(w, m("setGeometryOS", "(IIII)V"), 1, 2, 3, 4); },
      [&] { env()->CallVoidMethod(w, m("setPositioningMode", "(II)V"), 4, -1); },
      [&] { env()->CallVoidMethod(w, m("setTitle", "(Ljava/lang/String;)V"), static_cast<jstring>(nullptr)); },
      [&] { env()->CallVoidMethod(w, m("setResizingLimits", "(IIII)V"), 1, 2, 3, 4); },
      [&] { env()->CallVoidMethod(w, m("setGravity", "(FFFF)V"), 0.0, 1.0, 1.0, 0.0); },
      [&] { env()->CallBooleanMethod(w, m("poppedOut", "()Z")); },
      [&] { env()->CallVoidMethod(w, m("setVisible", "(Z)V"), JNI_TRUE); },
      [&] { env()->CallBooleanMethod(w, m("isVisible", "()Z")); },
      [&] { env()->CallVoidMethod(w, m("takeFocus", "()V")); },
      [&] { env()->CallVoidMethod(w, m("bringToFront", "()V")); },
      [&] { env()->CallBooleanMethod(w, m("isInFront", "()Z")); },
  };
  std::string message;
  EXPECT_TRUE(throws("java/lang/IllegalStateException", uses[0], &message));
  EXPECT_EQ("no window open", message);

  create2(w, 0, 100, 100, 0, true, 1);
  callMethod(w, "destroy", "()V");
  sim::clearCalls();
  callMethod(w, "destroy", "()V");  // a second destroy does nothing
  for (size_t i = 0; i < uses.size(); ++i) {
    EXPECT_TRUE(throws("java/lang/IllegalStateException", uses[i], &message)) << "use " << i;
    EXPECT_EQ("window destroyed", message);
  }
  EXPECT_TRUE(sim::calls().empty());

  const XPLMWindowID again = id(create(w, 0, 10, 10, 0));  // the object may open a new window
  callMethod(w, "setVisible", "(Z)V", JNI_FALSE);
  EXPECT_FALSE(sim::window(again).visible);
}

}  // namespace
