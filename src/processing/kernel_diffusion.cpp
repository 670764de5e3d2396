#include "processing/kernel_diffusion.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/errors.h"
#include "processing/diffusion_rows.h"
#include "processing/pass_bitmaps.h"
#include "processing/pixel_words.h"

namespace skelda {

namespace {

// The weights of a kernel add up to at most its divisor, so no error leaves -127 .. 127 and no
// cell value -127 .. 382; the tables cover more.
constexpr int kLowestCell = -255;
constexpr int kHighestCell = 510;
constexpr int kCells = kHighestCell - kLowestCell + 1;
constexpr int kLargestProduct = 8 * 255;  // weight x |error|
constexpr int kPad = 2;                   // shares reach two columns either side
// Rows go in bands of four, each row a run of columns behind the row below: the chains of cells
// of the band overlap in the processor, and the shares between its rows go in whole runs.
constexpr int kBand = 4;
constexpr int kChunk = 64;
constexpr int kRingRows = 8;  // a band and the two rows above it, and room to fill ahead

void RequireKernel(const DiffusionKernel& kernel) {
  bool valid = kernel.divisor >= 1 && kernel.count >= 0 && kernel.count <= 12;
  bool taken[3][2 * kPad + 1] = {};  // one share a cell
  int sum = 0;
  for (int i = 0; valid && i < kernel.count; ++i) {
    const DiffusionShare& s = kernel.shares[i];
    valid = s.row >= 0 && s.row <= 2 && s.column >= (s.row == 0 ? 1 : -kPad) && s.column <= kPad &&
            s.weight >= 0 && s.weight <= 8 && !taken[s.row][s.column + kPad];
    if (valid) taken[s.row][s.column + kPad] = true;
    sum += s.weight;
  }
  if (!valid || sum > kernel.divisor) {
    throw AssertionError("Diffusion kernel out of range", __FILE__, __LINE__);
  }
}

int Quantum(int v) {
  return v >= 128 ? 255 : 0;
}

// weight x error / divisor truncated toward zero as a multiply and a shift on the magnitude:
// m = ceil(2^n / d) with m below 2^15, exact while |weight x error| x (m d - 2^n) < 2^n.
struct Divider {
  explicit Divider(int divisor) : divisor(divisor) {
    int log = 0;
    while ((2 << log) <= divisor) ++log;
    shift = 14 + log;
    multiplier = ((1 << shift) + divisor - 1) / divisor;
    if (static_cast<long long>(kLargestProduct) * (multiplier * divisor - (1 << shift)) >=
        (1LL << shift)) {
      throw AssertionError("Diffusion divisor out of range", __FILE__, __LINE__);
    }
  }
  int divisor;
  int shift;
  int multiplier;
};

// What a pass row carries along: the shares waiting for the next cell and the one after it.
struct RowChain {
  std::int32_t next = 0;
  std::int32_t afterNext = 0;
};

// One pass row once its cells are decided: their values, outcomes, and the shares of their
// errors for each weight of the kernel's other rows (zero in the padding either side).
struct DecidedRow {
  DecidedRow(int width, int weights)
      : values(width),
        decided(width),
        shares(weights, std::vector<std::int32_t>(width + 2 * kPad)) {}
  const std::int32_t* Shares(int slot) const { return shares[slot].data() + kPad; }
  std::vector<std::int32_t> values;    // the cell values as decided, their errors once settled
  std::vector<std::uint32_t> decided;  // 0x00FFFFFF white, 0 black
  std::vector<std::vector<std::int32_t>> shares;
  bool mirrored = false;
};

// A share to a later row: its column and the slot of its weight.
struct Tap {
  int column;
  int slot;
};

class KernelRun {
 public:
  KernelRun(const Bitmap& source, Bitmap& target, const DiffusionKernel& kernel, bool serpentine)
      : source_(source),
        target_(target),
        width_(source.Width()),
        height_(source.Height()),
        serpentine_(serpentine),
        divider_(kernel.divisor),
        right_(2 * kCells),
        weights_(DistinctWeights(kernel)),
        ring_(static_cast<std::size_t>(kRingRows) * (width_ + 1)),
        decided_(kBand, DecidedRow(width_, static_cast<int>(weights_.size()))) {
    for (int i = 0; i < kernel.count; ++i) AddShare(kernel.shares[i]);
  }

  // Kernels with a single share to the right (Sierra Lite) skip the second one.
  void Run() {
    if (twoRight_) {
      AllRows<true>();
    } else {
      AllRows<false>();
    }
  }

 private:
  // Serpentine rows go one by one: a row walked right to left needs the whole row below.
  template <bool kTwoRight>
  void AllRows() {
    int r = 0;
    while (r < height_) {
      FillUpTo(r + kBand + 2);
      if (serpentine_ || r + 1 == height_) {
        Single<kTwoRight>(r, serpentine_ && r % 2 == 1);
        r += 1;
      } else if (r + kBand <= height_) {
        Band<kTwoRight, kBand>(r);
        r += kBand;
      } else {
        Band<kTwoRight, 2>(r);
        r += 2;
      }
    }
  }

  static std::vector<int> DistinctWeights(const DiffusionKernel& kernel) {
    std::vector<int> weights;
    for (int i = 0; i < kernel.count; ++i) {
      const DiffusionShare& s = kernel.shares[i];
      if (s.row > 0 && std::find(weights.begin(), weights.end(), s.weight) == weights.end()) {
        weights.push_back(s.weight);
      }
    }
    return weights;
  }

  void AddShare(const DiffusionShare& s) {
    if (s.row == 0) {
      twoRight_ = twoRight_ || s.column == 2;
      std::int32_t* table = right_.data() + (s.column - 1) * kCells;
      for (int v = kLowestCell; v <= kHighestCell; ++v) {
        table[v - kLowestCell] = s.weight * (v - Quantum(v)) / divider_.divisor;
      }
      return;
    }
    const auto slot = std::find(weights_.begin(), weights_.end(), s.weight) - weights_.begin();
    taps_[s.row - 1].push_back({s.column, static_cast<int>(slot)});
    reach_[s.row - 1] = std::max(reach_[s.row - 1], -s.column);
  }

  std::int32_t* Cells(int passRow) {
    return ring_.data() + static_cast<std::size_t>(passRow % kRingRows) * (width_ + 1);
  }

  void FillUpTo(int rows) {
    for (; filled_ < std::min(rows, height_); ++filled_) {
      FillRow(source_.ScanLine(height_ - 1 - filled_), width_, Cells(filled_));
    }
  }

  // Decides column c of a row: the right-share tables are indexed by the cell value.
  template <bool kTwoRight>
  void Step(const std::int32_t* cells, DecidedRow& row, int c, RowChain& chain) const {
    const std::int32_t* toNext = right_.data() - kLowestCell;
    const std::int32_t v = cells[c] + chain.next;
    if constexpr (kTwoRight) {
      chain.next = chain.afterNext + toNext[v];
      chain.afterNext = toNext[kCells + v];
    } else {
      chain.next = toNext[v];
    }
    row.values[c] = v;
  }

  template <bool kTwoRight>
  void Single(int passRow, bool mirrored) {
    DecidedRow& row = decided_[0];
    row.mirrored = mirrored;
    const std::int32_t* cells = Cells(passRow);
    RowChain chain;
    if (mirrored) {
      for (int c = width_ - 1; c >= 0; --c) Step<kTwoRight>(cells, row, c, chain);
    } else {
      for (int c = 0; c < width_; ++c) Step<kTwoRight>(cells, row, c, chain);
    }
    Settle(row, 0, width_);
    Pass(row, passRow, 1, 0, width_);
    Pass(row, passRow, 2, 0, width_);
    WriteBack(passRow, row);
  }

  // kRows rows left to right, each a run behind the row below it: a cell has all its shares once
  // the rows below have decided every column its shares come from.
  template <bool kTwoRight, int kRows>
  void Band(int passRow) {
    DecidedRow* rows = decided_.data();
    const std::int32_t* cells[kRows];
    RowChain chains[kRows];
    int done[kRows] = {};   // columns decided and settled
    int ready[kRows] = {};  // columns with all their shares from the rows below in the band
    for (int b = 0; b < kRows; ++b) {
      rows[b].mirrored = false;
      cells[b] = Cells(passRow + b);
    }
    ready[0] = width_;
    while (done[kRows - 1] < width_) {
      int limit[kRows];
      limit[0] = std::min(width_, done[0] + kChunk);
      int together = limit[0] - done[0];
      for (int b = 1; b < kRows; ++b) {
        limit[b] = ready[b];
        together = std::min(together, limit[b] - done[b]);
      }
      for (int i = 0; i < together; ++i) {
        for (int b = 0; b < kRows; ++b) Step<kTwoRight>(cells[b], rows[b], done[b] + i, chains[b]);
      }
      for (int b = 0; b < kRows; ++b) {
        for (int c = done[b] + together; c < limit[b]; ++c) {
          Step<kTwoRight>(cells[b], rows[b], c, chains[b]);
        }
        Settle(rows[b], done[b], limit[b]);
        done[b] = limit[b];
      }
      for (int b = 1; b < kRows; ++b) {
        int now = ReadyAfter(done[b - 1], 0);
        if (b >= 2) now = std::min(now, ReadyAfter(done[b - 2], 1));
        now = std::max(now, ready[b]);
        Pass(rows[b - 1], passRow + b - 1, 1, ready[b], now);
        if (b >= 2) Pass(rows[b - 2], passRow + b - 2, 2, ready[b], now);
        ready[b] = now;
      }
    }
    Pass(rows[kRows - 2], passRow + kRows - 2, 2, 0, width_);
    Pass(rows[kRows - 1], passRow + kRows - 1, 1, 0, width_);
    Pass(rows[kRows - 1], passRow + kRows - 1, 2, 0, width_);
    for (int b = 0; b < kRows; ++b) WriteBack(passRow + b, rows[b]);
  }

  // The columns of a row whose shares from a row below are all known once that row has decided
  // `done` columns.
  int ReadyAfter(int done, int distance) const {
    return done == width_ ? width_ : std::max(0, done - reach_[distance]);
  }

  // The outcomes, errors and shares of columns first .. last-1 of a decided row.
  void Settle(DecidedRow& row, int first, int last) const {
    std::int32_t* values = row.values.data();
    int x = first;
#if defined(__SSE2__)
    const __m128i below = _mm_set1_epi32(127);
    const __m128i full = _mm_set1_epi32(255);
    const __m128i colour = _mm_set1_epi32(static_cast<int>(kColourBits));
    for (; x + 4 <= last; x += 4) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + x));
      const __m128i white = _mm_cmpgt_epi32(v, below);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(&row.decided[x]), _mm_and_si128(white, colour));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(values + x),
                       _mm_sub_epi32(v, _mm_and_si128(white, full)));
    }
#endif
    for (; x < last; ++x) {
      row.decided[x] = Quantum(values[x]) ? kColourBits : 0;
      values[x] -= Quantum(values[x]);
    }
    for (std::size_t s = 0; s < weights_.size(); ++s)
      Divide(values, weights_[s], row.shares[s].data() + kPad, first, last);
  }

  // shares[x] := weight x errors[x] / divisor, truncated toward zero.
  void Divide(const std::int32_t* errors, int weight, std::int32_t* shares, int first,
              int last) const {
    int x = first;
#if defined(__SSE2__)
    const __m128i weights = _mm_set1_epi32(weight);
    const __m128i multiplier = _mm_set1_epi32(divider_.multiplier);
    const __m128i shift = _mm_cvtsi32_si128(divider_.shift);
    for (; x + 4 <= last; x += 4) {
      const __m128i err = _mm_loadu_si128(reinterpret_cast<const __m128i*>(errors + x));
      const __m128i sign = _mm_srai_epi32(err, 31);
      const __m128i magnitude = _mm_sub_epi32(_mm_xor_si128(err, sign), sign);
      // Both products take 16-bit lanes whose upper halves are 0.
      const __m128i product = _mm_madd_epi16(magnitude, weights);
      const __m128i quotient = _mm_srl_epi32(_mm_madd_epi16(product, multiplier), shift);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(shares + x),
                       _mm_sub_epi32(_mm_xor_si128(quotient, sign), sign));
    }
#endif
    for (; x < last; ++x) shares[x] = weight * errors[x] / divider_.divisor;
  }

  // The shares of a decided row to the pass row distance rows above it, for its columns
  // first .. last-1.
  void Pass(const DecidedRow& row, int passRow, int distance, int first, int last) {
    const std::vector<Tap>& taps = taps_[distance - 1];
    if (passRow + distance >= height_ || taps.empty()) return;
    std::int32_t* cells = Cells(passRow + distance);
    // The cell of column x gets the share of the cell at x - column (x + column mirrored).
    const std::int32_t* from[2 * kPad + 1];
    for (std::size_t t = 0; t < taps.size(); ++t) {
      from[t] = row.Shares(taps[t].slot) + (row.mirrored ? taps[t].column : -taps[t].column);
    }
    const std::size_t count = taps.size();
    int x = first;
#if defined(__SSE2__)
    for (; x + 4 <= last; x += 4) {
      __m128i sum = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + x));
      for (std::size_t t = 0; t < count; ++t) {
        sum = _mm_add_epi32(sum, _mm_loadu_si128(reinterpret_cast<const __m128i*>(from[t] + x)));
      }
      _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + x), sum);
    }
#endif
    for (; x < last; ++x) {
      for (std::size_t t = 0; t < count; ++t) cells[x] += from[t][x];
    }
  }

  void WriteBack(int passRow, const DecidedRow& row) {
    const int y = height_ - 1 - passRow;
    WriteBackRow(source_.ScanLine(y), target_.ScanLine(y), width_, row.decided.data());
  }

  const Bitmap& source_;
  Bitmap& target_;
  int width_;
  int height_;
  bool serpentine_;
  Divider divider_;
  std::vector<std::int32_t> right_;  // the shares to the next cell, then to the one after
  std::vector<int> weights_;         // the distinct weights of the shares to other rows
  std::vector<Tap> taps_[2];         // the shares to the next row and the one after
  int reach_[2] = {};                // how far left a share to the next row, the one after goes
  bool twoRight_ = false;            // a share goes to the cell after the next
  std::vector<std::int32_t> ring_;
  std::vector<DecidedRow> decided_;  // the rows of a band
  int filled_ = 0;
};

}  // namespace

void KernelDiffusionPass(Bitmap& bitmap, const DiffusionKernel& kernel, bool serpentine) {
  EnsureBit32(bitmap);
  KernelDiffusionPass(bitmap, bitmap, kernel, serpentine);
}

void KernelDiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionKernel& kernel,
                         bool serpentine) {
  RequireSourceAndTarget32(source, target);
  RequireKernel(kernel);
  if (source.Width() == 0 || source.Height() == 0) return;
  KernelRun(source, target, kernel, serpentine).Run();
}

}  // namespace skelda
