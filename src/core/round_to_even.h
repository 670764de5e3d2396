// Rounding to the nearest whole value with an exact half going to the even neighbour, the one
// rounding every size, coordinate and angle of the program uses.
#pragma once

#include <cmath>
#include <concepts>
#include <limits>

namespace skelda {

// Rounds as the default rounding mode does, which the program never changes: adding and taking
// away 1.5 x 2^(digits-1) leaves the nearest integer for every magnitude below 2^(digits-2),
// and costs far less than a library call. Larger values go to the library.
template <std::floating_point Float>
Float RoundToEven(Float value) {
  constexpr int kDigits = std::numeric_limits<Float>::digits;
  constexpr Float kLimit = Float(1ULL << (kDigits - 2));
  constexpr Float kShift = 3 * kLimit;
  if (std::fabs(value) < kLimit) return (value + kShift) - kShift;
  return std::nearbyint(value);
}

}  // namespace skelda
