// Reading WAV files: PCM of 8, 16, 24 or 32 bits and IEEE float, refusing anything else.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quendal {

// A WAV file's sound as 16-bit samples (interleaved when stereo) at the file's own rate.
struct DecodedWav {
  int channels = 0;
  int rate = 0;
  std::vector<int16_t> samples;
};

// The largest WAV file read, in bytes, and the longest sound, in seconds.
constexpr size_t kMaxWavBytes = 16u << 20;
constexpr int kMaxSoundSeconds = 10;
// The sample rates and channel counts a sound may have.
constexpr int kMinSoundRate = 8000;
constexpr int kMaxSoundRate = 192000;
constexpr int kMaxSoundChannels = 2;

// Whether a sound of that shape is within the limits above; if not, a one-line reason in why.
bool SoundShapeAllowed(int channels, int64_t rate, uint64_t frames, std::string& why);

// Decodes a whole WAV file held in memory. Every chunk must lie inside the data given; the format
// must be PCM (8, 16, 24 or 32 bits) or IEEE float (32 or 64 bits), plain or extensible, of a shape
// SoundShapeAllowed accepts. A trailing partial frame is dropped. False with a one-line reason in
// why (wav left empty).
bool DecodeWav(const uint8_t* data, size_t size, DecodedWav& wav, std::string& why);

}  // namespace quendal
