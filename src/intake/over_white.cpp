#include "intake/over_white.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace skelda {

namespace {

// The blue, green and red bytes of a pixel read as one word, whatever the byte order.
constexpr std::uint32_t kColourBytes =
    std::bit_cast<std::uint32_t>(std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0x00});

inline std::uint8_t OverWhite(unsigned c, unsigned a) {
  return static_cast<std::uint8_t>((a * c + (255 - a) * 255 + 127) / 255);
}

}  // namespace

void CompositeOverWhite(std::uint8_t* pixels, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, pixels += 4) {
    const unsigned a = pixels[3];
    if (a == 255) {
      pixels[3] = 0;
      continue;
    }
    pixels[0] = OverWhite(pixels[0], a);
    pixels[1] = OverWhite(pixels[1], a);
    pixels[2] = OverWhite(pixels[2], a);
    pixels[3] = 0;
  }
}

void CompositePremultipliedOverWhite(std::uint8_t* pixels, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, pixels += 4) {
    const unsigned clear = 255 - pixels[3];
    // A damaged file may carry colour above its alpha: it stays white at most.
    for (int c = 0; c < 3; ++c)
      pixels[c] = static_cast<std::uint8_t>(std::min(255u, pixels[c] + clear));
    pixels[3] = 0;
  }
}

void ClearAlpha(std::uint8_t* pixels, std::size_t count) {
  // Whole pixels as words, so that the loop vectorises.
  for (std::size_t i = 0; i < count; ++i, pixels += 4) {
    std::uint32_t word;
    std::memcpy(&word, pixels, 4);
    word &= kColourBytes;
    std::memcpy(pixels, &word, 4);
  }
}

}  // namespace skelda
