// The material test grid: one filled square per power and feed, so that the settings for a new
// material are found with one burn.
//
// Rows are powers (the lowest at the bottom), columns feeds (the slowest at the left). Each cell
// is n × n dots, n the cell size over the dot size rounded, filled by the engraving program's
// row raster (grbl_raster.h: line spacing = the dot size, both directions or one way, overscan
// and scan offset as set); cells stand a gap of about 2 mm apart (a whole number of dots). The
// rows' powers are written to the left of the grid and the columns' feeds below it, turned to
// read from the bottom up, in the built-in digit font, never inside a cell.
//
// The program (GRBL 1.1, laser mode; every line below GRBL's 80 characters):
//   (legend: one comment per cell with its S, F and place)
//   G21 / G90 / M5 / M4 S0
//   G1 F<label feed>, the labels' passes
//   for each cell, from the lowest power up and the slowest feed on: G1 F<feed>, its passes
//   M5 / G0 X0 Y0 / M2
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gcode/digit_font.h"
#include "gcode/gcode_sink.h"
#include "gcode/grbl_raster.h"
#include "gcode/machine_profile.h"

namespace skelda {

// count values from low to high, evenly spaced.
struct GridRange {
  int low = 0;
  int high = 0;
  int count = 1;
  bool operator==(const GridRange&) const = default;
};

inline constexpr int kMaxGridCount = 20;
inline constexpr int kMaxGridFeed = 1000000;  // mm/min, beyond any laser
inline constexpr int kMaxCellDots = 1000;
inline constexpr int kMaxGridDots = 50000;
inline constexpr double kGridGapMm = 2;
// The labels burn at this feed and this share of the maximum power: dark on wood, leather,
// card and anodised aluminium with a diode, without cutting through paper at this size.
inline constexpr int kLabelFeed = 1000;
inline constexpr double kLabelPowerShare = 0.7;
inline constexpr double kLabelPixelMm = 0.6;

// "MIN:MAX:N", three whole numbers; `name` ("powers", "feeds") goes into the refusals: not
// that form, MIN above MAX, N outside 1 .. kMaxGridCount.
GridRange ParseGridRange(const std::string& name, const std::string& text);
// low + (high - low) × i / (count - 1) rounded half to even; one value: low.
std::vector<int> GridValues(const GridRange& range);

struct TestGridSettings {
  GridRange powers{200, 1000, 5};
  GridRange feeds{1000, 5000, 5};
  double cellMm = 5;
  double dot = 0.2;
  MachineProfile machine;  // maximum power, overscan, one-way, scan offset
};

// One cell: its S and F and the square it fills, in thousandths of a mm (its passes run at
// Y = bottom, bottom + d, .. top - d).
struct GridCell {
  int power = 0;
  int feed = 0;
  long long left = 0, bottom = 0, right = 0, top = 0;
};

class TestGrid {
 public:
  // Every check (ranges, powers within 1 .. the maximum power, feeds within 1 .. kMaxGridFeed,
  // a cell of at least two dots and at most kMaxCellDots, the whole grid within kMaxGridDots
  // and GRBL's reach) before anything is written.
  explicit TestGrid(const TestGridSettings& settings);

  const TestGridSettings& Settings() const { return settings_; }
  const std::vector<GridCell>& Cells() const { return cells_; }
  int LabelPower() const { return labelPower_; }
  // The grid's extent with its labels, from (0, 0), in thousandths of a mm.
  long long Width() const { return edge(width_); }
  long long Height() const { return edge(height_); }
  // The legend, one line per cell after four lines on the whole, without brackets.
  std::vector<std::string> Legend() const;

  // The whole program; returns the X range it moves in.
  XRange Write(GcodeSink& sink) const;

 private:
  struct Label {
    int x, y;  // bottom-left corner, in dots
    GlyphImage image;
  };
  long long edge(int dots) const;
  void LabelLevels(int row, std::vector<std::uint8_t>& levels) const;

  TestGridSettings settings_;
  int cellDots_ = 0;
  int width_ = 0;
  int height_ = 0;
  int labelPixel_ = 1;  // dots per font pixel
  int labelPower_ = 0;
  std::vector<GridCell> cells_;
  std::vector<int> cellX_, cellY_;  // per cell, its bottom-left dot
  std::vector<Label> labels_;
};

// The window's closing message: the file, the grid's size, its rows and columns.
std::string TestGridReport(const std::string& chosenNameWithoutFolder, const TestGrid& grid);

// Into exactly `path` through the atomic file writer.
XRange WriteTestGridFile(const TestGrid& grid, const std::string& path);

}  // namespace skelda
