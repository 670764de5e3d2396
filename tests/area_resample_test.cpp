#include "intake/area_resample.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;
using testing::MakeUniform;

Bitmap Stretched(const Bitmap& source, int width, int height,
                 PixelFormat format = PixelFormat::Bit32) {
  Bitmap target(width, height, format);
  AreaResample(source, target);
  return target;
}

Bitmap GreyRow(const std::vector<int>& values) {
  return MakePicture(static_cast<int>(values.size()), 1, PixelFormat::Bit32, [&](int x, int) {
    const auto v = static_cast<std::uint8_t>(values[x]);
    return RGB(v, v, v);
  });
}

struct RowCase {
  const char* name;
  std::vector<int> source;
  std::vector<int> target;  // worked out by hand as area-weighted means
};

class AreaResampleRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(AreaResampleRowTest, AveragesTheCoveredArea) {
  const RowCase& c = GetParam();
  const Bitmap source = GreyRow(c.source);
  EXPECT_BITMAP_EQ(Stretched(source, static_cast<int>(c.target.size()), 1), GreyRow(c.target));
  // The same along the other axis.
  Bitmap column(1, static_cast<int>(c.source.size()), PixelFormat::Bit32);
  for (int i = 0; i < column.Height(); ++i) column.SetPixelColor(0, i, source.PixelColor(i, 0));
  const Bitmap stretched = Stretched(column, 1, static_cast<int>(c.target.size()));
  for (int i = 0; i < stretched.Height(); ++i) {
    EXPECT_EQ(RedOf(stretched.PixelColor(0, i)), c.target[i]) << "row " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AreaResampleRowTest,
    ::testing::Values(
        RowCase{"Halve",
                {0, 100, 200, 255},
                {50, 228}},  // 227.5 rounds up
                             // target 0 covers sources 0 and half of 1: (0 x 1 + 90 x 0.5) / 1.5
        RowCase{"ThreeToTwo", {0, 90, 180}, {30, 150}},
        RowCase{"Double", {0, 255}, {0, 0, 255, 255}},
        // target 1 covers the last third of source 0 and the first third of source 1
        RowCase{"TwoToThree", {0, 255}, {0, 128, 255}}, RowCase{"ToOne", {10, 20, 30, 41}, {25}},
        RowCase{"FiveToTwo", {0, 50, 100, 150, 200}, {40, 160}}),
    [](const auto& info) { return std::string(info.param.name); });

Color Pattern(int x, int y) {
  return RGB(x * 37 & 0xFF, y * 53 & 0xFF, (x * y + 11) & 0xFF);
}

TEST(AreaResampleTest, EqualSizeIsAnExactCopy) {
  const Bitmap source = MakePicture(33, 17, PixelFormat::Bit32, Pattern);
  EXPECT_BITMAP_EQ(Stretched(source, 33, 17), source);
}

TEST(AreaResampleTest, OneAxisUnchangedKeepsItsLines) {
  const Bitmap source = MakePicture(6, 5, PixelFormat::Bit32, Pattern);
  const Bitmap wide = Stretched(source, 12, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 12; ++x) EXPECT_EQ(wide.PixelColor(x, y), source.PixelColor(x / 2, y));
  }
}

TEST(AreaResampleTest, UniformStaysUniform) {
  const Color colour = RGB(201, 3, 77);
  const Bitmap source = MakeUniform(97, 61, colour);
  const int sizes[][2] = {{1, 1}, {3, 2}, {48, 30}, {96, 60}, {98, 62}, {200, 7}, {500, 333}};
  for (const auto& size : sizes) {
    EXPECT_BITMAP_EQ(Stretched(source, size[0], size[1]), MakeUniform(size[0], size[1], colour))
        << size[0] << " x " << size[1];
  }
}

TEST(AreaResampleTest, AveragesTwoByTwoBlocks) {
  const Bitmap source = MakePicture(4, 4, PixelFormat::Bit32, [](int x, int y) {
    return RGB(x * 10 + y * 40, 255 - x, y < 2 ? 0 : 200);
  });
  // Block (0,0): red 0,10,40,50 -> 25, green 255,254 -> 254.5 -> 255 (half up), blue 0.
  // Block (1,1): red 100,110,140,150 -> 125, green 253,252 -> 252.5 -> 253, blue 200.
  const Bitmap half = Stretched(source, 2, 2);
  EXPECT_EQ(half.PixelColor(0, 0), RGB(25, 255, 0));
  EXPECT_EQ(half.PixelColor(1, 0), RGB(45, 253, 0));
  EXPECT_EQ(half.PixelColor(0, 1), RGB(105, 255, 200));
  EXPECT_EQ(half.PixelColor(1, 1), RGB(125, 253, 200));
  EXPECT_EQ(half.ScanLine(0)[3], 0);
}

TEST(AreaResampleTest, OtherFormatsGoThrough32Bits) {
  const Bitmap source24 = MakePicture(8, 4, PixelFormat::Bit24, Pattern);
  Bitmap source32 = source24;
  source32.SetPixelFormat(PixelFormat::Bit32);
  EXPECT_BITMAP_EQ(Stretched(source24, 5, 3), Stretched(source32, 5, 3));

  // A palette target keeps its format and palette; a grey mean finds its nearest grey.
  Bitmap target(2, 1, PixelFormat::Bit8);
  AreaResample(GreyRow({0, 20, 200, 255}), target);
  EXPECT_EQ(target.Format(), PixelFormat::Bit8);
  EXPECT_EQ(target.PaletteEntries().size(), 256u);
  EXPECT_EQ(target.PixelColor(0, 0) & 0xFFFFFF, RGB(10, 10, 10));
  EXPECT_EQ(target.PixelColor(1, 0) & 0xFFFFFF, RGB(228, 228, 228));
}

TEST(AreaResampleTest, LargeReductionStaysInRange) {
  const Bitmap source = MakeUniform(3000, 2, RGB(255, 255, 255));
  EXPECT_BITMAP_EQ(Stretched(source, 1, 1), MakeUniform(1, 1, RGB(255, 255, 255)));
  const Bitmap stripes = MakePicture(
      3001, 3, PixelFormat::Bit32, [](int x, int) { return x % 2 ? RGB(255, 255, 255) : kBlack; });
  // 1500 / 3001 of white is 127.46; 14-bit weights of about 5.5 each leave it within a level.
  const Color mean = Stretched(stripes, 1, 1).PixelColor(0, 0);
  EXPECT_NEAR(RedOf(mean), 127, 1);
}

}  // namespace
}  // namespace skelda
