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
  Ramp(int64_t base, int64_t offset, int64_t step, int64_t divisor, int64_t k0) : divisor(divisor) {
    const Quotient start = Divide(offset, step, k0, divisor), stride = Divide(step, 0, 0, divisor);
    whole = base + start.whole;
    below = start.remainder - divisor;
    stepWhole = stride.whole;
    stepRemainder = stride.remainder;
    stepWrapped = stride.remainder - divisor;
  }
  // floor((offset + step * k) / divisor) at one k, without a ramp; divisor > 0.
  static int64_t FloorAt(int64_t offset, int64_t step, int64_t divisor, int64_t k) {
    return Divide(offset, step, k, divisor).whole;
  }
  // floor((offset + step * k) / divisor) + base at the current k.
  int64_t Floor() const { return whole; }
  // The same quotient rounded up.
  int64_t Ceiling() const { return whole + (below != -divisor); }
  // Moves to k + 1. The remainder is kept less the divisor, so that the sum's sign alone says
  // whether it carries, and both outcomes are summed at once: the chain of instructions that each
  // step waits on is an add and a select.
  void Next() {
    const int64_t stepped = below + stepRemainder, wrapped = below + stepWrapped;
    const bool carry = stepped >= 0;
    whole += stepWhole + carry;
    below = carry ? wrapped : stepped;
  }

 private:
  // A quotient rounded down and what it leaves.
  struct Quotient {
    int64_t whole;
    int64_t remainder;  // 0 .. divisor - 1
  };
  // floor((offset + step * k) / divisor) and what remains, exact where the product passes 64 bits;
  // out of line, so that a ramp's own fields stay in registers where it is stepped.
  static Quotient Divide(int64_t offset, int64_t step, int64_t k, int64_t divisor);

  int64_t whole = 0;
  int64_t below = -1;  // the remainder less the divisor: -divisor .. -1
  int64_t stepWhole = 0;
  int64_t stepRemainder = 0;  // 0 .. divisor - 1
  int64_t stepWrapped = -1;   // stepRemainder - divisor
  int64_t divisor = 1;
};

}  // namespace quendal
