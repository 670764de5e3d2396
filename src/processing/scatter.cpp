#include "processing/scatter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "processing/pixel_words.h"
#include "processing/random_offset.h"

namespace skelda {

namespace {

// The pixels as one array of words, x + y W: both layouts copy in and out row by row.
template <int S>
std::vector<std::uint32_t> ReadWords(const Bitmap& bitmap) {
  const int width = bitmap.Width();
  std::vector<std::uint32_t> words(static_cast<std::size_t>(width) * bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    std::uint32_t* out = words.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      out[x] = row[S * x] | (row[S * x + 1] << 8) | (std::uint32_t(row[S * x + 2]) << 16);
    }
  }
  return words;
}

template <int S>
void WriteWords(Bitmap& bitmap, const std::vector<std::uint32_t>& words) {
  const int width = bitmap.Width();
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    const std::uint32_t* in = words.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      if constexpr (S == 4) {
        StoreWord(row + 4 * x, in[x]);
      } else {
        row[3 * x] = in[x] & 0xFF;
        row[3 * x + 1] = (in[x] >> 8) & 0xFF;
        row[3 * x + 2] = (in[x] >> 16) & 0xFF;
      }
    }
  }
}

void Scatter(std::vector<std::uint32_t>& target, const std::vector<std::uint32_t>& source,
             int width, int height, int rx, int ry, RandomGenerator& random) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int nx = RandomOffset(x, rx, random);
      const int ny = RandomOffset(y, ry, random);
      if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
      const std::size_t here = static_cast<std::size_t>(y) * width + x;
      const std::size_t there = static_cast<std::size_t>(ny) * width + nx;
      target[here] = source[there];
      target[there] = source[here];
    }
  }
}

template <int S>
void ScatterPixels(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random) {
  const std::vector<std::uint32_t> source = ReadWords<S>(bitmap);
  std::vector<std::uint32_t> target(source.size(), WordOfColor(fill));
  Scatter(target, source, bitmap.Width(), bitmap.Height(), rx, ry, random);
  WriteWords<S>(bitmap, target);
}

}  // namespace

void ScatterBitmap(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random) {
  random.SeedFromClock();
  ScatterWithoutSeeding(bitmap, rx, ry, fill, random);
}

void ScatterWithoutSeeding(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random) {
  rx = std::max(rx, 1);
  ry = std::max(ry, 1);
  if (bitmap.Format() == PixelFormat::Bit32) {
    ScatterPixels<4>(bitmap, rx, ry, fill, random);
    return;
  }
  bitmap.SetPixelFormat(PixelFormat::Bit24);
  ScatterPixels<3>(bitmap, rx, ry, fill, random);
}

}  // namespace skelda
