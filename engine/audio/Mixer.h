// The engine's mixer: a fixed set of voices summed with per-voice and master volume, saturating.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/audio/Sound.h"

namespace quendal {

// Integer arithmetic throughout, so the same calls give the same samples on every machine. Mix
// never allocates or locks; it releases a sound's frames when its last voice ends and the game
// holds them no more.
class Mixer {
 public:
  static constexpr int kVoices = 16;
  // Volumes are stored as gains out of kUnity.
  static constexpr int kUnity = 1 << 16;

  // Starts the sound at volume 0..1 (clamped) from the first frame of the next Mix. With every
  // voice busy it takes the quietest voice (the oldest among equals) when the new sound is at
  // least as loud, where loudness is the volume times the sound's peak; otherwise it is dropped.
  // An empty sound or a volume of 0 starts nothing.
  void Play(const Sound& sound, float volume);
  // Silences every voice.
  void StopAll();
  // The volume applied to the sum, 0..1 (clamped); 1 at first.
  void SetMasterVolume(float volume);
  // Writes the next `frames` stereo frames (2 * frames values) and moves every voice on by as
  // many; a sum beyond 16 bits is held at the nearest limit. Below unity a voice's gain with the
  // master volume counts in 15 bits.
  void Mix(int16_t* out, int frames);
  // The voices still playing.
  int ActiveVoices() const;

 private:
  struct Voice {
    std::shared_ptr<const std::vector<int16_t>> samples;
    size_t position = 0;  // the next sample value to mix
    int gain = 0;
    int64_t loudness = 0;
    uint64_t started = 0;
  };
  // Frames summed at a time into the accumulator.
  static constexpr int kChunkFrames = 512;

  static int Gain(float volume);
  // Adds count samples at a gain out of kUnity (master volume included) to the sum.
  void AddVoice(const int16_t* from, size_t count, int gain);

  std::array<Voice, kVoices> voices;
  std::array<int32_t, kChunkFrames * Sound::kChannels> sum{};
  int masterGain = kUnity;
  uint64_t starts = 0;
};

}  // namespace quendal
