#include "processing/error_diffusion.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  explicit PlaneRows(int width)
      : current(width + 1), next(width + 1), decided(width), thresholds(width) {}
  std::vector<std::int32_t> current;
  std::vector<std::int32_t> next;
  std::vector<std::uint32_t> decided;    // 0x00FFFFFF white, 0 black
  std::vector<std::int32_t> thresholds;  // of the row being decided, when not drawn
};

void FillRow(const std::uint8_t* row, int width, std::int32_t* cells) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i pairMask = _mm_set1_epi32(0x00FF00FF);
  const __m128i blueRed = _mm_set1_epi32((kDiffusionWeights.red << 16) | kDiffusionWeights.blue);
  const __m128i greenOnly = _mm_set1_epi32(kDiffusionWeights.green);
  for (; x + 4 <= width; x += 4) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * x));
    const __m128i br = _mm_and_si128(p, pairMask);
    const __m128i ga = _mm_and_si128(_mm_srli_epi32(p, 8), pairMask);
    const __m128i sum = _mm_add_epi32(_mm_madd_epi16(br, blueRed), _mm_madd_epi16(ga, greenOnly));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + x), _mm_srli_epi32(sum, 8));
  }
#endif
  for (; x < width; ++x) cells[x] = GrayValue(LoadWord(row + 4 * x), kDiffusionWeights);
  cells[width] = 0;
}

void WriteBackRow(const std::uint8_t* source, std::uint8_t* target, int width,
                  const std::uint32_t* decided) {
  for (int x = 0; x < width; ++x) {
    StoreWord(target + 4 * x, (LoadWord(source + 4 * x) & kFourthByte) | decided[x]);
  }
}

// Decides the cells of one pass row left to right and spreads their errors. The threshold of
// column c is drawn at the moment its cell is decided, or read from thresholds[c].
template <bool kDrawn>
void DiffuseRow(std::int32_t* current, std::int32_t* next, std::uint32_t* decided,
                const std::int32_t* thresholds, RandomGenerator* random, int width) {
  std::int32_t fromLeft = 0;    // the 7/16 share of the cell just decided
  std::int32_t pending = 0;     // 5/16 of the cell above c - 1 plus 1/16 from c - 2
  std::int32_t pendingOne = 0;  // 1/16 of the last cell, for the cell up-right of it
  for (int c = 0; c < width; ++c) {
    const std::int32_t v = current[c] + fromLeft;
    const std::int32_t t = kDrawn ? RandomThreshold(*random) : thresholds[c];
    // All ones when t <= v (white), else 0; no branch, as the outcome is close to random.
    // Cell values stay within -255 .. 510, so nothing overflows.
    const std::int32_t white = (t - 1 - v) >> 31;
    const std::int32_t err = v - (white & 255);
    decided[c] = static_cast<std::uint32_t>(white) & kColourBits;
    fromLeft = 7 * err / 16;
    // The left-up share of column 0 leaves the picture.
    if (c > 0) next[c - 1] += pending + 3 * err / 16;
    pending = pendingOne + 5 * err / 16;
    pendingOne = err / 16;
  }
  if (width > 0) next[width - 1] += pending;
}

void FillThresholds(const DiffusionRule& rule, int passRow, std::vector<std::int32_t>& out) {
  if (rule.kind() == DiffusionRule::Kind::Fixed) {
    if (passRow == 0) std::fill(out.begin(), out.end(), 128);
  } else if (rule.kind() == DiffusionRule::Kind::Matrix) {
    const ThresholdMatrix& m = rule.matrix();
    for (std::size_t c = 0; c < out.size(); ++c) out[c] = m.At(passRow, static_cast<int>(c));
  }
}

}  // namespace

void DiffusionPass(Bitmap& bitmap, const DiffusionRule& rule) {
  EnsureBit32(bitmap);
  DiffusionPass(bitmap, bitmap, rule);
}

void DiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionRule& rule) {
  RequireSourceAndTarget32(source, target);
  const int width = source.Width();
  const int height = source.Height();
  if (height == 0) return;
  PlaneRows rows(width);
  const bool drawn = rule.kind() == DiffusionRule::Kind::Random;
  RandomGenerator* random = drawn ? &rule.random() : nullptr;
  FillRow(source.ScanLine(height - 1), width, rows.current.data());
  for (int passRow = 0; passRow < height; ++passRow) {
    const int y = height - 1 - passRow;
    // The row above is read before this row is written, so source may be target.
    if (passRow + 1 < height) {
      FillRow(source.ScanLine(y - 1), width, rows.next.data());
    } else {
      std::fill(rows.next.begin(), rows.next.end(), 0);
    }
    FillThresholds(rule, passRow, rows.thresholds);
    if (drawn) {
      DiffuseRow<true>(rows.current.data(), rows.next.data(), rows.decided.data(), nullptr, random,
                       width);
    } else {
      DiffuseRow<false>(rows.current.data(), rows.next.data(), rows.decided.data(),
                        rows.thresholds.data(), nullptr, width);
    }
    WriteBackRow(source.ScanLine(y), target.ScanLine(y), width, rows.decided.data());
    rows.current.swap(rows.next);
  }
}

}  // namespace skelda
