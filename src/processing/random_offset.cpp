#include "processing/random_offset.h"

namespace skelda {

int RandomOffset(int a, int reach, RandomGenerator& random) {
  const bool up = random.Next(2) == 0;
  const int s = static_cast<int>(random.Next(static_cast<std::uint32_t>(reach)));
  return up ? a + s : a - s;
}

}  // namespace skelda
