// The gray value of a pixel: a weighted sum of red, green and blue whose weights add up to 256,
// shifted right by 8 bits, so it lies in 0 .. 255.
#pragma once

#include <cstdint>

namespace skelda {

struct GrayWeights {
  int red;
  int green;
  int blue;
};

// The threshold-type conversions (threshold, random and matrix thresholds).
inline constexpr GrayWeights kThresholdWeights{76, 150, 30};
// The diffusion-type conversions (dithering, random and matrix dithering).
inline constexpr GrayWeights kDiffusionWeights{76, 151, 29};

// The weighted sum before the shift, 0 .. 65280, of a 32-bit pixel word.
inline std::int32_t GraySum(std::uint32_t word, GrayWeights w) {
  return static_cast<std::int32_t>((word & 0xFF) * w.blue + ((word >> 8) & 0xFF) * w.green +
                                   ((word >> 16) & 0xFF) * w.red);
}

inline std::int32_t GrayValue(std::uint32_t word, GrayWeights w) {
  return GraySum(word, w) >> 8;
}

}  // namespace skelda
