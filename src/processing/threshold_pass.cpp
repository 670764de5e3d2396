#include "processing/threshold_pass.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/gray_value.h"
#include "processing/parallel_rows.h"
#include "processing/pass_bitmaps.h"
#include "processing/pixel_words.h"
#include "processing/random_threshold.h"

namespace skelda {

namespace {

// limits[x] is 256 times the threshold of column x: gray >= t exactly when the sum before the
// shift is >= 256 t. source may be target.
void ThresholdRow(const std::uint8_t* source, std::uint8_t* target, int width,
                  const std::int32_t* limits) {
  int x = 0;
#if defined(__SSE2__)
  // Four pixels at a time: blue and red, then green and the fourth byte, as pairs of 16-bit
  // lanes multiplied by their weights and added in one step each.
  const __m128i pairMask = _mm_set1_epi32(0x00FF00FF);
  const __m128i blueRed = _mm_set1_epi32((kThresholdWeights.red << 16) | kThresholdWeights.blue);
  const __m128i greenOnly = _mm_set1_epi32(kThresholdWeights.green);
  const __m128i colour = _mm_set1_epi32(static_cast<int>(kColourBits));
  const __m128i fourth = _mm_set1_epi32(static_cast<int>(kFourthByte));
  for (; x + 4 <= width; x += 4) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 4 * x));
    const __m128i br = _mm_and_si128(p, pairMask);
    const __m128i ga = _mm_and_si128(_mm_srli_epi32(p, 8), pairMask);
    const __m128i sum = _mm_add_epi32(_mm_madd_epi16(br, blueRed), _mm_madd_epi16(ga, greenOnly));
    const __m128i limit = _mm_loadu_si128(reinterpret_cast<const __m128i*>(limits + x));
    const __m128i black = _mm_cmpgt_epi32(limit, sum);
    const __m128i out = _mm_or_si128(_mm_and_si128(p, fourth), _mm_andnot_si128(black, colour));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + 4 * x), out);
  }
#endif
  for (; x < width; ++x) {
    const std::uint32_t p = LoadWord(source + 4 * x);
    const bool white = GraySum(p, kThresholdWeights) >= limits[x];
    StoreWord(target + 4 * x, white ? (p | kColourBits) : (p & kFourthByte));
  }
}

std::int32_t LimitOf(int threshold) {
  return std::clamp(threshold, -1, 257) * 256;
}

}  // namespace

void ThresholdPass(Bitmap& bitmap, int threshold) {
  EnsureBit32(bitmap);
  ThresholdPass(bitmap, bitmap, threshold);
}

void ThresholdPass(const Bitmap& source, Bitmap& target, int threshold) {
  RequireSourceAndTarget32(source, target);
  const int width = source.Width();
  const std::vector<std::int32_t> limits(width, LimitOf(threshold));
  ForEachRowBand(source.Height(), source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      ThresholdRow(source.ScanLine(y), target.ScanLine(y), width, limits.data());
    }
  });
}

void MatrixThresholdPass(Bitmap& bitmap, const ThresholdMatrix& matrix) {
  EnsureBit32(bitmap);
  MatrixThresholdPass(bitmap, bitmap, matrix);
}

void MatrixThresholdPass(const Bitmap& source, Bitmap& target, const ThresholdMatrix& matrix) {
  RequireSourceAndTarget32(source, target);
  const int width = source.Width();
  const int height = source.Height();
  // One row of limits for each row of the matrix.
  std::vector<std::vector<std::int32_t>> limits(matrix.size, std::vector<std::int32_t>(width));
  for (int r = 0; r < matrix.size; ++r) {
    for (int c = 0; c < width; ++c) limits[r][c] = LimitOf(matrix.At(r, c));
  }
  ForEachRowBand(height, source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const int passRow = height - 1 - y;
      ThresholdRow(source.ScanLine(y), target.ScanLine(y), width,
                   limits[passRow % matrix.size].data());
    }
  });
}

int BayerIndex8(int row, int column) {
  constexpr int kSeed[2][2] = {{0, 2}, {3, 1}};
  int index = 0;
  for (int bit = 0; bit < 3; ++bit) {
    index = 4 * index + kSeed[(row >> bit) & 1][(column >> bit) & 1];
  }
  return index;
}

void OrderedScreenPass(Bitmap& bitmap) {
  EnsureBit32(bitmap);
  OrderedScreenPass(bitmap, bitmap);
}

void OrderedScreenPass(const Bitmap& source, Bitmap& target) {
  RequireSourceAndTarget32(source, target);
  const int width = source.Width();
  constexpr int kSize = 8;
  std::vector<std::vector<std::int32_t>> limits(kSize, std::vector<std::int32_t>(width));
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < width; ++c) limits[r][c] = LimitOf(4 * BayerIndex8(r, c % kSize) + 2);
  }
  ForEachRowBand(source.Height(), source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      ThresholdRow(source.ScanLine(y), target.ScanLine(y), width, limits[y % kSize].data());
    }
  });
}

void RandomThresholdPass(Bitmap& bitmap, RandomGenerator& random) {
  EnsureBit32(bitmap);
  RandomThresholdPass(bitmap, bitmap, random);
}

void RandomThresholdPass(const Bitmap& source, Bitmap& target, RandomGenerator& random) {
  RequireSourceAndTarget32(source, target);
  const int width = source.Width();
  std::vector<std::int32_t> limits(width);
  for (int y = source.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) limits[x] = RandomThreshold(random) * 256;
    ThresholdRow(source.ScanLine(y), target.ScanLine(y), width, limits.data());
  }
}

}  // namespace skelda
