// Monitors, the window's reference value, and the text utilities from Java:
// numbers drawn, font dimensions and measured strings.
#include <XPLMDisplay.h>
#include <XPLMGraphics.h>

#include "jvm_harness.h"
#include "xplmsim/display.h"
#include "xplmsim/graphics.h"
#include "xplmsim/hot_keys.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

class ScreenTest : public BridgeTest {
 protected:
  std::vector<std::string> monitors(bool global) {
    jclass cls = findClass("com/brevanto/qovin/testing/ScreenQueries");
    return toStrings(static_cast<jobjectArray>(
        callStatic<jobject>(cls, staticMethod(cls, "monitors", "(Z)[Ljava/lang/String;"), global ? JNI_TRUE : JNI_FALSE)));
  }
  jclass graphics() { return findClass("com/brevanto/qovin/graphics/XPlaneGraphics"); }
  jfloat measureChars(jint font, jcharArray text, jint length) {
    return callStatic<jfloat>(graphics(), staticMethod(graphics(), "measureChars", "(I[CI)F"), font, text, length);
  }
};

TEST_F(ScreenTest, GlobalBoundsListOnlyFullScreenMonitorsWithTheOperatingSystemsIndices) {
  EXPECT_EQ((std::vector<std::string>{"0 0 1080 1920 0"}), monitors(true));
  sim::setMonitors({{0, 1080, 1920, 0, false}, {1920, 1200, 3840, 0, true}});
  EXPECT_EQ((std::vector<std::string>{"1 1920 1200 3840 0"}), monitors(true));
  EXPECT_EQ((std::vector<std::string>{"0 0 1080 1920 0", "1 1920 1200 3840 0"}), monitors(false));
  sim::setMonitors({});
  EXPECT_TRUE(monitors(true).empty());
  EXPECT_TRUE(monitors(false).empty());
}

TEST_F(ScreenTest, AWindowsRefConIsAJavaValueAndItsCallbacksKeepReachingIt) {
  jobject window = newObject("com/brevanto/qovin/testing/RecordingWindow", "(I)V", 1);
  const jlong id = callMethod<jlong>(window, "create", "(IIIIZ)J", 0, 100, 100, 0, JNI_TRUE);
  void* owner = XPLMGetWindowRefCon(reinterpret_cast<XPLMWindowID>(id));
  ASSERT_NE(owner, nullptr);
  jstring value = env()->NewStringUTF("mine");
  callMethod(window, "setRefCon", "(Ljava/lang/Object;)V", value);
  EXPECT_TRUE(env()->IsSameObject(value, callMethod<jobject>(window, "getRefCon", "()Ljava/lang/Object;")));
  EXPECT_EQ(owner, XPLMGetWindowRefCon(reinterpret_cast<XPLMWindowID>(id)));
  // Another party replaces the native value: the next Java call gives the owner back.
  XPLMSetWindowRefCon(reinterpret_cast<XPLMWindowID>(id), nullptr);
  callMethod(window, "setRefCon", "(Ljava/lang/Object;)V", nullptr);
  EXPECT_EQ(owner, XPLMGetWindowRefCon(reinterpret_cast<XPLMWindowID>(id)));
  EXPECT_EQ(1, sim::click(50, 50).answer);
  EXPECT_EQ((std::vector<std::string>{"click 50 50 1", "click 50 50 3"}), takeStrings(window, "takeEvents"));
  callMethod(window, "destroy", "()V");
  EXPECT_TRUE(throws("java/lang/IllegalStateException", [&] {
    jclass cls = env()->GetObjectClass(window);
    env()->CallVoidMethod(window, env()->GetMethodID(cls, "setRefCon", "(Ljava/lang/Object;)V"), value);
    env()->DeleteLocalRef(cls);
  }));
}

TEST_F(ScreenTest, NumbersAreDrawnAndShortColoursReadAsZero) {
  jclass g = graphics();
  jmethodID draw = staticMethod(g, "drawNumber", "([FIIDIIZI)V");
  callStatic(g, draw, floatArray({1.0f}), 10, 20, 12.345, 3, 1, JNI_TRUE, xplmFont_Basic);
  callStatic(g, draw, nullptr, 0, 0, -2.5, 1, 2, JNI_FALSE, xplmFont_Basic);
  ASSERT_EQ(2u, sim::drawnStrings().size());
  EXPECT_EQ("+012.3", sim::drawnStrings()[0].text);
  EXPECT_EQ(1.0f, sim::drawnStrings()[0].color[0]);
  EXPECT_EQ(0.0f, sim::drawnStrings()[0].color[1]);
  EXPECT_EQ("-2.50", sim::drawnStrings()[1].text);
}

TEST_F(ScreenTest, FontDimensionsFillWhatFitsAndUnknownFontsGiveZeros) {
  jclass g = graphics();
  jobject dims = callStatic<jobject>(g, staticMethod(g, "fontDimensions", "(I)[I"), xplmFont_Proportional);
  EXPECT_EQ((std::vector<int>{7, 14, 0}), elements(static_cast<jintArray>(dims)));
  jmethodID n = staticMethod(g, "getFontDimensionsN", "(I[I)V");
  jintArray one = intArray({-1});
  callStatic(g, n, xplmFont_Basic, one);
  EXPECT_EQ((std::vector<int>{8}), elements(one));
  callStatic(g, n, xplmFont_Basic, nullptr);
  jintArray three = intArray({-1, -1, -1});
  callStatic(g, n, 99, three);
  EXPECT_EQ((std::vector<int>{0, 0, 0}), elements(three));
}

TEST_F(ScreenTest, MeasuringReadsOnlyTheCharactersAskedForAndNeverPastTheArray) {
  jcharArray text = env()->NewCharArray(5);
  const jchar chars[5] = {'a', 'b', 0xE9, 'd', 'e'};
  env()->SetCharArrayRegion(text, 0, 5, chars);
  EXPECT_EQ(24.0f, measureChars(xplmFont_Basic, text, 3));  // é is two bytes, one character
  EXPECT_EQ("ab\xC3\xA9", sim::lastCall("XPLMMeasureString")->s(1));
  EXPECT_EQ(4, sim::lastCall("XPLMMeasureString")->i(2));  // the byte count, no terminator
  EXPECT_EQ(40.0f, measureChars(xplmFont_Basic, text, 99));
  EXPECT_EQ(40.0f, measureChars(xplmFont_Basic, text, -1));
  EXPECT_EQ(0.0f, measureChars(xplmFont_Basic, nullptr, 3));
  EXPECT_EQ(0.0f, measureChars(xplmFont_Basic, text, 0));
  jclass cls = findClass("com/brevanto/qovin/testing/ScreenQueries");
  jstring hello = env()->NewStringUTF("hello");
  EXPECT_EQ(35.0f, callStatic<jfloat>(cls, staticMethod(cls, "measureBuilder", "(ILjava/lang/String;)F"),
                                       xplmFont_Proportional, hello));
}

}  // namespace
