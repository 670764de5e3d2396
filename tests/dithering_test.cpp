#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processing/error_diffusion.h"
#include "processing/kernel_diffusion.h"
#include "processing/threshold_pass.h"
#include "processing_reference.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using reference::GrayPicture;
using reference::Pattern;
using reference::RandomPicture;
using reference::Rows;

std::vector<std::string> Dithered(const std::vector<std::vector<int>>& rows) {
  Bitmap b = GrayPicture(rows);
  DiffusionPass(b, DiffusionRule::Fixed128());
  return Pattern(b);
}

TEST(Dithering, OnePixelAgainst128) {
  EXPECT_EQ(Dithered({{127}}), Rows{"B"});
  EXPECT_EQ(Dithered({{128}}), Rows{"W"});
  EXPECT_EQ(Dithered({{0}}), Rows{"B"});
  EXPECT_EQ(Dithered({{255}}), Rows{"W"});
}

// The bottom-left pixel of gray 128 becomes white with error -127 and passes -55 to the right
// (7 x -127 / 16 = -55.56, truncated toward zero).
TEST(Dithering, RightShareTruncatesTowardZero) {
  EXPECT_EQ(Dithered({{128, 183}}), Rows{"WW"});  // 183 - 55 = 128
  EXPECT_EQ(Dithered({{128, 182}}), Rows{"WB"});  // 127
}

// ... -39 up (5 x -127 / 16 = -39.69).
TEST(Dithering, UpShare) {
  EXPECT_EQ(Dithered({{167}, {128}}), Rows({"W", "W"}));  // 167 - 39 = 128
  EXPECT_EQ(Dithered({{166}, {128}}), Rows({"B", "W"}));
}

// Bottom row 128, 183: both white, errors -127. The top-left cell gets -39 (up from the first)
// and -23 (left-up from the second): 189 - 62 = 127, black, error 127, which sends 55 right.
// The top-right cell gets -7 (right-up from the first), -39 (up from the second) and 55:
// 119 + 9 = 128 is white, 118 + 9 = 127 black.
TEST(Dithering, LeftUpAndRightUpShares) {
  EXPECT_EQ(Dithered({{189, 119}, {128, 183}}), Rows({"BW", "WW"}));
  EXPECT_EQ(Dithered({{189, 118}, {128, 183}}), Rows({"BB", "WW"}));
  EXPECT_EQ(Dithered({{188, 118}, {128, 183}}), Rows({"BB", "WW"}));
  EXPECT_EQ(Dithered({{190, 118}, {128, 183}}), Rows({"WB", "WW"}));  // 128, then -55 + ...
}

TEST(Dithering, AnErrorOfMinusOneSendsNothing) {
  // 254 becomes white with error -1: every share is 0, not -1.
  EXPECT_EQ(Dithered({{254, 128}}), Rows{"WW"});
  EXPECT_EQ(Dithered({{128}, {254}}), Rows({"W", "W"}));
}

TEST(Dithering, RowsRunFromTheBottom) {
  // Decided first, the bottom 128 sends -39 up: 166 becomes 127, black. Top first would have
  // made the top white and pushed the bottom below 128.
  EXPECT_EQ(Dithered({{166}, {128}}), Rows({"B", "W"}));
}

TEST(Dithering, SharesLeavingThePictureAreDropped) {
  // Bottom 128, 128: errors -127 and 73. The right share of the last column (31) must not reach
  // the next row's first cell, which gets -39 and +13 only: 154 - 26 = 128, 153 - 26 = 127.
  EXPECT_EQ(Dithered({{154, 0}, {128, 128}}), Rows({"WB", "WB"}));
  EXPECT_EQ(Dithered({{153, 0}, {128, 128}}), Rows({"BB", "WB"}));
  EXPECT_EQ(Dithered({{130, 130, 130}, {128, 0, 0}}), Rows({"BWB", "WBB"}));
}

TEST(Dithering, UniformWhiteAndBlackStay) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {1, 7}, {7, 1}, {13, 9}}) {
    for (Color c : {kWhite, kBlack}) {
      Bitmap b = testing::MakeUniform(w, h, c);
      DiffusionPass(b, DiffusionRule::Fixed128());
      EXPECT_BITMAP_EQ(b, testing::MakeUniform(w, h, c));
    }
  }
}

TEST(Dithering, UsesItsOwnGrayWeights) {
  // Green 255 alone: 151 x 255 >> 8 = 150 here (149 with the threshold weights). A 1 x 1
  // picture cannot show it; 2 x 1 with a second pixel tuned to the error can:
  // 150 -> white, error -105, right share -45: 173 - 45 = 128 white, 172 black.
  Bitmap b = testing::MakePicture(2, 1, PixelFormat::Bit32, [](int x, int) {
    return x == 0 ? RGB(0, 255, 0) : RGB(173, 173, 173);
  });
  DiffusionPass(b, DiffusionRule::Fixed128());
  EXPECT_EQ(Pattern(b), Rows{"WW"});
  b = testing::MakePicture(2, 1, PixelFormat::Bit32,
                           [](int x, int) { return x == 0 ? RGB(0, 255, 0) : RGB(172, 172, 172); });
  DiffusionPass(b, DiffusionRule::Fixed128());
  EXPECT_EQ(Pattern(b), Rows{"WB"});
}

TEST(Dithering, KeepsTheFourthByte) {
  Bitmap b = RandomPicture(9, 4, PixelFormat::Bit32, 5);
  const Bitmap before = b;
  DiffusionPass(b, DiffusionRule::Fixed128());
  for (std::size_t i = 3; i < b.ByteSize(); i += 4) EXPECT_EQ(b.Bits()[i], before.Bits()[i]);
}

TEST(Dithering, SameAsTheWholeErrorPlaneOnRandomPictures) {
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {5, 3}, {64, 33}, {333, 207}};
  for (const auto& size : sizes) {
    Bitmap fast = RandomPicture(size[0], size[1], PixelFormat::Bit32, size[0] * 7 + size[1]);
    Bitmap slow = fast;
    DiffusionPass(fast, DiffusionRule::Fixed128());
    reference::DiffusionPass(slow, [](int, int) { return 128; });
    EXPECT_SAME_BYTES(fast, slow) << size[0] << "x" << size[1];
  }
}

// Two threads on alternate rows, each waiting for the row below.
TEST(Dithering, TwoThreadsSameAsTheWholeErrorPlane) {
  const int sizes[][2] = {{1, 2},     {3, 5},      {255, 4},  {700, 400},
                          {300, 900}, {1031, 260}, {5000, 60}};
  for (const auto& size : sizes) {
    const Bitmap picture = RandomPicture(size[0], size[1], PixelFormat::Bit32, size[0] + size[1]);
    Bitmap slow = picture;
    reference::DiffusionPass(slow, [](int, int) { return 128; });
    Bitmap inPlace = picture;
    DiffusionPass(inPlace, inPlace, DiffusionRule::Fixed128(), 2);
    EXPECT_SAME_BYTES(inPlace, slow) << size[0] << "x" << size[1];
    Bitmap target = RandomPicture(size[0], size[1], PixelFormat::Bit32, 1);
    DiffusionPass(picture, target, DiffusionRule::Fixed128(), 2);
    EXPECT_SAME_BYTES(target, slow) << size[0] << "x" << size[1] << " into a target";

    Bitmap matrix = picture, slowMatrix = picture;
    DiffusionPass(picture, matrix, DiffusionRule::Matrix(T4), 2);
    reference::DiffusionPass(slowMatrix, [](int r, int c) { return T4.cells[r % 4][c % 4]; });
    EXPECT_SAME_BYTES(matrix, slowMatrix) << size[0] << "x" << size[1] << " T4";
  }
}

TEST(Dithering, TwoRunsAreIdentical) {
  const Bitmap picture = RandomPicture(31, 17, PixelFormat::Bit32, 2);
  Bitmap a = picture, b = picture;
  DiffusionPass(a, DiffusionRule::Fixed128());
  DiffusionPass(b, DiffusionRule::Fixed128());
  EXPECT_SAME_BYTES(a, b);
}

std::vector<std::string> KernelDithered(const DiffusionKernel& kernel,
                                        const std::vector<std::vector<int>>& rows,
                                        bool serpentine = false) {
  Bitmap b = GrayPicture(rows);
  KernelDiffusionPass(b, kernel, serpentine);
  return Pattern(b);
}

// The shares of a bottom-left pixel of gray 128 (white, error -127): weight x -127 / divisor
// truncated toward zero, e.g. Jarvis right 7 x -127 / 48 = -18.5 -> -18.
struct KernelCase {
  const char* name;
  const DiffusionKernel* kernel;
  int right, up, upLeft, upLeft2, twoUp;
};
const KernelCase kKernels[] = {
    {"Atkinson", &kAtkinson, -15, -15, -15, 0, -15},
    {"Jarvis", &kJarvisJudiceNinke, -18, -18, -13, -7, -13},
    {"Stucki", &kStucki, -24, -24, -12, -6, -12},
    {"Burkes", &kBurkes, -31, -31, -15, -7, 0},
    {"Sierra", &kSierra, -19, -19, -15, -7, -11},
    {"Sierra2", &kTwoRowSierra, -31, -23, -15, -7, 0},
    {"SierraLite", &kSierraLite, -63, -31, -31, 0, 0},
};

// Each target cell gets that one share (the cells of gray 0 before it have error 0), so
// 128 - share is white and one less black. Two rows up, the middle cell is tuned to pass -127
// again: the top gets the up share of the middle and the two-up share of the bottom.
TEST(KernelDithering, FirstPixelOf128SharesItsError) {
  for (const KernelCase& k : kKernels) {
    auto run = [&](const std::vector<std::vector<int>>& rows) {
      return KernelDithered(*k.kernel, rows);
    };
    for (int miss : {0, 1}) {
      const std::string t = miss ? "B" : "W";
      EXPECT_EQ(run({{128, 128 - k.right - miss}}), Rows{"W" + t}) << k.name;
      EXPECT_EQ(run({{128 - k.up - miss}, {128}}), Rows({t, "W"})) << k.name;
      EXPECT_EQ(run({{128 - k.upLeft - miss, 0}, {0, 128}}), Rows({t + "B", "BW"})) << k.name;
      EXPECT_EQ(run({{128 - k.upLeft2 - miss, 0, 0}, {0, 0, 128}}), Rows({t + "BB", "BBW"}))
          << k.name;
      EXPECT_EQ(run({{128 - k.up - k.twoUp - miss}, {128 - k.up}, {128}}), Rows({t, "W", "W"}))
          << k.name;
    }
  }
}

// Sierra Lite: the bottom 128 sends -31 up-left and -31 up. Serpentine, the top row starts at
// the right: 159 - 31 = 128 white, -63 to its left: 222 - 31 - 63 = 128 white. Left to right,
// 222 - 31 = 191 is white with error -64, and 159 - 31 - 32 = 96 black.
TEST(KernelDithering, SerpentineRunsTheSecondRowBackwards) {
  EXPECT_EQ(KernelDithered(kSierraLite, {{222, 159}, {0, 128}}, true), Rows({"WW", "BW"}));
  EXPECT_EQ(KernelDithered(kSierraLite, {{221, 159}, {0, 128}}, true), Rows({"BW", "BW"}));
  EXPECT_EQ(KernelDithered(kSierraLite, {{222, 159}, {0, 128}}, false), Rows({"WB", "BW"}));
}

TEST(KernelDithering, UniformPicturesStayAndOnePixelMeets128) {
  for (const KernelCase& k : kKernels) {
    for (bool serpentine : {false, true}) {
      for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {13, 9}}) {
        for (Color c : {kWhite, kBlack}) {
          Bitmap b = testing::MakeUniform(w, h, c);
          KernelDiffusionPass(b, *k.kernel, serpentine);
          EXPECT_BITMAP_EQ(b, testing::MakeUniform(w, h, c)) << k.name;
        }
      }
    }
    EXPECT_EQ(KernelDithered(*k.kernel, {{127}}), Rows{"B"}) << k.name;
    EXPECT_EQ(KernelDithered(*k.kernel, {{128}}), Rows{"W"}) << k.name;
  }
}

TEST(KernelDithering, SameAsTheWholeErrorPlaneOnRandomPictures) {
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 3}, {5, 4}, {70, 6}, {131, 65}, {257, 3}};
  for (const KernelCase& k : kKernels) {
    for (bool serpentine : {false, true}) {
      for (const auto& size : sizes) {
        const Bitmap picture = RandomPicture(size[0], size[1], PixelFormat::Bit32, size[0] + 3);
        Bitmap slow = picture, inPlace = picture;
        Bitmap target = RandomPicture(size[0], size[1], PixelFormat::Bit32, 1);
        reference::KernelDiffusionPass(slow, *k.kernel, serpentine);
        KernelDiffusionPass(inPlace, *k.kernel, serpentine);
        KernelDiffusionPass(picture, target, *k.kernel, serpentine);
        EXPECT_SAME_BYTES(inPlace, slow) << k.name << " " << size[0] << "x" << size[1];
        EXPECT_SAME_BYTES(target, slow) << k.name << " " << size[0] << "x" << size[1];
      }
    }
  }
}

// Atkinson passes on only 6/8 of each error, so it is left out.
TEST(KernelDithering, HorizontalRampKeepsItsMeanGray) {
  const Bitmap ramp =
      testing::MakePicture(256, 64, PixelFormat::Bit32, [](int x, int) { return RGB(x, x, x); });
  for (const KernelCase& k : kKernels) {
    if (k.kernel == &kAtkinson) continue;
    for (bool serpentine : {false, true}) {
      Bitmap b = ramp;
      KernelDiffusionPass(b, *k.kernel, serpentine);
      int white = 0;
      for (const std::string& row : Pattern(b)) white += std::count(row.begin(), row.end(), 'W');
      EXPECT_NEAR(white / (256.0 * 64), 127.5 / 255, 0.01) << k.name << serpentine;
    }
  }
}

TEST(OrderedScreen, BayerMatrixGrowsFrom2x2) {
  EXPECT_EQ(BayerIndex8(0, 0), 0);
  EXPECT_EQ(BayerIndex8(0, 1), 32);
  EXPECT_EQ(BayerIndex8(1, 0), 48);
  EXPECT_EQ(BayerIndex8(1, 1), 16);
  EXPECT_EQ(BayerIndex8(0, 2), 8);
  EXPECT_EQ(BayerIndex8(4, 4), 1);
  std::vector<int> seen(64);
  for (int i = 0; i < 64; ++i) ++seen.at(BayerIndex8(i / 8, i % 8));
  EXPECT_EQ(seen, std::vector<int>(64, 1));
}

// Gray x in column x, rows anchored at the top (11 rows: not a multiple of 8).
TEST(OrderedScreen, GrayRampAgainstTheScreen) {
  Bitmap b =
      testing::MakePicture(256, 11, PixelFormat::Bit32, [](int x, int) { return RGB(x, x, x); });
  OrderedScreenPass(b);
  const Rows pattern = Pattern(b);
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 256; ++x) {
      EXPECT_EQ(pattern[y][x], x < 4 * BayerIndex8(y % 8, x % 8) + 2 ? 'B' : 'W') << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace skelda
