// Reading the best score from the file's tail and replacing the file without ever losing it.
#include "game/HighScoreFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "engine/platform/RegularFile.h"

namespace {

constexpr int kLinkHops = 40;    // as many symbolic links as the system itself follows
constexpr int kLockTries = 300;  // 10 ms apart: a save waits at most 3 s for another one
constexpr int kNameTries = 100;  // temporary names tried when one is taken
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
unsigned savesStarted = 0;  // makes each save's temporary name its own in this process

bool IsLineEnd(char c) { return c == '\n' || c == '\0'; }
bool IsBlank(char c) { return c == '\0' || c == ' ' || (c >= '\t' && c <= '\r'); }

// Writes all bytes at offset, retrying short writes and interruptions.
bool WriteAll(int fd, const char* data, size_t length, off_t offset) {
  while (length > 0) {
    const ssize_t written = ::pwrite(fd, data, length, offset);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    data += written;
    length -= static_cast<size_t>(written);
    offset += written;
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The temporary name of a save: "<name>.tmp.<process>.<save>".
std::string TemporaryName(const std::string& name, unsigned long process, unsigned long save) {
  return name + ".tmp." + std::to_string(process) + "." + std::to_string(save);
}

// True when entry is a temporary name of the file name, of any process.
bool IsTemporaryOf(const char* entry, const std::string& name) {
  const size_t prefix = name.size() + 5;
  unsigned long process = 0, save = 0;
  return std::strncmp(entry, (name + ".tmp.").c_str(), prefix) == 0 &&
         std::sscanf(entry + prefix, "%lu.%lu", &process, &save) == 2 &&
         TemporaryName(name, process, save) == entry;
}

// Follows symbolic links from path to the file they finally name, which may not exist yet.
bool Resolve(std::string& path, int& error) {
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

// The folder of a record, open for the calls relative to it and locked against other games for
// as long as it lives. Where locks are not supported the folder is used unlocked.
class Folder {
 public:
  explicit Folder(const std::string& path) {
    fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
      fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    error = errno;
    for (int tries = 1; fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0; ++tries) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || tries == kLockTries) {
        busy = errno == EWOULDBLOCK;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    locked = fd >= 0;
  }
  ~Folder() {
    if (fd >= 0)
      ::close(fd);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  // Removes the temporary files of name left by dead saves: under the lock no live save has one.
  void RemoveStale(const std::string& name) const {
    const int listing = locked ? ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    DIR* entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (entries == nullptr) {
      if (listing >= 0)
        ::close(listing);
      return;
    }
    struct stat info;
    while (const dirent* entry = ::readdir(entries))
      if (IsTemporaryOf(entry->d_name, name) &&
          ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
        ::unlinkat(fd, entry->d_name, 0);
    ::closedir(entries);
  }

  int fd = -1;
  int error = 0;
  bool locked = false;
  bool busy = false;  // another game held the lock for too long
};

// The value atoi would give for the text, clamped to the int range instead of overflowing.
int ParseNumber(const char* text) {
  const long value = std::strtol(text, nullptr, 10);
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// The reading rule over the last bytes of a file (atStart: they start the file).
HighScoreFile::Reading ReadTail(const char* bytes, size_t size, bool atStart, int& value) {
  using Reading = HighScoreFile::Reading;
  const char* begin = bytes;
  const char* end = bytes + size;
  if (!atStart) {
    while (begin < end && !IsLineEnd(*begin))
      ++begin;
    begin += begin < end ? 1 : 0;
  } else if (size >= 3 && std::memcmp(bytes, kByteOrderMark, 3) == 0) {
    begin += 3;
  }
  while (end > begin && IsBlank(end[-1]))
    --end;
  if (end == begin)
    return atStart ? Reading::None : Reading::Unknown;
  const char* line = end;
  while (line > begin && !IsLineEnd(line[-1]))
    --line;
  while (IsBlank(*line))
    ++line;
  value = ParseNumber(std::string(line, end).c_str());
  return Reading::Value;
}

bool Failed(std::string& why, int error) {
  why = std::strerror(error);
  return false;
}

// Rewrites the file where it stands, for a folder that takes no new file: the new line first, then
// the cut, so an interruption leaves the old value or the new one at the file's start.
bool WriteInPlace(const Folder& folder, const std::string& name, const std::string& text) {
  const int fd = ::openat(folder.fd, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return false;
  const bool written = WriteAll(fd, text.data(), text.size(), 0) &&
                       ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fsync(fd) == 0;
  return ::close(fd) == 0 && written;
}

// Replaces the record named by path (through its links) with value if value beats it; see Save.
bool Replace(const std::string& path, int value, std::string& why, bool& inPlace) {
  std::string target = path;
  int error = 0;
  if (!Resolve(target, error))
    return Failed(why, error);
  const std::string name = NameOf(target);
  const Folder folder(DirectoryOf(target));
  if (folder.fd < 0)
    return Failed(why, folder.error);
  if (folder.busy) {
    why = "another game kept it locked";
    return false;
  }
  int current = 0;
  const HighScoreFile::Reading reading = HighScoreFile::Read(target.c_str(), current, why);
  if (reading == HighScoreFile::Reading::Unknown)
    return false;
  if (reading == HighScoreFile::Reading::Value && current >= value)
    return true;
  const std::string text = std::to_string(value) + "\n";
  struct stat old;
  const bool exists = ::fstatat(folder.fd, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < kNameTries; ++attempt) {
    temporary = TemporaryName(name, static_cast<unsigned long>(::getpid()), ++savesStarted);
    fd = ::openat(folder.fd, temporary.c_str(),
                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST)
      break;
  }
  if (fd < 0) {
    const int cause = errno;
    Failed(why, cause);
    inPlace =
        (cause == EACCES || cause == EPERM || cause == EROFS) && WriteInPlace(folder, name, text);
    return inPlace;
  }
  const bool kept = !exists || ((::fchown(fd, old.st_uid, old.st_gid) == 0 || errno == EPERM) &&
                                ::fchmod(fd, old.st_mode & 07777) == 0);
  bool written = kept && WriteAll(fd, text.data(), text.size(), 0) && ::fsync(fd) == 0;
  error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::renameat(folder.fd, temporary.c_str(), folder.fd, name.c_str()) == 0) {
    ::fsync(folder.fd);
    return true;
  }
  if (written)
    error = errno;
  ::unlinkat(folder.fd, temporary.c_str(), 0);
  return Failed(why, error);
}

}  // namespace

HighScoreFile::Reading HighScoreFile::Read(const char* path, int& value, std::string& why) {
  const int fd = quendal::OpenRegularDescriptor(path, why);
  if (fd < 0)
    return errno == ENOENT ? Reading::None : Reading::Unknown;
  const off_t size = ::lseek(fd, 0, SEEK_END);
  const off_t start = std::max<off_t>(size - static_cast<off_t>(kTailBytes), 0);
  std::string tail(size > 0 ? static_cast<size_t>(size - start) : 0, '\0');
  ssize_t read = size < 0 ? -1 : 1;
  size_t got = 0;
  while (read > 0 && got < tail.size()) {
    read = ::pread(fd, &tail[got], tail.size() - got, start + static_cast<off_t>(got));
    if (read > 0)
      got += static_cast<size_t>(read);
    else if (read < 0 && errno == EINTR)
      read = 1;
  }
  const int cause = errno;
  ::close(fd);
  if (read < 0) {
    Failed(why, cause);
    return Reading::Unknown;
  }
  const Reading reading = ReadTail(tail.data(), got, start == 0, value);
  if (reading == Reading::Unknown)
    why = "no line starts in its last " + std::to_string(kTailBytes) + " bytes";
  return reading;
}

void HighScoreFile::Load(int& value) {
  std::string target = path;
  int error = 0;
  if (Resolve(target, error))
    Folder(DirectoryOf(target)).RemoveStale(NameOf(target));
  std::string why;
  if (Read(path.c_str(), value, why) == Reading::Unknown) {
    known = false;
    Say("best score not read: " + why);
  }
}

bool HighScoreFile::Save(int value) {
  if (!known)
    return false;
  std::string why;
  bool inPlace = false;
  const std::string what = "best score " + std::to_string(value);
  if (!Replace(path, value, why, inPlace)) {
    Say(what + " not saved: " + why);
    return false;
  }
  if (inPlace)
    Say(what + " written in place, the folder takes no new file: " + why);
  return true;
}

void HighScoreFile::Say(const std::string& text) {
  if (text == said)
    return;
  said = text;
  std::fprintf(stderr, "%s: %s\n", path.c_str(), text.c_str());
}
