#include "processing/parallel_rows.h"

#include <algorithm>
#include <new>
#include <thread>

namespace skelda {

namespace {

// Below this a thread costs more than it saves.
constexpr std::size_t kMinBytesForThreads = std::size_t(1) << 20;
constexpr unsigned kMaxBands = 8;

int BandCount(int rows, std::size_t bytesPerRow) {
  if (rows <= 0) return 0;
  if (rows < 2 || std::size_t(rows) * bytesPerRow < kMinBytesForThreads) return 1;
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxBands);
  return static_cast<int>(std::min<unsigned>(cores, static_cast<unsigned>(rows)));
}

}  // namespace

std::vector<int> RowBandStarts(int rows, std::size_t bytesPerRow) {
  const int bands = BandCount(rows, bytesPerRow);
  std::vector<int> starts;
  if (bands == 0) return starts;
  starts.resize(bands + 1);
  for (int b = 0; b <= bands; ++b) {
    starts[b] = static_cast<int>(static_cast<long long>(rows) * b / bands);
  }
  return starts;
}

void RunRowBands(const std::vector<int>& starts,
                 const std::function<void(int band, int first, int last)>& work) {
  const int bands = static_cast<int>(starts.size()) - 1;
  if (bands <= 0) return;
  std::vector<std::thread> threads;
  try {
    threads.reserve(bands - 1);
  } catch (const std::bad_alloc&) {
    // Without room for the threads every band runs here.
    for (int b = 0; b < bands; ++b) work(b, starts[b], starts[b + 1]);
    return;
  }
  for (int b = 1; b < bands; ++b) {
    try {
      threads.emplace_back(work, b, starts[b], starts[b + 1]);
    } catch (...) {
      // No thread (or no room for its start) to be had: the band runs here.
      work(b, starts[b], starts[b + 1]);
    }
  }
  work(0, starts[0], starts[1]);
  for (std::thread& t : threads) t.join();
}

void ForEachRowBand(int rows, std::size_t bytesPerRow,
                    const std::function<void(int first, int last)>& work) {
  std::vector<int> starts;
  try {
    starts = RowBandStarts(rows, bytesPerRow);
  } catch (...) {
    if (rows > 0) work(0, rows);
    return;
  }
  RunRowBands(starts, [&](int, int first, int last) { work(first, last); });
}

}  // namespace skelda
