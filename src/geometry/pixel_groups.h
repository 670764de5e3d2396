// Four 3-byte pixels held in three 32-bit words, as the 24-bit row loops move them.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/pixel_words.h"

namespace skelda::pixel_groups {

using Pixel = std::uint32_t;  // blue, green, red in the low three bytes


// The four pixels at p (12 bytes).
inline void Load4(const std::uint8_t* p, Pixel out[4]) {
  const std::uint32_t w0 = LoadWord(p), w1 = LoadWord(p + 4), w2 = LoadWord(p + 8);
  out[0] = w0 & 0xFFFFFF;
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

}  // namespace skelda::pixel_groups
