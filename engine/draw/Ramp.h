// Whole-pixel positions that move by a fixed fraction per row, stepped without division.
#pragma once
#include <cstdint>

namespace quendal {

// The values base + floor((offset + step * k) / divisor) for k = k0, k0 + 1, ...: a line's or an
// edge's column row by row. Only the start divides (exactly, past 64 bits); each step adds.
class Ramp {
 public:
  Ramp() = default;
  // The ramp at k0; divisor > 0, and every value and |step| must fit in 63 bits.
  Ramp(int64_t base, int64_t offset, int64_t step, int64_t divisor, int64_t k0);
  // floor((offset + step * k) / divisor) + base at the current k.
  int64_t Floor() const { return whole; }
  // The same quotient rounded up.
  int64_t Ceiling() const { return whole + (remainder != 0); }
  // Moves to k + 1.
  void Next() {
    whole += stepWhole;
    remainder += stepRemainder;
    if (remainder >= divisor) {
      remainder -= divisor;
      ++whole;
    }
  }

 private:
  int64_t whole = 0;
  int64_t remainder = 0;  // 0 .. divisor - 1
  int64_t stepWhole = 0;
  int64_t stepRemainder = 0;  // 0 .. divisor - 1
  int64_t divisor = 1;
};

}  // namespace quendal
