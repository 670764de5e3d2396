// The pixel formats of a bitmap, each described once: how many bits a pixel takes in a row,
// the depth the format is named by, the layout a file records for it, the masks of its colour
// channels, and the routines that read and write one pixel of a row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "core/color.h"

namespace skelda {

// Pixel formats as a bitmap reports them. Custom is a device-independent layout none of the
// others names; its bit count, compression and masks are in Bitmap::Layout().
enum class PixelFormat : std::uint8_t {
  Device,
  Bit1,
  Bit4,
  Bit8,
  Bit15,
  Bit16,
  Bit24,
  Bit32,
  Custom
};

enum : std::uint32_t { kCompressionRgb = 0, kCompressionBitFields = 3 };

// The description of a device-independent bitmap's layout.
struct PixelLayout {
  int bitCount = 0;
  std::uint32_t compression = kCompressionRgb;
  std::uint32_t redMask = 0;
  std::uint32_t greenMask = 0;
  std::uint32_t blueMask = 0;
  friend bool operator==(const PixelLayout&, const PixelLayout&) = default;
};

struct ChannelMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
  friend bool operator==(const ChannelMasks&, const ChannelMasks&) = default;
};

inline ChannelMasks MasksOf(const PixelLayout& layout) {
  return {layout.redMask, layout.greenMask, layout.blueMask};
}

// A 5-bit field v becomes v * 8 + v div 4 and a 6-bit one v * 4 + v div 16, so that 0 stays 0
// and a full field gives 255.
constexpr unsigned Expand5(unsigned v) {
  return (v << 3) | (v >> 2);
}
constexpr unsigned Expand6(unsigned v) {
  return (v << 2) | (v >> 4);
}

namespace pixel_access {

inline unsigned Word16(const std::uint8_t* p) {
  return p[0] | (p[1] << 8);
}
inline void PutWord16(std::uint8_t* p, unsigned word) {
  p[0] = static_cast<std::uint8_t>(word);
  p[1] = static_cast<std::uint8_t>(word >> 8);
}

// The leftmost pixel of a byte is its most significant bit.
inline std::uint32_t Read1(const std::uint8_t* row, int x) {
  return (row[x >> 3] >> (7 - (x & 7))) & 1;
}
inline void Write1(std::uint8_t* row, int x, std::uint32_t index) {
  const unsigned bit = 0x80u >> (x & 7);
  row[x >> 3] = static_cast<std::uint8_t>(index != 0 ? row[x >> 3] | bit : row[x >> 3] & ~bit);
}

// Even columns live in the high nibble, odd ones in the low nibble.
inline unsigned NibbleShift(int x) {
  return (~x & 1) << 2;
}
inline std::uint32_t Read4(const std::uint8_t* row, int x) {
  return (row[x >> 1] >> NibbleShift(x)) & 0x0F;
}
inline void Write4(std::uint8_t* row, int x, std::uint32_t index) {
  std::uint8_t* p = row + (x >> 1);
  const unsigned shift = NibbleShift(x);
  *p = static_cast<std::uint8_t>((*p & ~(0x0Fu << shift)) | ((index & 0x0F) << shift));
}

inline std::uint32_t Read8(const std::uint8_t* row, int x) {
  return row[x];
}
inline void Write8(std::uint8_t* row, int x, std::uint32_t index) {
  row[x] = static_cast<std::uint8_t>(index);
}

inline Color Read15(const std::uint8_t* row, int x) {
  const unsigned w = Word16(row + 2 * x);
  return RGB(Expand5((w >> 10) & 31), Expand5((w >> 5) & 31), Expand5(w & 31));
}
inline void Write15(std::uint8_t* row, int x, Color c) {
  PutWord16(row + 2 * x, ((RedOf(c) >> 3) << 10) | ((GreenOf(c) >> 3) << 5) | (BlueOf(c) >> 3));
}

inline Color Read16(const std::uint8_t* row, int x) {
  const unsigned w = Word16(row + 2 * x);
  return RGB(Expand5((w >> 11) & 31), Expand6((w >> 5) & 63), Expand5(w & 31));
}
inline void Write16(std::uint8_t* row, int x, Color c) {
  PutWord16(row + 2 * x, ((RedOf(c) >> 3) << 11) | ((GreenOf(c) >> 2) << 5) | (BlueOf(c) >> 3));
}

// Blue, green, red in 3 or 4 bytes; a 4-byte pixel's fourth byte is written as 0.
template <int Bytes>
Color ReadBgr(const std::uint8_t* row, int x) {
  const std::uint8_t* p = row + Bytes * x;
  return RGB(p[2], p[1], p[0]);
}
template <int Bytes>
void WriteBgr(std::uint8_t* row, int x, Color c) {
  std::uint8_t* p = row + Bytes * x;
  p[0] = BlueOf(c);
  p[1] = GreenOf(c);
  p[2] = RedOf(c);
  if constexpr (Bytes == 4) p[3] = 0;
}

}  // namespace pixel_access

struct PixelFormatInfo {
  PixelFormat format;
  // Bits one pixel takes in a row: what row sizes and files count. The 5-5-5 format takes 16.
  int bitsPerPixel;
  // The depth the format is named by, as the pixel accessor reports it: 15 for 5-5-5, 0 for
  // formats it does not read.
  int depth;
  bool indexed;        // the pixels are palette indices
  PixelLayout layout;  // as the bitmap reports it and a file records it
  ChannelMasks masks;  // where the colour channels lie in a pixel word (direct formats)
  // Read gives the palette index (indexed) or the colour; write takes the same.
  std::uint32_t (*read)(const std::uint8_t* row, int x);
  void (*write)(std::uint8_t* row, int x, std::uint32_t value);
};

inline constexpr ChannelMasks kMasks555{0x7C00, 0x03E0, 0x001F};
inline constexpr ChannelMasks kMasks565{0xF800, 0x07E0, 0x001F};
inline constexpr ChannelMasks kMasks888{0xFF0000, 0x00FF00, 0x0000FF};
inline constexpr PixelLayout kLayout565{16, kCompressionBitFields, kMasks565.red, kMasks565.green,
                                        kMasks565.blue};

namespace pa = pixel_access;
inline constexpr PixelFormatInfo kPixelFormats[] = {
    {PixelFormat::Device, 0, 0, false, {}, {}, nullptr, nullptr},
    {PixelFormat::Bit1, 1, 1, true, {1}, {}, pa::Read1, pa::Write1},
    {PixelFormat::Bit4, 4, 4, true, {4}, {}, pa::Read4, pa::Write4},
    {PixelFormat::Bit8, 8, 8, true, {8}, {}, pa::Read8, pa::Write8},
    {PixelFormat::Bit15, 16, 15, false, {16}, kMasks555, pa::Read15, pa::Write15},
    {PixelFormat::Bit16, 16, 16, false, kLayout565, kMasks565, pa::Read16, pa::Write16},
    {PixelFormat::Bit24, 24, 24, false, {24}, {}, pa::ReadBgr<3>, pa::WriteBgr<3>},
    {PixelFormat::Bit32, 32, 32, false, {32}, kMasks888, pa::ReadBgr<4>, pa::WriteBgr<4>},
    {PixelFormat::Custom, 0, 0, false, {}, {}, nullptr, nullptr},
};

constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < std::size(kPixelFormats); ++i) {
    if (static_cast<std::size_t>(kPixelFormats[i].format) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "one row per pixel format, in the order of the enumeration");

constexpr const PixelFormatInfo& FormatInfo(PixelFormat format) {
  return kPixelFormats[static_cast<int>(format)];
}

// The named format whose pixels a custom 16- or 32-bit layout holds word for word (masks as
// the named format's, or no masks at all), or Custom when there is none.
PixelFormat NamedFormatOf(const PixelLayout& layout);

// One colour channel given by a bit mask, scaled to 0..255 as round(v * 255 / max).
class MaskChannel {
 public:
  explicit MaskChannel(std::uint32_t mask);
  std::uint8_t operator()(std::uint32_t word) const {
    if (max_ == 0) return 0;
    const std::uint64_t v = (word & mask_) >> shift_;
    return static_cast<std::uint8_t>((v * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_ = 0;
  unsigned shift_ = 0;
  std::uint64_t max_ = 0;
};

// A pixel word read through three channel masks.
class MaskedColour {
 public:
  explicit MaskedColour(const ChannelMasks& masks)
      : red_(masks.red), green_(masks.green), blue_(masks.blue) {}
  Color operator()(std::uint32_t word) const { return RGB(red_(word), green_(word), blue_(word)); }

 private:
  MaskChannel red_, green_, blue_;
};

// Rows of width pixels between the 32-bit form (fourth byte dropped) and the 24-bit form
// (fourth byte written as 0), four pixels at a time.
void Row32To24(const std::uint8_t* source, std::uint8_t* target, int width);
void Row24To32(const std::uint8_t* source, std::uint8_t* target, int width);

}  // namespace skelda
