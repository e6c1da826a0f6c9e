// A sound ready to play: 48 kHz stereo 16-bit frames, loaded from a WAV file or made by a game.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quendal {

// Copies share one set of frames; an empty sound plays as silence. The voices playing a sound keep
// its frames alive, so a sound may be replaced or destroyed while it plays.
class Sound {
 public:
  // The mixer's rate in frames per second, and its channels.
  static constexpr int kRate = 48000;
  static constexpr int kChannels = 2;

  // Reads a WAV file, only if it is a regular file of at most 16 MB (see DecodeWav for the rest).
  // False with a one-line reason in SDL_GetError, the sound left empty.
  bool Load(const char* path);
  // Takes samples a game made: `frames` frames of `channels` (1 or 2) interleaved samples at `rate`
  // Hz (8000 to 192000), at most 10 s. False with a one-line reason in SDL_GetError, the sound
  // left empty.
  bool SetSamples(const int16_t* samples, size_t frames, int channels, int rate);
  // Empties the sound.
  void Clear();

  // Frames at the mixer's rate.
  size_t Frames() const { return frames ? frames->size() / kChannels : 0; }
  // The interleaved stereo frames (2 * Frames() values); null when empty.
  const int16_t* Samples() const { return frames ? frames->data() : nullptr; }
  // The largest magnitude among the samples, 0 to 32768.
  int Peak() const { return peak; }
  // The frames as the voices hold them.
  const std::shared_ptr<const std::vector<int16_t>>& Shared() const { return frames; }

 private:
  std::shared_ptr<const std::vector<int16_t>> frames;
  int peak = 0;
};

}  // namespace quendal
