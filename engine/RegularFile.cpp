// Finding data files in the working directory or beside the program, and opening regular files
// without blocking on whatever else stands at the path.
#include "engine/RegularFile.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Records the reason for SDL_GetError() without disturbing errno.
std::FILE* Refuse(const char* reason) {
  const int error = errno;
  SDL_SetError("%s", reason);
  errno = error;
  return nullptr;
}

// Whether something (a file of any kind, even one that cannot be read) stands at the path.
bool Exists(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 || errno != ENOENT;
}

}  // namespace

std::FILE* OpenRegularFile(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return Refuse(std::strerror(errno));
  struct stat info;
  const char* reason = nullptr;
  std::FILE* stream = nullptr;
  if (::fstat(fd, &info) != 0)
    reason = std::strerror(errno);
  else if (!S_ISREG(info.st_mode))
    reason = "not a regular file";
  else if ((stream = ::fdopen(fd, "rb")) == nullptr)
    reason = std::strerror(errno);
  if (stream != nullptr)
    return stream;
  Refuse(reason);
  ::close(fd);
  return nullptr;
}

std::string FindDataFile(const char* name) {
  if (name[0] == '/' || Exists(name))
    return name;
  static const std::string base = [] {
    char* path = SDL_GetBasePath();
    const std::string text = path != nullptr ? path : "";
    SDL_free(path);
    return text;
  }();
  const std::string beside = base + name;
  return !base.empty() && Exists(beside.c_str()) ? beside : name;
}
