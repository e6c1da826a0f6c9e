// Mixing: one second of sound with 8 voices playing beside a memcpy of the voices' bytes and one
// of the mix's bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/audio/Mixer.h"

namespace bench {
namespace {

using quendal::Mixer;
using quendal::Sound;

constexpr int kVoices = 8;
constexpr int kBlock = 720;  // one update's frames
// The sounds' length: ten updates, as short as a game's own sounds, so they stay in the cache.
constexpr int kSoundFrames = 10 * kBlock;

// Eight sounds of different shapes, all started again each time they end, so eight voices play
// through the whole second.
const std::vector<Sound>& Sounds() {
  static const std::vector<Sound> sounds = [] {
    std::vector<Sound> made(kVoices);
    std::vector<int16_t> samples(kSoundFrames);
    for (int voice = 0; voice < kVoices; ++voice) {
      for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((i * (voice + 3) * 97) % 60000 - 30000);
      made[voice].SetSamples(samples.data(), samples.size(), 1, Sound::kRate);
    }
    return made;
  }();
  return sounds;
}

// The second in update-sized blocks, the last one shorter.
template <typename Block>
void EachBlock(Block block) {
  for (int done = 0; done < Sound::kRate; done += kBlock)
    block(done, std::min(kBlock, Sound::kRate - done));
}

void MixOurs(benchmark::State& state) {
  std::vector<int16_t> out(kBlock * Sound::kChannels);
  for (auto _ : state) {
    Mixer mixer;
    EachBlock([&](int done, int frames) {
      for (size_t voice = 0; voice < Sounds().size() && done % kSoundFrames == 0; ++voice)
        mixer.Play(Sounds()[voice], voice % 2 == 0 ? 1.0f : 0.5f);
      mixer.Mix(out.data(), frames);
      benchmark::ClobberMemory();
    });
  }
}

// The bytes the voices hold for the second, copied once each: what mixing must at least read.
void VoicesMemcpy(benchmark::State& state) {
  std::vector<int16_t> out(kBlock * Sound::kChannels);
  for (auto _ : state)
    EachBlock([&](int done, int frames) {
      for (const Sound& sound : Sounds()) {
        std::memcpy(out.data(), sound.Samples() + done % kSoundFrames * Sound::kChannels,
                    frames * Sound::kChannels * 2);
        benchmark::ClobberMemory();
      }
    });
}

// The bytes of the mixed second, copied once.
void OutputMemcpy(benchmark::State& state) {
  std::vector<int16_t> from(Sound::kRate * Sound::kChannels);
  for (size_t i = 0; i < from.size(); ++i)
    from[i] = static_cast<int16_t>(i * 31);
  std::vector<int16_t> out(kBlock * Sound::kChannels);
  for (auto _ : state)
    EachBlock([&](int done, int frames) {
      std::memcpy(out.data(), from.data() + done * Sound::kChannels, frames * Sound::kChannels * 2);
      benchmark::ClobberMemory();
    });
}

BENCHMARK(MixOurs)->Name("Mix/8voices/ours");
BENCHMARK(VoicesMemcpy)->Name("Mix/voices/memcpy");
BENCHMARK(OutputMemcpy)->Name("Mix/output/memcpy");

}  // namespace
}  // namespace bench
