// Mixing: three seconds of sound with 8 voices playing beside a memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "engine/audio/Mixer.h"

namespace bench {
namespace {

using quendal::Mixer;
using quendal::Sound;

constexpr int kVoices = 8;
constexpr int kBlock = 720;                         // one update's frames
constexpr int kBlocks = 3 * Sound::kRate / kBlock;  // three seconds

// Eight 10-second sounds of different shapes, so every voice plays through the three seconds.
const std::vector<Sound>& Sounds() {
  static const std::vector<Sound> sounds = [] {
    std::vector<Sound> made(kVoices);
    std::vector<int16_t> samples(Sound::kRate * 10);
    for (int voice = 0; voice < kVoices; ++voice) {
      for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((i * (voice + 3) * 97) % 60000 - 30000);
      made[voice].SetSamples(samples.data(), samples.size(), 1, Sound::kRate);
    }
    return made;
  }();
  return sounds;
}

void MixOurs(benchmark::State& state) {
  std::vector<int16_t> out(kBlock * Sound::kChannels);
  for (auto _ : state) {
    state.PauseTiming();
    Mixer mixer;
    for (const Sound& sound : Sounds())
      mixer.Play(sound, 0.5f);
    state.ResumeTiming();
    for (int block = 0; block < kBlocks; ++block) {
      mixer.Mix(out.data(), kBlock);
      benchmark::DoNotOptimize(out.data());
    }
  }
}

void MixMemcpy(benchmark::State& state) {
  const std::vector<int16_t>& from = *Sounds()[0].Shared();
  std::vector<int16_t> out(kBlock * Sound::kChannels);
  for (auto _ : state)
    for (int block = 0; block < kBlocks; ++block) {
      std::memcpy(out.data(), from.data() + block * out.size(), out.size() * sizeof out[0]);
      benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(MixOurs)->Name("Mix/8voices/ours");
BENCHMARK(MixMemcpy)->Name("Mix/8voices/memcpy");

}  // namespace
}  // namespace bench
