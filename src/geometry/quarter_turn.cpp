#include "geometry/quarter_turn.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "geometry/pixel_groups.h"

namespace skelda {

namespace {

using namespace pixel_groups;

// The target is written in square tiles so that the source rows one tile reads stay in the
// first-level cache while the tile's target rows are filled.
constexpr int kTile = 64;

struct Pixel4 {
  Pixel v[4];
};

struct Turn {
  std::vector<const std::uint8_t*> rows;  // rows[x]: the source row that feeds target column x
  std::vector<std::uint8_t*> targetRows;
  bool clockwise = true;
  int sourceWidth = 0;

  // Source column read by target row y.
  int Column(int y) const { return clockwise ? y : sourceWidth - 1 - y; }

  void CopyPixel(int x, int y) const {
    std::memcpy(targetRows[y] + 3 * x, rows[x] + 3 * Column(y), 3);
  }

  // Target rows y .. y+3, columns x .. x+3, from four pixels of four source rows.
  void Block4(int x, int y) const {
    Pixel4 p[4];
    const int first = clockwise ? y : sourceWidth - 4 - y;
    for (int i = 0; i < 4; ++i) Load4(rows[x + i] + 3 * first, p[i].v);
    for (int j = 0; j < 4; ++j) {
      const int k = clockwise ? j : 3 - j;
      Store4(targetRows[y + j] + 3 * x, p[0].v[k], p[1].v[k], p[2].v[k], p[3].v[k]);
    }
  }
};

void TurnTile(const Turn& t, int x0, int x1, int y0, int y1) {
  const int x4 = x0 + (x1 - x0) / 4 * 4;
  const int y4 = y0 + (y1 - y0) / 4 * 4;
  for (int y = y0; y < y4; y += 4) {
    for (int x = x0; x < x4; x += 4) t.Block4(x, y);
  }
  for (int y = y0; y < y1; ++y) {
    for (int x = (y < y4 ? x4 : x0); x < x1; ++x) t.CopyPixel(x, y);
  }
}

}  // namespace

Bitmap QuarterTurn(const Bitmap& source, TurnDirection direction) {
  const int width = source.Width(), height = source.Height();
  Bitmap target(height, width, PixelFormat::Bit24);
  Turn t;
  t.clockwise = direction == TurnDirection::Clockwise;
  t.sourceWidth = width;
  // Clockwise, target column x comes from source row H-1-x; counter-clockwise from row x.
  t.rows.resize(height);
  for (int x = 0; x < height; ++x) t.rows[x] = source.ScanLine(t.clockwise ? height - 1 - x : x);
  t.targetRows.resize(width);
  for (int y = 0; y < width; ++y) t.targetRows[y] = target.ScanLine(y);
  for (int y0 = 0; y0 < width; y0 += kTile) {
    for (int x0 = 0; x0 < height; x0 += kTile) {
      TurnTile(t, x0, std::min(x0 + kTile, height), y0, std::min(y0 + kTile, width));
    }
  }
  return target;
}

}  // namespace skelda
