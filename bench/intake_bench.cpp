// The intake's heavy work against its baselines: decoding a 6000 x 4000 JPEG through our reader
// and through libjpeg alone into a plain buffer; the area-averaging reduction of such a picture
// against a memcpy of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/workspace.h"
#include "intake/area_resample.h"
#include "intake/jpeg_decoder.h"
#include "intake/picture_loading.h"
#include "intake_test_support.h"
#include "photo_jpeg.h"

namespace skelda {
namespace {

constexpr int kWidth = bench::kPhotoWidth, kHeight = bench::kPhotoHeight;

const std::vector<std::uint8_t>& BigJpeg() {
  return bench::PhotoJpeg();
}

const Bitmap& BigPicture() {
  static const Bitmap picture = DecodeJpeg(BigJpeg().data(), BigJpeg().size());
  return picture;
}

// The baseline: a buffer allocated once and already touched, so that our figure also carries
// the allocation of a new picture.
void BM_LibjpegDecodeToBuffer(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = BigJpeg();  // made before the timing starts
  std::vector<std::uint8_t> buffer(std::size_t(kWidth) * 4 * kHeight);
  for (auto _ : state) {
    bench::LibjpegDecode(file, buffer.data(), std::size_t(kWidth) * 4);
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_LibjpegDecodeToBuffer)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = BigJpeg();
  for (auto _ : state) {
    Bitmap picture = DecodeJpeg(file.data(), file.size());
    benchmark::DoNotOptimize(picture.Bits());
  }
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

// "Load" as the window runs it: the file read and decoded into BaseBitmap, ShownBitmap made
// from it, both accessors attached. First into a workspace that holds only the start picture
// (the command line, a window's first load), then into one that holds the last load.
void BM_LoadPicture(benchmark::State& state) {
  static const testing::ScratchFolder folder;
  const std::string path = folder.File("photo.jpg");
  testing::WriteBytes(path, BigJpeg());
  const bool again = state.range(0) == 1;
  Workspace kept;
  kept.StartUp();
  for (auto _ : state) {
    Workspace fresh;
    if (!again) fresh.StartUp();
    Workspace& ws = again ? kept : fresh;
    ReadPictureFile(ws, "0.1", path);
    BeginLoad(ws);
    FinishLoad(ws);
    benchmark::DoNotOptimize(ws.ShownBitmap.Bits());
  }
  state.SetLabel(again ? "over the last load" : "first load");
}
BENCHMARK(BM_LoadPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MemcpySource(benchmark::State& state) {
  const Bitmap& source = BigPicture();
  std::vector<std::uint8_t> copy(source.ByteSize());
  for (auto _ : state) {
    std::memcpy(copy.data(), source.Bits(), source.ByteSize());
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_MemcpySource)->Unit(benchmark::kMillisecond);

void BM_AreaResample(benchmark::State& state) {
  const Bitmap& source = BigPicture();
  Bitmap target(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                PixelFormat::Bit32);
  for (auto _ : state) {
    AreaResample(source, target);
    benchmark::DoNotOptimize(target.Bits());
  }
}
BENCHMARK(BM_AreaResample)->Args({1500, 1000})->Args({606, 404})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skelda
