#include "processing/error_diffusion.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <thread>
#include <vector>

#include "core/errors.h"
#include "processing/diffusion_rows.h"
#include "processing/diffusion_wavefront.h"
#include "processing/parallel_rows.h"
#include "processing/pass_bitmaps.h"
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
      : current(width + 1), next(width + 1), above(width + 1), decided(width), decidedNext(width) {}
  std::vector<std::int32_t> current;
  std::vector<std::int32_t> next;
  std::vector<std::int32_t> above;     // the row above next, when two rows go together
  std::vector<std::uint32_t> decided;  // 0x00FFFFFF white, 0 black
  std::vector<std::uint32_t> decidedNext;
};

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

// One pass row being decided left to right: its cells, the cells of the row above, where its
// outcomes go, and what it carries. decide(c, v, white, right) sets white to all ones when the
// cell of column c and value v becomes white (else 0) and right to the share it passes to the
// right. When column c is done, the cells 0 .. c-1 of the row above have all their shares.
template <class Decide>
struct RowWalk {
  const std::int32_t* current;
  std::int32_t* next;
  std::uint32_t* decided;
  Decide decide;
  RowCarry carry;
  const UpShares& shares = Shares();

  void Step(int c) {
    const std::int64_t v = current[c] + carry.fromLeft;
    std::int64_t white;
    decide(c, v, white, carry.fromLeft);
    const std::int64_t err = v - (white & 255);
    decided[c] = static_cast<std::uint32_t>(white) & kColourBits;
    // The left-up share of column 0 leaves the picture.
    if (c > 0) next[c - 1] += carry.pending + shares.leftUp[err + 255];
    carry.pending = carry.pendingOne + shares.up[err + 255];
    carry.pendingOne = shares.rightUp[err + 255];
  }
};

template <class Decide>
RowWalk<Decide> Walk(const std::int32_t* current, std::int32_t* next, std::uint32_t* decided,
                     Decide decide, const RowCarry& carry = {}) {
  return RowWalk<Decide>{current, next, decided, decide, carry};
}

// Columns first .. last-1 of one row.
template <class Decide>
void DiffuseColumns(const std::int32_t* current, std::int32_t* next, std::uint32_t* decided,
                    int first, int last, RowCarry& carry, Decide decide) {
  auto row = Walk(current, next, decided, decide, carry);
  for (int c = first; c < last; ++c) row.Step(c);
  carry = row.carry;
}

// Two rows at once, the upper two columns behind the lower: a cell has all its shares once the
// row below has decided the column to its right. The two chains of cells run side by side,
// which a processor overlaps.
template <class DecideLower, class DecideUpper>
void DiffuseRowPair(const std::int32_t* lowerCells, std::int32_t* upperCells,
                    std::int32_t* aboveCells, std::uint32_t* lowerDecided,
                    std::uint32_t* upperDecided, int width, DecideLower decideLower,
                    DecideUpper decideUpper) {
  auto lower = Walk(lowerCells, upperCells, lowerDecided, decideLower);
  auto upper = Walk(upperCells, aboveCells, upperDecided, decideUpper);
  const int lead = std::min(2, width);
  for (int c = 0; c < lead; ++c) lower.Step(c);
  for (int c = lead; c < width; ++c) {
    lower.Step(c);
    upper.Step(c - 2);
  }
  FinishRow(upperCells, width, lower.carry);
  for (int c = width - lead; c < width; ++c) upper.Step(c);
  FinishRow(aboveCells, width, upper.carry);
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

// The threshold of each column of a pass row, and its right shares looked up.
struct TableDecision {
  const std::int32_t* thresholds;
  const std::int32_t* const* rightShares;
  void operator()(int c, std::int64_t v, std::int64_t& white, std::int64_t& right) const {
    right = rightShares[c][v];
    white = WhiteMask(thresholds[c], v);
  }
};

// One run of the pass: fill, diffuse and write back row by row, from the bottom up.
class DiffusionRun final : public PassRows {
 public:
  DiffusionRun(const Bitmap& source, Bitmap& target, const DiffusionRule& rule)
      : source_(source),
        target_(target),
        rule_(rule),
        width_(source.Width()),
        height_(source.Height()) {
    if (rule.kind() != DiffusionRule::Kind::Random) tables_.emplace(rule, width_);
  }

  // One thread. Rows go in pairs where the thresholds are not drawn (draws must follow the
  // pass order).
  void Sequential() {
    PlaneRows rows(width_);
    Fill(0, rows.current.data());
    int passRow = 0;
    while (passRow < height_) {
      Fill(passRow + 1, rows.next.data());
      if (tables_ && passRow + 1 < height_) {
        Fill(passRow + 2, rows.above.data());
        DiffuseRowPair(rows.current.data(), rows.next.data(), rows.above.data(),
                       rows.decided.data(), rows.decidedNext.data(), width_, DecisionFor(passRow),
                       DecisionFor(passRow + 1));
        WriteBack(passRow, rows.decided.data());
        WriteBack(passRow + 1, rows.decidedNext.data());
        rows.current.swap(rows.above);
        passRow += 2;
        continue;
      }
      RowCarry carry;
      Decide(passRow, rows.current.data(), rows.next.data(), rows.decided.data(), 0, width_, carry);
      FinishRow(rows.next.data(), width_, carry);
      WriteBack(passRow, rows.decided.data());
      rows.current.swap(rows.next);
      ++passRow;
    }
  }

  bool Wavefront() { return DiffuseOnTwoThreads(*this, width_, height_); }
  bool DrawsThresholds() const { return !tables_; }
  int Height() const { return height_; }

 private:
  // The cells of a pass row: the gray values, or 0 for the extra row above the picture. A row
  // is read before it is written back, so source may be target.
  void Fill(int passRow, std::int32_t* cells) const override {
    if (passRow < height_) {
      FillRow(source_.ScanLine(height_ - 1 - passRow), width_, cells);
    } else {
      std::fill(cells, cells + width_ + 1, 0);
    }
  }

  void WriteBack(int passRow, const std::uint32_t* decided) override {
    const int y = height_ - 1 - passRow;
    WriteBackRow(source_.ScanLine(y), target_.ScanLine(y), width_, decided);
  }

  void Decide(int passRow, const std::int32_t* current, std::int32_t* next, std::uint32_t* decided,
              int first, int last, RowCarry& carry) override {
    if (!tables_) {
      RandomGenerator& random = rule_.random();
      DiffuseColumns(current, next, decided, first, last, carry,
                     [&](int, std::int64_t v, std::int64_t& white, std::int64_t& right) {
                       white = WhiteMask(RandomThreshold(random), v);
                       right = 7 * (v - (white & 255)) / 16;
                     });
      return;
    }
    DiffuseColumns(current, next, decided, first, last, carry, DecisionFor(passRow));
  }

  TableDecision DecisionFor(int passRow) const {
    return {tables_->Thresholds(passRow), tables_->Tables(passRow)};
  }

  const Bitmap& source_;
  Bitmap& target_;
  const DiffusionRule& rule_;
  int width_;
  int height_;
  std::optional<RightShareTables> tables_;
};

}  // namespace

void DiffusionPass(Bitmap& bitmap, const DiffusionRule& rule) {
  EnsureBit32(bitmap);
  DiffusionPass(bitmap, bitmap, rule);
}

void DiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionRule& rule) {
  const bool spareCores = std::thread::hardware_concurrency() >= 4;
  const bool big = RowBandStarts(source.Height(), source.RowBytes()).size() > 2;
  DiffusionPass(source, target, rule, spareCores && big ? 2 : 1);
}

void DiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionRule& rule, int threads) {
  RequireSourceAndTarget32(source, target);
  RequireThresholdsInRange(rule);
  if (source.Height() == 0) return;
  DiffusionRun run(source, target, rule);
  if (threads >= 2 && run.Height() >= 2 && !run.DrawsThresholds() && run.Wavefront()) return;
  run.Sequential();
}

}  // namespace skelda
