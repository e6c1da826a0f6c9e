// Summing voices into 16-bit stereo frames: voice choice, gains and saturation.
#include "engine/audio/Mixer.h"

#include <algorithm>
#include <cmath>

namespace quendal {

int Mixer::Gain(float volume) {
  if (!(volume > 0.0f))
    return 0;
  return volume >= 1.0f ? kUnity : static_cast<int>(std::lround(volume * kUnity));
}

void Mixer::Play(const Sound& sound, float volume) {
  const int gain = Gain(volume);
  if (sound.Frames() == 0 || gain == 0)
    return;
  const int64_t loudness = int64_t{gain} * sound.Peak();
  Voice* chosen = &voices[0];
  for (Voice& voice : voices) {
    if (!voice.samples) {
      chosen = &voice;
      break;
    }
    if (voice.loudness < chosen->loudness ||
        (voice.loudness == chosen->loudness && voice.started < chosen->started))
      chosen = &voice;
  }
  if (chosen->samples && chosen->loudness > loudness)
    return;
  *chosen = Voice{sound.Shared(), 0, gain, loudness, ++starts};
}

void Mixer::StopAll() {
  for (Voice& voice : voices)
    voice = Voice();
}

void Mixer::SetMasterVolume(float volume) { masterGain = Gain(volume); }

void Mixer::Mix(int16_t* out, int frames) {
  while (frames > 0) {
    const int chunk = std::min(frames, kChunkFrames);
    const size_t values = static_cast<size_t>(chunk) * Sound::kChannels;
    bool silent = true;
    for (Voice& voice : voices) {
      if (!voice.samples)
        continue;
      if (silent)
        std::fill_n(sum.begin(), values, 0);
      silent = false;
      const size_t count = std::min(values, voice.samples->size() - voice.position);
      AddVoice(voice.samples->data() + voice.position, count,
               static_cast<int>(int64_t{voice.gain} * masterGain >> 16));
      voice.position += count;
      if (voice.position == voice.samples->size())
        voice = Voice();
    }
    if (silent) {
      std::fill_n(out, values, 0);
    } else {
      for (size_t i = 0; i < values; ++i)
        out[i] = static_cast<int16_t>(std::clamp(sum[i], -32768, 32767));
    }
    out += values;
    frames -= chunk;
  }
}

void Mixer::AddVoice(const int16_t* from, size_t count, int gain) {
  int32_t* to = sum.data();
  if (gain == kUnity) {
    for (size_t i = 0; i < count; ++i)
      to[i] += from[i];
    return;
  }
  // Below unity the gain fits 15 bits, so each product is one 16 x 16-bit multiply.
  const int16_t gain15 = static_cast<int16_t>(gain >> 1);
  for (size_t i = 0; i < count; ++i)
    to[i] += (from[i] * gain15) >> 15;
}

int Mixer::ActiveVoices() const {
  return static_cast<int>(std::count_if(voices.begin(), voices.end(),
                                        [](const Voice& v) { return v.samples != nullptr; }));
}

}  // namespace quendal
