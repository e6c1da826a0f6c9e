// Preloaded into a program, fails with EIO the call named by QUENDAL_FAIL ("fsync" or "rename") on
// a file whose path holds "highScore.txt"; every other call goes through.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool Fails(const char* call, const char* path) {
  const char* chosen = std::getenv("QUENDAL_FAIL");
  return chosen != nullptr && std::strcmp(chosen, call) == 0 && std::strstr(path, "highScore.txt");
}

}  // namespace

extern "C" int fsync(int fd) {
  char link[64], path[4096] = "";
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  if (readlink(link, path, sizeof path - 1) > 0 && Fails("fsync", path))
    return errno = EIO, -1;
  return reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"))(fd);
}

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  if (Fails("rename", to))
    return errno = EIO, -1;
  using Renameat = int (*)(int, const char*, int, const char*);
  return reinterpret_cast<Renameat>(dlsym(RTLD_NEXT, "renameat"))(fromFolder, from, toFolder, to);
}
