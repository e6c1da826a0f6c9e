// Fuzzes the best-score reader on a file of arbitrary bytes: it must agree with the plain model.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/HighScoreReference.h"
#include "game/HighScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("highScore.txt", 0);
  if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
    std::abort();
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  int expected = 12345, value = 12345;
  const bool expectedRead =
      highscorereference::Expected(std::string(reinterpret_cast<const char*>(data), size), expected);
  const bool read = HighScoreFile::Read(path, value);
  if (read != expectedRead || value != (expectedRead ? expected : 12345)) {
    std::fprintf(stderr, "read %d value %d, expected %d value %d\n", read, value, expectedRead,
                 expected);
    std::abort();
  }
  return 0;
}
