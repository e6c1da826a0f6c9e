// The exact start of a ramp: a quotient of products that may pass 64 bits.
#include "engine/draw/Ramp.h"

namespace quendal {

namespace {

__extension__ typedef __int128 Wide;

// floor(numerator / divisor) and the remainder 0 .. divisor - 1, for divisor > 0.
void FloorDivide(Wide numerator, int64_t divisor, int64_t& quotient, int64_t& remainder) {
  Wide whole = numerator / divisor, rest = numerator % divisor;
  if (rest < 0) {
    whole -= 1;
    rest += divisor;
  }
  quotient = static_cast<int64_t>(whole);
  remainder = static_cast<int64_t>(rest);
}

}  // namespace

Ramp::Ramp(int64_t base, int64_t offset, int64_t step, int64_t divisor, int64_t k0)
    : divisor(divisor) {
  FloorDivide(Wide{offset} + Wide{step} * k0, divisor, whole, remainder);
  whole += base;
  FloorDivide(step, divisor, stepWhole, stepRemainder);
}

}  // namespace quendal
