#include "processing/error_diffusion.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/errors.h"
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
  std::vector<std::uint32_t> decided;  // 0x00FFFFFF white, 0 black
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

// With thresholds in 0 .. 256 every error stays within -255 .. 255 (a cell receives at most
// 16/16 of the largest error), so every cell value lies in -255 .. 510.
constexpr int kLowestCell = -255;
constexpr int kHighestCell = 510;
constexpr int kCells = kHighestCell - kLowestCell + 1;
constexpr int kErrors = 2 * 255 + 1;

// The shares to the row above, each k/16 of the error truncated toward zero, for every error.
struct UpShares {
  UpShares() {
    for (int err = -255; err <= 255; ++err) {
      leftUp[err + 255] = 3 * err / 16;
      up[err + 255] = 5 * err / 16;
      rightUp[err + 255] = err / 16;
    }
  }
  std::int32_t leftUp[kErrors];
  std::int32_t up[kErrors];
  std::int32_t rightUp[kErrors];
};

const UpShares& Shares() {
  static const UpShares shares;
  return shares;
}

// For each threshold in use, the share passed to the right (7/16 of the error) for every cell
// value: one lookup from a cell's value to the next cell's share, the chain that sets the pace
// of the pass. For pass row r, Thresholds(r)[c] is the threshold of column c and Tables(r)[c]
// its table.
class RightShareTables {
 public:
  RightShareTables(const DiffusionRule& rule, int width) {
    const ThresholdMatrix fixed{1, {{128}}};
    const ThresholdMatrix& m = rule.kind() == DiffusionRule::Kind::Matrix ? rule.matrix() : fixed;
    size_ = m.size;
    tables_.resize(static_cast<std::size_t>(size_) * size_ * kCells);
    thresholds_.resize(static_cast<std::size_t>(size_) * width);
    columnTables_.resize(static_cast<std::size_t>(size_) * width);
    for (int r = 0; r < size_; ++r) {
      for (int k = 0; k < size_; ++k) Build(r * size_ + k, m.cells[r][k]);
      for (int c = 0; c < width; ++c) {
        thresholds_[static_cast<std::size_t>(r) * width + c] = m.cells[r][c % size_];
        columnTables_[static_cast<std::size_t>(r) * width + c] = Table(r * size_ + c % size_);
      }
    }
    width_ = width;
  }

  const std::int32_t* Thresholds(int passRow) const {
    return thresholds_.data() + static_cast<std::size_t>(passRow % size_) * width_;
  }
  const std::int32_t* const* Tables(int passRow) const {
    return columnTables_.data() + static_cast<std::size_t>(passRow % size_) * width_;
  }

 private:
  // Indexed by the cell value itself.
  const std::int32_t* Table(int k) const { return tables_.data() + k * kCells - kLowestCell; }

  void Build(int k, int threshold) {
    std::int32_t* table = tables_.data() + k * kCells;
    for (int v = kLowestCell; v <= kHighestCell; ++v) {
      table[v - kLowestCell] = 7 * (v - (threshold <= v ? 255 : 0)) / 16;
    }
  }

  int size_ = 1;
  int width_ = 0;
  std::vector<std::int32_t> tables_;
  std::vector<std::int32_t> thresholds_;           // one row of W per matrix row
  std::vector<const std::int32_t*> columnTables_;  // likewise
};

// Decides the cells of one pass row left to right and spreads their errors; decided(c, v)
// gives all ones when the cell of column c and value v becomes white, else 0, and the share
// it passes to the right.
template <class Decide>
void DiffuseRow(std::int32_t* current, std::int32_t* next, std::uint32_t* decided, int width,
                Decide decide) {
  const UpShares& shares = Shares();
  const std::int32_t* leftUp = shares.leftUp + 255;
  const std::int32_t* up = shares.up + 255;
  const std::int32_t* rightUp = shares.rightUp + 255;
  std::int64_t fromLeft = 0;    // the 7/16 share of the cell just decided
  std::int32_t pending = 0;     // 5/16 of the cell above c - 1 plus 1/16 from c - 2
  std::int32_t pendingOne = 0;  // 1/16 of the last cell, for the cell up-right of it
  for (int c = 0; c < width; ++c) {
    const std::int64_t v = current[c] + fromLeft;
    std::int64_t white;
    decide(c, v, white, fromLeft);
    const std::int64_t err = v - (white & 255);
    decided[c] = static_cast<std::uint32_t>(white) & kColourBits;
    // The left-up share of column 0 leaves the picture.
    if (c > 0) next[c - 1] += pending + leftUp[err];
    pending = pendingOne + up[err];
    pendingOne = rightUp[err];
  }
  if (width > 0) next[width - 1] += pending;
}

// All ones when t <= v (white), else 0, without a branch: the outcome is close to random.
inline std::int64_t WhiteMask(std::int64_t threshold, std::int64_t v) {
  return (threshold - 1 - v) >> 63;
}

void RequireThresholdsInRange(const DiffusionRule& rule) {
  if (rule.kind() != DiffusionRule::Kind::Matrix) return;
  const ThresholdMatrix& m = rule.matrix();
  bool valid = m.size >= 1 && m.size <= 4;
  for (int r = 0; valid && r < m.size; ++r) {
    for (int c = 0; c < m.size; ++c) valid = valid && m.cells[r][c] >= 0 && m.cells[r][c] <= 256;
  }
  if (!valid) throw AssertionError("Threshold matrix out of range", __FILE__, __LINE__);
}

}  // namespace

void DiffusionPass(Bitmap& bitmap, const DiffusionRule& rule) {
  EnsureBit32(bitmap);
  DiffusionPass(bitmap, bitmap, rule);
}

void DiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionRule& rule) {
  RequireSourceAndTarget32(source, target);
  RequireThresholdsInRange(rule);
  const int width = source.Width();
  const int height = source.Height();
  if (height == 0) return;
  PlaneRows rows(width);
  const bool drawn = rule.kind() == DiffusionRule::Kind::Random;
  std::optional<RightShareTables> tables;
  if (!drawn) tables.emplace(rule, width);
  FillRow(source.ScanLine(height - 1), width, rows.current.data());
  for (int passRow = 0; passRow < height; ++passRow) {
    const int y = height - 1 - passRow;
    // The row above is read before this row is written, so source may be target.
    if (passRow + 1 < height) {
      FillRow(source.ScanLine(y - 1), width, rows.next.data());
    } else {
      std::fill(rows.next.begin(), rows.next.end(), 0);
    }
    std::int32_t* current = rows.current.data();
    std::int32_t* next = rows.next.data();
    std::uint32_t* decided = rows.decided.data();
    if (drawn) {
      RandomGenerator& random = rule.random();
      DiffuseRow(current, next, decided, width,
                 [&](int, std::int64_t v, std::int64_t& white, std::int64_t& right) {
                   white = WhiteMask(RandomThreshold(random), v);
                   right = 7 * (v - (white & 255)) / 16;
                 });
    } else {
      const std::int32_t* thresholds = tables->Thresholds(passRow);
      const std::int32_t* const* rightShares = tables->Tables(passRow);
      DiffuseRow(current, next, decided, width,
                 [&](int c, std::int64_t v, std::int64_t& white, std::int64_t& right) {
                   right = rightShares[c][v];
                   white = WhiteMask(thresholds[c], v);
                 });
    }
    WriteBackRow(source.ScanLine(y), target.ScanLine(y), width, rows.decided.data());
    rows.current.swap(rows.next);
  }
}

}  // namespace skelda
