#include <gtest/gtest.h>

#include "geometry/orientation.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;

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

}  // namespace
}  // namespace skelda
