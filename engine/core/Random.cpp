// The engine's dice: splitmix64 steps, and numbers below a bound without bias.
#include "engine/core/Random.h"

#include <chrono>
#include <random>

namespace quendal {

void Random::Seed(uint32_t newSeed) {
  seed = newSeed;
  state = newSeed;
}

uint64_t Random::NextBits() {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int Random::Next(int n) {
  if (n <= 0)
    return 0;
  // Lemire's method: a 32-bit draw scaled by n, drawing again in the rare biased band.
  const uint64_t bound = static_cast<uint64_t>(n);
  uint64_t product = (NextBits() >> 32) * bound;
  if ((product & 0xFFFFFFFFull) < bound) {
    const uint64_t threshold = (0x100000000ull - bound) % bound;
    while ((product & 0xFFFFFFFFull) < threshold)
      product = (NextBits() >> 32) * bound;
  }
  return static_cast<int>(product >> 32);
}

uint32_t Random::FreshSeed() {
  std::random_device entropy;
  const auto now =
      static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  return entropy() ^ static_cast<uint32_t>(now ^ (now >> 32));
}

}  // namespace quendal
