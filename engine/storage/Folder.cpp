// Links followed to a file's folder, the folder's lock, and the temporary names written in it.
#include "engine/storage/Folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace quendal {

namespace {

constexpr int kLinkHops = 40;    // as many symbolic links as the system itself follows
constexpr int kLockTries = 300;  // 10 ms apart: a writer waits at most 3 s for another one
unsigned temporariesMade = 0;    // makes each temporary name its own in this process

std::string TemporaryName(const std::string& name, unsigned long process, unsigned long number) {
  return name + ".tmp." + std::to_string(process) + "." + std::to_string(number);
}

// True when entry is a temporary name of the file name, of any process.
bool IsTemporaryOf(const char* entry, const std::string& name) {
  const size_t prefix = name.size() + 5;
  unsigned long process = 0, number = 0;
  return std::strncmp(entry, (name + ".tmp.").c_str(), prefix) == 0 &&
         std::sscanf(entry + prefix, "%lu.%lu", &process, &number) == 2 &&
         TemporaryName(name, process, number) == entry;
}

// True when the temporary file is held by no live writer: each keeps a lock on its own.
bool IsAbandoned(int folder, const char* entry) {
  struct stat info;
  if (::fstatat(folder, entry, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
    return false;
  const int fd = ::openat(folder, entry, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  const bool abandoned = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  if (fd >= 0)
    ::close(fd);
  return abandoned;
}

}  // namespace

Folder::~Folder() {
  if (fd >= 0)
    ::close(fd);
}

bool Folder::Resolve(std::string& path, int& error) {
  for (int hop = 0; hop < kLinkHops; ++hop) {
    char target[4096];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length < 0) {
      error = errno;
      return error == EINVAL || error == ENOENT;
    }
    if (static_cast<size_t>(length) == sizeof target) {
      error = ENAMETOOLONG;
      return false;
    }
    const std::string next(target, static_cast<size_t>(length));
    path = next[0] == '/' ? next : DirectoryOf(path) + "/" + next;
  }
  error = ELOOP;
  return false;
}

std::string Folder::DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string Folder::NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool Folder::SameFile(const std::string& first, const std::string& second) {
  std::string a = first, b = second;
  int error = 0;
  if (!Resolve(a, error) || !Resolve(b, error))
    return false;
  struct stat x, y;
  const bool both = ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0;
  if (!both && (NameOf(a) != NameOf(b) || ::stat(DirectoryOf(a).c_str(), &x) != 0 ||
                ::stat(DirectoryOf(b).c_str(), &y) != 0))
    return false;
  return x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

std::string Folder::NewTemporaryName(const std::string& name) {
  return TemporaryName(name, static_cast<unsigned long>(::getpid()), ++temporariesMade);
}

bool Folder::Open(const std::string& path) {
  if (fd >= 0)
    ::close(fd);
  locked = false;
  fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  error = fd < 0 ? errno : 0;
  return fd >= 0;
}

bool Folder::Lock(bool wait) {
  for (int tries = 1; ::flock(fd, LOCK_EX | LOCK_NB) != 0; ++tries) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || tries >= (wait ? kLockTries : 1))
      return errno != EWOULDBLOCK;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  locked = true;
  return true;
}

void Folder::Unlock() {
  if (locked)
    ::flock(fd, LOCK_UN);
  locked = false;
}

void Folder::RemoveStale(const std::string& name) const {
  const int listing = locked ? ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
  DIR* entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
  if (entries == nullptr) {
    if (listing >= 0)
      ::close(listing);
    return;
  }
  while (const dirent* entry = ::readdir(entries))
    if (IsTemporaryOf(entry->d_name, name) && IsAbandoned(fd, entry->d_name))
      ::unlinkat(fd, entry->d_name, 0);
  ::closedir(entries);
}

}  // namespace quendal
