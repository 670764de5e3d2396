// The threshold of the random conversions: a fresh draw in 0 .. 255 for every pixel.
#pragma once

#include <cstdint>

#include "core/random.h"

namespace skelda {

inline std::int32_t RandomThreshold(RandomGenerator& random) {
  return static_cast<std::int32_t>(random.Next(256));
}

}  // namespace skelda
