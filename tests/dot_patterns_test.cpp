#include <gtest/gtest.h>

#include <algorithm>

#include "processing/error_diffusion.h"
#include "processing/random_threshold.h"
#include "processing/threshold_matrices.h"
#include "processing/threshold_pass.h"
#include "processing_reference.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using reference::GrayPicture;
using reference::Pattern;
using reference::RandomPicture;
using reference::Rows;

Rows Matrix(const ThresholdMatrix& m, int gray, int width, int height) {
  Bitmap b = testing::MakeUniform(width, height, RGB(gray, gray, gray));
  MatrixThresholdPass(b, m);
  return Pattern(b);
}

int WhiteCount(const Rows& rows) {
  int n = 0;
  for (const auto& row : rows) n += static_cast<int>(std::count(row.begin(), row.end(), 'W'));
  return n;
}

TEST(MatrixThreshold, CrossOneLevels) {
  const std::pair<int, int> levels[] = {{0, 0},   {31, 0},  {32, 1},  {95, 1},  {96, 2},
                                        {159, 2}, {160, 3}, {221, 3}, {222, 4}, {255, 4}};
  for (const auto& [gray, whites] : levels) {
    EXPECT_EQ(WhiteCount(Matrix(T2, gray, 2, 2)), whites) << "gray " << gray;
  }
}

TEST(MatrixThreshold, AnchoredAtTheBottomLeft) {
  // Gray 100 whitens the cells 32 (pass row 0, column 0) and 96 (pass row 1, column 1). The
  // bottom row is pass row 0, so one more row shifts the pattern down by one.
  EXPECT_EQ(Matrix(T2, 100, 2, 4), Rows({"BW", "WB", "BW", "WB"}));
  EXPECT_EQ(Matrix(T2, 100, 2, 3), Rows({"WB", "BW", "WB"}));
  // T4 at gray 100: pass rows 15 143 47 175 / 207 79 239 111 / 63 191 31 159 / 255 127 223 95.
  EXPECT_EQ(Matrix(T4, 100, 4, 4), Rows({"BBBW", "WBWB", "BWBB", "WBWB"}));
  EXPECT_EQ(Matrix(T4, 100, 5, 5), Rows({"WBWBW", "BBBWB", "WBWBW", "BWBBB", "WBWBW"}));
}

TEST(MatrixThreshold, Gray254LeavesOneBlackCellPerBlock) {
  // T3's 255 sits at pass row 0, column 1; T4's at pass row 3, column 0.
  EXPECT_EQ(Matrix(T3, 254, 3, 3), Rows({"WWW", "WWW", "WBW"}));
  EXPECT_EQ(Matrix(T4, 254, 4, 4), Rows({"BWWW", "WWWW", "WWWW", "WWWW"}));
  EXPECT_EQ(WhiteCount(Matrix(T3, 255, 6, 6)), 36);
  EXPECT_EQ(WhiteCount(Matrix(T4, 255, 8, 8)), 64);
  EXPECT_EQ(WhiteCount(Matrix(T3, 254, 6, 6)), 32);
  EXPECT_EQ(WhiteCount(Matrix(T4, 254, 8, 8)), 60);
}

TEST(MatrixThreshold, T3Pattern) {
  // Pass rows 198 255 141 / 56 28 113 / 170 85 226 at gray 150.
  EXPECT_EQ(Matrix(T3, 150, 3, 3), Rows({"BWB", "WWW", "BBW"}));
}

TEST(MatrixThreshold, SameAsStepByStepOnRandomPictures) {
  for (const ThresholdMatrix* m : {&T2, &T3, &T4}) {
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{1, 1}, {7, 1}, {1, 7}, {61, 35}, {640, 431}}) {
      Bitmap fast = RandomPicture(w, h, PixelFormat::Bit32, w + h + m->size);
      Bitmap slow = fast;
      MatrixThresholdPass(fast, *m);
      reference::ThresholdPass(slow, 76, 150, 30,
                               [&](int r, int c) { return m->cells[r % m->size][c % m->size]; });
      EXPECT_SAME_BYTES(fast, slow) << "T" << m->size << " " << w << "x" << h;
    }
  }
}

TEST(RandomThreshold, DrawsInPassOrder) {
  // From the start state the generator's first draws in 0 .. 255 are 60, 71, 209, 170, 98, 159;
  // they go to the bottom row first, left to right.
  Bitmap b = GrayPicture({{170, 99, 158}, {60, 70, 210}});
  RandomGenerator random;
  RandomThresholdPass(b, random);
  EXPECT_EQ(Pattern(b), Rows({"WWB", "WBW"}));
}

TEST(RandomThreshold, WhiteAndBlackAreas) {
  RandomGenerator random;
  Bitmap white = testing::MakeUniform(64, 64, kWhite);
  RandomThresholdPass(white, random);
  EXPECT_EQ(WhiteCount(Pattern(white)), 64 * 64);
  // Gray 0 is white only for a draw of 0: about 16 of 4096.
  Bitmap black = testing::MakeUniform(64, 64, kBlack);
  RandomThresholdPass(black, random);
  const int whites = WhiteCount(Pattern(black));
  EXPECT_GT(whites, 0);
  EXPECT_LT(whites, 60);
}

TEST(RandomThreshold, TwoRunsDifferAndAReplayIsEqual) {
  const Bitmap picture = RandomPicture(40, 30, PixelFormat::Bit32, 4);
  RandomGenerator random;
  random.Seed(777);
  Bitmap first = picture, second = picture, slow = picture;
  RandomThresholdPass(first, random);
  RandomThresholdPass(second, random);
  EXPECT_FALSE(first == second);
  RandomGenerator replay;
  replay.Seed(777);
  reference::ThresholdPass(slow, 76, 150, 30, [&](int, int) { return RandomThreshold(replay); });
  EXPECT_SAME_BYTES(first, slow);
  EXPECT_EQ(replay.State(), [&] {
    RandomGenerator g;
    g.Seed(777);
    for (int i = 0; i < 40 * 30; ++i) g.Next(256);
    return g.State();
  }());
}

TEST(MatrixDither, WorkedRow) {
  // T4's pass row 0 begins 15, 143. Gray 100 against 15 is white, error -155, right share -67:
  // 33 < 143 is black. (Against 128 the first would be black and the second white.)
  Bitmap b = GrayPicture({{100, 100}});
  DiffusionPass(b, DiffusionRule::Matrix(T4));
  EXPECT_EQ(Pattern(b), Rows{"WB"});
}

TEST(MatrixAndRandomDither, SameAsTheWholeErrorPlane) {
  for (const auto& [w, h] :
       std::vector<std::pair<int, int>>{{1, 1}, {1, 9}, {9, 1}, {5, 6}, {123, 77}}) {
    Bitmap fast = RandomPicture(w, h, PixelFormat::Bit32, 3 * w + h);
    Bitmap slow = fast;
    DiffusionPass(fast, DiffusionRule::Matrix(T4));
    reference::DiffusionPass(slow, [](int r, int c) { return T4.cells[r % 4][c % 4]; });
    EXPECT_SAME_BYTES(fast, slow) << "T4 " << w << "x" << h;

    fast = RandomPicture(w, h, PixelFormat::Bit32, 5 * w + h);
    slow = fast;
    RandomGenerator random, replay;
    random.Seed(w * 1000 + h);
    replay.Seed(w * 1000 + h);
    DiffusionPass(fast, DiffusionRule::Random(random));
    reference::DiffusionPass(slow, [&](int, int) { return RandomThreshold(replay); });
    EXPECT_SAME_BYTES(fast, slow) << "random " << w << "x" << h;
    EXPECT_EQ(random.State(), replay.State());
  }
}

}  // namespace
}  // namespace skelda
