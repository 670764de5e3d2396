#include "geometry/orientation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/errors.h"
#include "support/bitmap_assert.h"

// Mirror, quarter and general turns, and the 24-bit working form they run on.
namespace skelda {
namespace {

using testing::MakePicture;

namespace mirror {

// A different colour for every pixel, so a misplaced pixel cannot go unseen.
Color Distinct(int x, int y) {
  return RGB(x * 7 + 1, y * 11 + 2, (x + y) * 3 + 5);
}

struct Size {
  int width, height;
};

// Odd and even sizes, below and above the four-pixel groups of the row loop.
const Size kSizes[] = {{1, 1}, {2, 2}, {3, 3}, {7, 2}, {8, 3}, {9, 4}, {16, 5}, {17, 6}, {33, 9}};

TEST(MirrorBitmap, HorizontalMovesPixelXToWidthMinusOneMinusX) {
  for (const Size s : kSizes) {
    SCOPED_TRACE(::testing::Message() << s.width << "x" << s.height);
    Bitmap b = MakePicture(s.width, s.height, PixelFormat::Bit32, Distinct);
    MirrorBitmap(b, true);
    EXPECT_EQ(b.Format(), PixelFormat::Bit24);
    EXPECT_BITMAP_EQ(b, MakePicture(s.width, s.height, PixelFormat::Bit24,
                                    [&](int x, int y) { return Distinct(s.width - 1 - x, y); }));
  }
}

TEST(MirrorBitmap, VerticalMovesRowYToHeightMinusOneMinusY) {
  for (const Size s : kSizes) {
    SCOPED_TRACE(::testing::Message() << s.width << "x" << s.height);
    Bitmap b = MakePicture(s.width, s.height, PixelFormat::Bit32, Distinct);
    MirrorBitmap(b, false);
    EXPECT_EQ(b.Format(), PixelFormat::Bit24);
    EXPECT_BITMAP_EQ(b, MakePicture(s.width, s.height, PixelFormat::Bit24,
                                    [&](int x, int y) { return Distinct(x, s.height - 1 - y); }));
  }
}

TEST(MirrorBitmap, ThreeByTwoByHand) {
  // A B C      C B A           D E F
  // D E F  ->  F E D  and  ->  A B C
  const Color A = 0x010203, B = 0x040506, C = 0x070809, D = 0x0A0B0C, E = 0x0D0E0F, F = 0x101112;
  const Color src[2][3] = {{A, B, C}, {D, E, F}};
  auto source = [&] {
    return MakePicture(3, 2, PixelFormat::Bit32, [&](int x, int y) { return src[y][x]; });
  };
  Bitmap h = source();
  MirrorBitmap(h, true);
  EXPECT_EQ(h.PixelColor(0, 0), C);
  EXPECT_EQ(h.PixelColor(1, 0), B);
  EXPECT_EQ(h.PixelColor(2, 0), A);
  EXPECT_EQ(h.PixelColor(0, 1), F);
  EXPECT_EQ(h.PixelColor(2, 1), D);
  Bitmap v = source();
  MirrorBitmap(v, false);
  EXPECT_EQ(v.PixelColor(0, 0), D);
  EXPECT_EQ(v.PixelColor(2, 0), F);
  EXPECT_EQ(v.PixelColor(0, 1), A);
  EXPECT_EQ(v.PixelColor(2, 1), C);
}

TEST(MirrorBitmap, TwiceGivesThePictureBack) {
  for (const bool horizontal : {true, false}) {
    for (const Size s : kSizes) {
      SCOPED_TRACE(::testing::Message() << s.width << "x" << s.height << " h=" << horizontal);
      const Bitmap original = MakePicture(s.width, s.height, PixelFormat::Bit24, Distinct);
      Bitmap b = original;
      MirrorBitmap(b, horizontal);
      MirrorBitmap(b, horizontal);
      EXPECT_EQ(b, original);  // every byte, the row padding included
    }
  }
}

TEST(MirrorBitmap, OddMiddleColumnAndRowStay) {
  const Bitmap original = MakePicture(9, 7, PixelFormat::Bit32, Distinct);
  Bitmap h = original;
  MirrorBitmap(h, true);
  Bitmap v = original;
  MirrorBitmap(v, false);
  for (int y = 0; y < 7; ++y) EXPECT_EQ(h.PixelColor(4, y), Distinct(4, y));
  for (int x = 0; x < 9; ++x) EXPECT_EQ(v.PixelColor(x, 3), Distinct(x, 3));
}

TEST(MirrorBitmap, PaletteStartPictureIsConverted) {
  Bitmap b(5, 3, PixelFormat::Bit8);  // grey ramp palette: index i is grey i
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.ScanLine(y)[x] = static_cast<std::uint8_t>(10 * x + y);
  MirrorBitmap(b, true);
  ASSERT_EQ(b.Format(), PixelFormat::Bit24);
  EXPECT_EQ(b.PixelColor(0, 2), RGB(42, 42, 42));
  EXPECT_EQ(b.PixelColor(4, 0), RGB(0, 0, 0));
}

}  // namespace mirror

namespace turns {

Color Distinct(int x, int y) {
  return RGB(x * 7 + 1, y * 11 + 2, (x * 3 + y * 5) & 0xFF);
}

constexpr Color kFill = 0x00FF00;  // not white, so a filled pixel is told from a copied one

// A B C
// D E F
const Color A = 0x010203, B = 0x040506, C = 0x070809, D = 0x0A0B0C, E = 0x0D0E0F, F = 0x101112;

Bitmap ThreeByTwo() {
  const Color src[2][3] = {{A, B, C}, {D, E, F}};
  return MakePicture(3, 2, PixelFormat::Bit32, [&](int x, int y) { return src[y][x]; });
}

template <int W, int H>
Bitmap Rows(const Color (&rows)[H][W]) {
  return MakePicture(W, H, PixelFormat::Bit24, [&](int x, int y) { return rows[y][x]; });
}

TEST(RotateBitmap, ClockwiseThreeByTwo) {
  // The top row holds the source's left column read from bottom to top.
  Bitmap b = ThreeByTwo();
  RotateBitmap(b, kFill, 90.0);
  EXPECT_EQ(b.Format(), PixelFormat::Bit24);
  const Color expected[3][2] = {{D, A}, {E, B}, {F, C}};
  EXPECT_BITMAP_EQ(b, Rows(expected));
}

TEST(RotateBitmap, CounterClockwiseThreeByTwoIsExact) {
  // Row r holds source column W-1-r read from top to bottom; no white row, no column lost.
  const Color expected[3][2] = {{C, F}, {B, E}, {A, D}};
  for (const double angle : {-90.0, 270.0}) {
    SCOPED_TRACE(angle);
    Bitmap b = ThreeByTwo();
    RotateBitmap(b, kFill, angle);
    EXPECT_BITMAP_EQ(b, Rows(expected));
  }
}

TEST(RotateBitmap, HalfTurnThreeByTwo) {
  Bitmap b = ThreeByTwo();
  RotateBitmap(b, kFill, 180.0);
  const Color expected[2][3] = {{F, E, D}, {C, B, A}};
  EXPECT_BITMAP_EQ(b, Rows(expected));
}

TEST(RotateBitmap, HalfTurnWithOddHeightTurnsTheMiddleRow) {
  Bitmap b = MakePicture(5, 3, PixelFormat::Bit32, Distinct);
  RotateBitmap(b, kFill, 180.0);
  EXPECT_BITMAP_EQ(b, MakePicture(5, 3, PixelFormat::Bit24,
                                  [](int x, int y) { return Distinct(4 - x, 2 - y); }));
}

struct Size {
  int width, height;
};

// Sizes below, at and across the turn's four-pixel blocks and 64-pixel tiles.
const Size kSizes[] = {{1, 1}, {1, 5}, {5, 1}, {4, 4}, {7, 3}, {8, 12}, {70, 133}, {129, 66}};

TEST(RotateBitmap, QuarterTurnsMovePixelsAsTheFormulasSay) {
  for (const Size s : kSizes) {
    SCOPED_TRACE(::testing::Message() << s.width << "x" << s.height);
    const int W = s.width, H = s.height;
    Bitmap cw = MakePicture(W, H, PixelFormat::Bit32, Distinct);
    RotateBitmap(cw, kFill, 90.0);
    EXPECT_BITMAP_EQ(cw, MakePicture(H, W, PixelFormat::Bit24,
                                     [&](int x, int y) { return Distinct(y, H - 1 - x); }));
    Bitmap ccw = MakePicture(W, H, PixelFormat::Bit32, Distinct);
    RotateBitmap(ccw, kFill, -90.0);
    EXPECT_BITMAP_EQ(ccw, MakePicture(H, W, PixelFormat::Bit24,
                                      [&](int x, int y) { return Distinct(W - 1 - y, x); }));
  }
}

TEST(RotateBitmap, RoundTripsGiveThePictureBack) {
  for (const Size s : kSizes) {
    SCOPED_TRACE(::testing::Message() << s.width << "x" << s.height);
    const Bitmap original = MakePicture(s.width, s.height, PixelFormat::Bit24, Distinct);
    Bitmap four = original;
    for (int i = 0; i < 4; ++i) RotateBitmap(four, kFill, 90.0);
    EXPECT_EQ(four, original);
    Bitmap there = original;
    RotateBitmap(there, kFill, 90.0);
    RotateBitmap(there, kFill, -90.0);
    EXPECT_EQ(there, original);
    Bitmap half = original;
    RotateBitmap(half, kFill, 180.0);
    RotateBitmap(half, kFill, 180.0);
    EXPECT_EQ(half, original);
  }
}

TEST(RotateBitmap, WholeTurnsLeaveThePictureAsConverted) {
  for (const double angle : {0.0, -0.0, 360.0, -360.0, 720.0}) {
    SCOPED_TRACE(angle);
    Bitmap b = MakePicture(5, 4, PixelFormat::Bit32, Distinct);
    RotateBitmap(b, kFill, angle);
    EXPECT_EQ(b.Format(), PixelFormat::Bit24);
    EXPECT_BITMAP_EQ(b, MakePicture(5, 4, PixelFormat::Bit32, Distinct));
  }
}

// Worked by hand with cos 45 = sin 45 = 0.7071: corners (4, 0) -> (3, 3), (4, 2) -> (1, 4),
// (0, 2) -> (-1, 1), so 4 x 4 with minX = -1; target (x, y) reads source
// (round((x-1+y) * 0.7071), round((y-x+1) * 0.7071)).
TEST(RotateBitmap, GeneralRotationAt45Degrees) {
  Bitmap b = MakePicture(4, 2, PixelFormat::Bit32, Distinct);
  RotateBitmap(b, kFill, 45.0);
  ASSERT_EQ(b.Width(), 4);
  ASSERT_EQ(b.Height(), 4);
  const Color f = kFill;
  const Color expected[4][4] = {
      {f, Distinct(0, 0), f, f},
      {Distinct(0, 1), Distinct(1, 1), Distinct(1, 0), f},
      {f, Distinct(1, 1), Distinct(2, 1), Distinct(3, 0)},
      {f, f, Distinct(3, 1), f},
  };
  EXPECT_BITMAP_EQ(b, Rows(expected));
}

// The angle in radians is formed in extended precision and then held as a double, which lands
// just above pi/6: sin is 0.50000000000000005, not 0.5. So the corner (0, 3) goes to
// x = round(-1.5000000000000001) = -2 (exactly -1.5 would be a tie) and the picture is
// 5 x 5 with minX = -2; target (2, 1) reads source x = round(0.50000000000000005) = 1.
TEST(RotateBitmap, GeneralRotationAt30DegreesRoundsTheRadiansToDouble) {
  Bitmap b = MakePicture(4, 3, PixelFormat::Bit32, Distinct);
  RotateBitmap(b, kFill, 30.0);
  ASSERT_EQ(b.Width(), 5);
  ASSERT_EQ(b.Height(), 5);
  struct Pin {
    int x, y;
    Color color;
  };
  const Pin pins[] = {
      {2, 0, Distinct(0, 0)}, {0, 0, kFill},          {1, 0, kFill},
      {2, 1, Distinct(1, 1)}, {2, 2, Distinct(1, 2)}, {1, 2, Distinct(0, 2)},
      {4, 1, Distinct(2, 0)}, {4, 2, Distinct(3, 1)}, {3, 3, Distinct(2, 2)},
      {2, 3, kFill},          {4, 4, kFill},
  };
  for (const Pin& p : pins) {
    EXPECT_EQ(b.PixelColor(p.x, p.y), p.color) << "at (" << p.x << ", " << p.y << ")";
  }
}

TEST(RotateBitmap, FractionalAndOtherWholeAnglesUseTheGeneralRotation) {
  // 90.5 is not a quarter turn; -180 is not among the exact half turns.
  Bitmap b = MakePicture(6, 3, PixelFormat::Bit32, Distinct);
  RotateBitmap(b, kFill, 90.5);
  EXPECT_EQ(b.Width(), 3);  // corners (6,0)->(0,6), (6,3)->(-3,6), (0,3)->(-3,0)
  EXPECT_EQ(b.Height(), 6);
  Bitmap c = MakePicture(6, 3, PixelFormat::Bit32, Distinct);
  RotateBitmap(c, kFill, -180.0);
  EXPECT_EQ(c.Width(), 6);
  EXPECT_EQ(c.Height(), 3);
}

TEST(RotateBitmap, NonFiniteAngleChangesNothing) {
  const Bitmap original = MakePicture(3, 2, PixelFormat::Bit32, Distinct);
  for (const double angle :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    Bitmap b = original;
    EXPECT_THROW(RotateBitmap(b, kFill, angle), InvalidOpError);
    EXPECT_EQ(b, original);
  }
}

TEST(RotateBitmap, EmptyPictureStaysEmpty) {
  Bitmap b(0, 0, PixelFormat::Bit32);
  RotateBitmap(b, kFill, 45.0);
  EXPECT_TRUE(b.Empty());
}

}  // namespace turns

namespace working_form {

Color Distinct(int x, int y) {
  return RGB(x * 5 + 3, y * 13 + 1, x * y + 7);
}

// The row loops must give exactly what the bitmap's own conversion gives: same colours, same
// padding, a fourth byte of 0.
TEST(PixelFormat24, MatchesTheBitmapConversionForEveryWidth) {
  for (int width = 1; width <= 13; ++width) {
    SCOPED_TRACE(width);
    Bitmap b32 = MakePicture(width, 3, PixelFormat::Bit32, Distinct);
    b32.Bits()[3] = 0x77;  // a fourth byte that 24 bits cannot hold
    Bitmap expected24 = b32;
    expected24.SetPixelFormat(PixelFormat::Bit24);
    Bitmap mine = b32;
    ConvertTo24(mine);
    EXPECT_EQ(mine, expected24);

    Bitmap expected32 = expected24;
    expected32.SetPixelFormat(PixelFormat::Bit32);
    ConvertTo32(mine);
    EXPECT_EQ(mine, expected32);
  }
}

TEST(PixelFormat24, PaletteAndPackedFormatsKeepTheirColours) {
  for (const PixelFormat f : {PixelFormat::Bit8, PixelFormat::Bit15, PixelFormat::Bit1}) {
    const Bitmap source =
        MakePicture(7, 3, f, [](int x, int y) { return (x + y) % 2 ? kWhite : kBlack; });
    Bitmap b = source;
    ConvertTo24(b);
    EXPECT_EQ(b.Format(), PixelFormat::Bit24);
    EXPECT_BITMAP_EQ(b, source);
    Bitmap c = source;
    ConvertTo32(c);
    EXPECT_EQ(c.Format(), PixelFormat::Bit32);
    EXPECT_BITMAP_EQ(c, source);
  }
}

}  // namespace working_form

}  // namespace
}  // namespace skelda
