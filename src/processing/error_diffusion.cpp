#include "processing/error_diffusion.h"

#include <cstdint>
#include <vector>

#include "processing/bitmap_steps.h"
#include "processing/gray_value.h"
#include "processing/pixel_words.h"
#include "processing/random_threshold.h"

namespace skelda {

namespace {

// The error plane is walked one pass row at a time: a row's cells only receive shares from the
// row below and from their left neighbour, and the extra column and row that catch the shares
// leaving the picture are never read back, so two rows of W + 1 cells hold all that is ever
// read.
struct PlaneRows {
  explicit PlaneRows(int width) : current(width + 1), next(width + 1), decided(width) {}
  std::vector<std::int32_t> current;
  std::vector<std::int32_t> next;
  std::vector<std::uint8_t> decided;
};

void FillRow(const std::uint8_t* row, int width, std::int32_t* cells) {
  for (int x = 0; x < width; ++x) cells[x] = GrayValue(LoadWord(row + 4 * x), kDiffusionWeights);
  cells[width] = 0;
}

void WriteBackRow(std::uint8_t* row, int width, const std::uint8_t* decided) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = LoadWord(row + 4 * x);
    StoreWord(row + 4 * x, (p & kFourthByte) | (decided[x] * 0x010101u));
  }
}

// Decides the cells of one pass row left to right and spreads their errors; threshold(c) gives
// the threshold of column c at the moment its cell is decided.
template <class Threshold>
void DiffuseRow(std::int32_t* current, std::int32_t* next, std::uint8_t* decided, int width,
                Threshold threshold) {
  std::int32_t fromLeft = 0;    // the 7/16 share of the cell just decided
  std::int32_t pending = 0;     // 5/16 of the cell above c - 1 plus 1/16 from c - 2
  std::int32_t pendingOne = 0;  // 1/16 of the last cell, for the cell up-right of it
  for (int c = 0; c < width; ++c) {
    const std::int32_t v = current[c] + fromLeft;
    const std::int32_t q = threshold(c) <= v ? 255 : 0;
    const std::int32_t err = v - q;
    decided[c] = static_cast<std::uint8_t>(q);
    fromLeft = 7 * err / 16;
    const std::int32_t leftUp = 3 * err / 16;
    // The left-up share of column 0 leaves the picture.
    if (c > 0) next[c - 1] += pending + leftUp;
    pending = pendingOne + 5 * err / 16;
    pendingOne = err / 16;
  }
  if (width > 0) next[width - 1] += pending;
}

template <class Threshold>
void Diffuse(Bitmap& bitmap, PlaneRows& rows, Threshold thresholdOf) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  if (height == 0) return;
  FillRow(bitmap.ScanLine(height - 1), width, rows.current.data());
  for (int passRow = 0; passRow < height; ++passRow) {
    const int y = height - 1 - passRow;
    if (passRow + 1 < height) {
      FillRow(bitmap.ScanLine(y - 1), width, rows.next.data());
    } else {
      std::fill(rows.next.begin(), rows.next.end(), 0);
    }
    DiffuseRow(rows.current.data(), rows.next.data(), rows.decided.data(), width,
               [&](int c) { return thresholdOf(passRow, c); });
    WriteBackRow(bitmap.ScanLine(y), width, rows.decided.data());
    rows.current.swap(rows.next);
  }
}

}  // namespace

void DiffusionPass(Bitmap& bitmap, const DiffusionRule& rule) {
  EnsureBit32(bitmap);
  PlaneRows rows(bitmap.Width());
  switch (rule.kind()) {
    case DiffusionRule::Kind::Fixed:
      Diffuse(bitmap, rows, [](int, int) { return std::int32_t{128}; });
      break;
    case DiffusionRule::Kind::Random: {
      RandomGenerator& random = rule.random();
      Diffuse(bitmap, rows, [&](int, int) { return RandomThreshold(random); });
      break;
    }
    case DiffusionRule::Kind::Matrix: {
      const ThresholdMatrix& matrix = rule.matrix();
      Diffuse(bitmap, rows, [&](int passRow, int c) { return matrix.At(passRow, c); });
      break;
    }
  }
}

}  // namespace skelda
