// The engine's dice: a small, fast random source whose whole sequence follows from its seed.
#pragma once
#include <cstdint>

namespace quendal {

// The same seed gives the same numbers on every machine and build (splitmix64 steps).
class Random {
 public:
  // Starts the sequence of seed.
  explicit Random(uint32_t seed = 0) { Seed(seed); }
  // Starts the sequence of seed again.
  void Seed(uint32_t seed);
  // The seed the sequence started from.
  uint32_t GetSeed() const { return seed; }
  // A number from 0 to n - 1, each as likely; 0 when n is not positive.
  int Next(int n);
  // The next 64 random bits.
  uint64_t NextBits();
  // A seed from the system's entropy and the time, different from run to run.
  static uint32_t FreshSeed();

 private:
  uint32_t seed = 0;
  uint64_t state = 0;
};

}  // namespace quendal
