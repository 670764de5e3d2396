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
      if constexpr (S == 4) {
        out[x] = LoadWord(row + 4 * x) & kColourBits;
      } else {
        out[x] = row[3 * x] | (row[3 * x + 1] << 8) | (std::uint32_t(row[3 * x + 2]) << 16);
      }
    }
  }
  return words;
}

void WriteWords24(Bitmap& bitmap, const std::vector<std::uint32_t>& words) {
  const int width = bitmap.Width();
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    const std::uint32_t* in = words.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      row[3 * x] = in[x] & 0xFF;
      row[3 * x + 1] = (in[x] >> 8) & 0xFF;
      row[3 * x + 2] = (in[x] >> 16) & 0xFF;
    }
  }
}

// Visits every pixel in order and swaps it with its partner, reading the unchanged source;
// target[i] is the word of pixel i = x + y W.
template <class Target>
void Scatter(Target target, const std::uint32_t* source, int width, int height, int rx, int ry,
             RandomGenerator& random) {
  // A local copy keeps the generator's state in a register: the target's stores cannot touch it.
  RandomGenerator local = random;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int nx = RandomOffset(x, rx, local);
      const int ny = RandomOffset(y, ry, local);
      if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
      const std::size_t here = static_cast<std::size_t>(y) * width + x;
      const std::size_t there = static_cast<std::size_t>(ny) * width + nx;
      target(here, source[there]);
      target(there, source[here]);
    }
  }
  random = local;
}

// 32 bits: the rows follow each other without filler, so the bitmap itself is the target.
void ScatterPixels32(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random) {
  std::vector<std::uint32_t> source = ReadWords<4>(bitmap);
  const std::uint32_t fillWord = WordOfColor(fill);
  std::uint8_t* bits = bitmap.Bits();
  for (std::size_t i = 0; i < source.size(); ++i) StoreWord(bits + 4 * i, fillWord);
  Scatter([bits](std::size_t i, std::uint32_t w) { StoreWord(bits + 4 * i, w); }, source.data(),
          bitmap.Width(), bitmap.Height(), rx, ry, random);
}

void ScatterPixels24(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random) {
  const std::vector<std::uint32_t> source = ReadWords<3>(bitmap);
  std::vector<std::uint32_t> target(source.size(), WordOfColor(fill));
  std::uint32_t* out = target.data();
  Scatter([out](std::size_t i, std::uint32_t w) { out[i] = w; }, source.data(), bitmap.Width(),
          bitmap.Height(), rx, ry, random);
  WriteWords24(bitmap, target);
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
    ScatterPixels32(bitmap, rx, ry, fill, random);
    return;
  }
  bitmap.SetPixelFormat(PixelFormat::Bit24);
  ScatterPixels24(bitmap, rx, ry, fill, random);
}

}  // namespace skelda
