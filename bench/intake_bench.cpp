// The intake's heavy work against its baselines: decoding a 6000 x 4000 JPEG through our reader
// and through libjpeg alone into a plain buffer; the area-averaging reduction of such a picture
// against a memcpy of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "intake/area_resample.h"
#include "intake/jpeg_decoder.h"
#include "intake_test_support.h"

namespace skelda {
namespace {

constexpr int kWidth = 6000, kHeight = 4000;

// A photo-like picture: smooth gradients with some fine texture, so that the decoder has
// coefficients to work on.
const std::vector<std::uint8_t>& BigJpeg() {
  static const std::vector<std::uint8_t> file = [] {
    std::vector<std::uint8_t> samples = testing::GradientSamples(kWidth, kHeight);
    std::uint32_t seed = 12345;
    for (std::uint8_t& s : samples) {
      seed = seed * 1664525u + 1013904223u;
      s = static_cast<std::uint8_t>(std::clamp(int(s) + int(seed >> 28) - 8, 0, 255));
    }
    testing::JpegMaking making;
    making.quality = 90;
    return testing::MakeJpeg(kWidth, kHeight, samples, making);
  }();
  return file;
}

const Bitmap& BigPicture() {
  static const Bitmap picture = DecodeJpeg(BigJpeg().data(), BigJpeg().size());
  return picture;
}

// libjpeg alone with the reader's settings, into the given rows.
void LibjpegDecode(const std::vector<std::uint8_t>& file, std::uint8_t* bits,
                   std::size_t rowBytes) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), file.size());
  jpeg_read_header(&info, TRUE);
  info.dct_method = JDCT_ISLOW;
  info.do_fancy_upsampling = TRUE;
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[4];
    const unsigned count = std::min<unsigned>(std::min(info.rec_outbuf_height, 4),
                                              info.output_height - info.output_scanline);
    for (unsigned i = 0; i < count; ++i) rows[i] = bits + (info.output_scanline + i) * rowBytes;
    jpeg_read_scanlines(&info, rows, count);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

// The baseline: a buffer allocated once and already touched, so that our figure also carries
// the allocation of a new picture.
void BM_LibjpegDecodeToBuffer(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = BigJpeg();  // made before the timing starts
  std::vector<std::uint8_t> buffer(std::size_t(kWidth) * 4 * kHeight);
  for (auto _ : state) {
    LibjpegDecode(file, buffer.data(), std::size_t(kWidth) * 4);
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
