#pragma once

#include <cstdint>

namespace skelda {

// v below 0 becomes 0, above 255 becomes 255.
constexpr std::uint8_t ClampByte(int v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace skelda
