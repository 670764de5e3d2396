#include <gtest/gtest.h>

#include "geometry/orientation.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;

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

}  // namespace
}  // namespace skelda
