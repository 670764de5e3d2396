#include "core/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "core/errors.h"
#include "support/error_text.h"

namespace skelda {
namespace {

using testing::ErrorText;

TEST(StrToFloat, ReadsDecimalTextWithSpacesSignPointAndExponent) {
  struct Row {
    const char* text;
    long double value;
  };
  for (const Row& r :
       {Row{"0.2", 0.2L}, Row{"127", 127}, Row{"  12  ", 12}, Row{"-3.5", -3.5L}, Row{"+1e2", 100},
        Row{"2.5E-3", 0.0025L}, Row{"1e+3", 1000}, Row{".5", 0.5L}, Row{"5.", 5},
        Row{"-.25", -0.25L}, Row{"007", 7}, Row{"0", 0}, Row{"25.4", 25.4L}, Row{"1.5e15", 1.5e15L},
        Row{"1e-5000", 0}, Row{"1E4000", 1e4000L}}) {
    EXPECT_EQ(StrToFloat(r.text), r.value) << "text '" << r.text << "'";
    long double value = -1;
    EXPECT_TRUE(TryStrToFloat(r.text, value)) << r.text;
    EXPECT_EQ(value, r.value) << r.text;
  }
}

TEST(StrToFloat, RefusesEverythingElseNamingTheTextAsGiven) {
  for (const char* text : {"",    " ",   ".",   "-",   "+.",   "1.2.3",  "1,5",  "abc",
                           "1e",  "1e+", "e5",  "inf", "-inf", "nan",    "0x10", "\t1",
                           "1\t", "1 2", "- 1", "--1", "+-1",  "1e5000", "12a",  "1.5 e3"}) {
    EXPECT_EQ(ErrorText([&] { StrToFloat(text); }),
              std::string("'") + text + "' is not a valid floating point value");
    long double value = 42;
    EXPECT_FALSE(TryStrToFloat(text, value)) << "text '" << text << "'";
    EXPECT_EQ(value, 42) << "text '" << text << "'";
  }
}

TEST(StrToDouble, RoundsTheExtendedValueToADouble) {
  EXPECT_EQ(StrToDouble("0.2"), 0.2);
  EXPECT_EQ(StrToDouble(" -1e-3 "), -0.001);
  EXPECT_EQ(ErrorText([] { StrToDouble("1e400"); }), "'1e400' is not a valid floating point value");
}

TEST(StrToInt, ReadsPlainDecimalIntegersOfThirtyTwoBits) {
  struct Row {
    const char* text;
    int value;
  };
  for (const Row& r : {Row{"0", 0}, Row{" 300 ", 300}, Row{"-2147483648", -2147483648},
                       Row{"+2147483647", 2147483647}, Row{"0007", 7}}) {
    EXPECT_EQ(StrToInt(r.text), r.value) << r.text;
  }
  for (const char* text : {"", " ", "-", "2147483648", "-2147483649", "99999999999999999999", "1.0",
                           "1e3", "$10", "0x10", "12a", "1 2"}) {
    EXPECT_EQ(ErrorText([&] { StrToInt(text); }),
              std::string("'") + text + "' is not a valid integer value");
  }
}

TEST(FloatToStr, GeneralFormatWithFifteenDigits) {
  struct Row {
    long double value;
    const char* text;
  };
  const long double third = 1.0L / 3;
  for (const Row& r : {
           Row{0, "0"},
           Row{-0.0L, "0"},
           Row{1, "1"},
           Row{-1, "-1"},
           Row{0.5L, "0.5"},
           Row{-12.25L, "-12.25"},
           Row{0.00001L, "0.00001"},
           Row{0.0000123L, "0.0000123"},
           Row{0.000001L, "1E-6"},
           Row{0.0000099999999999999999L, "0.00001"},  // rounds up into the fixed range
           Row{-2.5e-7L, "-2.5E-7"},
           Row{1e14L, "100000000000000"},
           Row{999999999999999.0L, "999999999999999"},
           Row{999999999999999.5L, "1E15"},  // rounds up out of the fixed range
           Row{1e15L, "1E15"},
           Row{1.5e15L, "1.5E15"},
           Row{-1.5e15L, "-1.5E15"},
           Row{123456789012345678.0L, "1.23456789012346E17"},
           Row{1e100L, "1E100"},
           Row{-1e-100L, "-1E-100"},
           Row{0.1 + 0.2, "0.3"},
           Row{third, "0.333333333333333"},
           Row{2 * third, "0.666666666666667"},
           Row{1234.5678L, "1234.5678"},
       }) {
    EXPECT_EQ(FloatToStr(r.value), r.text);
  }
}

// The dot size is held as a double; products and quotients are formed in extended precision
// and then written in the general format.
TEST(FloatToStr, DotSizeAndResolutionConversions) {
  const long double inch = 25.4L;
  struct Row {
    long double value;
    const char* text;
  };
  for (const Row& r : {
           Row{inch / 0.2, "127"},
           Row{inch / 0.15, "169.333333333333"},
           Row{inch / 0.25, "101.6"},
           Row{inch / 127.0L, "0.2"},
           Row{inch / 300.0L, "0.0846666666666667"},
           Row{inch / 100.0L, "0.254"},
           Row{640.0L * 0.2, "128"},
           Row{333.0L * 0.2, "66.6"},
           Row{500.0L * 0.2, "100"},
           Row{188.0L * 0.2, "37.6"},
           Row{7.0L * 0.2, "1.4"},
           Row{6.0L * 0.2, "1.2"},
       }) {
    EXPECT_EQ(FloatToStr(r.value), r.text);
  }
}

TEST(IntToStr, PlainDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-375), "-375");
  EXPECT_EQ(IntToStr(std::numeric_limits<long long>::min()), "-9223372036854775808");
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  struct Row {
    long double value;
    long long rounded;
  };
  for (const Row& r : {Row{2.5L, 2}, Row{3.5L, 4}, Row{0.5L, 0}, Row{1.5L, 2}, Row{-2.5L, -2},
                       Row{-3.5L, -4}, Row{-0.4L, 0}, Row{2.4999999999L, 2}, Row{2.5000000001L, 3},
                       Row{187.69L, 188}, Row{1e18L, 1000000000000000000},
                       Row{-9223372036854775808.0L, std::numeric_limits<long long>::min()}}) {
    EXPECT_EQ(RoundHalfEven(r.value), r.rounded) << static_cast<double>(r.value);
  }
  const std::string invalid = "Invalid floating point operation";
  for (long double v :
       {std::numeric_limits<long double>::quiet_NaN(), std::numeric_limits<long double>::infinity(),
        9223372036854775808.0L, -1e19L}) {
    EXPECT_EQ(ErrorText([&] { RoundHalfEven(v); }), invalid);
  }
}

TEST(Divide, ZeroDivisorAndInvalidOperandsAreErrors) {
  EXPECT_EQ(Divide(25.4L, 0.25), 25.4L / 0.25);
  struct Row {
    long double dividend, divisor;
    const char* text;
  };
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double inf = std::numeric_limits<long double>::infinity();
  for (const Row& r :
       {Row{1, 0, "Floating point division by zero"}, Row{-1, 0, "Floating point division by zero"},
        Row{128, -0.0L, "Floating point division by zero"},
        Row{0, 0, "Invalid floating point operation"},
        Row{nan, 1, "Invalid floating point operation"},
        Row{1, nan, "Invalid floating point operation"},
        Row{inf, 2, "Invalid floating point operation"},
        Row{1e4000L, 1e-4000L, "Invalid floating point operation"}}) {
    EXPECT_EQ(ErrorText([&] { Divide(r.dividend, r.divisor); }), r.text);
  }
  EXPECT_THROW(Divide(1, 0), ZeroDivideError);
  EXPECT_THROW(Divide(0, 0), InvalidOpError);
}

// Resampling: s := (W x dot) / X held as a double, then W / s and H / s rounded half to even.
TEST(Resampling, ExtendedPrecisionGivesTheDotCounts) {
  struct Row {
    int width, height;
    double dot;
    const char* wanted;
    long long newWidth, newHeight;
  };
  for (const Row& r :
       {Row{640, 480, 0.2, "100", 500, 375}, Row{333, 250, 0.2, "50", 250, 188},
        Row{640, 480, 0.2, "1.5", 7, 6}, Row{8, 5, 1, "4", 4, 2}, Row{8, 7, 1, "4", 4, 4}}) {
    const double s = static_cast<double>(
        Divide(r.width * static_cast<long double>(r.dot), StrToFloat(r.wanted)));
    EXPECT_EQ(RoundHalfEven(Divide(r.width, s)), r.newWidth) << r.width << " " << r.wanted;
    EXPECT_EQ(RoundHalfEven(Divide(r.height, s)), r.newHeight) << r.height << " " << r.wanted;
  }
  // The same steps wholly in double precision land on the other side of 7.5.
  const double sDouble = 640 * 0.2 / 1.5;
  EXPECT_EQ(RoundHalfEven(640 / sDouble), 8);
}

// The window's toolkit switches the process to the user's locale, whose decimal separator may
// be ",". scripts/install-deps makes ru_RU.UTF-8 for it.
TEST(Numbers, IgnoreTheProcessLocale) {
  const char* name = nullptr;
  for (const char* candidate : {"ru_RU.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, candidate)) {
      name = candidate;
      break;
    }
  }
  if (!name) FAIL() << "no locale with a decimal comma is installed";
  EXPECT_EQ(StrToFloat("0.15"), 0.15L) << name;
  EXPECT_EQ(ErrorText([] { StrToFloat("0,15"); }), "'0,15' is not a valid floating point value");
  EXPECT_EQ(FloatToStr(25.4L / 0.15), "169.333333333333") << name;
  EXPECT_EQ(FloatToStr(1.5e15L), "1.5E15") << name;
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace skelda
