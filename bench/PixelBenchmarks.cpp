// Rectangles, copies and discs: each engine pixel path beside SDL's own call or a per-pixel loop.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "bench/BenchWorld.h"
#include "game/ZarvoPlayer.h"

namespace bench {
namespace {

// The inclusive boxes of the rectangle benchmarks and SDL_FillRect's equivalent rectangles.
struct Box {
  int left, top, right, bottom;
  SDL_Rect Rect() const { return {left, top, right - left + 1, bottom - top + 1}; }
};
constexpr Box kWhole{0, 0, kWidth - 1, kHeight - 1};
constexpr Box kPaddle{kWidth / 2 - ZarvoPlayer::kHalfWidth, 540,
                      kWidth / 2 + ZarvoPlayer::kHalfWidth - 1,
                      540 + 2 * ZarvoPlayer::kHalfHeight - 1};
constexpr Box kColumn{400, 0, 400, kHeight - 1};
constexpr Box kHalfOff{-75, 285, 74, 314};
constexpr uint32_t kColour = 0x996600;

void RectangleOurs(benchmark::State& state, Box box) {
  World& world = TheWorld();
  for (auto _ : state) {
    world.engine.DrawRectangle(box.left, box.top, box.right, box.bottom, kColour, world.screen);
    benchmark::ClobberMemory();
  }
}

void RectangleSdl(benchmark::State& state, Box box) {
  World& world = TheWorld();
  for (auto _ : state) {
    SDL_Rect rect = box.Rect();
    SDL_FillRect(world.screen, &rect, kColour);
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(RectangleOurs, whole, kWhole)->Name("Rect/whole/ours");
BENCHMARK_CAPTURE(RectangleSdl, whole, kWhole)->Name("Rect/whole/sdl");
BENCHMARK_CAPTURE(RectangleOurs, paddle, kPaddle)->Name("Rect/150x30/ours");
BENCHMARK_CAPTURE(RectangleSdl, paddle, kPaddle)->Name("Rect/150x30/sdl");
BENCHMARK_CAPTURE(RectangleOurs, column, kColumn)->Name("Rect/column/ours");
BENCHMARK_CAPTURE(RectangleSdl, column, kColumn)->Name("Rect/column/sdl");
BENCHMARK_CAPTURE(RectangleOurs, halfoff, kHalfOff)->Name("Rect/halfoff/ours");
BENCHMARK_CAPTURE(RectangleSdl, halfoff, kHalfOff)->Name("Rect/halfoff/sdl");

// A blit of the source rectangle to (x, y), clipped by SDL as the engine clips its copies.
void Blit(SDL_Surface* source, SDL_Rect from, SDL_Surface* target, int x, int y) {
  SDL_Rect to{x, y, 0, 0};
  SDL_BlitSurface(source, &from, target, &to);
}

// scroll 0 copies the whole picture; otherwise the band is copied twice, at -scroll and at
// 800 - scroll, as the two scrolling backgrounds of a play frame are.
void RenderImageOurs(benchmark::State& state, int scroll) {
  World& world = TheWorld();
  for (auto _ : state) {
    if (scroll == 0) {
      world.startPicture.RenderImage(world.screen, 0, 0, 0, 0, kWidth, kHeight);
    } else {
      world.band.RenderImage(world.screen, 0, 0, -scroll, kBandTop, kWidth, kBandHeight);
      world.band.RenderImage(world.screen, 0, 0, kWidth - scroll, kBandTop, kWidth, kBandHeight);
    }
    benchmark::ClobberMemory();
  }
}

void RenderImageSdl(benchmark::State& state, int scroll) {
  World& world = TheWorld();
  for (auto _ : state) {
    if (scroll == 0) {
      Blit(world.startSurface, {0, 0, kWidth, kHeight}, world.screen, 0, 0);
    } else {
      Blit(world.bandSurface, {0, 0, kWidth, kBandHeight}, world.screen, -scroll, kBandTop);
      Blit(world.bandSurface, {0, 0, kWidth, kBandHeight}, world.screen, kWidth - scroll, kBandTop);
    }
    benchmark::ClobberMemory();
  }
}

void CopyBackgroundOurs(benchmark::State& state, int scroll) {
  World& world = TheWorld();
  for (auto _ : state) {
    if (scroll == 0) {
      world.engine.CopyBackgroundPixels(0, 0, kWidth, kHeight);
    } else {
      world.engine.CopyBackgroundPixels(-scroll, kBandTop, kWidth, kBandHeight);
      world.engine.CopyBackgroundPixels(kWidth - scroll, kBandTop, kWidth, kBandHeight);
    }
    benchmark::ClobberMemory();
  }
}

void CopyBackgroundSdl(benchmark::State& state, int scroll) {
  World& world = TheWorld();
  for (auto _ : state) {
    if (scroll == 0) {
      Blit(world.background, {0, 0, kWidth, kHeight}, world.screen, 0, 0);
    } else {
      Blit(world.background, {-scroll, kBandTop, kWidth, kBandHeight}, world.screen, -scroll,
           kBandTop);
      Blit(world.background, {kWidth - scroll, kBandTop, kWidth, kBandHeight}, world.screen,
           kWidth - scroll, kBandTop);
    }
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(RenderImageOurs, whole, 0)->Name("Copy/image/whole/ours");
BENCHMARK_CAPTURE(RenderImageSdl, whole, 0)->Name("Copy/image/whole/sdl");
BENCHMARK_CAPTURE(RenderImageOurs, s300, 300)->Name("Copy/image/300/ours");
BENCHMARK_CAPTURE(RenderImageSdl, s300, 300)->Name("Copy/image/300/sdl");
BENCHMARK_CAPTURE(RenderImageOurs, s304, 304)->Name("Copy/image/304/ours");
BENCHMARK_CAPTURE(RenderImageSdl, s304, 304)->Name("Copy/image/304/sdl");
BENCHMARK_CAPTURE(RenderImageOurs, s460, 460)->Name("Copy/image/460/ours");
BENCHMARK_CAPTURE(RenderImageSdl, s460, 460)->Name("Copy/image/460/sdl");
BENCHMARK_CAPTURE(CopyBackgroundOurs, whole, 0)->Name("Copy/background/whole/ours");
BENCHMARK_CAPTURE(CopyBackgroundSdl, whole, 0)->Name("Copy/background/whole/sdl");
BENCHMARK_CAPTURE(CopyBackgroundOurs, s300, 300)->Name("Copy/background/300/ours");
BENCHMARK_CAPTURE(CopyBackgroundSdl, s300, 300)->Name("Copy/background/300/sdl");
BENCHMARK_CAPTURE(CopyBackgroundOurs, s304, 304)->Name("Copy/background/304/ours");
BENCHMARK_CAPTURE(CopyBackgroundSdl, s304, 304)->Name("Copy/background/304/sdl");
BENCHMARK_CAPTURE(CopyBackgroundOurs, s460, 460)->Name("Copy/background/460/ours");
BENCHMARK_CAPTURE(CopyBackgroundSdl, s460, 460)->Name("Copy/background/460/sdl");

// The disc benchmarks' boxes: radius 5, 24 and 250 in the middle, and radius 250 mostly left
// of and above the surface.
constexpr Box kDisc5{395, 295, 405, 305};
constexpr Box kDisc24{376, 276, 424, 324};
constexpr Box kDisc250{150, 50, 650, 550};
constexpr Box kDiscOff{-400, -380, 100, 120};

// The per-pixel loop that the span fill replaces: every pixel of the box is tested, column by
// column, with the same inside test and clipped one at a time.
void ReferenceOval(Box box, uint32_t colour, SDL_Surface* surface) {
  const int64_t left = std::min(box.left, box.right), right = std::max(box.left, box.right);
  const int64_t top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom);
  const double centreX = static_cast<double>(left + right) * 0.5;
  const double centreY = static_cast<double>(top + bottom) * 0.5;
  const double radiusTermX = static_cast<double>((right - left) * (right - left)) * 0.25;
  const double radiusTermY = static_cast<double>((bottom - top) * (bottom - top)) * 0.25;
  uint32_t* pixels = static_cast<uint32_t*>(surface->pixels);
  const int stride = surface->pitch / 4;
  for (int64_t x = left; x <= right; ++x) {
    const double termX = (x - centreX) * (x - centreX) / radiusTermX;
    for (int64_t y = top; y <= bottom; ++y) {
      const double termY = (y - centreY) * (y - centreY) / radiusTermY;
      if (1.0 >= termX + termY && x >= 0 && x < surface->w && y >= 0 && y < surface->h)
        pixels[y * stride + x] = colour;
    }
  }
}

void OvalOurs(benchmark::State& state, Box box) {
  World& world = TheWorld();
  for (auto _ : state) {
    world.engine.DrawOval(box.left, box.top, box.right, box.bottom, kColour, world.screen);
    benchmark::ClobberMemory();
  }
}

void OvalReference(benchmark::State& state, Box box) {
  World& world = TheWorld();
  for (auto _ : state) {
    ReferenceOval(box, kColour, world.screen);
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(OvalOurs, r5, kDisc5)->Name("Disc/5/ours");
BENCHMARK_CAPTURE(OvalReference, r5, kDisc5)->Name("Disc/5/reference");
BENCHMARK_CAPTURE(OvalOurs, r24, kDisc24)->Name("Disc/24/ours");
BENCHMARK_CAPTURE(OvalReference, r24, kDisc24)->Name("Disc/24/reference");
BENCHMARK_CAPTURE(OvalOurs, r250, kDisc250)->Name("Disc/250/ours");
BENCHMARK_CAPTURE(OvalReference, r250, kDisc250)->Name("Disc/250/reference");
BENCHMARK_CAPTURE(OvalOurs, off, kDiscOff)->Name("Disc/off/ours");
BENCHMARK_CAPTURE(OvalReference, off, kDiscOff)->Name("Disc/off/reference");

}  // namespace
}  // namespace bench
