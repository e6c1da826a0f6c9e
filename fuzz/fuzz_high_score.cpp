// Fuzzes the best-score reader on a file of arbitrary bytes: no crash or hang, and the value
// changes only when a record was read, and an unknown record always comes with its reason.
// A first byte of 0xFE or 0xFF puts the other bytes across the start of the tail that the reader
// reads, after newlines or NUL bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/HighScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("highScore.txt", 0);
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && data[0] >= 0xFE)
    bytes = std::string(HighScoreFile::kTailBytes - (size - 1) / 2, data[0] == 0xFF ? '\0' : '\n') +
            bytes.substr(1);
  if (fd < 0 || ftruncate(fd, 0) != 0 ||
      pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
    std::abort();
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  int value = 12345;
  std::string why;
  const auto read = HighScoreFile::Read(path, value, why);
  if ((read != HighScoreFile::Reading::Value && value != 12345) ||
      (read == HighScoreFile::Reading::Unknown) == why.empty())
    std::abort();
  return 0;
}
