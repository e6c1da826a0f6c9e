// Loading pictures: the engine's LoadImage beside SDL2_image's bare IMG_Load of the same file.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include "bench/BenchWorld.h"

namespace bench {
namespace {

constexpr int kLargeSide = 4096;

// Writes large.png (with an alpha channel, as SDL2_image saves 32-bit surfaces, all opaque),
// large.jpg and translucent.png (the alpha a ramp) into the working directory once: 4096x4096
// smooth ramps crossed by fine detail.
bool MakeLargePictures() {
  SDL_Surface* picture = NewSurface(kLargeSide, kLargeSide);
  for (int y = 0; y < kLargeSide; ++y)
    for (int x = 0; x < kLargeSide; ++x)
      static_cast<uint32_t*>(picture->pixels)[size_t(y) * kLargeSide + x] =
          0xFF000000u | uint32_t(x / 16) << 16 | uint32_t(y / 16) << 8 | uint32_t((x ^ y) & 0xFF);
  bool saved = IMG_SavePNG(picture, "large.png") == 0 && IMG_SaveJPG(picture, "large.jpg", 90) == 0;
  for (int i = 0; i < kLargeSide * kLargeSide; ++i)
    static_cast<uint32_t*>(picture->pixels)[i] -= uint32_t(i % 251) << 24;
  saved = saved && IMG_SavePNG(picture, "translucent.png") == 0;
  SDL_FreeSurface(picture);
  return saved;
}

void LoadOurs(benchmark::State& state, const char* file) {
  static const bool made = MakeLargePictures();
  for (auto _ : state) {
    ImageData image;
    if (!made || !image.LoadImage(file))
      state.SkipWithError(SDL_GetError());
  }
}

void LoadSdl(benchmark::State& state, const char* file) {
  static const bool made = MakeLargePictures();
  for (auto _ : state) {
    SDL_Surface* surface = IMG_Load(file);
    if (!made || surface == nullptr)
      state.SkipWithError(SDL_GetError());
    SDL_FreeSurface(surface);
  }
}

BENCHMARK_CAPTURE(LoadOurs, bg, "assets/bg.jpg")->Name("Load/bg/ours");
BENCHMARK_CAPTURE(LoadSdl, bg, "assets/bg.jpg")->Name("Load/bg/sdl");
BENCHMARK_CAPTURE(LoadOurs, band, "assets/fire_bg_full.jpg")->Name("Load/band/ours");
BENCHMARK_CAPTURE(LoadSdl, band, "assets/fire_bg_full.jpg")->Name("Load/band/sdl");
BENCHMARK_CAPTURE(LoadOurs, png, "large.png")->Name("Load/png/ours");
BENCHMARK_CAPTURE(LoadSdl, png, "large.png")->Name("Load/png/sdl");
BENCHMARK_CAPTURE(LoadOurs, translucent, "translucent.png")->Name("Load/translucent/ours");
BENCHMARK_CAPTURE(LoadSdl, translucent, "translucent.png")->Name("Load/translucent/sdl");
BENCHMARK_CAPTURE(LoadOurs, jpeg, "large.jpg")->Name("Load/jpeg/ours");
BENCHMARK_CAPTURE(LoadSdl, jpeg, "large.jpg")->Name("Load/jpeg/sdl");

}  // namespace
}  // namespace bench
