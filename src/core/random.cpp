#include "core/random.h"

#include <chrono>

namespace skelda {

void RandomGenerator::SeedFromClock() {
  if (fixed_) return;
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  state_ = static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

}  // namespace skelda
