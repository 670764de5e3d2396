#include "processing/diffusion_wavefront.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace skelda {

namespace {

constexpr int kRingRows = 4;
constexpr int kChunk = 256;  // columns between two reports of progress

class Wavefront {
 public:
  Wavefront(PassRows& rows, int width, int height)
      : rows_(rows),
        width_(width),
        height_(height),
        cells_(static_cast<std::size_t>(kRingRows) * (width + 1)),
        decided_(static_cast<std::size_t>(2) * width) {}

  bool Run() {
    rows_.Fill(0, Cells(0));
    std::thread helper;
    try {
      helper = std::thread([&] { Rows(1); });
    } catch (...) {
      return false;  // no second thread to be had
    }
    Rows(0);
    helper.join();
    return true;
  }

 private:
  std::int32_t* Cells(int passRow) {
    return cells_.data() + static_cast<std::size_t>(passRow % kRingRows) * (width_ + 1);
  }
  std::uint32_t* Decided(int thread) {
    return decided_.data() + static_cast<std::size_t>(thread) * width_;
  }

  std::int64_t Mark(int passRow, int columns) const {
    return static_cast<std::int64_t>(passRow) * (width_ + 2) + columns;
  }

  static void WaitFor(const std::atomic<std::int64_t>& progress, std::int64_t mark) {
    for (int spins = 0; progress.load(std::memory_order_acquire) < mark; ++spins) {
      if (spins > 100) std::this_thread::yield();
    }
  }

  // Rows first, first + 2, ... The ring slot a row fills for the row above was last used by
  // the row three below, which is finished: this thread's previous row waited for it.
  void Rows(int first) {
    for (int passRow = first; passRow < height_; passRow += 2) {
      std::int32_t* current = Cells(passRow);
      std::int32_t* next = Cells(passRow + 1);
      if (passRow > 0) WaitFor(progress_[(passRow - 1) % kRingRows], Mark(passRow - 1, 0));
      rows_.Fill(passRow + 1, next);
      std::uint32_t* decided = Decided(first);
      std::atomic<std::int64_t>& mine = progress_[passRow % kRingRows];
      RowCarry carry;
      for (int c = 0; c < width_; c += kChunk) {
        const int last = std::min(c + kChunk, width_);
        if (passRow > 0) {
          WaitFor(progress_[(passRow - 1) % kRingRows],
                  Mark(passRow - 1, std::min(last + 1, width_ + 1)));
        }
        rows_.Decide(passRow, current, next, decided, c, last, carry);
        mine.store(Mark(passRow, last), std::memory_order_release);
      }
      FinishRow(next, width_, carry);
      mine.store(Mark(passRow, width_ + 1), std::memory_order_release);
      rows_.WriteBack(passRow, decided);
    }
  }

  PassRows& rows_;
  int width_;
  int height_;
  std::vector<std::int32_t> cells_;
  std::vector<std::uint32_t> decided_;
  // Per ring slot: passRow x (W + 2) + the columns that row has done, W + 1 once finished;
  // it only grows, so a reader can tell an old row from the one it waits for.
  std::atomic<std::int64_t> progress_[kRingRows] = {};
};

}  // namespace

bool DiffuseOnTwoThreads(PassRows& rows, int width, int height) {
  return Wavefront(rows, width, height).Run();
}

}  // namespace skelda
