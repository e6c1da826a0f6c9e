// Reading the best score by the last-line rule and replacing the file without ever losing it.
#include "game/HighScoreFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/RegularFile.h"

namespace {

constexpr int kLineBuffer = 100;

// Writes all bytes, retrying short writes and interruptions.
bool WriteAll(int fd, const char* data, size_t length) {
  while (length > 0) {
    ssize_t written = ::write(fd, data, length);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    data += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

// The directory part of path ("." when it has none).
std::string DirectoryOf(const char* path) {
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr)
    return ".";
  if (slash == path)
    return "/";
  return std::string(path, static_cast<size_t>(slash - path));
}

}  // namespace

int HighScoreFile::ParseNumber(const char* text) {
  errno = 0;
  long value = std::strtol(text, nullptr, 10);
  if (value > INT_MAX)
    return INT_MAX;
  if (value < INT_MIN)
    return INT_MIN;
  return static_cast<int>(value);
}

bool HighScoreFile::ReadStream(std::FILE* stream, int& value) {
  char line[kLineBuffer] = {0};
  while (std::fgets(line, kLineBuffer, stream) != nullptr) {
  }
  if (line[0] == '\0')
    return false;
  value = ParseNumber(line);
  return true;
}

bool HighScoreFile::Read(const char* path, int& value) {
  std::FILE* stream = OpenRegularFile(path);
  if (stream == nullptr)
    return false;
  const bool read = ReadStream(stream, value);
  std::fclose(stream);
  return read;
}

void HighScoreFile::TemporaryName(const char* path, char* out, size_t size) {
  std::snprintf(out, size, "%s.tmp", path);
}

void HighScoreFile::RemoveStaleTemporary(const char* path) {
  char temporary[4096];
  TemporaryName(path, temporary, sizeof temporary);
  ::unlink(temporary);
}

bool HighScoreFile::Write(const char* path, int value) {
  char temporary[4096];
  TemporaryName(path, temporary, sizeof temporary);
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%d\n", value);
  // A fresh file of our own: whatever stood at the temporary name (a stale file, a link) goes.
  ::unlink(temporary);
  int fd = ::open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  bool written = WriteAll(fd, text, static_cast<size_t>(length)) && ::fsync(fd) == 0;
  written = (::close(fd) == 0) && written;
  if (!written || std::rename(temporary, path) != 0) {
    ::unlink(temporary);
    return false;
  }
  int directory = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    ::fsync(directory);
    ::close(directory);
  }
  return true;
}
