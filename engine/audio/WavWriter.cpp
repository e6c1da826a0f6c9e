// Streaming 16-bit PCM WAV files through an output file put in place when complete.
#include "engine/audio/WavWriter.h"

#include <SDL_endian.h>

#include <algorithm>
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

bool WavWriter::Fail(const std::string& reason) {
  if (error.empty())
    error = reason;
  return false;
}

bool WavWriter::Open(const char* path, int channels, int rate) {
  error.clear();
  dataBytes = 0;
  if (!file.Open(path))
    return false;
  uint8_t header[kHeaderBytes] = {'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                                  'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
  Put16(header + 20, 1);
  Put16(header + 22, static_cast<unsigned>(channels));
  Put32(header + 24, static_cast<uint32_t>(rate));
  Put32(header + 28, static_cast<uint32_t>(rate * channels * 2));
  Put16(header + 32, static_cast<unsigned>(channels * 2));
  Put16(header + 34, 16);
  std::memcpy(header + 36, "data", 4);
  return file.Write(header, kHeaderBytes);
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
    if (!file.Write(little, part * 2))
      return false;
    done += part;
  }
  dataBytes += count * 2;
  return true;
}

bool WavWriter::Finish() {
  if (!file.IsOpen())
    return Fail("not open");
  uint8_t size[4];
  Put32(size, static_cast<uint32_t>(dataBytes + 36));
  bool written = IsOpen() && file.WriteAt(4, size, 4);
  Put32(size, static_cast<uint32_t>(dataBytes));
  written = written && file.WriteAt(40, size, 4);
  if (!written) {
    file.Abandon();
    return false;
  }
  return file.Commit();
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
