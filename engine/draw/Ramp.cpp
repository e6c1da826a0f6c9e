// The exact start of a ramp: a quotient of products that may pass 64 bits.
#include "engine/draw/Ramp.h"

namespace quendal {

Ramp::Quotient Ramp::Divide(int64_t offset, int64_t step, int64_t k, int64_t divisor) {
  __extension__ typedef __int128 Wide;
  const Wide numerator = Wide{offset} + Wide{step} * k;
  Wide whole = numerator / divisor, rest = numerator % divisor;
  if (rest < 0) {
    whole -= 1;
    rest += divisor;
  }
  return {static_cast<int64_t>(whole), static_cast<int64_t>(rest)};
}

}  // namespace quendal
