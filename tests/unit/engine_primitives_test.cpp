// Filled rectangles and ovals pixel by pixel against plain reference loops, and the palette.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "engine/BaseEngine.h"
#include "support/TestSupport.h"

namespace {

using testsupport::FirstDifference;

// A box given by two opposite corners, and its normalised bounds.
struct Box {
  int x1, y1, x2, y2;
};

struct Bounds {
  int64_t left, top, right, bottom;
  explicit Bounds(const Box& box)
      : left(std::min(box.x1, box.x2)), top(std::min(box.y1, box.y2)),
        right(std::max(box.x1, box.x2)), bottom(std::max(box.y1, box.y2)) {}
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// Every surface pixel inside the inclusive box takes the colour.
std::vector<uint32_t> ReferenceRectangle(std::vector<uint32_t> pixels, int width, int height,
                                         const Box& box, uint32_t colour) {
  const Bounds b(box);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (b.Contains(x, y))
        pixels[y * width + x] = colour;
  return pixels;
}

// Every surface pixel of the box with 1.0 >= (x-cx)^2/rx2 + (y-cy)^2/ry2 takes the colour.
std::vector<uint32_t> ReferenceOval(std::vector<uint32_t> pixels, int width, int height,
                                    const Box& box, uint32_t colour) {
  const Bounds b(box);
  if (b.left == b.right || b.top == b.bottom)
    return pixels;
  const double cx = static_cast<double>(b.left + b.right) * 0.5;
  const double cy = static_cast<double>(b.top + b.bottom) * 0.5;
  const uint64_t w = static_cast<uint64_t>(b.right - b.left);
  const uint64_t h = static_cast<uint64_t>(b.bottom - b.top);
  const double rx2 = static_cast<double>(w * w) * 0.25;
  const double ry2 = static_cast<double>(h * h) * 0.25;
  for (int x = 0; x < width; ++x) {
    const double termX = (x - cx) * (x - cx) / rx2;
    for (int y = 0; y < height; ++y) {
      const double termY = (y - cy) * (y - cy) / ry2;
      if (b.Contains(x, y) && 1.0 >= termX + termY)
        pixels[y * width + x] = colour;
    }
  }
  return pixels;
}

const Box kBoxes[] = {
    {10, 20, 10, 20}, {5, 5, 2, 2}, {2, 5, 5, 2}, {0, 0, 10, 10}, {3, 4, 30, 17}, {0, 10, 63, 10},
    {3, 3, 3, 20}, {63, 47, 63, 47}, {64, 48, 64, 48}, {-10, -10, 5, 5}, {60, 40, 100, 100},
    {-5, 10, 70, 12}, {-100, -100, 100, 100}, {40, 30, 90, 70}, {100, 100, 200, 200},
    {-20, -20, -1, -1}, {0, 0, 63, 47}, {-1, -1, 64, 48}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {INT_MIN, 5, 3, INT_MAX}, {INT_MIN, 0, INT_MAX, 47},
    {0, INT_MIN, 63, INT_MAX}, {INT_MIN, 10, INT_MAX, 10}, {INT_MAX - 1, 0, INT_MAX, 10},
    {INT_MIN, INT_MIN, INT_MIN + 5, INT_MIN + 5}, {INT_MAX - 100, 0, INT_MAX, 47},
    {INT_MIN, INT_MIN, INT_MIN + 100, 20}, {-1999999970, -999999976, 30, 1000000024},
    {-1000000000, -7, 1000000040, 2000000000}, {30, -2000000000, 2000000000, 24},
    {INT_MIN, -1, 200, 700}, {100, INT_MIN, INT_MAX, INT_MAX}, {INT_MIN, 300, INT_MAX, INT_MAX},
    {-700, INT_MIN, 850, INT_MAX}, {399, 299, 400, 300}, {790, 590, 805, 610},
};

// Draws every box on a 64x48 and an 800x600 surface and compares each whole surface.
template <typename Draw, typename Reference>
void CompareOnSurfaces(Draw draw, Reference reference) {
  for (const int width : {64, 800}) {
    const int height = width * 3 / 4;
    for (const Box& box : kBoxes) {
      SCOPED_TRACE(testing::Message() << width << "x" << height << " box " << box.x1 << ", "
                                      << box.y1 << ", " << box.x2 << ", " << box.y2);
      testsupport::Surface target(width, height, 0x00123456);
      BaseEngine engine;
      engine.screenHeight = height;
      const std::vector<uint32_t> before = target.Pixels();
      draw(engine, box, target.surface);
      EXPECT_EQ(FirstDifference(target.Pixels(), reference(before, width, height, box, 0xFF8000u),
                                width),
                "");
    }
  }
}

}  // namespace

TEST(EnginePrimitives, RectangleMatchesReference) {
  CompareOnSurfaces(
      [](BaseEngine& engine, const Box& b, SDL_Surface* surface) {
        engine.DrawRectangle(b.x1, b.y1, b.x2, b.y2, 0xFF8000, surface);
      },
      ReferenceRectangle);
}

TEST(EnginePrimitives, OvalMatchesReference) {
  CompareOnSurfaces(
      [](BaseEngine& engine, const Box& b, SDL_Surface* surface) {
        engine.DrawOval(b.x1, b.y1, b.x2, b.y2, 0xFF8000, surface);
      },
      ReferenceOval);
}

TEST(EnginePrimitives, NamedOvalAndRectanglePixels) {
  testsupport::Surface screen(64, 48), background(64, 48);
  BaseEngine engine;
  testsupport::LentSurfaces lent(engine, screen.surface, background.surface);
  engine.DrawOval(0, 0, 10, 10, 0xFF);
  EXPECT_EQ(std::vector<uint32_t>({screen.At(0, 5), screen.At(10, 5), screen.At(5, 0),
                                   screen.At(5, 10), screen.At(0, 0), screen.At(1, 1)}),
            std::vector<uint32_t>({0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
  EXPECT_EQ(background.Pixels(), std::vector<uint32_t>(64 * 48, 0));
  engine.DrawRectangle(20, 30, 20, 30, 0xABCDEF);
  engine.DrawRectangle(5, 40, 2, 37, 0x12, background.surface);
  EXPECT_EQ(screen.At(20, 30), 0xABCDEFu);
  std::vector<uint32_t> block = ReferenceRectangle(std::vector<uint32_t>(64 * 48, 0), 64, 48,
                                                   {2, 37, 5, 40}, 0x12);
  EXPECT_EQ(background.Pixels(), block);
}

TEST(EnginePrimitives, PaletteTable) {
  struct Case {
    int index;
    uint32_t colour;
  };
  const Case cases[] = {{0, 0x000000},  {1, 0xFF0000},    {7, 0xFFFFFF},      {8, 0xFFC0C0},
                        {14, 0xC000C0}, {20, 0x8080FF},   {27, 0x808080},     {29, 0x80C080},
                        {33, 0x000040}, {38, 0xC04040},   {40, 0x4040C0},     {41, 0xCCCCCC},
                        {-1, 0xCCCCCC}, {1000, 0xCCCCCC}, {INT_MIN, 0xCCCCCC}, {INT_MAX, 0xCCCCCC}};
  for (const Case& c : cases)
    EXPECT_EQ(BaseEngine::GetColour(c.index), c.colour) << "index " << c.index;
}
