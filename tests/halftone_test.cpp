#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "core/errors.h"
#include "processing/halftone_screen.h"
#include "processing/processing_commands.h"
#include "processing_reference.h"

namespace skelda {
namespace {

using reference::GrayPicture;
using reference::RandomPicture;
using reference::ScreenCell;
using reference::ScreenDots;

struct ScreenCase {
  int cellsPerInch;
  double angle;
  double dot;
};

// Cells of a few dots to more than the picture, cells under one dot, angles of every quarter.
const ScreenCase kScreens[] = {{40, 45, 0.2},  {20, 15, 0.1},    {5, 30, 0.1},    {100, 0, 0.2},
                               {150, 75, 0.2}, {200, 45, 0.2},   {60, -30, 0.05}, {40, 1000.5, 0.2},
                               {33, 90, 0.3},  {50, 200, 0.254}, {5, 30, 0.01}};

Bitmap Screened(Bitmap b, const ScreenCase& c) {
  HalftonePass(b, HalftoneScreen{c.cellsPerInch, c.angle}, c.dot);
  return b;
}

double Pitch(const ScreenCase& c) {
  return HalftonePitch(c.cellsPerInch, c.dot);
}

// Each cell's pixels, then whether its black ones reach each other through side neighbours.
std::map<ScreenCell, std::set<int>> Cells(int w, int h, const ScreenCase& c) {
  std::map<ScreenCell, std::set<int>> cells;
  const auto dots = ScreenDots(w, h, Pitch(c), c.angle);
  for (int i = 0; i < w * h; ++i) cells[dots[i].cell].insert(i);
  return cells;
}

bool Black(const Bitmap& b, int i) {
  return (b.PixelColor(i % b.Width(), i / b.Width()) & 0xFFFFFF) == kBlack;
}

bool OneCluster(const Bitmap& b, const std::set<int>& cell) {
  std::set<int> black, seen;
  for (const int i : cell)
    if (Black(b, i)) black.insert(i);
  std::vector<int> todo(black.begin(), std::next(black.begin(), !black.empty()));
  seen.insert(todo.begin(), todo.end());
  const int w = b.Width();
  for (; !todo.empty(); todo.pop_back()) {
    const int i = todo.back();
    for (const int n : {i % w ? i - 1 : -1, (i + 1) % w ? i + 1 : -1, i - w, i + w}) {
      if (black.count(n) && seen.insert(n).second) todo.insert(todo.begin(), n);
    }
  }
  return seen.size() == black.size();
}

TEST(Halftone, FlatGrayBlackensItsShareOfEveryCellAsOneCluster) {
  for (const ScreenCase& c : kScreens) {
    const auto cells = Cells(61, 47, c);
    for (int g = 0; g <= 256; g += 32) {
      const int gray = std::min(g, 255);
      const Bitmap out = Screened(GrayPicture({47, std::vector<int>(61, gray)}), c);
      for (const auto& [id, cell] : cells) {
        const int black =
            std::count_if(cell.begin(), cell.end(), [&](int i) { return Black(out, i); });
        ASSERT_LE(std::abs(black - cell.size() * (255.0 - gray) / 255.0), 0.5)
            << c.cellsPerInch << " cpi at " << c.angle << " gray " << gray;
        ASSERT_TRUE(OneCluster(out, cell)) << c.cellsPerInch << " cpi at " << c.angle;
      }
    }
  }
}

// The model keeps the fourth bytes too; the pass runs in place and into a copy alike.
TEST(Halftone, SameAsThePixelByPixelModel) {
  unsigned seed = 1;
  for (const ScreenCase& c : kScreens) {
    for (const auto& [w, h] : {std::pair{37, 23}, {1, 9}, {64, 64}}) {
      const Bitmap picture = RandomPicture(w, h, PixelFormat::Bit32, seed++);
      Bitmap expected = picture, copy(w, h, PixelFormat::Bit32);
      reference::HalftonePass(expected, Pitch(c), c.angle);
      HalftonePass(picture, copy, HalftoneScreen{c.cellsPerInch, c.angle}, c.dot);
      EXPECT_BITMAP_EQ(copy, expected) << c.cellsPerInch << " cpi at " << c.angle;
      EXPECT_BITMAP_EQ(Screened(picture, c), expected);
      for (const auto& [id, cell] : Cells(w, h, c)) ASSERT_TRUE(OneCluster(copy, cell));
    }
  }
}

// (x, y) -> (y, N - 1 - x): a quarter turn counter-clockwise of a square picture.
Bitmap TurnedLeft(const Bitmap& b) {
  const int n = b.Width();
  Bitmap t(n, n, PixelFormat::Bit32);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) t.SetPixelColor(y, n - 1 - x, b.PixelColor(x, y));
  return t;
}

TEST(Halftone, ScreenAndPictureTurnedTogetherGiveThePictureTurned) {
  for (const ScreenCase& c : kScreens) {
    const Bitmap picture = RandomPicture(48, 48, PixelFormat::Bit32, 7);
    const ScreenCase turned{c.cellsPerInch, c.angle + 90, c.dot};
    EXPECT_BITMAP_EQ(Screened(TurnedLeft(picture), turned), TurnedLeft(Screened(picture, c)))
        << c.cellsPerInch << " cpi at " << c.angle;
  }
}

// A bad screen changes nothing; a good one leaves the threshold slider inert until the next
// black-and-white conversion.
TEST(Halftone, CommandRefusesABadScreenAndMakesTheThresholdInert) {
  const std::pair<HalftoneScreen, double> bad[] = {{{4, 45}, 0.2},   {{201, 45}, 0.2},
                                                   {{40, NAN}, 0.2}, {{40, INFINITY}, 0.2},
                                                   {{40, 45}, 0},    {{40, 45}, -0.1}};
  Workspace ws;
  ws.StartUp(RandomPicture(20, 20, PixelFormat::Bit32, 2));
  const Bitmap before = ws.ShownBitmap;
  for (const auto& [screen, dot] : bad) EXPECT_THROW(HalftoneCommand(ws, screen, dot), Error);
  EXPECT_EQ(ws.BwMode, kBwModeNone);
  EXPECT_BITMAP_EQ(ws.ShownBitmap, before);
  HalftoneCommand(ws, {}, 0.2);
  EXPECT_TRUE(ws.BwMode == kBwModeHalftone && ws.EffectApplied && ThresholdSliderInert(ws));
  const Bitmap shown = ws.ShownBitmap;
  EXPECT_FALSE(ThresholdSliderMoved(ws, 10));
  EXPECT_BITMAP_EQ(ws.ShownBitmap, shown);
  ws.EffectApplied = false;  // the original shown again
  EXPECT_FALSE(ThresholdSliderInert(ws));
}

}  // namespace
}  // namespace skelda
