// Four bytes of a pixel row read and written as one little-endian word, whatever their
// alignment: blue in the low byte, then green, red and the fourth byte.
#pragma once

#include <cstdint>
#include <cstring>

namespace skelda {

// The colour bytes of a 32-bit pixel word, and the fourth byte no colour uses.
inline constexpr std::uint32_t kColourBits = 0x00FFFFFF;
inline constexpr std::uint32_t kFourthByte = 0xFF000000;

inline std::uint32_t LoadWord(const std::uint8_t* p) {
  std::uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}

inline void StoreWord(std::uint8_t* p, std::uint32_t w) {
  std::memcpy(p, &w, 4);
}

// Sets the fourth byte of every pixel of a 32-bit row to 0, so that only colour remains.
inline void ClearFourthBytes(std::uint8_t* row, int width) {
  for (int x = 0; x < width; ++x) row[4 * x + 3] = 0;
}

// Four 3-byte pixels held in three 32-bit words, as the 24-bit row loops move them.
namespace pixel_groups {

using Pixel = std::uint32_t;  // blue, green, red in the low three bytes

// The four pixels at p (12 bytes).
inline void Load4(const std::uint8_t* p, Pixel out[4]) {
  const std::uint32_t w0 = LoadWord(p), w1 = LoadWord(p + 4), w2 = LoadWord(p + 8);
  out[0] = w0 & kColourBits;
  out[1] = (w0 >> 24) | ((w1 & 0xFFFF) << 8);
  out[2] = (w1 >> 16) | ((w2 & 0xFF) << 16);
  out[3] = w2 >> 8;
}

// Writes four pixels (each below 2^24) as 12 bytes at p.
inline void Store4(std::uint8_t* p, Pixel a, Pixel b, Pixel c, Pixel d) {
  StoreWord(p, a | (b << 24));
  StoreWord(p + 4, (b >> 8) | (c << 16));
  StoreWord(p + 8, (c >> 16) | (d << 8));
}

inline void Swap3(std::uint8_t* a, std::uint8_t* b) {
  std::uint8_t t[3];
  std::memcpy(t, a, 3);
  std::memcpy(a, b, 3);
  std::memcpy(b, t, 3);
}

}  // namespace pixel_groups

}  // namespace skelda
