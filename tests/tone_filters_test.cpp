#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "processing/brightness.h"
#include "processing/clamp_byte.h"
#include "processing/contrast.h"
#include "processing/sharpen.h"
#include "processing_reference.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using reference::RandomPicture;
using reference::Through24;

// A 24-bit picture of gray pixels, rows from the top.
Bitmap Gray24(const std::vector<std::vector<int>>& rows) {
  return testing::MakePicture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                              PixelFormat::Bit24, [&](int x, int y) {
                                const auto g = static_cast<std::uint8_t>(rows[y][x]);
                                return RGB(g, g, g);
                              });
}

TEST(ClampByte, Bounds) {
  EXPECT_EQ(ClampByte(-1), 0);
  EXPECT_EQ(ClampByte(0), 0);
  EXPECT_EQ(ClampByte(255), 255);
  EXPECT_EQ(ClampByte(256), 255);
  EXPECT_EQ(ClampByte(77), 77);
}

struct SharpenCase {
  int amount;
  std::vector<std::vector<int>> expected;
};

// Worked by hand on 10 20 30 / 40 100 60 / 70 80 90. At a = 10 the centre is
// (168 x 100 - 10 x (10 + 30 + 70 + 90)) / 128 = 115.6; the corner (0, 0) has three diagonals
// outside, counted as itself: (1680 - 10 x (10 + 10 + 10 + 100)) / 128 = 2.97.
TEST(SharpenBitmap, WorkedPicture) {
  const SharpenCase cases[] = {
      {10, {{2, 15, 24}, {38, 115, 61}, {67, 84, 89}}},
      // a = -32: the centre drops out, a pixel is the truncated mean of its diagonals.
      {-32, {{32, 35, 47}, {45, 50, 55}, {77, 65, 92}}},
      {0, {{10, 20, 30}, {40, 100, 60}, {70, 80, 90}}},
      // a = 100: 528 p - 100 d, clamped both ways.
      {100, {{0, 0, 0}, {24, 255, 75}, {46, 126, 82}}},
  };
  for (const SharpenCase& c : cases) {
    Bitmap b = Gray24({{10, 20, 30}, {40, 100, 60}, {70, 80, 90}});
    SharpenBitmap(b, c.amount);
    EXPECT_BITMAP_EQ(b, Gray24(c.expected)) << "amount " << c.amount;
  }
}

TEST(SharpenBitmap, UniformPictureUnchangedAtAnyAmount) {
  const int sizes[][2] = {{1, 1}, {1, 5}, {5, 1}, {4, 3}, {2, 2}};
  for (const auto& size : sizes) {
    for (int a : {-100, -33, -32, -1, 1, 50, 100}) {
      Bitmap b = testing::MakeUniform(size[0], size[1], RGB(200, 37, 90), PixelFormat::Bit24);
      SharpenBitmap(b, a);
      EXPECT_BITMAP_EQ(b, testing::MakeUniform(size[0], size[1], RGB(200, 37, 90)))
          << size[0] << "x" << size[1] << " amount " << a;
    }
  }
}

TEST(SharpenBitmap, SameAsTheKernelOnRandomPictures) {
  // 700 x 450 is split between threads; the 24-bit filler bytes must stay as they are.
  const int sizes[][2] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {5, 3}, {37, 21}, {700, 450}};
  for (const auto& size : sizes) {
    for (int a : {-100, -32, -7, 1, 33, 100}) {
      Bitmap fast = RandomPicture(size[0], size[1], PixelFormat::Bit24, size[1] - a);
      Bitmap slow = fast;
      SharpenBitmap(fast, a);
      reference::Sharpen(slow, a);
      EXPECT_SAME_BYTES(fast, slow) << size[0] << "x" << size[1] << " amount " << a;
    }
  }
}

TEST(SharpenBitmap, ThirtyTwoBitsAsIfThrough24) {
  for (int a : {0, -50, 20}) {
    Bitmap fast = RandomPicture(650, 420, PixelFormat::Bit32, 11 + a);
    const Bitmap expected = Through24(fast, [&](Bitmap& b) { reference::Sharpen(b, a); });
    SharpenBitmap(fast, a);
    EXPECT_SAME_BYTES(fast, expected) << "amount " << a;
  }
}

// The commands read BaseBitmap and write ShownBitmap in one sweep.
TEST(ToneFilters, FromSourceIntoTarget) {
  const Bitmap source = RandomPicture(641, 433, PixelFormat::Bit32, 71);
  struct Case {
    void (*fast)(const Bitmap&, Bitmap&, int);
    void (*slow)(Bitmap&, int);
    int amount;
  };
  const Case cases[] = {{&SharpenBitmap, &reference::Sharpen, 45},
                        {&SharpenBitmap, &reference::Sharpen, -100},
                        {&AdjustBrightness, &reference::Brightness, -13},
                        {&AdjustContrast, &reference::Contrast, 64}};
  for (const Case& c : cases) {
    Bitmap target = RandomPicture(641, 433, PixelFormat::Bit32, 72);
    c.fast(source, target, c.amount);
    EXPECT_SAME_BYTES(target, Through24(source, [&](Bitmap& b) { c.slow(b, c.amount); }))
        << c.amount;
  }
  Bitmap wrongShape(640, 433, PixelFormat::Bit32);
  EXPECT_THROW(AdjustBrightness(source, wrongShape, 5), Error);
}

TEST(AdjustBrightness, Cases) {
  Bitmap b = testing::MakeUniform(3, 2, RGB(100, 200, 250), PixelFormat::Bit24);
  AdjustBrightness(b, 200);
  EXPECT_BITMAP_EQ(b, testing::MakeUniform(3, 2, kWhite));
  b = testing::MakeUniform(3, 2, RGB(100, 200, 250), PixelFormat::Bit24);
  AdjustBrightness(b, -200);
  EXPECT_BITMAP_EQ(b, testing::MakeUniform(3, 2, RGB(0, 0, 50)));
  b = testing::MakeUniform(3, 2, RGB(100, 200, 250), PixelFormat::Bit24);
  AdjustBrightness(b, 3);
  EXPECT_BITMAP_EQ(b, testing::MakeUniform(3, 2, RGB(103, 203, 253)));
}

TEST(AdjustBrightness, FillerBytesUntouchedAndZeroIsIdentity) {
  // 1 pixel wide: 3 colour bytes and one filler byte a row.
  Bitmap b = RandomPicture(1, 4, PixelFormat::Bit24, 9);
  const Bitmap before = b;
  AdjustBrightness(b, 0);
  EXPECT_SAME_BYTES(b, before);
  AdjustBrightness(b, 40);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(b.ScanLine(y)[3], before.ScanLine(y)[3]);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(b.ScanLine(y)[k], ClampByte(before.ScanLine(y)[k] + 40));
  }
}

TEST(AdjustBrightness, SameAsByteByByteOnRandomPictures) {
  for (int a : {-200, -1, 1, 77, 200, 5000}) {
    Bitmap fast = RandomPicture(601, 455, PixelFormat::Bit24, 20 + a);
    Bitmap slow = fast;
    AdjustBrightness(fast, a);
    reference::Brightness(slow, a);
    EXPECT_SAME_BYTES(fast, slow) << "amount " << a;
    Bitmap fast32 = RandomPicture(601, 455, PixelFormat::Bit32, 21 + a);
    const Bitmap expected = Through24(fast32, [&](Bitmap& b) { reference::Brightness(b, a); });
    AdjustBrightness(fast32, a);
    EXPECT_SAME_BYTES(fast32, expected) << "amount " << a << ", 32 bits";
  }
}

TEST(ContrastFactor, Values) {
  EXPECT_EQ(ContrastFactor(0), 1.0);
  EXPECT_EQ(ContrastFactor(1), 1.1);
  EXPECT_EQ(ContrastFactor(100), 11.0);
  EXPECT_EQ(ContrastFactor(-1), 0.9);
  EXPECT_EQ(ContrastFactor(-100), 0.0);
  // The double nearest to 0.3, which 1.0 - 0.7 in double arithmetic is not.
  EXPECT_EQ(ContrastFactor(-49), 0.3);
}

// 50 pixels of 255 and one of 0: the mean is exactly 250.
Bitmap MeanOf250() {
  return testing::MakePicture(51, 1, PixelFormat::Bit24,
                              [](int x, int) { return x == 0 ? RGB(0, 0, 0) : kWhite; });
}

TEST(AdjustContrast, ProductInExtendedPrecision) {
  Bitmap b = MeanOf250();
  AdjustContrast(b, -49);
  // 0: 250 + trunc(-250 x 0.29999999999999998890) = 250 - 74; 255: 250 + trunc(1.4999...) = 251.
  EXPECT_EQ(b.PixelColor(0, 0), RGB(176, 176, 176));
  EXPECT_EQ(b.PixelColor(1, 0), RGB(251, 251, 251));
  EXPECT_EQ(b.PixelColor(50, 0), RGB(251, 251, 251));
}

TEST(AdjustContrast, Cases) {
  // -100 paints the mean colour: means 70 (210 / 3), 2 (7 / 3 truncated), 100.
  Bitmap b = testing::MakePicture(3, 1, PixelFormat::Bit24, [](int x, int) {
    return std::vector<Color>{RGB(0, 0, 100), RGB(100, 3, 100), RGB(110, 4, 100)}[x];
  });
  AdjustContrast(b, -100);
  EXPECT_BITMAP_EQ(b, testing::MakeUniform(3, 1, RGB(70, 2, 100)));
  // 100 multiplies each deviation by 11: mean 105, 100 -> 50, 110 -> 160.
  b = Gray24({{100}, {110}});
  AdjustContrast(b, 100);
  EXPECT_BITMAP_EQ(b, Gray24({{50}, {160}}));
  // The mean is truncated: 0, 0, 1 has mean 0; a = 10 doubles, so 1 -> 2.
  b = Gray24({{0, 0, 1}});
  AdjustContrast(b, 10);
  EXPECT_BITMAP_EQ(b, Gray24({{0, 0, 2}}));
  // 0 changes nothing.
  b = Gray24({{0, 50, 255}});
  AdjustContrast(b, 0);
  EXPECT_BITMAP_EQ(b, Gray24({{0, 50, 255}}));
}

TEST(AdjustContrast, SameAsChannelByChannelOnRandomPictures) {
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {37, 21}, {640, 430}};
  for (const auto& size : sizes) {
    for (int a : {-100, -49, -1, 1, 7, 100}) {
      Bitmap fast = RandomPicture(size[0], size[1], PixelFormat::Bit24, 40 + a);
      Bitmap slow = fast;
      AdjustContrast(fast, a);
      reference::Contrast(slow, a);
      EXPECT_SAME_BYTES(fast, slow) << size[0] << "x" << size[1] << " amount " << a;
    }
  }
  Bitmap fast32 = RandomPicture(333, 222, PixelFormat::Bit32, 5);
  const Bitmap expected = Through24(fast32, [](Bitmap& b) { reference::Contrast(b, -30); });
  AdjustContrast(fast32, -30);
  EXPECT_SAME_BYTES(fast32, expected);
}

TEST(ToneFilters, ThirtyTwoBitsLoseTheFourthByteEvenAtZero) {
  using Filter = void (*)(Bitmap&, int);
  for (Filter filter :
       {Filter(&SharpenBitmap), Filter(&AdjustBrightness), Filter(&AdjustContrast)}) {
    Bitmap b = RandomPicture(5, 4, PixelFormat::Bit32, 1);
    const Bitmap before = b;
    filter(b, 0);
    for (std::size_t i = 0; i < b.ByteSize(); ++i) {
      EXPECT_EQ(b.Bits()[i], i % 4 == 3 ? 0 : before.Bits()[i]);
    }
  }
}

}  // namespace
}  // namespace skelda
