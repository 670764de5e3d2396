// Every slider move re-runs one of these commands on the whole picture; beside them a plain
// memcpy of the same bytes, the floor any pass over the picture stands on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "processing/error_diffusion.h"
#include "processing/processing_commands.h"

namespace skelda {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A photograph-like picture: smooth gradients with noise on top.
Bitmap Photo() {
  Bitmap b(kWidth, kHeight, PixelFormat::Bit32);
  std::mt19937 gen(1);
  std::uniform_int_distribution<int> noise(-20, 20);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = b.ScanLine(y);
    for (int x = 0; x < kWidth; ++x) {
      const int base = (x * 255 / kWidth + y * 255 / kHeight) / 2;
      for (int k = 0; k < 3; ++k) {
        row[4 * x + k] = static_cast<std::uint8_t>(std::clamp(base + k * 10 + noise(gen), 0, 255));
      }
      row[4 * x + 3] = 0;
    }
  }
  return b;
}

Workspace& Loaded() {
  static Workspace ws;
  static const bool started = (ws.StartUp(Photo()), true);
  (void)started;
  // Each benchmark starts from the loaded picture and no conversion.
  ws.BwMode = kBwModeNone;
  ws.EffectApplied = false;
  return ws;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight * 4);
}

void BM_Memcpy(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) {
    std::memcpy(ws.ShownBitmap.Bits(), ws.BaseBitmap.Bits(), ws.BaseBitmap.ByteSize());
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

void BM_Threshold(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) ThresholdCommand(ws, 128);
  SetBytes(state);
}

void BM_Dither(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) DitherCommand(ws);
  SetBytes(state);
}

// The dithering pass alone, on one thread or on two taking alternate rows (the command takes
// two only on machines of four cores or more).
void BM_DitherPass(benchmark::State& state) {
  Workspace& ws = Loaded();
  const int threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    DiffusionPass(ws.BaseBitmap, ws.ShownBitmap, DiffusionRule::Fixed128(), threads);
  }
  SetBytes(state);
}

// The other dot methods, as the menu runs them; the diffusion kernels are held against
// BM_Dither (Floyd-Steinberg), the ordered screen against the memcpy.
void BM_KernelDither(benchmark::State& state, DotMethod method) {
  Workspace& ws = Loaded();
  for (auto _ : state) DotMethodCommand(ws, method);
  SetBytes(state);
}

void BM_OrderedScreen(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) DotMethodCommand(ws, DotMethod::Bayer8);
  SetBytes(state);
}

// The halftone screen as the window runs it, held against BM_Dither: the default screen (40
// cells per inch at 45 degrees) on dots of 0.2 mm, cells of about ten dots, and coarse and fine
// ones beside it.
void BM_Halftone(benchmark::State& state) {
  Workspace& ws = Loaded();
  const HalftoneScreen screen{static_cast<int>(state.range(0)), 45};
  for (auto _ : state) HalftoneCommand(ws, screen, 0.2);
  SetBytes(state);
}

void BM_ToneSlider(benchmark::State& state, ToneSlider slider, int position) {
  Workspace& ws = Loaded();
  for (auto _ : state) ToneSliderMoved(ws, slider, position);
  SetBytes(state);
}

void BM_RandomThreshold(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) RandomThresholdCommand(ws);
  SetBytes(state);
}

void BM_RandomDither(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) RandomDitherCommand(ws);
  SetBytes(state);
}

void BM_Cross(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) CrossCommand(ws, static_cast<int>(state.range(0)));
  SetBytes(state);
}

// The texture effects commit their result; each run textures the last one further, which
// costs the same.
void BM_Mosaic(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) MosaicCommand(ws);
  SetBytes(state);
}

void BM_Scatter(benchmark::State& state) {
  Workspace& ws = Loaded();
  for (auto _ : state) ScatterCommand(ws, static_cast<int>(state.range(0)));
  SetBytes(state);
}

// The passes may run on several threads: wall-clock time is what the user waits.
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Threshold)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Dither)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DitherPass)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_KernelDither, SierraLite, DotMethod::SierraLite)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_KernelDither, Atkinson, DotMethod::Atkinson)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_KernelDither, Burkes, DotMethod::Burkes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_KernelDither, TwoRowSierra, DotMethod::TwoRowSierra)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_KernelDither, Jarvis, DotMethod::JarvisJudiceNinke)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_KernelDither, Stucki, DotMethod::Stucki)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_KernelDither, Sierra, DotMethod::Sierra)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_OrderedScreen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Halftone)->Arg(40)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ToneSlider, Sharpen, ToneSlider::Sharpness, 30)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ToneSlider, Brightness, ToneSlider::Brightness, 40)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ToneSlider, Contrast, ToneSlider::Contrast, -49)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RandomThreshold)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RandomDither)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Cross)->DenseRange(1, 4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Mosaic)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Scatter)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace skelda
