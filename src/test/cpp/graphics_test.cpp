// Graphics utilities from Java: inputs read but never modified, outputs
// written only where they should be, and values forwarded unchanged.
#include <cstdint>
#include <string>

#include "jvm_harness.h"
#include "xplmsim/graphics.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

class GraphicsTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    cls = findClass("com/brevanto/qovin/graphics/XPlaneGraphics");
  }
  void drawString(jfloatArray color, int x, int y, jstring text, int wrap, int font) {
    callStatic(cls, staticMethod(cls, "drawString", "([FIILjava/lang/String;II)V"), color, x, y, text, wrap, font);
  }
  void drawChars(jcharArray text, int length, int wrap) {
    callStatic(cls, staticMethod(cls, "drawChars", "([FII[CIII)V"), floatArray({1, 1, 1}), 3, 4, text, length, wrap,
               0);
  }
  void drawSequence(jobject text, int wrap) {
    callStatic(cls, staticMethod(cls, "drawString", "([FIILjava/lang/CharSequence;II)V"), floatArray({1, 1, 1}), 3,
               4, text, wrap, 0);
  }
  static jcharArray chars(const std::u16string& text) {
    jcharArray array = env()->NewCharArray(static_cast<jsize>(text.size()));
    env()->SetCharArrayRegion(array, 0, static_cast<jsize>(text.size()), reinterpret_cast<const jchar*>(text.data()));
    return array;
  }
  static jobject builder(const std::u16string& text) {
    jobject b = newObject("java/lang/StringBuilder", "()V");
    jstring s = env()->NewString(reinterpret_cast<const jchar*>(text.data()), static_cast<jsize>(text.size()));
    callMethod<jobject>(b, "append", "(Ljava/lang/String;)Ljava/lang/StringBuilder;", s);
    return b;
  }
  std::vector<std::string> drawnTexts() {
    std::vector<std::string> texts;
    for (const sim::DrawnString& s : sim::drawnStrings()) texts.push_back(s.text);
    return texts;
  }
  void worldToLocal(double lat, double lon, double alt, jdoubleArray out) {
    callStatic(cls, staticMethod(cls, "worldToLocal", "(DDD[D)V"), lat, lon, alt, out);
  }
  void localToWorld(double x, double y, double z, jdoubleArray out) {
    callStatic(cls, staticMethod(cls, "localToWorld", "(DDD[D)V"), x, y, z, out);
  }
  jclass cls = nullptr;
};

TEST_F(GraphicsTest, DrawStringForwardsEverythingAndLeavesTheColourAlone) {
  jfloatArray color = floatArray({0.25f, 0.5f, 1.0f, 9.0f});
  drawString(color, 10, 20, env()->NewStringUTF("Zürich 118.1"), 150, 18);
  EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 1.0f, 9.0f}), elements(color));
  ASSERT_EQ(1u, sim::drawnStrings().size());
  const sim::DrawnString& s = sim::drawnStrings()[0];
  EXPECT_EQ("Zürich 118.1", s.text);
  EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 1.0f}), std::vector<float>(s.color, s.color + 3));
  EXPECT_EQ(10, s.x);
  EXPECT_EQ(20, s.y);
  EXPECT_TRUE(s.wrapped);
  EXPECT_EQ(150, s.wrapWidth);
  EXPECT_EQ(18, s.font);
}

TEST_F(GraphicsTest, DrawStringWithShortColourOrLongTextStaysInBounds) {
  drawString(floatArray({0.75f}), 0, 0, env()->NewStringUTF("short colour"), 0, 0);
  drawString(floatArray({}), 0, 0, env()->NewStringUTF("no colour"), 0, 0);
  drawString(nullptr, 0, 0, env()->NewStringUTF("null colour"), 0, 0);
  const std::string longText(5000, 'x');
  drawString(floatArray({1, 1, 1}), 0, 0, env()->NewStringUTF(longText.c_str()), 0, 0);
  const std::string edge(511, 'y');
  drawString(floatArray({1, 1, 1}), 0, 0, env()->NewStringUTF(edge.c_str()), 0, 0);
  drawString(floatArray({1, 1, 1}), 0, 0, nullptr, 0, 0);  // draws nothing
  ASSERT_EQ(5u, sim::drawnStrings().size());
  EXPECT_EQ((std::vector<float>{0.75f, 0, 0}),
            std::vector<float>(sim::drawnStrings()[0].color, sim::drawnStrings()[0].color + 3));
  EXPECT_EQ((std::vector<float>{0, 0, 0}),
            std::vector<float>(sim::drawnStrings()[1].color, sim::drawnStrings()[1].color + 3));
  EXPECT_EQ("null colour", sim::drawnStrings()[2].text);
  EXPECT_EQ(longText, sim::drawnStrings()[3].text);
  EXPECT_EQ(edge, sim::drawnStrings()[4].text);
}

TEST_F(GraphicsTest, DrawCharsAndCharSequencesReachTheSimulatorInUtf8) {
  drawChars(chars(u"Zürich \U0001F6EB"), -1, 100);
  drawSequence(builder(u"\U0001F6EC Genève"), 100);
  const std::u16string longText(700, u'é');  // past the buffers' first size
  drawSequence(builder(longText), 100);
  drawChars(chars(longText), 700, 100);
  const std::string longUtf8 = [] {
    std::string s;
    for (int i = 0; i < 700; ++i) s += "é";
    return s;
  }();
  EXPECT_EQ((std::vector<std::string>{"Zürich \U0001F6EB", "\U0001F6EC Genève", longUtf8, longUtf8}), drawnTexts());
  const sim::DrawnString& first = sim::drawnStrings()[0];
  EXPECT_EQ(3, first.x);
  EXPECT_EQ(4, first.y);
  EXPECT_EQ(100, first.wrapWidth);
}

TEST_F(GraphicsTest, DrawCharsCutsTheLengthToTheArrayAndDrawsNothingForNull) {
  jcharArray text = chars(u"heading");
  drawChars(text, 4, 0);
  drawChars(text, 0, 0);
  drawChars(text, -5, 0);
  drawChars(text, 1000, 0);
  drawChars(text, INT32_MAX, 0);
  drawChars(nullptr, 3, 0);
  drawSequence(nullptr, 0);
  EXPECT_EQ((std::vector<std::string>{"head", "", "heading", "heading", "heading"}), drawnTexts());
}

TEST_F(GraphicsTest, AWrapWidthOfZeroOrLessPassesNoWidth) {
  drawChars(chars(u"a"), -1, 0);
  drawChars(chars(u"b"), -1, -20);
  drawSequence(builder(u"c"), 0);
  drawChars(chars(u"d"), -1, 1);
  ASSERT_EQ(4u, sim::drawnStrings().size());
  EXPECT_FALSE(sim::drawnStrings()[0].wrapped);
  EXPECT_FALSE(sim::drawnStrings()[1].wrapped);
  EXPECT_FALSE(sim::drawnStrings()[2].wrapped);
  EXPECT_TRUE(sim::drawnStrings()[3].wrapped);
  EXPECT_EQ(1, sim::drawnStrings()[3].wrapWidth);
}

TEST_F(GraphicsTest, DrawingFromABuilderOrACharArrayAllocatesNothingAfterWarmUp) {
  jclass fixture = findClass("com/brevanto/qovin/testing/TextDrawingAllocations");
  EXPECT_EQ(0, callStatic<jlong>(fixture, staticMethod(fixture, "stringBuilderDraws", "()J")));
  EXPECT_EQ(0, callStatic<jlong>(fixture, staticMethod(fixture, "charArrayDraws", "()J")));
  EXPECT_EQ(100000u, sim::drawnStrings().size()) << "five rounds of 10,000 draws each";
}

TEST_F(GraphicsTest, GenerateTextureNumbersFillsEveryElement) {
  jmethodID generate = staticMethod(cls, "generateTextureNumbers", "([I)V");
  jintArray four = intArray({0, 0, 0, 0});
  callStatic(cls, generate, four);
  EXPECT_EQ(sim::generatedTextures(), elements(four));
  EXPECT_EQ(4u, sim::generatedTextures().size());
  jintArray empty = intArray({});
  callStatic(cls, generate, empty);
  EXPECT_EQ(0, sim::lastCall("XPLMGenerateTextureNumbers")->i(1));
  EXPECT_EQ(4u, sim::generatedTextures().size());
  callStatic(cls, generate, static_cast<jintArray>(nullptr));
}

TEST_F(GraphicsTest, ConversionsWriteThreeElementsAtMost) {
  jdoubleArray five = doubleArray({0, 0, 0, 4.5, 5.5});
  worldToLocal(47.5, -122.25, 300, five);
  const std::vector<double> local = elements(five);
  EXPECT_EQ(300, local[1]);
  EXPECT_EQ(4.5, local[3]);
  EXPECT_EQ(5.5, local[4]);
  jdoubleArray world = doubleArray({0, 0, 0, 7});
  localToWorld(local[0], local[1], local[2], world);
  const std::vector<double> back = elements(world);
  EXPECT_NEAR(47.5, back[0], 1e-9);
  EXPECT_NEAR(-122.25, back[1], 1e-9);
  EXPECT_NEAR(300, back[2], 1e-9);
  EXPECT_EQ(7, back[3]);

  jdoubleArray two = doubleArray({-1, -1});
  worldToLocal(47.5, -122.25, 300, two);
  EXPECT_EQ(local[0], elements(two)[0]);
  EXPECT_EQ(300, elements(two)[1]);
  jdoubleArray one = doubleArray({-1});
  localToWorld(0, 12, 0, one);
  EXPECT_NE(-1, elements(one)[0]);
  worldToLocal(0, 0, 0, doubleArray({}));
  localToWorld(0, 0, 0, nullptr);
}

TEST_F(GraphicsTest, StateTexturesAndBoxesAreForwarded) {
  callStatic(cls, staticMethod(cls, "setGraphicsState", "(ZIZZZZZ)V"), JNI_TRUE, 2, JNI_FALSE, JNI_TRUE, JNI_TRUE,
             JNI_FALSE, JNI_FALSE);
  const sim::Call* state = sim::lastCall("XPLMSetGraphicsState");
  ASSERT_NE(nullptr, state);
  EXPECT_EQ((std::vector<long long>{1, 2, 0, 1, 1, 0, 0}),
            (std::vector<long long>{state->i(0), state->i(1), state->i(2), state->i(3), state->i(4), state->i(5),
                                    state->i(6)}));
  callStatic(cls, staticMethod(cls, "bindTexture2d", "(II)V"), 100003, 2);
  EXPECT_EQ(100003, sim::boundTexture(2));
  const jint paint = callStatic<jint>(cls, staticMethod(cls, "getTextureN", "(I)I"), 1);
  EXPECT_EQ(1, sim::lastCall("XPLMGetTexture")->i(0));
  EXPECT_NE(0, paint);
  callStatic(cls, staticMethod(cls, "drawTranslucentDarkBox", "(IIII)V"), 10, 200, 300, 20);
  ASSERT_EQ(1u, sim::drawnBoxes().size());
  const sim::DrawnBox box = sim::drawnBoxes()[0];
  EXPECT_EQ((std::vector<int>{10, 200, 300, 20}), (std::vector<int>{box.left, box.top, box.right, box.bottom}));
}

}  // namespace
