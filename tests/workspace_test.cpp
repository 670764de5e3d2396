#include "core/workspace.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/bmp_reader.h"
#include "core/bmp_writer.h"
#include "core/start_picture.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

TEST(StartPicture, Is590x465EightBitsWithAFullPalette) {
  const Bitmap logo = LoadStartPicture();
  EXPECT_EQ(logo.Width(), 590);
  EXPECT_EQ(logo.Height(), 465);
  EXPECT_EQ(logo.Format(), PixelFormat::Bit8);
  EXPECT_EQ(logo.PaletteEntries().size(), 256u);
}

TEST(StartPicture, IsTheAssetCarriedInTheProgram) {
  EXPECT_TRUE(LoadStartPicture() == ReadBmpFile(SKELDA_SOURCE_DIR "/assets/logo2.bmp"));
}

TEST(StartPicture, IsGreyLetteringOnWhite) {
  const Bitmap logo = LoadStartPicture();
  EXPECT_EQ(logo.PixelColor(0, 0), kWhite);
  EXPECT_EQ(logo.PixelColor(589, 464), kWhite);
  EXPECT_EQ(logo.PixelColor(295, 400), kWhite);
  // the thin double frame: 3 dots at 14, 1 dot at 22 from each edge
  EXPECT_EQ(logo.PixelColor(15, 200), RGB(96, 96, 96));
  EXPECT_EQ(logo.PixelColor(22, 200), RGB(96, 96, 96));
  EXPECT_EQ(logo.PixelColor(300, 464 - 15), RGB(96, 96, 96));
  long white = 0, ink = 0;
  for (int y = 0; y < logo.Height(); ++y) {
    for (int x = 0; x < logo.Width(); ++x) {
      const Color c = logo.PixelColor(x, y);
      ASSERT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c)) << x << ", " << y;
      ASSERT_GE(RedOf(c), 96);
      white += c == kWhite;
      ink += c == RGB(96, 96, 96);
    }
  }
  EXPECT_GT(white, 590L * 465 * 8 / 10);  // mostly white
  EXPECT_GT(ink, 20000);                  // and plenty of lettering
}

TEST(StartPicture, SavedRightAfterStartIsAnEightBitFileWithItsPalette) {
  const std::vector<std::uint8_t> file = EncodeBmp(LoadStartPicture());
  const auto u32 = [&](std::size_t at) {
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (unsigned(file[at + 3]) << 24);
  };
  EXPECT_EQ(file[28], 8);                               // bits per pixel
  EXPECT_EQ(u32(30), 0u);                               // uncompressed
  EXPECT_EQ(u32(46), 256u);                             // palette entries
  EXPECT_EQ(u32(10), 14u + 40 + 1024);                  // pixels after the palette
  EXPECT_EQ(file.size(), 14u + 40 + 1024 + 592 * 465);  // rows padded to 592 bytes
}

// Both bitmaps hold the start picture; every other member has its start value.
TEST(Workspace, StartValues) {
  Workspace w;
  w.EffectApplied = true;
  w.StartUp();
  const Bitmap logo = LoadStartPicture();
  EXPECT_TRUE(w.BaseBitmap == logo);
  EXPECT_TRUE(w.ShownBitmap == logo);
  EXPECT_EQ(w.ShownBitmap.Format(), PixelFormat::Bit8);
  EXPECT_EQ(w.BasePixels.Bitmap_, nullptr);
  EXPECT_EQ(w.ShownPixels.Bitmap_, nullptr);
  EXPECT_FALSE(w.EffectApplied);
  EXPECT_EQ(w.MouseTool, 0);
  EXPECT_EQ(w.PictureWidth, 0);
  EXPECT_EQ(w.PictureHeight, 0);
  EXPECT_EQ(w.ToolRect, (TRect{0, 0, 0, 0}));
  EXPECT_EQ(w.DragStartX, -1);
  EXPECT_EQ(w.DragStartY, -1);
  EXPECT_EQ(w.BwMode, 0);
  EXPECT_FALSE(w.ConfirmClicked);
  // An empty tool rectangle: the mouse does nothing on the start picture.
  EXPECT_FALSE(w.ToolRect.Contains(0, 0));
}

TEST(Workspace, TheTwoBitmapsAreIndependentCopies) {
  Workspace w;
  w.StartUp();
  w.ShownBitmap.SetPixelColor(0, 0, kBlack);
  w.ShownBitmap.SetWidth(10);
  EXPECT_EQ(w.BaseBitmap.Width(), 590);
  EXPECT_EQ(w.BaseBitmap.PixelColor(0, 0), kWhite);
  EXPECT_NE(w.BaseBitmap.Bits(), w.ShownBitmap.Bits());
}

TEST(Workspace, StartUpWithAPictureOfTheCaller) {
  Workspace w;
  const Bitmap picture = testing::MakeUniform(3, 1, RGB(1, 2, 3));
  w.StartUp(picture);
  EXPECT_TRUE(w.BaseBitmap == picture);
  EXPECT_TRUE(w.ShownBitmap == picture);
}

TEST(Random, AFreshStartGivesTheSameSequence) {
  Workspace a, b;
  a.StartUp();
  b.StartUp();
  std::vector<std::uint32_t> first, second;
  for (int i = 0; i < 1000; ++i) {
    first.push_back(a.Random.Next(1000));
    second.push_back(b.Random.Next(1000));
  }
  EXPECT_EQ(first, second);
  // The fixed start state: x := x * 1664525 + 1013904223 from 0, value = x * n / 2^32.
  RandomGenerator r;
  EXPECT_EQ(r.Next(100), 23u);
  EXPECT_EQ(r.Next(100), 27u);
  EXPECT_EQ(r.Next(100), 81u);
  EXPECT_EQ(r.Next(6), 4u);
}

TEST(Random, ValuesStayInRangeAndCoverIt) {
  RandomGenerator r;
  for (std::uint32_t n : {1u, 2u, 3u, 7u, 256u, 1000000u, 0xFFFFFFFFu}) {
    std::set<std::uint32_t> seen;
    for (int i = 0; i < 5000; ++i) {
      const std::uint32_t v = r.Next(n);
      ASSERT_LT(v, n);
      seen.insert(v);
    }
    if (n <= 256) {
      EXPECT_EQ(seen.size(), n);
    }
  }
}

TEST(Random, ReseedingRepeatsASequence) {
  RandomGenerator a, b;
  a.SeedFromClock();
  b.Seed(a.State());
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(50), b.Next(50));
}

}  // namespace
}  // namespace skelda
