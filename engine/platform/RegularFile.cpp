// Finding data files in the working directory or beside the program, and opening regular files
// without blocking on whatever else stands at the path.
#include "engine/platform/RegularFile.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quendal {

namespace {

// The folder under share/ named by SetInstalledDataFolder; empty: none.
std::string installedData;

// Whether something (a file of any kind, even one that cannot be read) stands at the path.
bool Exists(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 || errno != ENOENT;
}

}  // namespace

int OpenRegularDescriptor(const char* path, std::string& why) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat info;
  int error = 0;
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    error = errno;
    why = std::strerror(error);
  } else if (S_ISREG(info.st_mode)) {
    return fd;
  } else {
    why = "not a regular file";
  }
  if (fd >= 0)
    ::close(fd);
  errno = error;
  return -1;
}

std::FILE* OpenRegularFile(const char* path) {
  std::string why;
  const int fd = OpenRegularDescriptor(path, why);
  std::FILE* stream = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
  if (stream != nullptr)
    return stream;
  const int error = errno;
  if (fd >= 0) {
    why = std::strerror(error);
    ::close(fd);
  }
  SDL_SetError("%s", why.c_str());
  errno = error;
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
  const std::string folders[] = {
      base, installedData.empty() ? "" : base + "../share/" + installedData + "/"};
  for (const std::string& folder : folders) {
    const std::string path = folder + name;
    if (!base.empty() && !folder.empty() && Exists(path.c_str()))
      return path;
  }
  return name;
}

void SetInstalledDataFolder(const char* folder) { installedData = folder; }

}  // namespace quendal
