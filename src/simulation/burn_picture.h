// What the laser burnt, on the grid of the picture's dots: each dot holds the darkest burn it
// received, 0 (never burnt) to 255 (full power). Dot (c, r) covers X from c × d to (c + 1) × d
// and Y from r × p to (r + 1) × p, p being the row pitch (the line interval), so row 0 is the
// bottom of the engraving.
#pragma once

#include <cstdint>
#include <vector>

namespace skelda {

class BurnPicture {
 public:
  // `width` × `height` > 0 fixes the grid; 0 × 0 lets it grow to the furthest dot burnt. A row
  // pitch of 0 is the dot size.
  BurnPicture(double dot, int width = 0, int height = 0, double rowPitch = 0);

  double Dot() const { return dot_; }
  // Burns along a straight move; a point move burns the dot it is in.
  void BurnMove(double x0, double y0, double x1, double y1, std::uint8_t darkness);
  void BurnPoint(double x, double y, std::uint8_t darkness) {
    const double cx = x * inverse_ + kEdge;
    const double cy = y * inverseRow_ + kEdge;
    if (fixed_ && cx >= 0 && cy >= 0 && cx < width_ && cy < height_) {
      std::uint8_t& cell = rows_[static_cast<std::size_t>(cy)][static_cast<std::size_t>(cx)];
      cell = cell > darkness ? cell : darkness;
    } else {
      BurnCell(Cell(x, inverse_), Cell(y, inverseRow_), darkness);
    }
  }

  int Width() const;
  int Height() const;
  // The darkness of dot c of row r counted from the bottom (0 outside what was burnt).
  std::uint8_t At(int c, int r) const;
  // Gray values top row first, Width() × Height(): 255 − darkness.
  std::vector<std::uint8_t> GrayRows() const;
  // Row `top` of them (0 = the top row), Width() values.
  void GrayRow(int top, std::uint8_t* out) const;

 private:
  void BurnRow(long long row, long long first, long long last, std::uint8_t darkness);
  void BurnCell(long long column, long long row, std::uint8_t darkness) {
    BurnRow(row, column, column, darkness);
  }
  static long long Cell(double v, double inverse);
  // Throws when a grid that grows would reach dot (column, row).
  void CheckReach(long long column, long long row) const;

  // Coordinates read back from text may miss a dot's edge by a rounding error.
  static constexpr double kEdge = 1e-6;

  double dot_;
  double inverse_;     // of the dot size
  double inverseRow_;  // of the row pitch
  bool fixed_;
  int width_ = 0;   // the widest row, or the fixed width
  int height_ = 0;  // the fixed height
  std::vector<std::vector<std::uint8_t>> rows_;
};

}  // namespace skelda
