// Writing a file under a temporary name beside it and renaming it into place once complete.
#include "engine/storage/OutputFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace quendal {

namespace {

constexpr int kNameTries = 100;         // temporary names tried when one is taken
constexpr size_t kBufferBytes = 65536;  // bytes gathered before they are handed to the system

// Writes all bytes at offset, retrying short writes and interruptions; false with errno set.
bool WriteAll(int fd, const char* data, size_t length, off_t offset) {
  while (length > 0) {
    const ssize_t written = ::pwrite(fd, data, length, offset);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0) {
      errno = written == 0 ? EIO : errno;
      return false;
    }
    data += written;
    length -= static_cast<size_t>(written);
    offset += written;
  }
  return true;
}

}  // namespace

OutputFile::~OutputFile() { Abandon(); }

void OutputFile::IgnoreSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

bool OutputFile::WriteInPlace(const Folder& folder, const std::string& name,
                              const std::string& text) {
  const int file =
      ::openat(folder.Descriptor(), name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (file < 0)
    return false;
  const bool written = WriteAll(file, text.data(), text.size(), 0) &&
                       ::ftruncate(file, static_cast<off_t>(text.size())) == 0 &&
                       ::fsync(file) == 0;
  return ::close(file) == 0 && written;
}

bool OutputFile::Open(const std::string& target) {
  Abandon();
  path = target;
  error = 0;
  why.clear();
  std::string resolved = target;
  int number = 0;
  if (!Folder::Resolve(resolved, number))
    return Fail(number);
  struct stat info;
  if (::stat(resolved.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode))
      return Fail(0, "not a regular file");
    if (::access(resolved.c_str(), W_OK) != 0)
      return Fail(errno);
  } else if (errno != ENOENT) {
    return Fail(errno);
  }
  if (!ownFolder.Open(Folder::DirectoryOf(resolved)))
    return Fail(ownFolder.Error());
  if (!ownFolder.Lock())
    return Fail(0, "another program kept its folder locked");
  ownFolder.RemoveStale(Folder::NameOf(resolved));
  const bool opened = OpenIn(ownFolder, Folder::NameOf(resolved));
  ownFolder.Unlock();
  return opened;
}

bool OutputFile::OpenIn(const Folder& in, const std::string& target) {
  Abandon();
  error = 0;
  why.clear();
  IgnoreSizeLimitSignal();
  struct stat old;
  const bool exists = ::fstatat(in.Descriptor(), target.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && !S_ISREG(old.st_mode))
    return Fail(0, "not a regular file");
  for (int attempt = 0; fd < 0 && attempt < kNameTries; ++attempt) {
    temporary = Folder::NewTemporaryName(target);
    fd = ::openat(in.Descriptor(), temporary.c_str(),
                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST)
      break;
  }
  if (fd < 0) {
    const int cause = errno;
    temporary.clear();
    return Fail(cause);
  }
  // The lock tells the removal of stale temporary files that a live writer holds this one.
  ::flock(fd, LOCK_EX | LOCK_NB);
  folder = &in;
  name = target;
  offset = 0;
  return true;
}

bool OutputFile::Write(const void* data, size_t size) {
  if (fd < 0 || !why.empty())
    return false;
  buffer.append(static_cast<const char*>(data), size);
  return buffer.size() < kBufferBytes || Flush();
}

bool OutputFile::Flush() {
  if (fd < 0 || !why.empty())
    return false;
  const bool written = WriteAll(fd, buffer.data(), buffer.size(), offset);
  offset += static_cast<off_t>(buffer.size());
  buffer.clear();
  return written || Fail(errno);
}

bool OutputFile::WriteAt(off_t at, const void* data, size_t size) {
  if (!Flush())
    return false;
  if (at < 0 || at + static_cast<off_t>(size) > offset)
    return Fail(0, "written past the end");
  return WriteAll(fd, static_cast<const char*>(data), size, at) || Fail(errno);
}

bool OutputFile::Commit() {
  if (fd < 0)
    return false;
  Flush();
  const int at = folder->Descriptor();
  struct stat old;
  if (why.empty() && ::fstatat(at, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
      !((::fchown(fd, old.st_uid, old.st_gid) == 0 || errno == EPERM) &&
        ::fchmod(fd, old.st_mode & 07777) == 0))
    Fail(errno);
  if (why.empty() && ::fsync(fd) != 0)
    Fail(errno);
  if (::close(fd) != 0)
    Fail(errno);
  fd = -1;
  if (why.empty() && ::renameat(at, temporary.c_str(), at, name.c_str()) != 0)
    Fail(errno);
  if (!why.empty()) {
    Abandon();
    return false;
  }
  ::fsync(at);
  temporary.clear();
  folder = nullptr;
  return true;
}

void OutputFile::Abandon() {
  if (fd >= 0)
    ::close(fd);
  fd = -1;
  if (folder != nullptr && !temporary.empty())
    ::unlinkat(folder->Descriptor(), temporary.c_str(), 0);
  temporary.clear();
  buffer.clear();
  folder = nullptr;
}

bool OutputFile::Fail(int number, const char* text) {
  if (why.empty()) {
    error = number;
    why = text != nullptr ? text : std::strerror(number);
  }
  return false;
}

}  // namespace quendal
