// The random numbers of the noise and spray effects: a small generator owned by the caller
// (no global state), reproducible from its seed.
#pragma once

#include <cstdint>

class TFxRandom {
 public:
  explicit TFxRandom(std::uint64_t seed) : FState(seed) {}

  // A uniform integer in 0..n - 1; 0 when n <= 0.
  int Next(int n) {
    if (n <= 0) return 0;
    return static_cast<int>((static_cast<std::uint64_t>(Next32()) * static_cast<std::uint32_t>(n)) >> 32);
  }

 private:
  // splitmix64, upper half.
  std::uint32_t Next32() {
    std::uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
  }

  std::uint64_t FState;
};
