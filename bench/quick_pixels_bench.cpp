// The cost of the pixel accessor: every pixel of a 6000 x 4000 32-bit picture read through
// GetPixel and written through SetPixel into another, next to a plain byte loop over the same
// rows.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/quick_pixels.h"

namespace skelda {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

Bitmap MakeSource() {
  Bitmap b(kWidth, kHeight, PixelFormat::Bit32);
  std::uint8_t* p = b.Bits();
  for (std::size_t i = 0; i < b.ByteSize(); ++i) p[i] = static_cast<std::uint8_t>(i * 131 >> 3);
  return b;
}

void SetPixelCounters(benchmark::State& state) {
  const double pixels = double(kWidth) * kHeight;
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pixels));
  // Seconds per pixel of CPU time, shown with an SI prefix ("2.3n" is 2.3 ns).
  state.counters["per_pixel"] = benchmark::Counter(
      pixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_AccessorCopy32(benchmark::State& state) {
  Bitmap source = MakeSource();
  Bitmap target(kWidth, kHeight, PixelFormat::Bit32);
  TQuickPixels reader, writer;
  reader.Attach(source);
  writer.Attach(target);
  const auto get = reader.GetPixel;
  const auto set = writer.SetPixel;
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) set(x, y, get(x, y));
    benchmark::DoNotOptimize(target.Bits());
    benchmark::ClobberMemory();
  }
  SetPixelCounters(state);
}
BENCHMARK(BM_AccessorCopy32)->Unit(benchmark::kMillisecond);

// The same copy done on the row bytes directly: blue, green, red and a fourth byte of 0.
void BM_PlainByteLoop32(benchmark::State& state) {
  Bitmap source = MakeSource();
  Bitmap target(kWidth, kHeight, PixelFormat::Bit32);
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y) {
      const std::uint8_t* s = source.ScanLine(y);
      std::uint8_t* d = target.ScanLine(y);
      for (int x = 0; x < kWidth; ++x, s += 4, d += 4) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = 0;
      }
    }
    benchmark::DoNotOptimize(target.Bits());
    benchmark::ClobberMemory();
  }
  SetPixelCounters(state);
}
BENCHMARK(BM_PlainByteLoop32)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skelda
