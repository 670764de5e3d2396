// One warp move over a 2000 x 1500 picture (target: 60 ms on the reference machine).
#include <benchmark/benchmark.h>

#include "core/workspace.h"
#include "geometry/warp/warp_tool.h"

namespace {

void BM_WarpMove(benchmark::State& state) {
  const int w = 2000, h = 1500;
  skelda::Bitmap picture(w, h, skelda::PixelFormat::Bit32);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = picture.ScanLine(y);
    for (int x = 0; x < w * 4; ++x) row[x] = static_cast<std::uint8_t>(x * 7 + y * 13);
  }
  skelda::Workspace ws;
  ws.BaseBitmap = picture;
  ws.ShownBitmap = picture;
  ws.MouseTool = skelda::kMouseToolWarp;
  ws.PictureWidth = w;
  ws.PictureHeight = h;
  ws.ToolRect = {5, 5, w - 6, h - 6};
  skelda::WarpPress(ws, 1000, 750, true);
  int step = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(skelda::WarpMove(ws, 1040 + step % 7, 770 - step % 5));
    ++step;
  }
}
BENCHMARK(BM_WarpMove)->Unit(benchmark::kMillisecond);

}  // namespace
