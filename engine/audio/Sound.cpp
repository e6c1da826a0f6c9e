// Loading sounds and bringing them to the mixer's rate and channels.
#include "engine/audio/Sound.h"

#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/audio/WavDecoder.h"
#include "engine/platform/RegularFile.h"

namespace quendal {

namespace {

bool Refuse(const std::string& why) {
  SDL_SetError("%s", why.c_str());
  return false;
}

// The whole regular file at path, read only when it is at most kMaxWavBytes long.
bool ReadSmallFile(const char* path, std::vector<uint8_t>& bytes) {
  std::string why;
  const int fd = OpenRegularDescriptor(path, why);
  if (fd < 0)
    return Refuse(why);
  struct stat info;
  if (::fstat(fd, &info) != 0)
    why = std::strerror(errno);
  else if (static_cast<uint64_t>(info.st_size) > kMaxWavBytes)
    why = "larger than 16 MB";
  // One byte more than fstat said is asked for, so a file that grew since is seen to have grown.
  bytes.resize(why.empty() ? static_cast<size_t>(info.st_size) + 1 : 0);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      why = std::strerror(errno);
    if (count <= 0)
      break;
    done += static_cast<size_t>(count);
  }
  ::close(fd);
  if (done > kMaxWavBytes)
    why = "larger than 16 MB";
  bytes.resize(done);
  return why.empty() || Refuse(why);
}

}  // namespace

bool Sound::Load(const char* path) {
  Clear();
  std::vector<uint8_t> bytes;
  if (!ReadSmallFile(path, bytes))
    return false;
  DecodedWav wav;
  std::string why;
  if (!DecodeWav(bytes.data(), bytes.size(), wav, why))
    return Refuse(why);
  return SetSamples(wav.samples.data(), wav.samples.size() / wav.channels, wav.channels, wav.rate);
}

bool Sound::SetSamples(const int16_t* samples, size_t count, int channels, int rate) {
  Clear();
  std::string why;
  if (!SoundShapeAllowed(channels, rate, count, why))
    return Refuse(why);
  // Linear interpolation between neighbouring frames, on exact integer positions.
  const size_t outFrames = static_cast<size_t>(uint64_t{count} * kRate / rate);
  auto converted = std::make_shared<std::vector<int16_t>>(outFrames * kChannels);
  for (size_t i = 0; i < outFrames; ++i) {
    const uint64_t position = uint64_t{i} * rate;
    const size_t from = static_cast<size_t>(position / kRate);
    const int64_t part = static_cast<int64_t>(position % kRate);
    const size_t to = from + 1 < count ? from + 1 : from;
    for (int c = 0; c < kChannels; ++c) {
      const int channel = c < channels ? c : 0;
      const int64_t a = samples[from * channels + channel];
      const int64_t b = samples[to * channels + channel];
      const int16_t value = static_cast<int16_t>(a + (b - a) * part / kRate);
      (*converted)[i * kChannels + c] = value;
      peak = std::max(peak, std::abs(int{value}));
    }
  }
  frames = std::move(converted);
  return true;
}

void Sound::Clear() {
  frames.reset();
  peak = 0;
}

}  // namespace quendal
