#include <gtest/gtest.h>

#include "processing/threshold_pass.h"
#include "processing_reference.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using reference::RandomPicture;
using testing::MakeUniform;

struct ThresholdCase {
  Color pixel;
  int threshold;
  Color expected;
};

TEST(ThresholdPass, GrayAgainstThreshold) {
  const ThresholdCase cases[] = {
      {RGB(255, 255, 255), 255, kWhite},
      {RGB(128, 128, 128), 128, kWhite},
      {RGB(127, 127, 127), 128, kBlack},
      {RGB(255, 0, 0), 75, kWhite},  // 76 * 255 >> 8 = 75
      {RGB(255, 0, 0), 76, kBlack},
      {RGB(0, 255, 0), 149, kWhite},  // 150 * 255 >> 8
      {RGB(0, 255, 0), 150, kBlack},
      {RGB(0, 0, 255), 29, kWhite},  // 30 * 255 >> 8
      {RGB(0, 0, 255), 30, kBlack},
      {kBlack, 0, kWhite},
      {kWhite, 256, kBlack},
      {kBlack, -3, kWhite},
      {kWhite, 1000, kBlack},
      {RGB(10, 200, 90), 130, kWhite},  // 130.2
      {RGB(10, 200, 90), 131, kBlack},
  };
  for (const ThresholdCase& c : cases) {
    Bitmap b = MakeUniform(3, 2, c.pixel);
    ThresholdPass(b, c.threshold);
    EXPECT_BITMAP_EQ(b, MakeUniform(3, 2, c.expected))
        << std::hex << "pixel 0x" << c.pixel << std::dec << " threshold " << c.threshold;
  }
}

TEST(ThresholdPass, KeepsTheFourthByte) {
  Bitmap b = RandomPicture(7, 5, PixelFormat::Bit32, 3);
  const Bitmap before = b;
  ThresholdPass(b, 128);
  for (std::size_t i = 0; i < b.ByteSize(); i += 4) {
    EXPECT_EQ(b.Bits()[i + 3], before.Bits()[i + 3]);
    EXPECT_TRUE(b.Bits()[i] == 0 || b.Bits()[i] == 255);
    EXPECT_EQ(b.Bits()[i], b.Bits()[i + 1]);
    EXPECT_EQ(b.Bits()[i], b.Bits()[i + 2]);
  }
}

TEST(ThresholdPass, SameAsStepByStepOnRandomPictures) {
  // The last size is split between threads.
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {5, 3}, {64, 33}, {700, 450}};
  for (const auto& size : sizes) {
    for (int t : {0, 1, 100, 128, 255, 256}) {
      Bitmap fast = RandomPicture(size[0], size[1], PixelFormat::Bit32, size[0] + t);
      Bitmap slow = fast;
      ThresholdPass(fast, t);
      reference::ThresholdPass(slow, 76, 150, 30, [&](int, int) { return t; });
      EXPECT_SAME_BYTES(fast, slow) << size[0] << "x" << size[1] << " t " << t;
    }
  }
}

TEST(ThresholdPass, FromSourceIntoTarget) {
  const Bitmap source = RandomPicture(613, 420, PixelFormat::Bit32, 12);
  Bitmap target = RandomPicture(613, 420, PixelFormat::Bit32, 13);
  Bitmap expected = source;
  ThresholdPass(source, target, 77);
  ThresholdPass(expected, 77);
  EXPECT_SAME_BYTES(target, expected);
}

TEST(ThresholdPass, TwoRunsGiveTheSamePicture) {
  const Bitmap picture = RandomPicture(20, 10, PixelFormat::Bit32, 8);
  Bitmap a = picture, b = picture;
  ThresholdPass(a, 90);
  ThresholdPass(b, 90);
  EXPECT_SAME_BYTES(a, b);
}

TEST(ThresholdPass, WidensAPalettePictureFirst) {
  Bitmap b(4, 1, PixelFormat::Bit8);  // a grey ramp palette
  b.Bits()[0] = 0;
  b.Bits()[1] = 127;
  b.Bits()[2] = 128;
  b.Bits()[3] = 255;
  ThresholdPass(b, 128);
  EXPECT_EQ(b.Format(), PixelFormat::Bit32);
  EXPECT_BITMAP_EQ(b, testing::MakePicture(4, 1, PixelFormat::Bit32,
                                           [](int x, int) { return x < 2 ? kBlack : kWhite; }));
}

TEST(ThresholdPass, EmptyPictureIsFine) {
  Bitmap b(0, 0, PixelFormat::Bit32);
  ThresholdPass(b, 128);
  EXPECT_TRUE(b.Empty());
}

}  // namespace
}  // namespace skelda
