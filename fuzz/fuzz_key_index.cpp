// Fuzzes KeyCodeToIndex over 32-bit key codes against the table of the keys SDL produces.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/BaseEngine.h"
#include "fuzz/KeyIndexReference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4)
    return 0;
  int32_t code;
  std::memcpy(&code, data, 4);
  const int index = BaseEngine::KeyCodeToIndex(code);
  if (index < 0 || index > 255)
    std::abort();
  if (index != keyindexreference::ExpectedIndex(code))
    std::abort();
  return 0;
}
