#include <gtest/gtest.h>

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

// Cells of a few dots to hundreds, cells under one dot, angles of every quarter and beyond.
const ScreenCase kScreens[] = {
    {40, 45, 0.2},  {20, 15, 0.1},   {5, 30, 0.1},      {100, 0, 0.2}, {150, 75, 0.2},
    {200, 45, 0.2}, {60, -30, 0.05}, {40, 1000.5, 0.2}, {33, 90, 0.3}, {50, 200, 0.254},
};

Bitmap Flat(int w, int h, int g) {
  return GrayPicture(std::vector<std::vector<int>>(h, std::vector<int>(w, g)));
}

Bitmap Screened(Bitmap b, const ScreenCase& c) {
  HalftonePass(b, HalftoneScreen{c.cellsPerInch, c.angle}, c.dot);
  return b;
}

double Pitch(const ScreenCase& c) {
  return HalftonePitch(c.cellsPerInch, c.dot);
}

// For each cell of the screen, its pixels as (x, y).
std::map<ScreenCell, std::vector<std::pair<int, int>>> Cells(int w, int h, const ScreenCase& c) {
  std::map<ScreenCell, std::vector<std::pair<int, int>>> cells;
  const auto dots = ScreenDots(w, h, Pitch(c), c.angle);
  for (int i = 0; i < w * h; ++i) cells[dots[i].cell].push_back({i % w, i / w});
  return cells;
}

bool Black(const Bitmap& b, int x, int y) {
  return (b.PixelColor(x, y) & 0xFFFFFF) == kBlack;
}

// The black pixels of one cell reach each other through side neighbours within the cell.
bool OneCluster(const Bitmap& b, const std::vector<std::pair<int, int>>& cell) {
  std::set<std::pair<int, int>> black;
  for (const auto& p : cell)
    if (Black(b, p.first, p.second)) black.insert(p);
  if (black.empty()) return true;
  std::vector<std::pair<int, int>> todo{*black.begin()};
  std::set<std::pair<int, int>> seen{*black.begin()};
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    for (const auto& n : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
      if (black.count(n) && seen.insert(n).second) todo.push_back(n);
    }
  }
  return seen.size() == black.size();
}

TEST(Halftone, FlatGrayBlackensItsShareOfEveryCellAsOneCluster) {
  for (const ScreenCase& c : kScreens) {
    const auto cells = Cells(61, 47, c);
    for (int g = 0; g <= 256; g += 32) {
      const int gray = std::min(g, 255);
      const Bitmap out = Screened(Flat(61, 47, gray), c);
      for (const auto& [id, cell] : cells) {
        int black = 0;
        for (const auto& [x, y] : cell) black += Black(out, x, y);
        const double share = cell.size() * (255.0 - gray) / 255.0;
        ASSERT_LE(std::abs(black - share), 0.5)
            << c.cellsPerInch << " cpi at " << c.angle << " gray " << gray << " cell " << id.u
            << "," << id.v;
        ASSERT_TRUE(OneCluster(out, cell)) << c.cellsPerInch << " cpi at " << c.angle;
      }
    }
  }
}

TEST(Halftone, SameAsThePixelByPixelModel) {
  unsigned seed = 1;
  for (const ScreenCase& c : kScreens) {
    for (const auto& [w, h] : {std::pair{37, 23}, {1, 9}, {64, 64}}) {
      Bitmap picture = RandomPicture(w, h, PixelFormat::Bit32, seed++);
      Bitmap expected = picture;
      reference::HalftonePass(expected, Pitch(c), c.angle);
      EXPECT_BITMAP_EQ(Screened(picture, c), expected)
          << c.cellsPerInch << " cpi at " << c.angle << ", " << w << " x " << h;
      // Every cell of a random picture is still one cluster.
      const Bitmap out = Screened(picture, c);
      for (const auto& [id, cell] : Cells(w, h, c)) ASSERT_TRUE(OneCluster(out, cell));
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
    const Bitmap flat = Flat(48, 48, 100);
    EXPECT_BITMAP_EQ(Screened(flat, turned), TurnedLeft(Screened(flat, c)));
  }
}

TEST(Halftone, KeepsTheFourthByteAndRunsInPlaceOrIntoACopy) {
  const Bitmap picture = RandomPicture(50, 30, PixelFormat::Bit32, 3);
  const HalftoneScreen screen{30, 20};
  Bitmap inPlace = picture, copy(50, 30, PixelFormat::Bit32);
  HalftonePass(inPlace, screen, 0.1);
  HalftonePass(picture, copy, screen, 0.1);
  EXPECT_BITMAP_EQ(inPlace, copy);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) {
      ASSERT_EQ(inPlace.ScanLine(y)[4 * x + 3], picture.ScanLine(y)[4 * x + 3]);
    }
  }
}

TEST(Halftone, RefusesABadScreenBeforeAnyPixel) {
  const struct {
    HalftoneScreen screen;
    double dot;
  } bad[] = {{{4, 45}, 0.2},        {{201, 45}, 0.2}, {{40, NAN}, 0.2},
             {{40, INFINITY}, 0.2}, {{40, 45}, 0},    {{40, 45}, -0.1}};
  for (const auto& b : bad) {
    Workspace ws;
    ws.StartUp(RandomPicture(8, 8, PixelFormat::Bit32, 1));
    const Bitmap before = ws.ShownBitmap;
    EXPECT_THROW(HalftoneCommand(ws, b.screen, b.dot), Error);
    EXPECT_EQ(ws.BwMode, kBwModeNone);
    EXPECT_BITMAP_EQ(ws.ShownBitmap, before);
  }
}

TEST(Halftone, CommandLeavesTheThresholdSliderInert) {
  Workspace ws;
  ws.StartUp(RandomPicture(20, 20, PixelFormat::Bit32, 2));
  HalftoneCommand(ws, {}, 0.2);
  EXPECT_EQ(ws.BwMode, kBwModeHalftone);
  EXPECT_TRUE(ws.EffectApplied);
  const Bitmap shown = ws.ShownBitmap;
  EXPECT_TRUE(ThresholdSliderInert(ws));
  EXPECT_FALSE(ThresholdSliderMoved(ws, 10));
  EXPECT_BITMAP_EQ(ws.ShownBitmap, shown);
  ThresholdCommand(ws, 128);
  EXPECT_FALSE(ThresholdSliderInert(ws));
}

}  // namespace
}  // namespace skelda
