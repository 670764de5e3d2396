#include "processing/threshold_pass.h"

#include <algorithm>
#include <vector>

#include "processing/bitmap_steps.h"
#include "processing/gray_value.h"
#include "processing/parallel_rows.h"
#include "processing/pixel_words.h"
#include "processing/random_threshold.h"

namespace skelda {

namespace {

// limits[x] is 256 times the threshold of column x: gray >= t exactly when the sum before the
// shift is >= 256 t.
void ThresholdRow(std::uint8_t* row, int width, const std::int32_t* limits) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = LoadWord(row + 4 * x);
    const bool white = GraySum(p, kThresholdWeights) >= limits[x];
    StoreWord(row + 4 * x, white ? (p | kColourBits) : (p & kFourthByte));
  }
}

std::int32_t LimitOf(int threshold) {
  return std::clamp(threshold, -1, 257) * 256;
}

}  // namespace

void ThresholdPass(Bitmap& bitmap, int threshold) {
  EnsureBit32(bitmap);
  const int width = bitmap.Width();
  const std::vector<std::int32_t> limits(width, LimitOf(threshold));
  ForEachRowBand(bitmap.Height(), bitmap.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) ThresholdRow(bitmap.ScanLine(y), width, limits.data());
  });
}

void MatrixThresholdPass(Bitmap& bitmap, const ThresholdMatrix& matrix) {
  EnsureBit32(bitmap);
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  // One row of limits for each row of the matrix.
  std::vector<std::vector<std::int32_t>> limits(matrix.size, std::vector<std::int32_t>(width));
  for (int r = 0; r < matrix.size; ++r) {
    for (int c = 0; c < width; ++c) limits[r][c] = LimitOf(matrix.At(r, c));
  }
  ForEachRowBand(height, bitmap.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const int passRow = height - 1 - y;
      ThresholdRow(bitmap.ScanLine(y), width, limits[passRow % matrix.size].data());
    }
  });
}

void RandomThresholdPass(Bitmap& bitmap, RandomGenerator& random) {
  EnsureBit32(bitmap);
  const int width = bitmap.Width();
  std::vector<std::int32_t> limits(width);
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) limits[x] = RandomThreshold(random) * 256;
    ThresholdRow(bitmap.ScanLine(y), width, limits.data());
  }
}

}  // namespace skelda
