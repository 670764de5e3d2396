// The program's one pseudo-random generator: a fixed start state, reseeded from the clock only
// when a command asks for it, so the same commands after a fresh start give the same patterns.
#pragma once

#include <cstdint>

namespace skelda {

class RandomGenerator {
 public:
  static constexpr std::uint32_t kStartState = 0;

  // Uniform integer in 0 .. n-1 (n >= 1).
  std::uint32_t Next(std::uint32_t n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * n) >> 32);
  }
  void Seed(std::uint32_t state) { state_ = state; }
  // A seed the user chose: from now on nothing reseeds from the clock, so every pattern that
  // follows repeats with the same seed.
  void SeedFixed(std::uint32_t state) {
    state_ = state;
    fixed_ = true;
  }
  void SeedFromClock();
  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_ = kStartState;
  bool fixed_ = false;
};

}  // namespace skelda
