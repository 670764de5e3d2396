#include "gcode/test_grid.h"

#include <algorithm>
#include <charconv>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "gcode/gcode_settings.h"
#include "gcode/grbl_number.h"
#include "gcode/grbl_writer.h"

namespace skelda {

namespace {

bool ReadWhole(std::string_view text, int& value) {
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}

void CheckValues(const std::string& name, const GridRange& r, int low, int high,
                 const std::string& why) {
  if (r.low < low || r.high > high) {
    throw Error("The " + name + " " + std::to_string(r.low) + ":" + std::to_string(r.high) +
                " must lie within " + std::to_string(low) + " .. " + std::to_string(high) + why);
  }
}

std::string Mm(long long thousandths) {
  return ThousandthsText(thousandths);
}

}  // namespace

GridRange ParseGridRange(const std::string& name, const std::string& text) {
  GridRange r;
  const std::size_t a = text.find(':');
  const std::size_t b = a == std::string::npos ? a : text.find(':', a + 1);
  const std::string_view t(text);
  if (b == std::string::npos || !ReadWhole(t.substr(0, a), r.low) ||
      !ReadWhole(t.substr(a + 1, b - a - 1), r.high) || !ReadWhole(t.substr(b + 1), r.count)) {
    throw Error("The " + name + " '" + text + "' are not MIN:MAX:N (three whole numbers)");
  }
  if (r.low > r.high) {
    throw Error("The " + name + " '" + text + "' run from MIN above MAX");
  }
  if (r.count < 1 || r.count > kMaxGridCount) {
    throw Error("The " + name + " '" + text + "' ask for " + std::to_string(r.count) +
                " values; give 1 .. " + std::to_string(kMaxGridCount));
  }
  return r;
}

std::vector<int> GridValues(const GridRange& r) {
  std::vector<int> values;
  for (int i = 0; i < r.count; ++i) {
    const long double step = r.count == 1 ? 0 : static_cast<long double>(i) / (r.count - 1);
    values.push_back(
        static_cast<int>(RoundHalfEven(r.low + static_cast<long double>(r.high - r.low) * step)));
  }
  return values;
}

TestGrid::TestGrid(const TestGridSettings& s) : settings_(s) {
  CheckDotSize(s.dot, FloatToStr(s.dot));
  GcodeSettings lines;
  lines.dot = s.dot;
  lines.lineMode = true;
  lines.machine = s.machine;
  CheckGrblSettings(lines);
  const int maxPower = s.machine.maxPower;
  CheckValues("powers", s.powers, 1, maxPower, " (the maximum power)");
  CheckValues("feeds", s.feeds, 1, kMaxGridFeed, " mm/min");
  if (!(s.cellMm >= 2 * s.dot)) {
    throw Error("The cell " + FloatToStr(s.cellMm) + " mm is smaller than two dots of " +
                FloatToStr(s.dot) + " mm");
  }
  cellDots_ = static_cast<int>(std::min<long double>(RoundHalfEven(s.cellMm / s.dot), 1e9L));
  if (cellDots_ > kMaxCellDots) {
    throw Error("The cell " + FloatToStr(s.cellMm) + " mm would be " + std::to_string(cellDots_) +
                " dots of " + FloatToStr(s.dot) + " mm a side; at most " +
                std::to_string(kMaxCellDots) + " fit a test");
  }
  const long double gapDots = std::max(1.0L, static_cast<long double>(kGridGapMm) / s.dot);
  const int gap = gapDots > kMaxGridDots ? kMaxGridDots : static_cast<int>(RoundHalfEven(gapDots));
  const int pitch = cellDots_ + gap;
  // Digits no taller than a cell where the cell allows it; below five dots they stand out
  // above the top row and right of the last column, which the margin makes room for.
  const long long wantedPixel =
      RoundHalfEven(std::max(1.0L, kLabelPixelMm / static_cast<long double>(s.dot)));
  labelPixel_ = static_cast<int>(
      std::clamp<long long>(wantedPixel, 1, std::max(1, cellDots_ / kGlyphHeight)));
  const int margin = std::max(0, kGlyphHeight * labelPixel_ - cellDots_);
  labelPower_ = std::max(1, static_cast<int>(RoundHalfEven(maxPower * kLabelPowerShare)));

  const std::vector<int> powers = GridValues(s.powers);
  const std::vector<int> feeds = GridValues(s.feeds);
  std::vector<GlyphImage> rowTexts, columnTexts;
  int rowLabelWidth = 0, columnLabelHeight = 0;
  for (const int p : powers) {
    rowTexts.push_back(RenderDigits(std::to_string(p)));
    rowLabelWidth = std::max(rowLabelWidth, rowTexts.back().width * labelPixel_);
  }
  for (const int f : feeds) {
    columnTexts.push_back(TurnedLeft(RenderDigits(std::to_string(f))));
    columnLabelHeight = std::max(columnLabelHeight, columnTexts.back().height * labelPixel_);
  }
  const long long left = rowLabelWidth + gap, bottom = columnLabelHeight + gap;
  const long long width = left + static_cast<long long>(pitch) * s.feeds.count - gap + margin;
  const long long height = bottom + static_cast<long long>(pitch) * s.powers.count - gap + margin;
  if (std::max(width, height) > kMaxGridDots) {
    throw Error("The test grid would be " + std::to_string(width) + " x " + std::to_string(height) +
                " dots of " + FloatToStr(s.dot) + " mm; at most " + std::to_string(kMaxGridDots) +
                " a side");
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  GrblRowRaster(s.dot, s.dot, width_, height_, s.machine);  // the reach, before anything is written

  const int centring = std::max(0, cellDots_ - kGlyphHeight * labelPixel_) / 2;
  for (int i = 0; i < s.powers.count; ++i) {
    const int y = static_cast<int>(bottom) + i * pitch;
    const GlyphImage& text = rowTexts[static_cast<std::size_t>(i)];
    labels_.push_back(
        {static_cast<int>(left) - gap - text.width * labelPixel_, y + centring, text});
    for (int j = 0; j < s.feeds.count; ++j) {
      const int x = static_cast<int>(left) + j * pitch;
      cellX_.push_back(x);
      cellY_.push_back(y);
      cells_.push_back({powers[static_cast<std::size_t>(i)], feeds[static_cast<std::size_t>(j)],
                        edge(x), edge(y), edge(x + cellDots_), edge(y + cellDots_)});
    }
  }
  for (int j = 0; j < s.feeds.count; ++j) {
    const GlyphImage& text = columnTexts[static_cast<std::size_t>(j)];
    labels_.push_back({cellX_[static_cast<std::size_t>(j)] + centring,
                       static_cast<int>(bottom) - gap - text.height * labelPixel_, text});
  }
}

long long TestGrid::edge(int dots) const {
  return ToThousandths(static_cast<long double>(dots) * static_cast<long double>(settings_.dot));
}

std::vector<std::string> TestGrid::Legend() const {
  const TestGridSettings& s = settings_;
  std::vector<std::string> lines = {
      "Skelda material test grid: " + std::to_string(s.powers.count) + " powers x " +
          std::to_string(s.feeds.count) + " feeds",
      "cells " + Mm(edge(cellDots_)) + " mm square, lines " + Mm(ToThousandths(s.dot)) +
          " mm apart, " + (s.machine.oneWay ? "one way" : "both ways") + ", overscan " +
          Mm(ToThousandths(s.machine.overscanMm)) + " mm",
      "rows: power S, lowest at the bottom; columns: feed F mm/min, slowest left",
      "labels at S" + std::to_string(labelPower_) + " F" + std::to_string(kLabelFeed) +
          ", powers left of the grid, feeds below it"};
  for (const GridCell& c : cells_) {
    std::string line = "S";
    line += std::to_string(c.power) + " F" + std::to_string(c.feed) + ": X" + Mm(c.left) + ".." +
            Mm(c.right) + " Y" + Mm(c.bottom) + ".." + Mm(c.top);
    lines.push_back(std::move(line));
  }
  return lines;
}

void TestGrid::LabelLevels(int row, std::vector<std::uint8_t>& levels) const {
  std::fill(levels.begin(), levels.end(), 0);
  const int p = labelPixel_;
  for (const Label& label : labels_) {
    const int fromBottom = row - label.y;
    if (fromBottom < 0 || fromBottom >= label.image.height * p) continue;
    const int glyphRow = label.image.height - 1 - fromBottom / p;
    for (int x = 0; x < label.image.width * p; ++x) {
      if (label.image.At(x / p, glyphRow)) levels[static_cast<std::size_t>(label.x + x)] = 1;
    }
  }
}

XRange TestGrid::Write(GcodeSink& sink) const {
  BufferedOutput out(sink);
  for (const std::string& line : Legend()) out.Put("(" + line + ")\n");
  out.Put("G21\nG90\nM5\nM4 S0\nG1 F" + std::to_string(kLabelFeed) + "\n");
  GrblRowRaster raster(settings_.dot, settings_.dot, width_, height_, settings_.machine);
  // A pass burns at one power at most: level 1 is the labels' or the cell's power.
  std::vector<std::uint8_t> levels(static_cast<std::size_t>(width_));
  int palette[2] = {0, labelPower_};
  std::uint64_t burns = 0;
  bool reverse = false;
  auto pass = [&](int row) {
    if (raster.WritePass(out, levels.data(), palette, row, reverse, burns)) {
      reverse = !reverse && !settings_.machine.oneWay;
    }
  };
  for (int row = 0; row < height_; ++row) {
    LabelLevels(row, levels);
    pass(row);
  }
  std::fill(levels.begin(), levels.end(), 0);
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    out.Put("G1 F" + std::to_string(cells_[i].feed) + "\n");
    const auto first = levels.begin() + cellX_[i];
    std::fill(first, first + cellDots_, 1);
    palette[1] = cells_[i].power;
    reverse = false;
    for (int row = cellY_[i]; row < cellY_[i] + cellDots_; ++row) pass(row);
    std::fill(first, first + cellDots_, 0);
  }
  out.Put("M5\nG0 X0 Y0\nM2\n");
  out.Flush();
  return raster.Range();
}

std::string TestGridReport(const std::string& chosenNameWithoutFolder, const TestGrid& grid) {
  auto list = [](const GridRange& range) {
    std::string text;
    for (const int v : GridValues(range)) text += (text.empty() ? "" : ", ") + std::to_string(v);
    return text;
  };
  return "Тестовая сетка " + chosenNameWithoutFolder + ".nc успешно создана !\r\n" +
         "Размер с подписями: " + Mm(grid.Width()) + " x " + Mm(grid.Height()) + " мм.\r\n" +
         "Строки снизу вверх, мощность S: " + list(grid.Settings().powers) + ".\r\n" +
         "Столбцы слева направо, скорость F (мм/мин): " + list(grid.Settings().feeds) + ".\r\n" +
         "Подписи: S" + std::to_string(grid.LabelPower()) + " F" + std::to_string(kLabelFeed) + ".";
}

XRange WriteTestGridFile(const TestGrid& grid, const std::string& path) {
  AtomicFileWriter file(path);
  AtomicFileSink sink(file);
  const XRange range = grid.Write(sink);
  file.Commit();
  return range;
}

}  // namespace skelda
