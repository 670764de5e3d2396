// A 32-bit pixel read and written as one little-endian word: blue in the low byte, then green,
// red and the fourth byte.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/color.h"
#include "core/pixel_words.h"

namespace skelda {

// A colour value (red in the low byte) as the word of a 32-bit pixel with fourth byte 0.
constexpr std::uint32_t WordOfColor(Color c) {
  return BlueOf(c) | (std::uint32_t(GreenOf(c)) << 8) | (std::uint32_t(RedOf(c)) << 16);
}

}  // namespace skelda
