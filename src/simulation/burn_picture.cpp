#include "simulation/burn_picture.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"

namespace skelda {

namespace {

// A grid that grows with the program stops here rather than exhaust memory on a stray move.
constexpr long long kLargestSide = 1 << 16;
// Its dots, so that the grid and the PNG made of it stay well within a few hundred megabytes.
constexpr long long kLargestArea = 1LL << 27;

}  // namespace

BurnPicture::BurnPicture(double dot, int width, int height, double rowPitch)
    : dot_(dot),
      inverse_(1 / dot),
      inverseRow_(1 / (rowPitch > 0 ? rowPitch : dot)),
      fixed_(width > 0 && height > 0) {
  if (fixed_) {
    width_ = width;
    height_ = height;
    rows_.assign(static_cast<std::size_t>(height), std::vector<std::uint8_t>(width, 0));
  }
}

long long BurnPicture::Cell(double v, double inverse) {
  return static_cast<long long>(std::floor(std::clamp(v * inverse + kEdge, -1e15, 1e15)));
}

void BurnPicture::BurnRow(long long row, long long first, long long last, std::uint8_t darkness) {
  if (row < 0 || last < 0 || darkness == 0) return;
  first = std::max(first, 0LL);
  if (fixed_) {
    if (row >= static_cast<long long>(rows_.size())) return;
    last = std::min(last, static_cast<long long>(width_) - 1);
  } else {
    CheckReach(last, row);
    if (row >= static_cast<long long>(rows_.size()))
      rows_.resize(static_cast<std::size_t>(row) + 1);
    auto& cells = rows_[static_cast<std::size_t>(row)];
    if (last >= static_cast<long long>(cells.size()))
      cells.resize(static_cast<std::size_t>(last) + 1);
    width_ = std::max(width_, static_cast<int>(cells.size()));
  }
  auto& cells = rows_[static_cast<std::size_t>(row)];
  for (long long c = first; c <= last; ++c) {
    std::uint8_t& cell = cells[static_cast<std::size_t>(c)];
    cell = std::max(cell, darkness);
  }
}

// Refused before the grid grows: a stray move would otherwise commit gigabytes first.
void BurnPicture::CheckReach(long long column, long long row) const {
  if (row >= kLargestSide || column >= kLargestSide) {
    throw Error("The program burns beyond " + std::to_string(kLargestSide) +
                " dots from the origin; choose a larger dot size for its picture");
  }
  const long long width = std::max<long long>(width_, column + 1);
  const long long height = std::max<long long>(static_cast<long long>(rows_.size()), row + 1);
  if (width * height > kLargestArea) throw PictureTooLargeError(width, height);
}

// A move along a row burns every dot it passes over by more than a rounding error; any other
// move burns the dots under points a quarter dot apart along it.
void BurnPicture::BurnMove(double x0, double y0, double x1, double y1, std::uint8_t darkness) {
  if (!fixed_ && darkness != 0) {
    // The dot before the far end: a move ending on a dot's edge does not burn past it.
    const auto last = [](double v, double inverse) {
      return static_cast<long long>(std::ceil(std::clamp(v * inverse - kEdge, -1e15, 1e15))) - 1;
    };
    const long long top = std::max(last(y0, inverseRow_), last(y1, inverseRow_));
    const long long right = std::max(last(x0, inverse_), last(x1, inverse_));
    if (top >= 0 && right >= 0) CheckReach(right, top);
  }
  if (y0 == y1) {
    const double low = std::min(x0, x1) / dot_;
    const double high = std::max(x0, x1) / dot_;
    const long long first =
        static_cast<long long>(std::floor(std::clamp(low + kEdge, -1e15, 1e15)));
    const long long last =
        static_cast<long long>(std::ceil(std::clamp(high - kEdge, -1e15, 1e15))) - 1;
    if (last >= first) BurnRow(Cell(y0, inverseRow_), first, last, darkness);
    return;
  }
  const double finest = std::min(dot_, 1 / inverseRow_);
  const double steps = std::ceil(std::hypot(x1 - x0, y1 - y0) / finest * 4);
  const long long count = static_cast<long long>(std::min(steps, 4.0 * kLargestSide * 2));
  for (long long i = 0; i < count; ++i) {
    const double t = (i + 0.5) / static_cast<double>(count);
    BurnPoint(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, darkness);
  }
}

int BurnPicture::Width() const {
  return width_;
}

int BurnPicture::Height() const {
  return width_ == 0 ? 0 : static_cast<int>(rows_.size());
}

std::uint8_t BurnPicture::At(int c, int r) const {
  if (r < 0 || c < 0 || r >= static_cast<int>(rows_.size())) return 0;
  const auto& cells = rows_[static_cast<std::size_t>(r)];
  return c < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(c)] : 0;
}

void BurnPicture::GrayRow(int top, std::uint8_t* out) const {
  const int width = Width();
  std::fill(out, out + width, std::uint8_t{255});
  const auto& cells = rows_[static_cast<std::size_t>(Height() - 1 - top)];
  for (std::size_t c = 0; c < cells.size(); ++c) out[c] = static_cast<std::uint8_t>(255 - cells[c]);
}

std::vector<std::uint8_t> BurnPicture::GrayRows() const {
  const int width = Width();
  const int height = Height();
  if (static_cast<long long>(width) * height > (1LL << 28))
    throw PictureTooLargeError(width, height);
  std::vector<std::uint8_t> gray(static_cast<std::size_t>(width) * height, 255);
  for (int r = 0; r < height; ++r) {
    const auto& cells = rows_[static_cast<std::size_t>(r)];
    std::uint8_t* out = gray.data() + static_cast<std::size_t>(height - 1 - r) * width;
    for (std::size_t c = 0; c < cells.size(); ++c)
      out[c] = static_cast<std::uint8_t>(255 - cells[c]);
  }
  return gray;
}

}  // namespace skelda
