// Colour values: 0x00BBGGRR, red in the lowest byte. Black is 0, white 0xFFFFFF.
#pragma once

#include <cstdint>

namespace skelda {

using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

constexpr std::uint8_t RedOf(Color c) {
  return c & 0xFF;
}
constexpr std::uint8_t GreenOf(Color c) {
  return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(Color c) {
  return (c >> 16) & 0xFF;
}
constexpr Color RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}

}  // namespace skelda
