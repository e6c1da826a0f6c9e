// Fuzzes the best-score reader: from a stream and from a file, it must agree with the plain model.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/HighScoreReference.h"
#include "game/HighScoreFile.h"

namespace {

// A memory file the reader opens by name, rewritten for every input.
int MemoryFile() {
  static const int fd = memfd_create("highScore.txt", 0);
  return fd;
}

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "mismatch: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  int expected = 12345;
  const bool expectedRead = highscorereference::Expected(bytes, expected);

  if (size > 0) {
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "r");
    Check(stream != nullptr, "fmemopen");
    int value = 12345;
    const bool read = HighScoreFile::ReadStream(stream, value);
    std::fclose(stream);
    Check(read == expectedRead, "stream: read or not");
    Check(value == (expectedRead ? expected : 12345), "stream: value");
  }

  const int fd = MemoryFile();
  Check(fd >= 0 && ftruncate(fd, 0) == 0, "memfd");
  Check(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size), "memfd write");
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  int value = 12345;
  const bool read = HighScoreFile::Read(path, value);
  Check(read == expectedRead, "file: read or not");
  Check(value == (expectedRead ? expected : 12345), "file: value");
  return 0;
}
