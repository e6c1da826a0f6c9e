// Preloaded into a program, fails one system call with EIO: fsync of a file whose path holds
// QUENDAL_FAIL_NAME when QUENDAL_FAIL_CALL is "fsync", or renameat onto such a name when it is
// "rename". Every other call goes through.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool Chosen(const char* call, const char* path) {
  const char* wanted = std::getenv("QUENDAL_FAIL_CALL");
  const char* part = std::getenv("QUENDAL_FAIL_NAME");
  return wanted != nullptr && part != nullptr && std::strcmp(wanted, call) == 0 &&
         std::strstr(path, part) != nullptr;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
  char link[64], path[4096] = "";
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, path, sizeof path - 1);
  if (length > 0 && Chosen("fsync", path)) {
    errno = EIO;
    return -1;
  }
  return Next<int (*)(int)>("fsync")(fd);
}

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  if (Chosen("rename", to)) {
    errno = EIO;
    return -1;
  }
  return Next<int (*)(int, const char*, int, const char*)>("renameat")(fromFolder, from, toFolder,
                                                                       to);
}
