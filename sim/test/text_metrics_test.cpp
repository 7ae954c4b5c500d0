// The stand-in's numbers, font dimensions and string measurements.
#include <XPLMGraphics.h>
#include <gtest/gtest.h>

#include "xplmsim/graphics.h"
#include "xplmsim/sim.h"

namespace {

class SimTextMetrics : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

TEST_F(SimTextMetrics, NumbersAreZeroPaddedWithTheirDecimalsAndSign) {
  float white[3] = {1, 1, 1};
  XPLMDrawNumber(white, 5, 6, 7.25, 3, 2, 1, xplmFont_Basic);
  XPLMDrawNumber(nullptr, 0, 0, -7.25, 2, 0, 0, xplmFont_Basic);
  XPLMDrawNumber(nullptr, 0, 0, 1234.5, 2, -3, 0, xplmFont_Basic);  // more digits than asked, no decimals
  ASSERT_EQ(3u, xplmsim::drawnStrings().size());
  EXPECT_EQ("+007.25", xplmsim::drawnStrings()[0].text);
  EXPECT_EQ(5, xplmsim::drawnStrings()[0].x);
  EXPECT_EQ("-07", xplmsim::drawnStrings()[1].text);
  EXPECT_EQ("1234", xplmsim::drawnStrings()[2].text.substr(0, 4));
}

TEST_F(SimTextMetrics, MeasuringCountsCharactersWithinTheBytesGivenAndNoFurther) {
  const char unterminated[4] = {'a', 'b', 'c', 'd'};  // no zero byte anywhere
  EXPECT_EQ(24.0f, XPLMMeasureString(xplmFont_Basic, unterminated, 3));
  EXPECT_EQ(32.0f, XPLMMeasureString(xplmFont_Basic, unterminated, 4));
  EXPECT_EQ(14.0f, XPLMMeasureString(xplmFont_Proportional, "\xC3\xA9z", 3));
  EXPECT_EQ(0.0f, XPLMMeasureString(xplmFont_Basic, nullptr, 3));
  EXPECT_EQ(0.0f, XPLMMeasureString(xplmFont_Basic, "abc", -1));
  EXPECT_EQ(0.0f, XPLMMeasureString(77, "abc", 3));
  int width = -1, height = -1, digits = -1;
  XPLMGetFontDimensions(xplmFont_Basic, &width, &height, &digits);
  EXPECT_EQ(8, width);
  EXPECT_EQ(14, height);
  EXPECT_EQ(0, digits);
  XPLMGetFontDimensions(xplmFont_Basic, nullptr, nullptr, nullptr);
  width = -1;
  XPLMGetFontDimensions(-1, &width, nullptr, nullptr);
  EXPECT_EQ(-1, width);
}

}  // namespace
