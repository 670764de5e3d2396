// Mirror, rotate and invert on a 6000 x 4000 32-bit picture, beside a memcpy of its pixels, and
// the mirror again with its undo step recorded, and an undo with its redo.
// Each command includes its copies between the two bitmaps and its conversions to 24 bits and
// back. BM_NewPicture shows what one fresh pixel block of that size costs on this machine.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/bitmap.h"
#include "core/history.h"
#include "core/workspace.h"
#include "geometry/geometry_commands.h"
#include "geometry/orientation.h"

namespace skelda {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

Bitmap MakePicture() {
  Bitmap b(kWidth, kHeight, PixelFormat::Bit32);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* p = b.ScanLine(y);
    for (int x = 0; x < kWidth; ++x, p += 4) {
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(x ^ y);
    }
  }
  return b;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 4);
}

void BM_Memcpy(benchmark::State& state) {
  const std::size_t bytes = std::size_t(kWidth) * kHeight * 4;
  std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_NewPicture(benchmark::State& state) {
  for (auto _ : state) {
    Bitmap b(kWidth, kHeight, PixelFormat::Bit32);
    benchmark::DoNotOptimize(b.Bits());
  }
  SetBytes(state);
}
BENCHMARK(BM_NewPicture)->Unit(benchmark::kMillisecond);

// The turn alone, into a target that already exists.
void BM_QuarterTurnInto(benchmark::State& state) {
  const Bitmap source = MakePicture();
  Bitmap target(kHeight, kWidth, PixelFormat::Bit32);
  for (auto _ : state) {
    QuarterTurnInto(source, target, TurnDirection::Clockwise);
    benchmark::DoNotOptimize(target.Bits());
  }
  SetBytes(state);
}
BENCHMARK(BM_QuarterTurnInto)->Unit(benchmark::kMillisecond);

template <typename Command>
void RunCommand(benchmark::State& state, Command command) {
  Workspace ws;
  ws.StartUp(MakePicture());
  command(ws);  // both bitmaps settle at their working size before timing
  for (auto _ : state) {
    command(ws);
    benchmark::DoNotOptimize(ws.ShownBitmap.Bits());
  }
  SetBytes(state);
}

void BM_MirrorHorizontal(benchmark::State& state) {
  RunCommand(state, [](Workspace& ws) { MirrorCommand(ws, true); });
}
BENCHMARK(BM_MirrorHorizontal)->Unit(benchmark::kMillisecond);

void BM_MirrorVertical(benchmark::State& state) {
  RunCommand(state, [](Workspace& ws) { MirrorCommand(ws, false); });
}
BENCHMARK(BM_MirrorVertical)->Unit(benchmark::kMillisecond);

void BM_RotateClockwise(benchmark::State& state) {
  RunCommand(state, [](Workspace& ws) { RotateCommand(ws, 90.0); });
}
BENCHMARK(BM_RotateClockwise)->Unit(benchmark::kMillisecond);

void BM_RotateCounterClockwise(benchmark::State& state) {
  RunCommand(state, [](Workspace& ws) { RotateCommand(ws, -90.0); });
}
BENCHMARK(BM_RotateCounterClockwise)->Unit(benchmark::kMillisecond);

void BM_Invert(benchmark::State& state) {
  RunCommand(state, [](Workspace& ws) { InvertCommand(ws); });
}
BENCHMARK(BM_Invert)->Unit(benchmark::kMillisecond);

// The mirror as the window runs it: the state before it kept for undo.
void BM_MirrorHorizontalRecorded(benchmark::State& state) {
  History history;
  RunCommand(state, [&](Workspace& ws) {
    HistoryState before = history.Capture(ws, {});
    MirrorCommand(ws, true);
    history.Record(std::move(before), ws, {});
  });
}
BENCHMARK(BM_MirrorHorizontalRecorded)->Unit(benchmark::kMillisecond);

// One undo and its redo after a mirror, each restoring both bitmaps.
void BM_UndoRedo(benchmark::State& state) {
  History history;
  Workspace ws;
  ws.StartUp(MakePicture());
  HistoryState before = history.Capture(ws, {});
  MirrorCommand(ws, true);
  history.Record(std::move(before), ws, {});
  for (auto _ : state) {
    Restore(history.Undo(history.Capture(ws, {})), ws);
    Restore(history.Redo(history.Capture(ws, {})), ws);
    benchmark::DoNotOptimize(ws.ShownBitmap.Bits());
  }
  SetBytes(state);
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skelda
