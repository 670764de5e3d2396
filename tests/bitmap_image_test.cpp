// The picture area's view of a bitmap: the common layouts are wrapped in place, others copied.
#include "ui/bitmap_image.h"

#include <gtest/gtest.h>

#include <QImage>

#include "support/bitmap_assert.h"

namespace skelda::testing {
namespace {

QRgb ScreenColor(Color c) {
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

std::vector<PaletteEntry> Greys() {
  std::vector<PaletteEntry> entries(256);
  for (int i = 0; i < 256; ++i) entries[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
  return entries;
}

Bitmap Picture(PixelFormat format) {
  Bitmap b(7, 3, format);
  if (format == PixelFormat::Bit8) b.SetPalette(Greys());
  const Color colours[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x102030};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) b.SetPixelColor(x, y, colours[(x + y) % 7]);
  return b;
}

TEST(BitmapImage, EveryLayoutShowsItsColours) {
  for (PixelFormat format :
       {PixelFormat::Bit32, PixelFormat::Bit24, PixelFormat::Bit8, PixelFormat::Bit16}) {
    const Bitmap b = Picture(format);
    const QImage image = ImageOfBitmap(b);
    ASSERT_EQ(image.size(), QSize(7, 3)) << BitsPerPixelOf(format);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 7; ++x)
        EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF, ScreenColor(b.PixelColor(x, y)) & 0xFFFFFF)
            << BitsPerPixelOf(format) << " bits at " << x << "," << y;
  }
}

TEST(BitmapImage, CommonLayoutsAreWrappedWithoutACopy) {
  for (PixelFormat format : {PixelFormat::Bit32, PixelFormat::Bit24, PixelFormat::Bit8}) {
    const Bitmap b = Picture(format);
    const QImage image = WrapBitmap(b);
    EXPECT_EQ(image.constBits(), b.Bits()) << BitsPerPixelOf(format);
    EXPECT_EQ(image.bytesPerLine(), qsizetype(b.RowBytes()));
  }
  EXPECT_TRUE(WrapBitmap(Picture(PixelFormat::Bit16)).isNull());
  EXPECT_TRUE(ImageOfBitmap(Bitmap()).isNull());
}

}  // namespace
}  // namespace skelda::testing
