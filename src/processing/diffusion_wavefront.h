// Error diffusion on two threads taking alternate pass rows, each a little behind the row below:
// a cell can be decided once the row below has decided the column to its right, which gives the
// cell its last share. The rows of cells go round a ring of four.
#pragma once

#include <cstdint>

namespace skelda {

// What a pass row carries from one column to the next.
struct RowCarry {
  std::int64_t fromLeft = 0;    // the 7/16 share of the cell just decided
  std::int32_t pending = 0;     // 5/16 of the cell above c - 1 plus 1/16 from c - 2
  std::int32_t pendingOne = 0;  // 1/16 of the last cell, for the cell up-right of it
};

// After the last column: the last cell above gets its shares (the rest leave the picture).
inline void FinishRow(std::int32_t* next, int width, const RowCarry& carry) {
  if (width > 0) next[width - 1] += carry.pending;
}

// The work on one pass row that the threads share out. A row of cells holds width + 1 values.
class PassRows {
 public:
  // The cells of a pass row (a row past the picture is all 0).
  virtual void Fill(int passRow, std::int32_t* cells) const = 0;
  // Columns first .. last-1 of a pass row: outcomes into decided, shares for the row above into
  // next.
  virtual void Decide(int passRow, const std::int32_t* current, std::int32_t* next,
                      std::uint32_t* decided, int first, int last, RowCarry& carry) = 0;
  virtual void WriteBack(int passRow, const std::uint32_t* decided) = 0;

 protected:
  ~PassRows() = default;
};

// Every row of a pass of width x height cells (height at least 2). False, with nothing done,
// when no second thread can be had.
bool DiffuseOnTwoThreads(PassRows& rows, int width, int height);

}  // namespace skelda
