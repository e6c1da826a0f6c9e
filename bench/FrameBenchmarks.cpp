// A play frame, its upload, text and a growing object list, each beside its baseline.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "bench/BenchWorld.h"
#include "objects/DisplayableObject.h"

namespace bench {
namespace {

// Everything the game's Render does for a play frame but the upload: with the renderer and the
// texture taken away for the duration, SDL refuses the three upload calls at once.
void FrameOurs(benchmark::State& state) {
  ZarvoMain& game = TheWorld().game;
  SDL_Renderer* renderer = game.renderer;
  SDL_Texture* texture = game.screenTexture;
  game.renderer = nullptr;
  game.screenTexture = nullptr;
  for (auto _ : state) {
    game.needsRedraw = true;
    game.Render();
    benchmark::ClobberMemory();
  }
  game.renderer = renderer;
  game.screenTexture = texture;
}

// The bytes a play frame must move, moved by memcpy: the background, then the band's rows.
void FrameMemcpy(benchmark::State& state) {
  World& world = TheWorld();
  SDL_Surface* screen = world.game.screenSurface;
  SDL_Surface* background = world.game.backgroundSurface;
  const size_t backgroundBytes = static_cast<size_t>(background->pitch) * background->h;
  const size_t bandBytes = static_cast<size_t>(world.band.width) * kBandHeight * 4;
  uint8_t* bandTarget = static_cast<uint8_t*>(screen->pixels) + kBandTop * screen->pitch;
  for (auto _ : state) {
    std::memcpy(screen->pixels, background->pixels, backgroundBytes);
    std::memcpy(bandTarget, world.band.pixels.get(), bandBytes);
    benchmark::ClobberMemory();
  }
}

// The part of Render that is SDL's: upload, copy to the target, present.
void FrameUpload(benchmark::State& state) {
  ZarvoMain& game = TheWorld().game;
  for (auto _ : state) {
    SDL_UpdateTexture(game.screenTexture, nullptr, game.screenSurface->pixels,
                      game.screenSurface->pitch);
    SDL_RenderCopy(game.renderer, game.screenTexture, nullptr, nullptr);
    SDL_RenderPresent(game.renderer);
  }
}

BENCHMARK(FrameOurs)->Name("Frame/ours");
BENCHMARK(FrameMemcpy)->Name("Frame/memcpy");
BENCHMARK(FrameUpload)->Name("Frame/upload");

constexpr const char* kScoreLine = "Score : 123";

void TextOurs(benchmark::State& state) {
  ZarvoMain& game = TheWorld().game;
  for (auto _ : state) {
    game.DrawString(75, 10, kScoreLine, 0xFFFFFF);
    benchmark::ClobberMemory();
  }
}

// What DrawString did on every call before lines were cached.
void TextSdl(benchmark::State& state) {
  ZarvoMain& game = TheWorld().game;
  for (auto _ : state) {
    SDL_Surface* line =
        TTF_RenderText_Solid(game.defaultFont->handle, kScoreLine, SDL_Color{255, 255, 255, 0});
    SDL_Rect destination{75, 10, 0, 0};
    SDL_BlitSurface(line, nullptr, game.screenSurface, &destination);
    SDL_FreeSurface(line);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(TextOurs)->Name("Text/ours");
BENCHMARK(TextSdl)->Name("Text/sdl");

// Measuring a line drawn every frame, against SDL2_ttf's measure.
void MeasureOurs(benchmark::State& state) {
  ZarvoMain& game = TheWorld().game;
  game.DrawString(75, 10, kScoreLine, 0xFFFFFF);
  for (auto _ : state)
    benchmark::DoNotOptimize(game.MeasureString(kScoreLine));
}

void MeasureSdl(benchmark::State& state) {
  ZarvoMain& game = TheWorld().game;
  int width = 0, height = 0;
  for (auto _ : state) {
    TTF_SizeText(game.defaultFont->handle, kScoreLine, &width, &height);
    benchmark::DoNotOptimize(width + height);
  }
}

BENCHMARK(MeasureOurs)->Name("Text/measure/ours");
BENCHMARK(MeasureSdl)->Name("Text/measure/sdl");

// A small object that drifts and bounces off the surface's edges, drawn as the default square.
class Drifter : public DisplayableObject {
 public:
  Drifter(BaseEngine* engine, int x, int y, int stepX, int stepY)
      : DisplayableObject(engine), stepX(stepX), stepY(stepY) {
    currentX = previousX = x;
    currentY = previousY = y;
  }
  void Update(int) override {
    if (currentX + stepX < 0 || currentX + stepX + drawWidth > kWidth)
      stepX = -stepX;
    if (currentY + stepY < 0 || currentY + stepY + drawHeight > kHeight)
      stepY = -stepY;
    currentX += stepX;
    currentY += stepY;
    engine->needsRedraw = true;
  }

 private:
  int stepX;
  int stepY;
};

// One tick and one partial frame (undraw, draw) of state.range(0) drifting objects.
void Scaling(benchmark::State& state) {
  World& world = TheWorld();
  BaseEngine scene;
  scene.screenWidth = kWidth;
  scene.screenHeight = kHeight;
  scene.screenSurface = world.screen;
  scene.backgroundSurface = world.background;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(0, kWidth - 10), y(0, kHeight - 10), step(-3, 3);
  std::vector<std::unique_ptr<Drifter>> drifters;
  for (int64_t i = 0; i < state.range(0); ++i) {
    drifters.push_back(std::make_unique<Drifter>(&scene, x(random), y(random), step(random) | 1,
                                                 step(random) | 1));
    scene.AddObject(drifters.back().get());
  }
  scene.needsFullRedraw = false;
  int tick = 0;
  for (auto _ : state) {
    scene.UpdateObjects(tick += 15);
    scene.Render();
    benchmark::ClobberMemory();
  }
  scene.ResetObjectList();
  scene.screenSurface = scene.backgroundSurface = nullptr;  // borrowed; the engine frees its own
}

BENCHMARK(Scaling)->Name("Scaling")->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
}  // namespace bench
