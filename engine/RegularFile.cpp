// Opening regular files only, without blocking on whatever else stands at the path.
#include "engine/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* OpenRegularFile(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return nullptr;
  struct stat info;
  std::FILE* stream = nullptr;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
    stream = ::fdopen(fd, "rb");
  if (stream == nullptr)
    ::close(fd);
  return stream;
}
