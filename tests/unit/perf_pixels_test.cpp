// The fast pixel paths against plain per-pixel reference loops: identical pixels on random boxes,
// clipped edges, padded rows and extreme int32 coordinates.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "engine/ImageData.h"
#include "support/TestSupport.h"

namespace {

// A surface in the engine's format over storage the test owns, each row padding pixels longer
// than the surface is wide, filled (padding included) with noise.
struct PaddedSurface {
  PaddedSurface(int width, int height, int padding, std::mt19937& random)
      : width(width), height(height), stride(width + padding),
        storage(static_cast<size_t>(stride) * height) {
    for (uint32_t& pixel : storage)
      pixel = static_cast<uint32_t>(random());
    surface = SDL_CreateRGBSurfaceFrom(storage.data(), width, height, 32, stride * 4, 0x00FF0000,
                                       0x0000FF00, 0x000000FF, 0xFF000000);
  }
  ~PaddedSurface() { SDL_FreeSurface(surface); }
  PaddedSurface(const PaddedSurface&) = delete;
  PaddedSurface& operator=(const PaddedSurface&) = delete;

  int width;
  int height;
  int stride;
  std::vector<uint32_t> storage;
  SDL_Surface* surface = nullptr;
};

// A surface size and row padding, and how many random cases to draw on it.
struct Geometry {
  int width;
  int height;
  int padding;
  int cases;
};

// Small surfaces for many cases; a wide and a tall one beyond the oval's term tables.
const Geometry kGeometries[] = {
    {37, 23, 0, 600}, {37, 23, 5, 600}, {1, 1, 0, 100}, {2100, 3, 0, 80}, {3, 1100, 2, 80}};

// A coordinate near a surface of the given extent (often just outside it), sometimes an extreme.
int Coordinate(std::mt19937& random, int extent) {
  static const int kExtremes[] = {INT_MIN, INT_MIN + 1, -1000000, -1, 0, 1, 1000000, INT_MAX - 1,
                                  INT_MAX};
  if (random() % 6 == 0)
    return kExtremes[random() % (sizeof kExtremes / sizeof kExtremes[0])];
  const int margin = extent / 2 + 3;
  return std::uniform_int_distribution<int>(-margin, extent + margin)(random);
}

std::string Describe(const char* what, std::initializer_list<int64_t> values) {
  std::string text = what;
  for (int64_t value : values)
    text += " " + std::to_string(value);
  return text;
}

// Compares the whole storage, padding included; reports the case once.
bool SameStorage(const std::vector<uint32_t>& actual, const std::vector<uint32_t>& expected,
                 int stride, const std::string& what) {
  const std::string difference = testsupport::FirstDifference(actual, expected, stride);
  if (difference.empty())
    return true;
  ADD_FAILURE() << what << ": " << difference;
  return false;
}

// The box test and the inside test of the fill operations, one pixel at a time.
void ReferenceRectangle(std::vector<uint32_t>& pixels, const PaddedSurface& target, int x1, int y1,
                        int x2, int y2, uint32_t colour) {
  const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  for (int64_t y = 0; y < target.height; ++y)
    for (int64_t x = 0; x < target.width; ++x)
      if (x >= left && x <= right && y >= top && y <= bottom)
        pixels[y * target.stride + x] = colour;
}

void ReferenceOval(std::vector<uint32_t>& pixels, const PaddedSurface& target, int x1, int y1,
                   int x2, int y2, uint32_t colour) {
  const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  const double centreX = static_cast<double>(left + right) * 0.5;
  const double centreY = static_cast<double>(top + bottom) * 0.5;
  const uint64_t width = static_cast<uint64_t>(right - left);
  const uint64_t height = static_cast<uint64_t>(bottom - top);
  const double radiusTermX = static_cast<double>(width * width) * 0.25;
  const double radiusTermY = static_cast<double>(height * height) * 0.25;
  for (int64_t y = 0; y < target.height; ++y)
    for (int64_t x = 0; x < target.width; ++x) {
      if (x < left || x > right || y < top || y > bottom)
        continue;
      const double termX = (x - centreX) * (x - centreX) / radiusTermX;
      const double termY = (y - centreY) * (y - centreY) / radiusTermY;
      if (1.0 >= termX + termY)
        pixels[y * target.stride + x] = colour;
    }
}

TEST(PerfPixels, RectanglesAndOvalsMatchPerPixelLoops) {
  std::mt19937 random(20240611);
  BaseEngine engine;
  using Fill = void (BaseEngine::*)(int, int, int, int, uint32_t, SDL_Surface*);
  using Reference = void (*)(std::vector<uint32_t>&, const PaddedSurface&, int, int, int, int,
                             uint32_t);
  const struct {
    const char* name;
    Fill fill;
    Reference reference;
  } kShapes[] = {{"DrawRectangle", &BaseEngine::DrawRectangle, ReferenceRectangle},
                 {"DrawOval", &BaseEngine::DrawOval, ReferenceOval}};
  for (const auto& shape : kShapes)
    for (const Geometry& geometry : kGeometries) {
      PaddedSurface target(geometry.width, geometry.height, geometry.padding, random);
      int failures = 0;
      for (int i = 0; i < geometry.cases && failures < 3; ++i) {
        const int x1 = Coordinate(random, geometry.width), x2 = Coordinate(random, geometry.width);
        const int y1 = Coordinate(random, geometry.height);
        const int y2 = Coordinate(random, geometry.height);
        const uint32_t colour = static_cast<uint32_t>(random());
        std::vector<uint32_t> expected = target.storage;
        shape.reference(expected, target, x1, y1, x2, y2, colour);
        (engine.*shape.fill)(x1, y1, x2, y2, colour, target.surface);
        failures += !SameStorage(target.storage, expected, target.stride,
                                 Describe(shape.name, {geometry.width, geometry.height, x1, y1,
                                                       x2, y2}));
        target.storage = expected;
      }
    }
}

// Every narrow width and short height the row fill treats apart, and boxes as wide as the rows.
TEST(PerfPixels, RectanglesOfEverySmallSizeMatchPerPixelLoop) {
  std::mt19937 random(3);
  BaseEngine engine;
  for (int padding : {0, 1}) {
    PaddedSurface target(37, 23, padding, random);
    int failures = 0;
    for (int width = 1; width <= 40 && failures < 3; ++width)
      for (int height = 1; height <= 9; ++height) {
        const int x = width > 36 ? -1 : width % 5, y = height + width % 11;
        const uint32_t colour = 0x01000000u * static_cast<uint32_t>(width) + height;
        std::vector<uint32_t> expected = target.storage;
        ReferenceRectangle(expected, target, x, y, x + width - 1, y + height - 1, colour);
        engine.DrawRectangle(x, y, x + width - 1, y + height - 1, colour, target.surface);
        failures += !SameStorage(target.storage, expected, target.stride,
                                 Describe("DrawRectangle", {x, y, width, height}));
        target.storage = expected;
      }
  }
}

TEST(PerfPixels, DiscsOfEverySizeMatchPerPixelLoop) {
  std::mt19937 random(7);
  BaseEngine engine;
  PaddedSurface target(61, 47, 3, random);
  int failures = 0;
  for (int size = 1; size <= 70 && failures < 3; ++size)
    for (int shift = 0; shift < 4; ++shift) {
      const int x = -size / 2 + 17 * shift, y = -size / 3 + 13 * shift;
      std::vector<uint32_t> expected = target.storage;
      ReferenceOval(expected, target, x, y, x + size, y + size - shift, 0x00ABCDEF);
      engine.DrawOval(x, y, x + size, y + size - shift, 0x00ABCDEF, target.surface);
      failures += !SameStorage(target.storage, expected, target.stride,
                               Describe("DrawOval", {x, y, x + size, y + size - shift}));
      target.storage = expected;
    }
}

TEST(PerfPixels, RenderImageMatchesPerPixelCopy) {
  std::mt19937 random(99);
  for (const Geometry& geometry : kGeometries) {
    PaddedSurface target(geometry.width, geometry.height, geometry.padding, random);
    int failures = 0;
    for (int i = 0; i < geometry.cases && failures < 3; ++i) {
      ImageData image;
      image.width = 1 + static_cast<int>(random() % 40);
      image.height = 1 + static_cast<int>(random() % 30);
      image.pixels = std::make_unique<uint32_t[]>(static_cast<size_t>(image.width) * image.height);
      for (int p = 0; p < image.width * image.height; ++p)
        image.pixels[p] = static_cast<uint32_t>(random());
      const int sourceX = Coordinate(random, image.width);
      const int sourceY = Coordinate(random, image.height);
      const int targetX = Coordinate(random, geometry.width);
      const int targetY = Coordinate(random, geometry.height);
      const int width = Coordinate(random, geometry.width);
      const int height = Coordinate(random, geometry.height);
      std::vector<uint32_t> expected = target.storage;
      for (int64_t y = 0; y < target.height; ++y)
        for (int64_t x = 0; x < target.width; ++x) {
          const int64_t column = x - targetX, row = y - targetY;
          const int64_t imageX = sourceX + column, imageY = sourceY + row;
          if (column >= 0 && column < width && row >= 0 && row < height && imageX >= 0 &&
              imageX < image.width && imageY >= 0 && imageY < image.height)
            expected[y * target.stride + x] = image.pixels[imageY * image.width + imageX];
        }
      image.RenderImage(target.surface, sourceX, sourceY, targetX, targetY, width, height);
      failures += !SameStorage(
          target.storage, expected, target.stride,
          Describe("RenderImage", {image.width, image.height, sourceX, sourceY, targetX, targetY,
                                   width, height}));
      target.storage = expected;
    }
  }
}

TEST(PerfPixels, CopyBackgroundPixelsMatchesPerPixelCopy) {
  std::mt19937 random(5);
  for (const Geometry& geometry : kGeometries)
    for (int screenPadding : {0, 3}) {
      PaddedSurface screen(geometry.width, geometry.height, screenPadding, random);
      PaddedSurface background(geometry.width, geometry.height, geometry.padding, random);
      BaseEngine engine;
      testsupport::LentSurfaces lent(engine, screen.surface, background.surface);
      const int w = geometry.width, h = geometry.height;
      std::vector<std::array<int, 4>> cases = {
          {0, 0, w, h}, {0, 1, w, h - 2}, {-5, -5, w + 10, h + 10}, {0, 0, 0, h}, {0, 0, w, 0}};
      for (int i = 0; i < geometry.cases; ++i)
        cases.push_back({Coordinate(random, w), Coordinate(random, h), Coordinate(random, w),
                         Coordinate(random, h)});
      int failures = 0;
      for (const auto& [x, y, width, height] : cases) {
        if (failures >= 3)
          break;
        std::vector<uint32_t> expected = screen.storage;
        for (int64_t row = 0; row < h; ++row)
          for (int64_t column = 0; column < w; ++column)
            if (column >= x && column < int64_t{x} + width && row >= y &&
                row < int64_t{y} + height)
              expected[row * screen.stride + column] =
                  background.storage[row * background.stride + column];
        engine.CopyBackgroundPixels(x, y, width, height);
        failures += !SameStorage(screen.storage, expected, screen.stride,
                                 Describe("CopyBackgroundPixels", {w, h, x, y, width, height}));
        screen.storage = expected;
        for (uint32_t& pixel : background.storage)
          pixel = static_cast<uint32_t>(random());
      }
    }
}

}  // namespace
