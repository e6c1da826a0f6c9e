// Makes the game's sounds (square, triangle and noise voices with envelopes and pitch slides), the
// sound loader's test files and the WAV fuzzer's seeds from code, the same bytes every run.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/audio/WavWriter.h"

namespace {

constexpr int kRate = 48000;

enum Wave { Square, Triangle, Noise };

// One voice: a wave whose pitch slides linearly from `from` to `to` Hz, with a linear attack and a
// squared decay, starting `start` seconds into the sound. Only + - * / on doubles, so the samples
// are the same with any C library.
struct Note {
  Wave wave;
  double start, length, from, to, volume;
  double attack = 0.002;
};

// A fixed-seed xorshift, so noise is the same every run.
struct Noise32 {
  uint32_t state;
  double Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;
  }
};

std::vector<int16_t> Render(const std::vector<Note>& notes, uint32_t seed) {
  double seconds = 0.0;
  for (const Note& note : notes)
    seconds = note.start + note.length > seconds ? note.start + note.length : seconds;
  std::vector<double> mix(static_cast<size_t>(seconds * kRate) + 1, 0.0);
  Noise32 noise{seed};
  for (const Note& note : notes) {
    const size_t first = static_cast<size_t>(note.start * kRate);
    const size_t count = static_cast<size_t>(note.length * kRate);
    double phase = 0.0, held = 0.0;
    for (size_t i = 0; i < count; ++i) {
      const double t = static_cast<double>(i) / count;
      phase += (note.from + (note.to - note.from) * t) / kRate;
      const bool wrapped = phase >= 1.0;
      phase -= wrapped ? 1.0 : 0.0;
      double value = 0.0;
      switch (note.wave) {
        case Square: value = phase < 0.5 ? 1.0 : -1.0; break;
        case Triangle: value = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase; break;
        case Noise: value = held = wrapped || i == 0 ? noise.Next() : held; break;
      }
      const double seconds = static_cast<double>(i) / kRate;
      const double rise = seconds < note.attack ? seconds / note.attack : 1.0;
      mix[first + i] += value * note.volume * rise * (1.0 - t) * (1.0 - t);
    }
  }
  std::vector<int16_t> samples(mix.size());
  for (size_t i = 0; i < mix.size(); ++i) {
    const double value = mix[i] > 1.0 ? 1.0 : (mix[i] < -1.0 ? -1.0 : mix[i]);
    samples[i] = static_cast<int16_t>(value * 32767.0 + (value < 0 ? -0.5 : 0.5));
  }
  return samples;
}

// The game's five sounds.
struct GameSound {
  const char* name;
  std::vector<Note> notes;
  uint32_t seed;
};

const std::vector<GameSound>& GameSounds() {
  static const std::vector<GameSound> sounds = {
      {"paddle.wav",
       {{Square, 0.0, 0.09, 330, 520, 0.35}, {Noise, 0.0, 0.02, 6000, 6000, 0.15}},
       1},
      {"wall.wav", {{Triangle, 0.0, 0.06, 900, 760, 0.5}}, 2},
      {"point.wav",
       {{Square, 0.0, 0.07, 988, 988, 0.35}, {Square, 0.07, 0.22, 1319, 1319, 0.35}},
       3},
      {"loss.wav",
       {{Square, 0.0, 0.7, 440, 90, 0.35},
        {Triangle, 0.0, 0.7, 220, 45, 0.3},
        {Noise, 0.0, 0.35, 2500, 800, 0.2}},
       4},
      {"button.wav",
       {{Triangle, 0.0, 0.05, 660, 660, 0.45}, {Noise, 0.0, 0.012, 9000, 9000, 0.2}},
       5},
  };
  return sounds;
}

// Little-endian bytes of a WAV file put together field by field, so damaged ones can be made too.
struct Bytes {
  std::vector<uint8_t> data;
  Bytes& Text(const char* text) {
    data.insert(data.end(), text, text + 4);
    return *this;
  }
  Bytes& Int(uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
      data.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  Bytes& Chunk(const char* id, const Bytes& body, int64_t claimed = -1) {
    Text(id).Int(claimed < 0 ? body.data.size() : static_cast<uint64_t>(claimed), 4);
    data.insert(data.end(), body.data.begin(), body.data.end());
    if (body.data.size() % 2 != 0)
      data.push_back(0);
    return *this;
  }
};

// The fields of a fmt chunk; extensible ones carry the encoding in a sub-format.
struct Format {
  int encoding = 1, channels = 1, rate = kRate, bits = 16, frameSize = -1;
  bool extensible = false;
  Bytes Body() const {
    Bytes body;
    body.Int(extensible ? 0xFFFE : encoding, 2).Int(channels, 2).Int(rate, 4);
    const int size = frameSize >= 0 ? frameSize : channels * bits / 8;
    body.Int(static_cast<uint64_t>(rate) * size, 4).Int(size, 2).Int(bits, 2);
    if (extensible)
      body.Int(22, 2).Int(bits, 2).Int(0, 4).Int(encoding, 2).Int(0, 14);
    return body;
  }
};

Bytes Wave(const Format& format, const Bytes& samples, int64_t claimed = -1) {
  Bytes body;
  body.Text("WAVE").Chunk("fmt ", format.Body()).Chunk("data", samples, claimed);
  Bytes file;
  return file.Chunk("RIFF", body);
}

// The loader's reference sound: a ramp that settles, each value exact in every encoding below and
// on a straight line between the frames kept at half the rate.
int Ramp(int frame) { return ((frame < 62 ? frame : 62) - 32) * 512; }

// The ramp in the given encoding, mono or with the same ramp on both channels, at 48 or 24 kHz.
Bytes RampSamples(const Format& format) {
  Bytes samples;
  for (int frame = 0; frame < 64; frame += kRate / format.rate)
    for (int channel = 0; channel < format.channels; ++channel) {
      const int value = Ramp(frame);
      if (format.encoding == 3) {
        const double unit = value / 32767.0;
        if (format.bits == 32) {
          const float single = static_cast<float>(unit);
          uint32_t bits;
          std::memcpy(&bits, &single, 4);
          samples.Int(bits, 4);
        } else {
          uint64_t bits;
          std::memcpy(&bits, &unit, 8);
          samples.Int(bits, 8);
        }
      } else if (format.bits == 8) {
        samples.Int(static_cast<uint64_t>(value / 256 + 128), 1);
      } else {
        // Bits below the top 16 are noise the loader must drop.
        const uint64_t low = 0xA5A5A5u & ((1u << (format.bits - 16)) - 1);
        samples.Int(
            (static_cast<uint64_t>(static_cast<uint16_t>(value)) << (format.bits - 16)) | low,
            format.bits / 8);
      }
    }
  return samples;
}

bool Save(const std::string& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool saved = file != nullptr &&
               std::fwrite(bytes.data.data(), 1, bytes.data.size(), file) == bytes.data.size();
  saved = file != nullptr && std::fclose(file) == 0 && saved;
  if (!saved)
    std::fprintf(stderr, "%s: cannot write\n", path.c_str());
  return saved;
}

// The loader's files: good ones that all decode to the ramp, damaged ones it must refuse (their
// expected lines are in bad.tsv beside them).
bool WriteTestFiles(const std::string& dir) {
  Format f;
  const Bytes ramp = RampSamples(f);
  bool ok = true;
  for (const auto& [name, format] : std::vector<std::pair<const char*, Format>>{
           {"good-8.wav", {1, 1, kRate, 8}},
           {"good-16.wav", f},
           {"good-24.wav", {1, 1, kRate, 24}},
           {"good-32.wav", {1, 1, kRate, 32}},
           {"good-float.wav", {3, 1, kRate, 32}},
           {"good-double.wav", {3, 1, kRate, 64}},
           {"good-stereo.wav", {1, 2, kRate, 16}},
           {"good-24khz.wav", {1, 1, 24000, 16}},
           {"good-extensible.wav", {1, 1, kRate, 24, -1, true}}})
    ok = Save(dir + "/" + name, Wave(format, RampSamples(format))) && ok;
  Bytes chunks, list, odd;
  odd.Int(7, 1);
  list.Text("INFO");
  chunks.Text("WAVE").Chunk("LIST", list).Chunk("odd ", odd).Chunk("fmt ", f.Body());
  chunks.Chunk("data", ramp);
  Bytes good;
  ok = Save(dir + "/good-chunks.wav", good.Chunk("RIFF", chunks)) && ok;

  Bytes riff = Wave(f, ramp), cut = riff, header = riff, noFormat, noData, bodyless, shortFormat;
  cut.data.resize(10);
  riff.data[4] = 0, riff.data[5] = 0, riff.data[6] = 0, riff.data[7] = 0x80;  // a 2 GB claim
  header.data[0] = 'X';
  noFormat.Text("WAVE").Chunk("data", ramp);
  noData.Text("WAVE").Chunk("fmt ", f.Body());
  bodyless.Text("WAVE").Chunk("fmt ", f.Body()).Int(0x6164, 2);  // "da", cut short
  Bytes fmt12 = f.Body();
  fmt12.data.resize(12);
  shortFormat.Text("WAVE").Chunk("fmt ", fmt12).Chunk("data", ramp);
  Bytes eleven;
  eleven.data.assign(88001, 128);
  const std::vector<std::pair<const char*, Bytes>> bad = {
      {"bad-cut.wav", cut},
      {"bad-not-riff.wav", header},
      {"bad-riff-2gb.wav", riff},
      {"bad-data-longer.wav", Wave(f, ramp, 4096)},
      {"bad-data-2gb.wav", Wave(f, ramp, 0x80000000)},
      {"bad-no-fmt.wav", Bytes().Chunk("RIFF", noFormat)},
      {"bad-no-data.wav", Bytes().Chunk("RIFF", noData)},
      {"bad-chunk-header.wav", Bytes().Chunk("RIFF", bodyless)},
      {"bad-short-fmt.wav", Bytes().Chunk("RIFF", shortFormat)},
      {"bad-adpcm.wav", Wave({2, 1, kRate, 4, 1}, ramp)},
      {"bad-12-bit.wav", Wave({1, 1, kRate, 12, 2}, ramp)},
      {"bad-float-16.wav", Wave({3, 1, kRate, 16}, ramp)},
      {"bad-0-channels.wav", Wave({1, 0, kRate, 16, 2}, ramp)},
      {"bad-7-channels.wav", Wave({1, 7, kRate, 16}, ramp)},
      {"bad-1-hz.wav", Wave({1, 1, 1, 16}, ramp)},
      {"bad-frame-size.wav", Wave({1, 1, kRate, 16, 3}, ramp)},
      {"bad-11-seconds.wav", Wave({1, 1, 8000, 8}, eleven)},
      {"bad-extensible-law.wav", Wave({7, 1, kRate, 8, -1, true}, ramp)},
  };
  for (const auto& [name, bytes] : bad)
    ok = Save(dir + "/" + name, bytes) && ok;
  return ok;
}

// A few small files for the fuzzer to start from.
bool WriteSeeds(const std::string& dir) {
  Bytes list, body;
  list.Text("INFO");
  const Format stereo{3, 2, 22050, 32, -1, true};
  body.Text("WAVE").Chunk("LIST", list).Chunk("fmt ", stereo.Body());
  body.Chunk("data", RampSamples({3, 2, 24000, 32}));
  return Save(dir + "/stereo-float.wav", Bytes().Chunk("RIFF", body)) &&
         Save(dir + "/mono-8.wav", Wave({1, 1, 8000, 8}, RampSamples({1, 1, 24000, 8})));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <game assets dir> <test sounds dir> <fuzz seeds dir>\n",
                 argv[0]);
    return 2;
  }
  bool ok = true;
  for (const GameSound& sound : GameSounds()) {
    const std::vector<int16_t> samples = Render(sound.notes, sound.seed);
    const std::string path = std::string(argv[1]) + "/" + sound.name;
    std::string why;
    if (!quendal::WavWriter::WriteFile(path.c_str(), samples.data(), samples.size(), 1, kRate,
                                       why)) {
      std::fprintf(stderr, "%s: cannot write: %s\n", path.c_str(), why.c_str());
      ok = false;
    }
  }
  ok = WriteTestFiles(argv[2]) && ok;
  ok = WriteSeeds(argv[3]) && ok;
  return ok ? 0 : 1;
}
