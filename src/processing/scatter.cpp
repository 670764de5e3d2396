#include "processing/scatter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/pixel_allocator.h"
#include "processing/pixel_words.h"
#include "processing/random_offset.h"

namespace skelda {

namespace {

// The colours of a picture as words 0x00RRGGBB, read and written at (x, y) in either layout.
template <int S>
struct PixelWords {
  explicit PixelWords(Bitmap& bitmap) : bits(bitmap.Bits()), rowBytes(bitmap.RowBytes()) {}
  std::uint8_t* At(int x, int y) const { return bits + y * rowBytes + S * x; }
  std::uint32_t Get(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    if constexpr (S == 4) return LoadWord(p) & kColourBits;
    return p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16);
  }
  // A 32-bit pixel gets a fourth byte of 0; the 24-bit row filler is never touched.
  void Set(int x, int y, std::uint32_t w) const {
    std::uint8_t* p = At(x, y);
    if constexpr (S == 4) {
      StoreWord(p, w);
    } else {
      p[0] = w & 0xFF;
      p[1] = (w >> 8) & 0xFF;
      p[2] = (w >> 16) & 0xFF;
    }
  }
  std::uint8_t* bits;
  std::size_t rowBytes;
};

template <int S>
void ScatterPixels(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  const PixelWords<S> picture(bitmap);
  // The unchanging source, taken before any pixel changes, in picture storage (a fresh block of
  // that size costs far less there than its first touch page by page).
  const std::size_t count = static_cast<std::size_t>(width) * height;
  const std::unique_ptr<std::uint32_t, decltype(&FreePixels)> source(
      static_cast<std::uint32_t*>(AllocatePixels(count * sizeof(std::uint32_t))), &FreePixels);
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = source.get() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) row[x] = picture.Get(x, y);
  }
  const std::uint32_t fillWord = WordOfColor(fill);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.Set(x, y, fillWord);
  }
  // A local copy keeps the generator's state in a register: the pixel stores cannot touch it.
  RandomGenerator local = random;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int nx = RandomOffset(x, rx, local);
      const int ny = RandomOffset(y, ry, local);
      if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
      picture.Set(x, y, source.get()[static_cast<std::size_t>(ny) * width + nx]);
      picture.Set(nx, ny, source.get()[static_cast<std::size_t>(y) * width + x]);
    }
  }
  random = local;
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
