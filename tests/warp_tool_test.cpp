#include "geometry/warp/warp_tool.h"

#include <gtest/gtest.h>

#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;
using testing::MakeUniform;

constexpr int kWidth = 20;
constexpr int kHeight = 16;
constexpr Color kMarker = 0xFF00FF;

// Every pixel tells where it came from: red = x, green = y.
Color Where(int x, int y) {
  return Color(x) | Color(y) << 8 | 0x400000;
}

Bitmap Numbered(int width = kWidth, int height = kHeight) {
  return MakePicture(width, height, PixelFormat::Bit32, Where);
}

// A loaded picture with the warp tool on: ShownBitmap is all marker colour, so every pixel the
// tool writes can be told from one it leaves alone.
void LoadForWarp(Workspace& ws) {
  ws.BaseBitmap = Numbered();
  ws.ShownBitmap = MakeUniform(kWidth, kHeight, kMarker);
  ws.PictureWidth = kWidth;
  ws.PictureHeight = kHeight;
  ws.ToolRect = {5, 5, kWidth - 6, kHeight - 6};
  ws.MouseTool = kMouseToolWarp;
}

Color Shown(const Workspace& ws, int x, int y) {
  return ws.ShownBitmap.PixelColor(x, y) & 0xFFFFFF;
}

TEST(WarpTool, PressInsideToolRectStartsADrag) {
  Workspace ws;
  LoadForWarp(ws);
  EXPECT_TRUE(WarpPress(ws, 8, 6, true));
  EXPECT_EQ(ws.DragStartX, 8);
  EXPECT_EQ(ws.DragStartY, 6);
}

TEST(WarpTool, PressThatStartsNoDrag) {
  struct Case {
    const char* what;
    int tool, x, y;
    bool left;
  };
  for (const Case& c : {Case{"right button", kMouseToolWarp, 8, 6, false},
                        Case{"left margin", kMouseToolWarp, 4, 6, true},
                        Case{"right edge is outside", kMouseToolWarp, kWidth - 6, 6, true},
                        Case{"bottom edge is outside", kMouseToolWarp, 8, kHeight - 6, true},
                        Case{"no tool", kMouseToolOff, 8, 6, true},
                        Case{"before any load", kMouseToolNone, 8, 6, true}}) {
    Workspace ws;
    LoadForWarp(ws);
    ws.MouseTool = c.tool;
    EXPECT_FALSE(WarpPress(ws, c.x, c.y, c.left)) << c.what;
    EXPECT_EQ(ws.DragStartX, -1) << c.what;
    EXPECT_EQ(ws.DragStartY, -1) << c.what;
  }
}

TEST(WarpTool, ClickWithoutMovingMakesTheShownPictureTheBase) {
  Workspace ws;
  LoadForWarp(ws);
  const Bitmap shown = MakePicture(kWidth, kHeight, PixelFormat::Bit32,
                                   [](int x, int y) { return (x + y) % 3 ? 0xFFFFFFu : 0u; });
  ws.ShownBitmap = shown;
  ASSERT_TRUE(WarpPress(ws, 9, 7, true));
  WarpRelease(ws);
  EXPECT_BITMAP_EQ(ws.ShownBitmap, shown);
  EXPECT_BITMAP_EQ(ws.BaseBitmap, shown);
  EXPECT_EQ(ws.DragStartX, -1);
  EXPECT_EQ(ws.DragStartY, -1);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.BaseBitmap);
  EXPECT_EQ(ws.ShownPixels.Bitmap_, &ws.ShownBitmap);
}

TEST(WarpTool, ReleaseWithoutTheToolOnlyEndsTheDrag) {
  Workspace ws;
  LoadForWarp(ws);
  ws.MouseTool = kMouseToolOff;
  ws.DragStartX = 8;
  ws.DragStartY = 6;
  WarpRelease(ws);
  EXPECT_BITMAP_EQ(ws.BaseBitmap, Numbered());
  EXPECT_EQ(ws.DragStartX, -1);
  EXPECT_EQ(ws.DragStartY, -1);
}

// Worked out by hand for the press (8, 6) and the pointer (10, 8) on 20 x 16.
TEST(WarpTool, MovePixelsWorkedOutByHand) {
  struct Case {
    int i, j, sx, sy;
    const char* how;
  };
  const Case cases[] = {
      // L = 2, qy = -1/3 < 0 so Q = (0.4, 0); sx = 0.4 + 7.6 * 3.6 / 9.6 = 3.25, sy = 18 / 8.
      {4, 3, 3, 2, "border point on the top edge"},
      // L = 36, Q = (6, 0); sx = 6 + 2 * 1 / 4 = 6.5 and sy = 1.5: both ties go to even.
      {7, 2, 6, 2, "ties to even"},
      // L = 0, Q = (20, 16); sx = 20 - 6, sy = 16 - 5.
      {15, 12, 14, 11, "border point on the right edge"},
      // L = -54, qy = 43 > 16 so Q = (86/7, 16); sx = 11.75, sy = 14.75.
      {12, 15, 12, 15, "border point on the bottom edge"},
  };
  Workspace ws;
  LoadForWarp(ws);
  ASSERT_TRUE(WarpPress(ws, 8, 6, true));
  ASSERT_TRUE(WarpMove(ws, 10, 8));
  for (const Case& c : cases)
    EXPECT_EQ(Shown(ws, c.i, c.j), Where(c.sx, c.sy)) << c.how << " at " << c.i << "," << c.j;
}

TEST(WarpTool, DragBackToThePressPointRestoresAllButThePointersRowAndColumn) {
  const int x = 10, y = 8;
  Workspace ws;
  LoadForWarp(ws);
  ASSERT_TRUE(WarpPress(ws, x, y, true));
  ASSERT_TRUE(WarpMove(ws, x + 2, y - 1));
  ASSERT_TRUE(WarpMove(ws, x, y));
  for (int j = 0; j < kHeight; ++j) {
    for (int i = 0; i < kWidth; ++i) {
      // The pointer's row is not recomputed and shows the row above it; the pointer's column
      // sees the pointer one to the left, so near it the column to the right shows through.
      int sx = i, sy = j == y ? y - 1 : j;
      if (i == x && j >= y - 3 && j <= y + 3) sx = x + 1;
      EXPECT_EQ(Shown(ws, i, j), Where(sx, sy)) << i << "," << j;
    }
  }
  WarpRelease(ws);
  EXPECT_BITMAP_EQ(ws.BaseBitmap, ws.ShownBitmap);
  EXPECT_EQ(ws.DragStartX, -1);
}

TEST(WarpTool, DragAfterAPressOutsideToolRectCarriesTheTopLeftCorner) {
  Workspace ws;
  LoadForWarp(ws);
  EXPECT_FALSE(WarpPress(ws, 2, 2, true));
  ASSERT_TRUE(WarpMove(ws, 10, 8));
  // Sources left of or above the picture: the marker stays.
  for (auto [i, j] : {std::pair{10, 8}, {9, 8}, {8, 8}, {9, 7}, {7, 9}})
    EXPECT_EQ(Shown(ws, i, j), kMarker) << i << "," << j;
  // Just below and right of the pointer the top-left corner shows: (11, 9) has Q = (18, 16),
  // sx = 18 - 19 * 7 / 8 = 1.375 and sy = 16 - 17 * 7 / 8 = 1.125.
  EXPECT_EQ(Shown(ws, 11, 9), Where(1, 1));
  EXPECT_EQ(Shown(ws, 12, 8), Where(3, 0));
  EXPECT_EQ(Shown(ws, 11, 10), Where(3, 3));
}

TEST(WarpTool, MoveOutsideToolRectOrWithoutTheToolChangesNothing) {
  for (auto [tool, x, y] : {std::tuple{kMouseToolWarp, 3, 8},
                            {kMouseToolWarp, 10, kHeight - 6},
                            {kMouseToolOff, 10, 8},
                            {kMouseToolNone, 10, 8}}) {
    Workspace ws;
    LoadForWarp(ws);
    ws.MouseTool = tool;
    ws.DragStartX = 8;
    ws.DragStartY = 6;
    EXPECT_FALSE(WarpMove(ws, x, y));
    EXPECT_BITMAP_EQ(ws.ShownBitmap, MakeUniform(kWidth, kHeight, kMarker));
  }
}

// A resampling, rotation or fit leaves PictureWidth/Height and ToolRect at the loaded size; the
// tool must stay inside both bitmaps (the sanitizer build checks every access).
TEST(WarpTool, StaysInsideBitmapsSmallerThanThePictureSize) {
  struct Case {
    int baseW, baseH, shownW, shownH, x, y;
  };
  for (const Case& c :
       {Case{20, 16, 12, 9, 30, 22}, Case{12, 9, 20, 16, 30, 22}, Case{16, 20, 20, 16, 10, 8},
        Case{40, 30, 40, 2, 6, 20}, Case{1, 1, 40, 30, 20, 20}}) {
    Workspace ws;
    ws.BaseBitmap = Numbered(c.baseW, c.baseH);
    ws.ShownBitmap = MakeUniform(c.shownW, c.shownH, kMarker);
    ws.PictureWidth = 40;
    ws.PictureHeight = 30;
    ws.ToolRect = {5, 5, 34, 24};
    ws.MouseTool = kMouseToolWarp;
    ASSERT_TRUE(WarpPress(ws, 6, 6, true));
    ws.DragStartX = 33;  // as if pressed near the old bottom-right corner
    ws.DragStartY = 23;
    EXPECT_TRUE(WarpMove(ws, c.x, c.y));
    EXPECT_EQ(ws.ShownBitmap.Width(), c.shownW);
    EXPECT_EQ(ws.ShownBitmap.Height(), c.shownH);
    // Only sources inside the base picture are copied.
    for (int j = 0; j < c.shownH; ++j)
      for (int i = 0; i < c.shownW; ++i) {
        const Color got = Shown(ws, i, j);
        if (got == kMarker) continue;
        EXPECT_LT(int(got & 0xFF), c.baseW);
        EXPECT_LT(int(got >> 8 & 0xFF), c.baseH);
      }
    WarpRelease(ws);
    EXPECT_BITMAP_EQ(ws.BaseBitmap, ws.ShownBitmap);
  }
}

TEST(WarpTool, WorksThroughThePaletteOfTheStartPicture) {
  Workspace ws;
  LoadForWarp(ws);
  Bitmap grey(kWidth, kHeight, PixelFormat::Bit8);
  std::vector<PaletteEntry> ramp(256);
  for (int k = 0; k < 256; ++k) ramp[k] = {std::uint8_t(k), std::uint8_t(k), std::uint8_t(k), 0};
  grey.SetPalette(ramp);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) grey.SetPixelColor(x, y, 0x010101u * Color(x * 10 + y));
  ws.BaseBitmap = grey;
  ws.ShownBitmap = grey;
  ASSERT_TRUE(WarpPress(ws, 8, 6, true));
  ASSERT_TRUE(WarpMove(ws, 10, 8));
  EXPECT_EQ(Shown(ws, 4, 3), 0x010101u * (3 * 10 + 2));
  EXPECT_EQ(Shown(ws, 7, 2), 0x010101u * (6 * 10 + 2));
}

}  // namespace
}  // namespace skelda
