#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "processing/mosaic.h"
#include "processing/random_offset.h"
#include "processing/scatter.h"
#include "processing_reference.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using reference::RandomPicture;
using reference::Through24;

TEST(RandomOffset, DrawsDirectionThenStep) {
  // From the start state the draws in 0 .. 1 run 0, 0, 1, 1, 0, 1, 0, 1: (d, s) = (0, 0),
  // (1, 1), (0, 1), (0, 1).
  RandomGenerator random;
  EXPECT_EQ(RandomOffset(10, 2, random), 10);
  EXPECT_EQ(RandomOffset(10, 2, random), 9);
  EXPECT_EQ(RandomOffset(10, 2, random), 11);
  EXPECT_EQ(RandomOffset(10, 2, random), 11);
}

TEST(RandomOffset, Distribution) {
  RandomGenerator random;
  std::map<int, int> counts;
  const int draws = 200000;
  for (int i = 0; i < draws; ++i) ++counts[RandomOffset(0, 5, random)];
  ASSERT_EQ(counts.size(), 9u);  // -4 .. 4
  EXPECT_EQ(counts.begin()->first, -4);
  EXPECT_EQ(counts.rbegin()->first, 4);
  EXPECT_NEAR(counts[0] / double(draws), 1.0 / 5, 0.01);
  for (int v : {-4, -1, 1, 4}) EXPECT_NEAR(counts[v] / double(draws), 1.0 / 10, 0.01);
  RandomGenerator one;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(RandomOffset(7, 1, one), 7);
}

// Pixels named A .. F (3 x 2); from seed 2 the visits of a reach-2 scatter end as worked out
// from the generator's draws.
TEST(ScatterBitmap, WorkedPicture) {
  const Color names[] = {0x000041, 0x000042, 0x000043, 0x000044, 0x000045, 0x000046};
  Bitmap b = testing::MakePicture(3, 2, PixelFormat::Bit24,
                                  [&](int x, int y) { return names[y * 3 + x]; });
  RandomGenerator random;
  random.Seed(2);
  ScatterWithoutSeeding(b, 2, 2, kWhite, random);
  // D C B / A F E
  const Color expected[] = {names[3], names[2], names[1], names[0], names[5], names[4]};
  EXPECT_BITMAP_EQ(b, testing::MakePicture(3, 2, PixelFormat::Bit24,
                                           [&](int x, int y) { return expected[y * 3 + x]; }));
  // From the start state the first visit of a 2 x 1 picture keeps its pixel and the second
  // reaches outside, so the right pixel keeps the fill colour.
  b = testing::MakePicture(2, 1, PixelFormat::Bit24, [&](int x, int) { return names[x]; });
  RandomGenerator start;
  ScatterWithoutSeeding(b, 2, 1, RGB(1, 2, 3), start);
  EXPECT_EQ(b.PixelColor(0, 0), names[0]);
  EXPECT_EQ(b.PixelColor(1, 0), RGB(1, 2, 3));
}

TEST(ScatterBitmap, ReachOneChangesNothing) {
  const Bitmap picture = RandomPicture(9, 7, PixelFormat::Bit24, 6);
  Bitmap b = picture;
  RandomGenerator random;
  ScatterBitmap(b, 1, 1, kWhite, random);
  EXPECT_BITMAP_EQ(b, picture);
}

// Every colour unique and not white: each result pixel is white or came from within reach.
TEST(ScatterBitmap, NoPixelMovesBeyondReach) {
  const int w = 40, h = 30;
  for (int reach : {2, 5}) {
    for (int run = 0; run < 5; ++run) {
      Bitmap b = testing::MakePicture(w, h, PixelFormat::Bit32,
                                      [&](int x, int y) { return Color(y * w + x + 1); });
      RandomGenerator random;
      ScatterBitmap(b, reach, reach, kWhite, random);
      int moved = 0;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const Color c = b.PixelColor(x, y);
          if (c == kWhite) {
            // Only near the edges can a pixel be left unwritten.
            EXPECT_TRUE(x < reach - 1 || x >= w - (reach - 1) || y < reach - 1 ||
                        y >= h - (reach - 1))
                << x << "," << y;
            continue;
          }
          const int from = static_cast<int>(c) - 1;
          EXPECT_LE(std::abs(from % w - x), reach - 1) << x << "," << y;
          EXPECT_LE(std::abs(from / w - y), reach - 1) << x << "," << y;
          moved += from != y * w + x;
        }
      }
      EXPECT_GT(moved, w * h / 4);
    }
  }
}

TEST(ScatterBitmap, UniformPictureKeepsItsColourInside) {
  for (int reach : {2, 5}) {
    Bitmap b = testing::MakeUniform(30, 20, RGB(10, 20, 30), PixelFormat::Bit24);
    RandomGenerator random;
    ScatterBitmap(b, reach, reach, kWhite, random);
    int whites = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 30; ++x) {
        const bool border =
            x < reach - 1 || x > 29 - (reach - 1) || y < reach - 1 || y > 19 - (reach - 1);
        const Color c = b.PixelColor(x, y);
        EXPECT_TRUE(c == RGB(10, 20, 30) || (border && c == kWhite)) << x << "," << y;
        whites += c == kWhite;
      }
    }
    EXPECT_GT(whites, 0) << "reach " << reach;
  }
}

TEST(ScatterBitmap, SameAsStepByStepForAKnownSequence) {
  for (const auto& [w, h] :
       std::vector<std::pair<int, int>>{{1, 1}, {1, 8}, {8, 1}, {17, 13}, {120, 90}}) {
    for (int reach : {2, 5}) {
      const Bitmap picture = RandomPicture(w, h, PixelFormat::Bit24, w * h + reach);
      Bitmap fast = picture, slow = picture;
      RandomGenerator random, replay;
      random.Seed(99 + reach);
      replay.Seed(99 + reach);
      ScatterWithoutSeeding(fast, reach, reach, kWhite, random);
      reference::Scatter(slow, reach, reach, kWhite, replay);
      EXPECT_BITMAP_EQ(fast, slow) << w << "x" << h << " reach " << reach;
      EXPECT_EQ(random.State(), replay.State());

      // 32 bits: the colours of the 24-bit result, the fourth byte 0.
      Bitmap fast32 = RandomPicture(w, h, PixelFormat::Bit32, w + h + reach);
      random.Seed(5);
      replay.Seed(5);
      const Bitmap expected =
          Through24(fast32, [&](Bitmap& b) { reference::Scatter(b, reach, 3, kWhite, replay); });
      ScatterWithoutSeeding(fast32, reach, 3, kWhite, random);
      EXPECT_SAME_BYTES(fast32, expected) << w << "x" << h << " reach " << reach;
    }
  }
}

TEST(ScatterBitmap, SeedsFromTheClockEachTime) {
  const Bitmap picture = RandomPicture(50, 40, PixelFormat::Bit32, 1);
  RandomGenerator random;
  Bitmap a = picture, b = picture;
  ScatterBitmap(a, 5, 5, kWhite, random);
  ScatterBitmap(b, 5, 5, kWhite, random);
  EXPECT_FALSE(a == b);
  EXPECT_EQ(picture.Format(), a.Format());
}

TEST(ScatterBitmap, OtherFormatsEndIn24Bits) {
  Bitmap b(5, 4, PixelFormat::Bit8);
  RandomGenerator random;
  ScatterBitmap(b, 2, 2, kWhite, random);
  EXPECT_EQ(b.Format(), PixelFormat::Bit24);
}

// x in blue, y in green, x + y in red, 13 x 13: block columns and rows 0..5, 6..11, 12.
// Block means of x (or y): 15 / 6 = 2, 51 / 6 = 8, 12. Red means worked out per block, e.g.
// (12, 0..5): (6 x 12 + 15) / 6 = 14.
TEST(MosaicBitmap, ThirteenByThirteen) {
  Bitmap b = testing::MakePicture(13, 13, PixelFormat::Bit32,
                                  [](int x, int y) { return RGB(x + y, y, x); });
  MosaicBitmap(b, 6, 6);
  const int axisMean[3] = {2, 8, 12};
  const int redMean[3][3] = {{5, 11, 14}, {11, 17, 20}, {14, 20, 24}};
  const Bitmap expected = testing::MakePicture(13, 13, PixelFormat::Bit32, [&](int x, int y) {
    const int i = x / 6, j = y / 6;
    return RGB(redMean[i][j], axisMean[j], axisMean[i]);
  });
  EXPECT_SAME_BYTES(b, expected);
  MosaicBitmap(b, 6, 6);
  EXPECT_SAME_BYTES(b, expected);
}

TEST(MosaicBitmap, NarrowPictureIsOneBlockColumn) {
  Bitmap b = testing::MakePicture(6, 2, PixelFormat::Bit24,
                                  [](int x, int y) { return RGB(10 * x, y, 100); });
  MosaicBitmap(b, 6, 6);
  // Red: (0 + 10 + ... + 50) x 2 / 12 = 25; green 6 / 12 = 0.
  EXPECT_BITMAP_EQ(b, testing::MakeUniform(6, 2, RGB(25, 0, 100)));
}

TEST(MosaicBitmap, OneByOneBlocksAndEmptyPictures) {
  const Bitmap picture = RandomPicture(7, 5, PixelFormat::Bit24, 3);
  Bitmap b = picture;
  MosaicBitmap(b, 1, 1);
  EXPECT_SAME_BYTES(b, picture);
  MosaicBitmap(b, 0, 6);
  EXPECT_SAME_BYTES(b, picture);
  Bitmap empty(0, 0, PixelFormat::Bit32);
  MosaicBitmap(empty, 6, 6);
  EXPECT_TRUE(empty.Empty());
}

TEST(MosaicBitmap, SameAsBlockByBlockOnRandomPictures) {
  const int sizes[][2] = {{1, 1}, {1, 13}, {13, 1}, {13, 13}, {40, 23}, {700, 455}};
  for (const auto& size : sizes) {
    for (const auto& [bw, bh] :
         std::vector<std::pair<int, int>>{{6, 6}, {1, 3}, {5, 2}, {100, 100}}) {
      const Bitmap picture = RandomPicture(size[0], size[1], PixelFormat::Bit24, size[0] + bw);
      Bitmap fast = picture, slow = picture;
      MosaicBitmap(fast, bw, bh);
      reference::Mosaic(slow, bw, bh);
      EXPECT_SAME_BYTES(fast, slow) << size[0] << "x" << size[1] << " blocks " << bw << "x" << bh;

      Bitmap fast32 = RandomPicture(size[0], size[1], PixelFormat::Bit32, size[1] + bh);
      const Bitmap expected = Through24(fast32, [&](Bitmap& b) { reference::Mosaic(b, bw, bh); });
      MosaicBitmap(fast32, bw, bh);
      EXPECT_SAME_BYTES(fast32, expected) << size[0] << "x" << size[1] << " 32 bits";
    }
  }
}

}  // namespace
}  // namespace skelda
