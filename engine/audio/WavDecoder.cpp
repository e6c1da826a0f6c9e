// Walking a WAV file's chunks and converting its samples to 16 bits, refusing what is not sound.
#include "engine/audio/WavDecoder.h"

#include <cmath>
#include <cstring>

namespace quendal {

namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kFloat = 3;
constexpr uint16_t kExtensible = 0xFFFE;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }

// A chunk's four-letter name as text, anything unprintable shown as '?'.
std::string NameOf(const uint8_t* id) {
  std::string name = "'";
  for (int i = 0; i < 4; ++i)
    name += id[i] >= 0x20 && id[i] < 0x7F ? static_cast<char>(id[i]) : '?';
  return name + "'";
}

bool Refuse(std::string& why, const std::string& reason) {
  why = reason;
  return false;
}

// One sample of `bytes` bytes in the given encoding as a 16-bit value: integers keep their top
// 16 bits, floats are clamped to -1..1 and rounded.
int16_t ToSixteen(const uint8_t* p, int bytes, bool isFloat) {
  if (isFloat) {
    double value = 0.0;
    if (bytes == 4) {
      float single;
      const uint32_t bits = U32(p);
      std::memcpy(&single, &bits, 4);
      value = single;
    } else {
      const uint64_t bits = U32(p) | static_cast<uint64_t>(U32(p + 4)) << 32;
      std::memcpy(&value, &bits, 8);
    }
    if (!(value > -1.0))  // NaN too
      return value != value ? 0 : -32767;
    return static_cast<int16_t>(std::lround((value < 1.0 ? value : 1.0) * 32767.0));
  }
  if (bytes == 1)
    return static_cast<int16_t>((p[0] - 128) * 256);
  return static_cast<int16_t>(U16(p + bytes - 2));
}

}  // namespace

bool SoundShapeAllowed(int channels, int64_t rate, uint64_t frames, std::string& why) {
  if (channels < 1 || channels > kMaxSoundChannels)
    return Refuse(why, std::to_string(channels) + " channels (1 or 2 supported)");
  if (rate < kMinSoundRate || rate > kMaxSoundRate)
    return Refuse(why, "sample rate " + std::to_string(rate) + " Hz (" +
                           std::to_string(kMinSoundRate) + " to " + std::to_string(kMaxSoundRate) +
                           " supported)");
  if (frames > static_cast<uint64_t>(rate) * kMaxSoundSeconds)
    return Refuse(why, "longer than " + std::to_string(kMaxSoundSeconds) + " s");
  return true;
}

bool DecodeWav(const uint8_t* data, size_t size, DecodedWav& wav, std::string& why) {
  wav = DecodedWav();
  if (size < 12)
    return Refuse(why, "truncated header");
  if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
    return Refuse(why, "not a WAV file");
  if (U32(data + 4) > size - 8)
    return Refuse(why, "chunk 'RIFF' longer than the file");
  const size_t end = 8 + U32(data + 4);
  const uint8_t* format = nullptr;
  size_t formatBytes = 0;
  const uint8_t* samples = nullptr;
  size_t sampleBytes = 0;
  for (size_t at = 12; at < end;) {
    if (end - at < 8)
      return Refuse(why, "truncated chunk header");
    const size_t length = U32(data + at + 4);
    if (length > end - at - 8)
      return Refuse(why, "chunk " + NameOf(data + at) + " longer than the file");
    if (std::memcmp(data + at, "fmt ", 4) == 0) {
      if (length < 16)
        return Refuse(why, "chunk 'fmt ' too short");
      format = data + at + 8;
      formatBytes = length;
    } else if (std::memcmp(data + at, "data", 4) == 0) {
      samples = data + at + 8;
      sampleBytes = length;
    }
    at += 8 + length + (length & 1);
  }
  if (format == nullptr)
    return Refuse(why, "no 'fmt ' chunk");
  if (samples == nullptr)
    return Refuse(why, "no 'data' chunk");
  uint16_t encoding = U16(format);
  const int channels = U16(format + 2);
  const uint32_t rate = U32(format + 4);
  const int blockSize = U16(format + 12);
  const int bits = U16(format + 14);
  // The extensible header names the encoding again in its sub-format's first two bytes.
  if (encoding == kExtensible)
    encoding = formatBytes >= 40 && U16(format + 16) >= 22 ? U16(format + 24) : 0;
  if (encoding != kPcm && encoding != kFloat)
    return Refuse(
        why, "unsupported encoding " + std::to_string(encoding) + " (PCM and IEEE float only)");
  const bool supported = encoding == kPcm ? bits == 8 || bits == 16 || bits == 24 || bits == 32
                                          : bits == 32 || bits == 64;
  if (!supported)
    return Refuse(why, "unsupported " + std::to_string(bits) + "-bit samples");
  if (!SoundShapeAllowed(channels, rate, 0, why))
    return false;
  const int bytes = bits / 8;
  if (blockSize != channels * bytes)
    return Refuse(why, "frame size " + std::to_string(blockSize) + " where " +
                           std::to_string(channels * bytes) + " was expected");
  const uint64_t frames = sampleBytes / blockSize;
  if (!SoundShapeAllowed(channels, rate, frames, why))
    return false;
  wav.channels = channels;
  wav.rate = static_cast<int>(rate);
  wav.samples.resize(static_cast<size_t>(frames) * channels);
  for (size_t i = 0; i < wav.samples.size(); ++i)
    wav.samples[i] = ToSixteen(samples + i * bytes, bytes, encoding == kFloat);
  return true;
}

}  // namespace quendal
