#include "gcode/coordinate_text.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace skelda {
namespace {

TEST(CoordinateText, ColumnTimesDotInTheGeneralFormat) {
  struct Case {
    long long k;
    double dot;
    const char* text;
  };
  for (const Case c : {
           Case{0, 0.3, "0"},
           Case{3, 0.1, "0.3"},    // not 0.30000000000000004
           Case{10, 0.1, "1"},     // a whole value has no point
           Case{3, 0.15, "0.45"},  // rounded to 15 significant digits
           Case{1, 0.0846666666666667, "0.0846666666666667"},
           Case{1, 0.00001, "0.00001"},  // the smallest in fixed notation
           Case{123, 0.00001, "0.00123"},
           Case{9, 1e14, "900000000000000"},  // the largest in fixed notation
           Case{10, 1e14, "1E15"},            // exponent form from 10^15 on
           Case{1, 1e-6, "1E-6"},             // and below 0.00001
           Case{6000, 0.2, "1200"},
       }) {
    EXPECT_EQ(CoordinateText(c.k, c.dot), c.text) << c.k << " x " << c.dot;
  }
}

TEST(CoordinateText, TextsInExponentFormAreRefused) {
  EXPECT_NO_THROW(CoordinateTexts(1e14, 9));
  EXPECT_THROW(CoordinateTexts(1e14, 10), Error);
  EXPECT_THROW(CoordinateTexts(1e-6, 3), Error);
  EXPECT_NO_THROW(CoordinateTexts(0.00001, 3));
}

TEST(CoordinateText, EachTextIsFormattedOnceAndKeptReadyInItsLine) {
  const CoordinateTexts texts(0.25, 4);
  EXPECT_EQ(texts.Count(), 4);
  EXPECT_EQ(texts[0], "0");
  EXPECT_EQ(texts[3], "0.75");
  EXPECT_EQ(texts.MaxLength(), 4u);
  const LineSlots slots(texts, "G1X", "\r\nM5\r\n");
  EXPECT_EQ(slots.SlotWidth() % 16, 0u);
  EXPECT_EQ(slots.Line(0), "G1X0\r\nM5\r\n");
  EXPECT_EQ(slots.Line(3), "G1X0.75\r\nM5\r\n");
  EXPECT_EQ(slots.Line(4), "G1X1\r\nM5\r\n");
}

}  // namespace
}  // namespace skelda
