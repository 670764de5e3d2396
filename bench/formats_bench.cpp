// Loading a 6000 x 4000 photo saved as PNG and as WebP: our readers (to the 32-bit picture,
// alpha handled) against each library's own decode of the same file into a plain buffer.
#include <benchmark/benchmark.h>
#include <png.h>
#include <webp/decode.h>
#include <webp/encode.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "intake/png_decoder.h"
#include "intake/webp_decoder.h"
#include "intake_test_support.h"
#include "png_making.h"

namespace skelda {
namespace {

constexpr int kWidth = 6000, kHeight = 4000;

// Smooth gradients with fine noise, as a photo has.
const std::vector<std::uint8_t>& PhotoSamples() {
  static const std::vector<std::uint8_t> samples = [] {
    std::vector<std::uint8_t> s = testing::GradientSamples(kWidth, kHeight);
    std::uint32_t seed = 12345;
    for (std::uint8_t& v : s) {
      seed = seed * 1664525u + 1013904223u;
      v = static_cast<std::uint8_t>(std::clamp(int(v) + int(seed >> 28) - 8, 0, 255));
    }
    return s;
  }();
  return samples;
}

const std::vector<std::uint8_t>& BigPng() {
  static const std::vector<std::uint8_t> file = [] {
    testing::RawPng raw{kWidth, kHeight, PNG_COLOR_TYPE_RGB, 8, false, {}, {}, {}};
    const std::size_t stride = std::size_t(kWidth) * 3;
    for (int y = 0; y < kHeight; ++y) {
      const std::uint8_t* row = PhotoSamples().data() + y * stride;
      raw.rows.emplace_back(row, row + stride);
    }
    return testing::MakePng(raw);
  }();
  return file;
}

const std::vector<std::uint8_t>& BigWebP() {
  static const std::vector<std::uint8_t> file = [] {
    std::uint8_t* out = nullptr;
    const std::size_t size =
        WebPEncodeRGB(PhotoSamples().data(), kWidth, kHeight, kWidth * 3, 85, &out);
    std::vector<std::uint8_t> bytes(out, out + size);
    WebPFree(out);
    return bytes;
  }();
  return file;
}

struct PngInput {
  const std::vector<std::uint8_t>* file;
  std::size_t used = 0;
};

void ReadInput(png_structp png, png_bytep out, png_size_t count) {
  auto* in = static_cast<PngInput*>(png_get_io_ptr(png));
  std::memcpy(out, in->file->data() + in->used, count);
  in->used += count;
}

// libpng alone: the stored RGB rows into one buffer, no transforms.
void BM_LibpngDecode(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = BigPng();
  std::vector<std::uint8_t> pixels(std::size_t(kWidth) * kHeight * 3);
  for (auto _ : state) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    PngInput in{&file};
    if (setjmp(png_jmpbuf(png))) state.SkipWithError("libpng failed");
    png_set_read_fn(png, &in, &ReadInput);
    png_read_info(png, info);
    for (int y = 0; y < kHeight; ++y) png_read_row(png, pixels.data() + y * kWidth * 3, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_LibpngDecode)->Unit(benchmark::kMillisecond);

void BM_DecodePng(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = BigPng();
  for (auto _ : state) {
    Bitmap picture = DecodePng(file.data(), file.size());
    benchmark::DoNotOptimize(picture.Bits());
  }
}
BENCHMARK(BM_DecodePng)->Unit(benchmark::kMillisecond);

// libwebp alone: its own decode to blue, green, red, alpha, into one buffer.
void BM_LibwebpDecode(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = BigWebP();
  std::vector<std::uint8_t> pixels(std::size_t(kWidth) * kHeight * 4);
  for (auto _ : state) {
    if (!WebPDecodeBGRAInto(file.data(), file.size(), pixels.data(), pixels.size(), kWidth * 4)) {
      state.SkipWithError("libwebp failed");
    }
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_LibwebpDecode)->Unit(benchmark::kMillisecond);

void BM_DecodeWebP(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = BigWebP();
  for (auto _ : state) {
    Bitmap picture = DecodeWebP(file.data(), file.size());
    benchmark::DoNotOptimize(picture.Bits());
  }
}
BENCHMARK(BM_DecodeWebP)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skelda
