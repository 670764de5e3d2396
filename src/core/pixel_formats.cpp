#include "core/pixel_formats.h"

#include <cstring>

#include "core/pixel_words.h"

namespace skelda {

PixelFormat NamedFormatOf(const PixelLayout& layout) {
  const bool bitFields = layout.compression == kCompressionBitFields;
  if (layout.compression != kCompressionRgb && !bitFields) return PixelFormat::Custom;
  for (const PixelFormatInfo& f : kPixelFormats) {
    if (f.indexed || f.masks == ChannelMasks{} || f.bitsPerPixel != layout.bitCount) continue;
    if (bitFields ? f.masks == MasksOf(layout) : f.layout.compression == kCompressionRgb) {
      return f.format;
    }
  }
  return PixelFormat::Custom;
}

MaskChannel::MaskChannel(std::uint32_t mask) {
  if (mask == 0) return;
  while (!((mask >> shift_) & 1)) ++shift_;
  max_ = mask >> shift_;
  mask_ = mask;
}

using namespace pixel_groups;

void Row32To24(const std::uint8_t* s, std::uint8_t* d, int width) {
  int x = 0;
  for (; x + 4 <= width; x += 4, s += 16, d += 12) {
    Store4(d, LoadWord(s) & kColourBits, LoadWord(s + 4) & kColourBits,
           LoadWord(s + 8) & kColourBits, LoadWord(s + 12) & kColourBits);
  }
  for (; x < width; ++x, s += 4, d += 3) std::memcpy(d, s, 3);
}

void Row24To32(const std::uint8_t* s, std::uint8_t* d, int width) {
  int x = 0;
  for (; x + 4 <= width; x += 4, s += 12, d += 16) {
    Pixel p[4];
    Load4(s, p);
    for (int i = 0; i < 4; ++i) StoreWord(d + 4 * i, p[i]);
  }
  for (; x < width; ++x, s += 3, d += 4) {
    std::memcpy(d, s, 3);
    d[3] = 0;
  }
}

}  // namespace skelda
