// Fuzzes WAV decoding on arbitrary bytes: no crash, no leak, a one-line reason for a refusal, and
// an accepted sound within the limits, converted whole to the mixer's rate and mixed.
#include <cstdint>
#include <string>

#include "engine/audio/Mixer.h"
#include "engine/audio/WavDecoder.h"
#include "support/TestSupport.h"

using namespace quendal;

using testsupport::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedWav wav;
  std::string why;
  if (!DecodeWav(data, size, wav, why)) {
    Check(!why.empty() && why.find('\n') == std::string::npos, "a one-line reason");
    Check(wav.samples.empty(), "a refused file leaves no samples");
    return 0;
  }
  Check(wav.channels >= 1 && wav.channels <= kMaxSoundChannels, "channels");
  Check(wav.samples.size() % wav.channels == 0, "whole frames");
  const size_t frames = wav.samples.size() / wav.channels;
  Check(frames <= static_cast<size_t>(wav.rate) * kMaxSoundSeconds, "at most 10 s");
  Sound sound;
  Check(sound.SetSamples(wav.samples.data(), frames, wav.channels, wav.rate), "converted");
  Check(sound.Frames() == frames * Sound::kRate / wav.rate, "every frame at the mixer's rate");
  Mixer mixer;
  mixer.Play(sound, 1.0f);
  int16_t block[2 * 720];
  mixer.Mix(block, 720);
  return 0;
}
