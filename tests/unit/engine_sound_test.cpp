// Sound: WAV files refused or decoded, the mixer's voices, volumes and saturation, the point
// sound's place in a replay's stream, and a vanished audio device.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "engine/audio/Mixer.h"
#include "unit/game_probe.h"

namespace {

using quendal::Mixer;
using quendal::Sound;
using testsupport::ScratchDirectory;
using testsupport::StdoutCapture;

std::vector<int16_t> SamplesOf(const Sound& sound) {
  return {sound.Samples(), sound.Samples() + sound.Frames() * Sound::kChannels};
}

// Each bad file (tests/tables/sounds.tsv) gives one line naming it and the reason, and stays silent.
TEST(Sound, RefusalTable) {
  ScratchDirectory dir;
  ::mkfifo("@fifo", 0600);
  std::filesystem::create_directory("@directory");
  std::ofstream("@17mb").close();
  std::filesystem::resize_file("@17mb", 17u << 20);
  BaseEngine engine;
  for (const auto& row : testsupport::Table("sounds.tsv", 2)) {
    const std::string path =
        row[0][0] == '@' ? row[0] : testsupport::SourceDir() + "/tests/sounds/" + row[0];
    Sound sound;
    StdoutCapture errors(2);
    EXPECT_FALSE(engine.LoadSound(sound, path.c_str()));
    EXPECT_EQ(errors.Text(), path + ": " + row[1] + "\n");
    EXPECT_EQ(sound.Frames(), 0u) << path;
  }
}

// Every encoding, channel count, rate and chunk order the loader takes gives the same frames: a
// ramp from -16384 in steps of 512 that settles on its 63rd frame, on both channels.
TEST(Sound, GoodFilesDecodeToTheSameFrames) {
  std::vector<int16_t> ramp;
  for (int frame = 0; frame < 64; ++frame)
    ramp.insert(ramp.end(), 2, static_cast<int16_t>(((frame < 62 ? frame : 62) - 32) * 512));
  int files = 0;
  for (const auto& file :
       std::filesystem::directory_iterator(testsupport::SourceDir() + "/tests/sounds")) {
    if (file.path().filename().string().rfind("good-", 0) != 0)
      continue;
    Sound sound;
    ASSERT_TRUE(sound.Load(file.path().c_str())) << file.path() << ": " << SDL_GetError();
    EXPECT_EQ(SamplesOf(sound), ramp) << file.path();
    ++files;
  }
  EXPECT_EQ(files, 10);
}

// A sound of `frames` frames holding one value.
Sound Flat(int value, size_t frames) {
  std::vector<int16_t> samples(frames, static_cast<int16_t>(value));
  Sound sound;
  sound.SetSamples(samples.data(), frames, 1, Sound::kRate);
  return sound;
}

// Sounds started in one go (the i-th of `count` as start(i): value, frames, volume) and the left
// and right sample expected at one frame of the mix.
struct Launch {
  int value;
  size_t frames;
  float volume;
};
struct MixCase {
  const char* what;
  int count;
  std::function<Launch(int)> start;
  float master;
  int frame;
  int expected;
};

TEST(Mixer, VoicesVolumesAndSaturation) {
  const MixCase cases[] = {
      {"64 loud sounds hold at the top", 64,
       [](int) {
         return Launch{32767, 8, 1};
       },
       1, 0, 32767},
      {"and at the bottom", 64,
       [](int) {
         return Launch{-32768, 8, 1};
       },
       1, 7, -32768},
      {"voice and master volumes multiply", 1,
       [](int) {
         return Launch{1000, 8, 0.5f};
       },
       0.5f, 0, 250},
      {"the 16 loudest play, 64 down to 49", 64,
       [](int i) {
         return Launch{64 - i, 8, 1};
       },
       1, 0, 904},
      {"volume counts in loudness", 64,
       [](int i) {
         return Launch{64, 8, i < 16 ? 0.5f : 0.25f};
       },
       1, 0, 16 * 32},
      {"among equals the 16 newest play", 64,
       [](int i) {
         return Launch{10, size_t(i) + 1, 1};
       },
       1, 48, 160},
      {"a sound ends on its last frame", 1,
       [](int) {
         return Launch{10, 5, 1};
       },
       1, 5, 0},
      {"muted by volume 0", 1,
       [](int) {
         return Launch{1000, 8, 0};
       },
       1, 0, 0},
  };
  for (const MixCase& c : cases) {
    Mixer mixer;
    std::vector<Sound> sounds;
    for (int i = 0; i < c.count; ++i) {
      const Launch start = c.start(i);
      sounds.push_back(Flat(start.value, start.frames));
      mixer.Play(sounds.back(), start.volume);
    }
    mixer.SetMasterVolume(c.master);
    std::vector<int16_t> out(2 * 100);
    mixer.Mix(out.data(), 100);
    EXPECT_EQ(out[2 * c.frame], c.expected) << c.what;
    EXPECT_EQ(out[2 * c.frame + 1], c.expected) << c.what;
  }
}

// The game's stream as --audio-out writes it, read back: 48 kHz stereo 16-bit after a 44-byte
// header.
std::vector<int16_t> ReadStream(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_GT(bytes.size(), 44u);
  std::vector<int16_t> samples((bytes.size() - 44) / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[44 + 2 * i]) |
                                      static_cast<uint8_t>(bytes[45 + 2 * i]) << 8);
  return samples;
}

// A probe that notes the update of each point scored.
class PointProbe : public gametest::GameProbe {
 public:
  void Render() override {
    GameProbe::Render();
    if (score > static_cast<int>(points.size()))
      points.push_back(updateCount);
  }
  std::vector<int> points;
};

// Replayed with every other sound silent, the stream of play.rec holds the point sound exactly
// from sample N x 720 of the update N that scored it.
TEST(SoundStream, PointSoundStartsAtItsUpdatesSample) {
  ScratchDirectory dir(true);
  const std::string recording = testsupport::SourceDir() + "/tests/recordings/play.rec";
  const char* argv[] = {"quendal", "--replay",    recording.c_str(), "--headless",
                        "--fast",  "--audio-out", "stream.wav"};
  PointProbe game;
  gametest::Captured([&] {
    ASSERT_TRUE(game.ReadCommandLine(7, const_cast<char**>(argv)));
    ASSERT_EQ(game.Start(), 0);
    for (int cue = 0; cue < ZarvoMain::CueCount; ++cue)
      if (cue != ZarvoMain::CuePoint)
        game.cues[cue].Clear();
    game.MainLoop();
  });
  ASSERT_FALSE(game.points.empty());
  const std::vector<int16_t> point = SamplesOf(game.cues[ZarvoMain::CuePoint]);
  const std::vector<int16_t> stream = ReadStream("stream.wav");
  ASSERT_EQ(stream.size(), (game.updateCount + 1u) * 720 * 2);
  size_t at = 0;
  for (int update : game.points) {
    const size_t start = static_cast<size_t>(update) * 720 * 2;
    EXPECT_TRUE(
        std::all_of(stream.begin() + at, stream.begin() + start, [](int16_t s) { return s == 0; }));
    ASSERT_LE(start + point.size(), stream.size());
    EXPECT_TRUE(std::equal(point.begin(), point.end(), stream.begin() + start)) << update;
    at = start + point.size();
  }
}

// A removed audio device is said once; the game goes on, silent.
TEST(SoundStream, RemovedDeviceLeavesTheGameRunning) {
  ScratchDirectory dir(true);
  gametest::GameProbe game;
  game.passLimit = 3;
  StdoutCapture errors(2);
  gametest::Captured([&] {
    ASSERT_EQ(game.Start(), 0);
    const uint32_t device = game.soundStream.Device();
    ASSERT_NE(device, 0u);
    for (int removal = 0; removal < 2; ++removal) {
      SDL_Event event{};
      event.adevice = {SDL_AUDIODEVICEREMOVED, 0, device, 0, 0, 0, 0};
      SDL_PushEvent(&event);
    }
    game.MainLoop();
  });
  EXPECT_EQ(errors.Text(), "The audio device was removed; the game goes on without sound\n");
  EXPECT_EQ(game.soundStream.Device(), 0u);
  EXPECT_EQ(game.passes, 3);
}

using SoundInPlay = gametest::PlayingGame;

// M mutes and unmutes the sound during play; the state and the console stay as they were.
TEST_F(SoundInPlay, MKeyMutesAndUnmutes) {
  for (bool muted : {true, false}) {
    EXPECT_EQ(gametest::Captured([&] { game.KeyDown(SDLK_m); }), "");
    EXPECT_EQ(game.IsMuted(), muted);
    EXPECT_EQ(game.state, ZarvoMain::StatePlaying);
  }
}

}  // namespace
