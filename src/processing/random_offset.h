#pragma once

#include "core/random.h"

namespace skelda {

// A position near a within reach r (r >= 1): draws d in 0 .. 1, then s in 0 .. r-1, and gives
// a + s when d is 0, else a - s. So a itself comes with probability 1/r and every other value
// of a-(r-1) .. a+(r-1) with 1/(2r).
inline int RandomOffset(int a, int reach, RandomGenerator& random) {
  const bool up = random.Next(2) == 0;
  const int s = static_cast<int>(random.Next(static_cast<std::uint32_t>(reach)));
  return up ? a + s : a - s;
}

}  // namespace skelda
