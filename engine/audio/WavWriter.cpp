// Streaming 16-bit PCM WAV files to a temporary name and renaming them into place when complete.
#include "engine/audio/WavWriter.h"

#include <SDL_endian.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quendal {

namespace {

constexpr size_t kHeaderBytes = 44;
// The data chunk's size must leave the RIFF size, 36 bytes more, within 32 bits.
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFu - 36;

void Put16(uint8_t* at, unsigned value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
void Put32(uint8_t* at, uint32_t value) {
  Put16(at, value & 0xFFFF);
  Put16(at + 2, value >> 16);
}

}  // namespace

WavWriter::~WavWriter() { Discard(); }

bool WavWriter::Fail(const std::string& reason) {
  if (error.empty())
    error = reason;
  return false;
}

void WavWriter::Discard() {
  if (file != nullptr) {
    std::fclose(file);
    std::remove(temporary.c_str());
  }
  file = nullptr;
}

bool WavWriter::Open(const char* path, int channels, int rate) {
  Discard();
  error.clear();
  dataBytes = 0;
  struct stat info;
  if (::stat(path, &info) == 0 && !S_ISREG(info.st_mode))
    return Fail("not a regular file");
  target = path;
  // Beside the target, so the rename stays on one file system; created as any new file would be.
  temporary = target + "." + std::to_string(::getpid()) + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0)
    return Fail(std::strerror(errno));
  file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    const int reason = errno;
    ::close(fd);
    std::remove(temporary.c_str());
    return Fail(std::strerror(reason));
  }
  uint8_t header[kHeaderBytes] = {'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                                  'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
  Put16(header + 20, 1);
  Put16(header + 22, static_cast<unsigned>(channels));
  Put32(header + 24, static_cast<uint32_t>(rate));
  Put32(header + 28, static_cast<uint32_t>(rate * channels * 2));
  Put16(header + 32, static_cast<unsigned>(channels * 2));
  Put16(header + 34, 16);
  std::memcpy(header + 36, "data", 4);
  return std::fwrite(header, 1, kHeaderBytes, file) == kHeaderBytes || Fail(std::strerror(errno));
}

bool WavWriter::Append(const int16_t* samples, size_t count) {
  if (!IsOpen())
    return false;
  if (dataBytes + count * 2 > kMaxDataBytes)
    return Fail("longer than a WAV file can hold");
  int16_t little[512];
  for (size_t done = 0; done < count;) {
    const size_t part = std::min(count - done, sizeof little / sizeof little[0]);
    for (size_t i = 0; i < part; ++i)
      little[i] = static_cast<int16_t>(SDL_SwapLE16(static_cast<uint16_t>(samples[done + i])));
    if (std::fwrite(little, 2, part, file) != part)
      return Fail(std::strerror(errno));
    done += part;
  }
  dataBytes += count * 2;
  return true;
}

bool WavWriter::Finish() {
  if (file == nullptr)
    return Fail("not open");
  uint8_t size[4];
  Put32(size, static_cast<uint32_t>(dataBytes + 36));
  bool written =
      IsOpen() && std::fseek(file, 4, SEEK_SET) == 0 && std::fwrite(size, 1, 4, file) == 4;
  Put32(size, static_cast<uint32_t>(dataBytes));
  written = written && std::fseek(file, 40, SEEK_SET) == 0 && std::fwrite(size, 1, 4, file) == 4 &&
            std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
  if (!written)
    Fail(std::strerror(errno));
  const bool closed = std::fclose(file) == 0;
  file = nullptr;
  if (written && !closed)
    Fail(std::strerror(errno));
  if (written && closed && std::rename(temporary.c_str(), target.c_str()) != 0)
    Fail(std::strerror(errno));
  if (!error.empty())
    std::remove(temporary.c_str());
  return error.empty();
}

bool WavWriter::WriteFile(const char* path, const int16_t* samples, size_t count, int channels,
                          int rate, std::string& why) {
  WavWriter writer;
  const bool written =
      writer.Open(path, channels, rate) && writer.Append(samples, count) && writer.Finish();
  why = writer.Error();
  return written;
}

}  // namespace quendal
