// Shapes, lines, copies and scaled sprites: each engine pixel path beside SDL's own call, a
// per-pixel loop or a memcpy of the pixels it writes.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// Runs draw(world, args...) once an iteration: the shapes below are drawn by plain functions.
template <typename... Args>
void Repeat(benchmark::State& state, void (*draw)(World&, Args...), Args... args) {
  World& world = TheWorld();
  for (auto _ : state) {
    draw(world, args...);
    benchmark::ClobberMemory();
  }
}

// SDL's software renderer on the screen, drawing in the benchmarks' colour.
SDL_Renderer* Renderer(World& world) {
  SDL_SetRenderDrawColor(world.renderer, 0x99, 0x66, 0x00, 0xFF);
  return world.renderer;
}

// The line benchmarks' ends: corner to corner, steep, 120 and 20 pixels long.
constexpr Box kLineLong{0, 0, kWidth - 1, kHeight - 1};
constexpr Box kLineSteep{300, 0, 420, kHeight - 1};
constexpr Box kLineMedium{300, 200, 420, 260};
constexpr Box kLineShort{100, 100, 120, 108};

// The per-pixel loop: each step along the longer axis finds the other coordinate by a division
// and is clipped on its own; put(offset) writes the pixel at that offset of the surface's pixels.
template <typename Put>
void ReferenceLine(Box line, SDL_Surface* surface, Put put) {
  const int64_t dx = line.right - line.left, dy = line.bottom - line.top;
  const bool steep = std::abs(dy) > std::abs(dx);
  const int64_t steps = std::max(std::abs(dx), std::abs(dy));
  for (int64_t i = 0; i <= steps; ++i) {
    const int64_t along = steep ? (dy > 0 ? i : -i) : (dx > 0 ? i : -i);
    const int64_t offset = (2 * (steep ? dx : dy) * along / (steep ? dy : dx) + 1) / 2;
    const int64_t x = line.left + (steep ? offset : along), y = line.top + (steep ? along : offset);
    if (x >= 0 && x < surface->w && y >= 0 && y < surface->h)
      put(y * (surface->pitch / 4) + x);
  }
}

uint32_t* Pixels(World& world) { return static_cast<uint32_t*>(world.screen->pixels); }

void LineOurs(World& world, Box line) {
  world.engine.DrawLine(line.left, line.top, line.right, line.bottom, kColour, world.screen);
}

void LineSdl(World& world, Box line) {
  SDL_RenderDrawLine(Renderer(world), line.left, line.top, line.right, line.bottom);
  SDL_RenderFlush(world.renderer);
}

void LineReference(World& world, Box line) {
  ReferenceLine(line, world.screen, [&](int64_t at) { Pixels(world)[at] = kColour; });
}

// The least any line drawing costs: the same pixels, their places found beforehand, only stored.
void LineStores(benchmark::State& state, Box line) {
  World& world = TheWorld();
  std::vector<int64_t> places;
  ReferenceLine(line, world.screen, [&](int64_t at) { places.push_back(at); });
  for (auto _ : state) {
    for (int64_t at : places)
      Pixels(world)[at] = kColour;
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(Repeat, lo, LineOurs, kLineLong)->Name("Line/long/ours");
BENCHMARK_CAPTURE(Repeat, ls, LineSdl, kLineLong)->Name("Line/long/sdl");
BENCHMARK_CAPTURE(Repeat, lr, LineReference, kLineLong)->Name("Line/long/reference");
BENCHMARK_CAPTURE(LineStores, long, kLineLong)->Name("Line/long/stores");
BENCHMARK_CAPTURE(Repeat, so, LineOurs, kLineSteep)->Name("Line/steep/ours");
BENCHMARK_CAPTURE(Repeat, ss, LineSdl, kLineSteep)->Name("Line/steep/sdl");
BENCHMARK_CAPTURE(Repeat, sr, LineReference, kLineSteep)->Name("Line/steep/reference");
BENCHMARK_CAPTURE(LineStores, steep, kLineSteep)->Name("Line/steep/stores");
BENCHMARK_CAPTURE(Repeat, mo, LineOurs, kLineMedium)->Name("Line/medium/ours");
BENCHMARK_CAPTURE(Repeat, ms, LineSdl, kLineMedium)->Name("Line/medium/sdl");
BENCHMARK_CAPTURE(Repeat, to, LineOurs, kLineShort)->Name("Line/short/ours");
BENCHMARK_CAPTURE(Repeat, ts, LineSdl, kLineShort)->Name("Line/short/sdl");
BENCHMARK_CAPTURE(Repeat, tr, LineReference, kLineShort)->Name("Line/short/reference");

// The outlines: a rectangle against SDL_RenderDrawRect, and ovals against a loop that tests each
// pixel of the box and its four neighbours.
void RectangleOutlineOurs(World& world) {
  world.engine.DrawRectangleOutline(kPaddle.left, kPaddle.top, kPaddle.right, kPaddle.bottom,
                                    kColour, world.screen);
}

void RectangleOutlineSdl(World& world) {
  const SDL_Rect rect = kPaddle.Rect();
  SDL_RenderDrawRect(Renderer(world), &rect);
  SDL_RenderFlush(world.renderer);
}

void OvalOutlineOurs(World& world, Box box) {
  world.engine.DrawOvalOutline(box.left, box.top, box.right, box.bottom, kColour, world.screen);
}

void OvalOutlineReference(World& world, Box box) {
  const double centreX = (box.left + box.right) * 0.5, centreY = (box.top + box.bottom) * 0.5;
  const double radiusTermX = (box.right - box.left) * (box.right - box.left) * 0.25;
  const double radiusTermY = (box.bottom - box.top) * (box.bottom - box.top) * 0.25;
  auto inside = [&](int x, int y) {
    return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom &&
           1.0 >= (x - centreX) * (x - centreX) / radiusTermX +
                      (y - centreY) * (y - centreY) / radiusTermY;
  };
  for (int y = box.top; y <= box.bottom; ++y)
    for (int x = box.left; x <= box.right; ++x)
      if (inside(x, y) &&
          !(inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1)) &&
          x >= 0 && x < kWidth && y >= 0 && y < kHeight)
        Pixels(world)[y * (world.screen->pitch / 4) + x] = kColour;
}

BENCHMARK_CAPTURE(Repeat, ro, RectangleOutlineOurs)->Name("Outline/150x30/ours");
BENCHMARK_CAPTURE(Repeat, rs, RectangleOutlineSdl)->Name("Outline/150x30/sdl");
BENCHMARK_CAPTURE(Repeat, o24, OvalOutlineOurs, kDisc24)->Name("Outline/oval24/ours");
BENCHMARK_CAPTURE(Repeat, r24, OvalOutlineReference, kDisc24)->Name("Outline/oval24/reference");
BENCHMARK_CAPTURE(Repeat, o250, OvalOutlineOurs, kDisc250)->Name("Outline/oval250/ours");
BENCHMARK_CAPTURE(Repeat, r250, OvalOutlineReference, kDisc250)->Name("Outline/oval250/reference");

// Single pixels, a 16 x 16 grid of them a pass, against SDL_RenderDrawPoint.
void PixelsOurs(World& world) {
  for (int i = 0; i < 256; ++i)
    world.engine.DrawPixel(100 + i % 16 * 7, 100 + i / 16 * 5, kColour, world.screen);
}

void PixelsSdl(World& world) {
  for (int i = 0; i < 256; ++i)
    SDL_RenderDrawPoint(Renderer(world), 100 + i % 16 * 7, 100 + i / 16 * 5);
  SDL_RenderFlush(world.renderer);
}

BENCHMARK_CAPTURE(Repeat, po, PixelsOurs)->Name("Pixels/ours");
BENCHMARK_CAPTURE(Repeat, ps, PixelsSdl)->Name("Pixels/sdl");

// Triangles: a large one across most of the surface and a small one, against SDL_RenderGeometry
// on the software renderer and a loop that tests each pixel of the bounding box against the edges.
struct Triangle {
  int x1, y1, x2, y2, x3, y3;
};
constexpr Triangle kLargeTriangle{40, 20, 770, 300, 200, 580};
constexpr Triangle kSmallTriangle{400, 300, 420, 310, 405, 322};

void TriangleOurs(World& world, Triangle t) {
  world.engine.DrawTriangle(t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, kColour, world.screen);
}

void TriangleSdl(World& world, Triangle t) {
  const SDL_Color colour{0x99, 0x66, 0x00, 0xFF};
  const SDL_Vertex corners[3] = {{{float(t.x1), float(t.y1)}, colour, {0, 0}},
                                 {{float(t.x2), float(t.y2)}, colour, {0, 0}},
                                 {{float(t.x3), float(t.y3)}, colour, {0, 0}}};
  SDL_RenderGeometry(world.renderer, nullptr, corners, 3, nullptr, 0);
  SDL_RenderFlush(world.renderer);
}

void TriangleReference(World& world, Triangle t) {
  const int xs[3] = {t.x1, t.x2, t.x3}, ys[3] = {t.y1, t.y2, t.y3};
  for (int y = *std::min_element(ys, ys + 3); y <= *std::max_element(ys, ys + 3); ++y)
    for (int x = *std::min_element(xs, xs + 3); x <= *std::max_element(xs, xs + 3); ++x) {
      int positive = 0, negative = 0;
      for (int i = 0; i < 3; ++i) {
        const int64_t cross = int64_t{xs[(i + 1) % 3] - xs[i]} * (y - ys[i]) -
                              int64_t{ys[(i + 1) % 3] - ys[i]} * (x - xs[i]);
        positive += cross > 0;
        negative += cross < 0;
      }
      if ((positive == 0 || negative == 0) && x >= 0 && x < kWidth && y >= 0 && y < kHeight)
        Pixels(world)[y * (world.screen->pitch / 4) + x] = kColour;
    }
}

BENCHMARK_CAPTURE(Repeat, lo, TriangleOurs, kLargeTriangle)->Name("Triangle/large/ours");
BENCHMARK_CAPTURE(Repeat, ls, TriangleSdl, kLargeTriangle)->Name("Triangle/large/sdl");
BENCHMARK_CAPTURE(Repeat, lr, TriangleReference, kLargeTriangle)->Name("Triangle/large/reference");
BENCHMARK_CAPTURE(Repeat, so, TriangleOurs, kSmallTriangle)->Name("Triangle/small/ours");
BENCHMARK_CAPTURE(Repeat, ss, TriangleSdl, kSmallTriangle)->Name("Triangle/small/sdl");
BENCHMARK_CAPTURE(Repeat, sr, TriangleReference, kSmallTriangle)->Name("Triangle/small/reference");

// Scaled sprites: a 200 x 150 rectangle of the band drawn at 2x and 3x (flipped both ways, or not),
// against SDL_BlitScaled and against memcpy of as many pixels, row by row: the least a copy costs.
constexpr SDL_Rect kSprite{100, 80, 200, 150};

void SpriteOurs(World& world, int scale, int flip) {
  world.band.RenderImageScaled(world.screen, kSprite.x, kSprite.y, 10, 20, kSprite.w, kSprite.h,
                               scale, flip);
}

void SpriteSdl(World& world, int scale, int) {
  SDL_Rect target{10, 20, kSprite.w * scale, kSprite.h * scale};
  SDL_BlitScaled(world.bandSurface, &kSprite, world.screen, &target);
}

void SpriteMemcpy(World& world, int scale, int) {
  for (int row = 0; row < kSprite.h * scale; ++row)
    std::memcpy(Pixels(world) + (20 + row) * kWidth + 10,
                world.startPicture.pixels.get() + row * kWidth,
                sizeof(uint32_t) * kSprite.w * scale);
}

constexpr int kBothWays = ImageData::kFlipHorizontal | ImageData::kFlipVertical;
BENCHMARK_CAPTURE(Repeat, o2, SpriteOurs, 2, 0)->Name("Sprite/x2/ours");
BENCHMARK_CAPTURE(Repeat, f2, SpriteOurs, 2, kBothWays)->Name("Sprite/x2flipped/ours");
BENCHMARK_CAPTURE(Repeat, s2, SpriteSdl, 2, 0)->Name("Sprite/x2/sdl");
BENCHMARK_CAPTURE(Repeat, m2, SpriteMemcpy, 2, 0)->Name("Sprite/x2/memcpy");
BENCHMARK_CAPTURE(Repeat, o3, SpriteOurs, 3, 0)->Name("Sprite/x3/ours");
BENCHMARK_CAPTURE(Repeat, s3, SpriteSdl, 3, 0)->Name("Sprite/x3/sdl");
BENCHMARK_CAPTURE(Repeat, m3, SpriteMemcpy, 3, 0)->Name("Sprite/x3/memcpy");

}  // namespace
}  // namespace bench
