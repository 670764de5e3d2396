// Four bytes of a pixel row read and written as one little-endian word, whatever their
// alignment: blue in the low byte, then green, red and the fourth byte.
#pragma once

#include <cstdint>
#include <cstring>

namespace skelda {

inline std::uint32_t LoadWord(const std::uint8_t* p) {
  std::uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}

inline void StoreWord(std::uint8_t* p, std::uint32_t w) {
  std::memcpy(p, &w, 4);
}

}  // namespace skelda
