#include "geometry/pixel_format_24.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "geometry/pixel_groups.h"

namespace skelda {

namespace {


// Four 4-byte pixels become four 3-byte pixels: three words out of four.
void Row32To24(const std::uint8_t* s, std::uint8_t* d, int width) {
  int x = 0;
  for (; x + 4 <= width; x += 4, s += 16, d += 12) {
    const std::uint32_t p0 = LoadWord(s), p1 = LoadWord(s + 4), p2 = LoadWord(s + 8), p3 = LoadWord(s + 12);
    StoreWord(d, (p0 & 0xFFFFFF) | (p1 << 24));
    StoreWord(d + 4, ((p1 >> 8) & 0xFFFF) | (p2 << 16));
    StoreWord(d + 8, ((p2 >> 16) & 0xFF) | (p3 << 8));
  }
  for (; x < width; ++x, s += 4, d += 3) std::memcpy(d, s, 3);
}

void Row24To32(const std::uint8_t* s, std::uint8_t* d, int width) {
  int x = 0;
  for (; x + 4 <= width; x += 4, s += 12, d += 16) {
    const std::uint32_t w0 = LoadWord(s), w1 = LoadWord(s + 4), w2 = LoadWord(s + 8);
    StoreWord(d, w0 & 0xFFFFFF);
    StoreWord(d + 4, (w0 >> 24) | ((w1 & 0xFFFF) << 8));
    StoreWord(d + 8, (w1 >> 16) | ((w2 & 0xFF) << 16));
    StoreWord(d + 12, w2 >> 8);
  }
  for (; x < width; ++x, s += 3, d += 4) {
    std::memcpy(d, s, 3);
    d[3] = 0;
  }
}

template <typename RowLoop>
void ConvertRows(const Bitmap& from, Bitmap& to, RowLoop rowLoop) {
  const std::uint8_t* s = from.Bits();
  std::uint8_t* d = to.Bits();
  for (int y = 0; y < from.Height(); ++y, s += from.RowBytes(), d += to.RowBytes()) {
    rowLoop(s, d, from.Width());
  }
}

}  // namespace

void ConvertTo24(Bitmap& bitmap) {
  if (bitmap.Format() == PixelFormat::Bit24) return;
  if (bitmap.Format() != PixelFormat::Bit32) {
    // Palette and packed formats: expand to 32 bits first, then the common loop.
    bitmap.SetPixelFormat(PixelFormat::Bit32);
  }
  Bitmap target(bitmap.Width(), bitmap.Height(), PixelFormat::Bit24);
  ConvertRows(bitmap, target, Row32To24);
  bitmap = std::move(target);
}

void ConvertTo32(Bitmap& bitmap) {
  if (bitmap.Format() == PixelFormat::Bit32) return;
  if (bitmap.Format() != PixelFormat::Bit24) {
    bitmap.SetPixelFormat(PixelFormat::Bit32);
    return;
  }
  Bitmap target(bitmap.Width(), bitmap.Height(), PixelFormat::Bit32);
  ConvertRows(bitmap, target, Row24To32);
  bitmap = std::move(target);
}

}  // namespace skelda
