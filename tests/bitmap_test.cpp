#include "core/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/errors.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;

Color Pattern(int x, int y) {
  return RGB(x * 37 % 256, y * 53 % 256, (x + y) * 11 % 256);
}

TEST(Bitmap, RowsArePaddedToFourBytesAndStoredTopDown) {
  struct Case {
    PixelFormat format;
    int width;
    std::size_t rowBytes;
  };
  for (const Case c : {Case{PixelFormat::Bit1, 33, 8}, Case{PixelFormat::Bit4, 9, 8},
                       Case{PixelFormat::Bit8, 5, 8}, Case{PixelFormat::Bit15, 3, 8},
                       Case{PixelFormat::Bit24, 5, 16}, Case{PixelFormat::Bit32, 3, 12}}) {
    Bitmap b(c.width, 3, c.format);
    EXPECT_EQ(b.RowBytes(), c.rowBytes);
    EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), static_cast<std::ptrdiff_t>(c.rowBytes));
  }
}

TEST(Bitmap, ScanLineOutsideThePictureFails) {
  Bitmap b(4, 1, PixelFormat::Bit32);
  EXPECT_NO_THROW(b.ScanLine(0));
  EXPECT_THROW(
      {
        try {
          b.ScanLine(1);
        } catch (const Error& e) {
          EXPECT_STREQ(e.what(), "Scan line index out of range");
          throw;
        }
      },
      Error);
}

TEST(Bitmap, CopyIsIndependent) {
  Bitmap a = MakePicture(5, 4, PixelFormat::Bit32, Pattern);
  Bitmap b = a;
  b.SetPixelColor(0, 0, kWhite);
  EXPECT_EQ(a.PixelColor(0, 0), Pattern(0, 0));
  EXPECT_EQ(b.PixelColor(0, 0), kWhite);
}

// An assignment lands in a block of every kind: larger, smaller, equal, empty, another format.
TEST(Bitmap, AssignmentGivesAnEqualBitmapOverAnyOld) {
  Bitmap source = MakePicture(7, 5, PixelFormat::Bit8, Pattern);
  source.SetPalette({{1, 2, 3, 0}, {200, 100, 50, 0}});
  const Bitmap olds[] = {MakePicture(40, 30, PixelFormat::Bit32, Pattern),
                         MakePicture(2, 1, PixelFormat::Bit24, Pattern),
                         MakePicture(7, 5, PixelFormat::Bit8, Pattern), Bitmap()};
  for (const Bitmap& old : olds) {
    Bitmap target = old;
    target = source;
    EXPECT_EQ(target, source);
    EXPECT_EQ(target.ByteSize(), source.ByteSize());
    const Bitmap copied(target);
    EXPECT_EQ(copied, source);
  }
  Bitmap self = source;
  self = *&self;
  EXPECT_EQ(self, source);
}

// A photo-sized block freed is taken again by the next picture of a similar size, which still
// starts all 0 however the last one left it; a much smaller picture does not take it.
TEST(Bitmap, LargeBlocksAreUsedAgainAndStillStartClear) {
  const auto allZero = [](const Bitmap& b) {
    return std::all_of(b.Bits(), b.Bits() + b.ByteSize(), [](std::uint8_t v) { return v == 0; });
  };
  const std::uint8_t* block = nullptr;
  {
    Bitmap old(2000, 1500, PixelFormat::Bit32);
    std::fill(old.Bits(), old.Bits() + old.ByteSize(), std::uint8_t{0xAB});
    block = old.Bits();
  }
  const Bitmap small(1400, 1000, PixelFormat::Bit32);
  EXPECT_NE(small.Bits(), block);
  const Bitmap next(1990, 1500, PixelFormat::Bit32);
  EXPECT_EQ(next.Bits(), block);
  EXPECT_TRUE(allZero(next));
}

TEST(Bitmap, FormatChangesKeepColours) {
  const Bitmap source = MakePicture(7, 5, PixelFormat::Bit32, Pattern);
  for (PixelFormat f : {PixelFormat::Bit24, PixelFormat::Bit32}) {
    Bitmap b = source;
    b.SetPixelFormat(f);
    EXPECT_EQ(b.Format(), f);
    EXPECT_BITMAP_EQ(b, source);
    b.SetPixelFormat(PixelFormat::Bit32);
    EXPECT_BITMAP_EQ(b, source);
  }
}

TEST(Bitmap, PaletteEntriesExpandToThirtyTwoBits) {
  Bitmap b(3, 2, PixelFormat::Bit8);
  b.SetPalette({{10, 20, 30, 0}, {200, 100, 50, 0}});
  b.ScanLine(0)[1] = 1;
  b.SetPixelFormat(PixelFormat::Bit32);
  EXPECT_EQ(b.PixelColor(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(b.PixelColor(1, 0), RGB(200, 100, 50));
}

TEST(Bitmap, ThirtyTwoToTwentyFourDropsTheFourthByte) {
  Bitmap b(2, 2, PixelFormat::Bit32);
  b.ScanLine(0)[0] = 1;
  b.ScanLine(0)[3] = 0x77;
  b.SetPixelFormat(PixelFormat::Bit24);
  EXPECT_EQ(b.ScanLine(0)[0], 1);
  EXPECT_EQ(b.ScanLine(0)[3], 0);
}

TEST(Bitmap, SizeChangesKeepTheSharedPart) {
  Bitmap b = MakePicture(6, 5, PixelFormat::Bit32, Pattern);
  b.SetWidth(3);
  b.SetHeight(7);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 7);
  EXPECT_EQ(b.PixelColor(2, 4), Pattern(2, 4));
  EXPECT_EQ(b.PixelColor(2, 6), kBlack);
}

TEST(Bitmap, FillRectIsClipped) {
  Bitmap b(4, 4, PixelFormat::Bit24);
  b.FillRect(2, -3, 10, 2, kWhite);
  EXPECT_EQ(b.PixelColor(1, 0), kBlack);
  EXPECT_EQ(b.PixelColor(3, 1), kWhite);
  EXPECT_EQ(b.PixelColor(3, 2), kBlack);
}

TEST(Bitmap, TooLargeFailsBeforeAllocating) {
  EXPECT_THROW(Bitmap(3'000'000, 2'000'000, PixelFormat::Bit32), PictureTooLargeError);
}

TEST(Palette, NearestEntry) {
  Palette p({{0, 0, 0, 0}, {255, 255, 255, 0}, {250, 0, 0, 0}});
  EXPECT_EQ(p.NearestIndex(RGB(255, 10, 10)), 2);
  EXPECT_EQ(p.NearestIndex(RGB(200, 200, 200)), 1);
  EXPECT_EQ(p.NearestIndex(RGB(20, 20, 20)), 0);
}

TEST(ErrorBox, AddsAFullStopAfterLettersAndDigits) {
  EXPECT_EQ(ErrorBoxText("Bitmap image is not valid"), "Bitmap image is not valid.");
  EXPECT_EQ(ErrorBoxText("JPEG error #42"), "JPEG error #42.");
  EXPECT_EQ(ErrorBoxText("'abc' is not a valid floating point value"),
            "'abc' is not a valid floating point value.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Bitmap format is not supported (bitmap.cpp, line 12)"),
            "Bitmap format is not supported (bitmap.cpp, line 12)");
  EXPECT_EQ(ErrorBoxText("Готово"), "Готово.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace skelda
