// Rectangles, ovals, RenderImage and the background copy against per-pixel models on guarded,
// padded surfaces: fixed tables of the edges and every small size (random calls: fuzz_drawing).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "support/Reference.h"

namespace {

using testsupport::Canvas;
using testsupport::DrawCall;

// Boxes as corners for rectangles and ovals; clipped edges, swapped corners and extremes.
// clang-format off
const int kBoxes[][4] = {
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
    {-700, INT_MIN, 850, INT_MAX}, {399, 299, 400, 300}, {790, 590, 805, 610}};
// clang-format on

// RenderImage's source x, y, target x, y, width, height.
// clang-format off
const int kImageCopies[][6] = {
    {0, 0, 0, 0, 37, 23}, {0, 0, -100, 5, 800, 10}, {0, 0, 5, 48, 10, 10}, {0, 0, 5, 47, 10, 10},
    {0, 0, 5, 200, 10, 10}, {30, 20, 0, 0, 20, 20}, {-5, -5, 10, 10, 20, 20},
    {0, 0, 50, 40, 37, 23}, {10, 5, 3, 4, 0, 10}, {0, 0, 0, 0, -5, 10}, {37, 0, 0, 0, 10, 10},
    {0, 23, 0, 0, 10, 10}, {-30, 0, -30, 0, 64, 48}, {5, 3, -2, -1, 100, 100},
    {0, 0, 63, 47, 5, 5}, {0, 0, -100, 50, 800, 550}, {INT_MAX, 0, 0, 0, 10, 10},
    {0, 0, INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, 0, 0, INT_MAX, INT_MAX},
    {0, 0, INT_MAX, 0, INT_MAX, 10}, {-10, -10, -10, -10, INT_MAX, INT_MAX}};
// clang-format on

// CopyBackgroundPixels' x, y, width, height.
// clang-format off
const int kBackgroundCopies[][4] = {
    {5, 6, 10, 7}, {-3, -4, 10, 10}, {60, 40, 10, 10}, {-20, 10, 200, 3}, {10, -20, 3, 200},
    {64, 0, 5, 5}, {0, 48, 5, 5}, {-5, 0, 5, 5}, {0, -5, 5, 5}, {3, 3, 0, 9}, {3, 3, 9, 0},
    {3, 3, -4, 9}, {0, 0, 64, 48}, {0, 0, 800, 600}, {INT_MIN, 0, INT_MAX, 10},
    {-10, 0, INT_MAX, 10}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {0, INT_MIN, 5, INT_MAX},
    {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {-1, -1, INT_MAX, INT_MAX}, {63, 47, INT_MAX, INT_MAX}};
// clang-format on

}  // namespace

// Each table on a small unpadded canvas and on a window-sized one with a background of another
// size and other padding.
TEST(EnginePrimitives, FixedTablesMatchTheModels) {
  struct Geometry {
    int width, height, padding, backgroundWidth, backgroundHeight, backgroundPadding;
    int imageWidth, imageHeight;
  };
  for (const Geometry& g :
       {Geometry{64, 48, 0, 64, 48, 0, 37, 23}, Geometry{800, 600, 3, 790, 610, 1, 1000, 600}}) {
    BaseEngine engine;
    Canvas canvas(engine, g.width, g.height, g.padding, g.backgroundWidth, g.backgroundHeight,
                  g.backgroundPadding);
    canvas.Noise(1);
    canvas.SetImage(g.imageWidth, g.imageHeight, 2);
    for (const auto& box : kBoxes)
      for (DrawCall::Kind kind : {DrawCall::kRectangle, DrawCall::kOval})
        EXPECT_EQ(canvas.Draw({kind, box[0], box[1], box[2], box[3]}), "");
    for (const auto& c : kImageCopies)
      for (DrawCall::Kind kind : {DrawCall::kImage, DrawCall::kBlendedImage})
        EXPECT_EQ(canvas.Draw({kind, c[0], c[1], c[2], c[3], c[4], c[5]}), "");
    for (const auto& c : kBackgroundCopies) {
      canvas.Noise(c[0] ^ c[2]);
      EXPECT_EQ(canvas.Draw({DrawCall::kCopy, c[0], c[1], c[2], c[3]}), "");
    }
    canvas.SetImage(0, 0, 0);
    EXPECT_EQ(canvas.Draw({DrawCall::kImage, 0, 0, 0, 0, 64, 48}), "") << "an empty image";
  }
}

// Every width and height the row fill and the disc's spans treat apart, up to rows that fill the
// whole stride.
TEST(EnginePrimitives, EverySmallSizeMatchesTheModels) {
  for (int padding : {0, 1}) {
    BaseEngine engine;
    Canvas canvas(engine, 37, 23, padding);
    canvas.Noise(3);
    for (int width = 1; width <= 40; ++width)
      for (int height = 1; height <= 9; ++height) {
        const int x = width > 36 ? -1 : width % 5, y = height + width % 11;
        EXPECT_EQ(canvas.Draw({DrawCall::kRectangle, x, y, x + width - 1, y + height - 1, 0, 0,
                               false, 0x01000000u * width + height}),
                  "");
      }
  }
  BaseEngine engine;
  Canvas canvas(engine, 61, 47, 3);
  canvas.Noise(7);
  for (int size = 1; size <= 70; ++size)
    for (int shift = 0; shift < 4; ++shift) {
      const int x = -size / 2 + 17 * shift, y = -size / 3 + 13 * shift;
      EXPECT_EQ(canvas.Draw({DrawCall::kOval, x, y, x + size, y + size - shift}), "");
    }
}

TEST(EnginePrimitives, PaletteTable) {
  const std::pair<int, uint32_t> cases[] = {
      {0, 0x000000},  {1, 0xFF0000},    {7, 0xFFFFFF},       {8, 0xFFC0C0},
      {14, 0xC000C0}, {20, 0x8080FF},   {27, 0x808080},      {29, 0x80C080},
      {33, 0x000040}, {38, 0xC04040},   {40, 0x4040C0},      {41, 0xCCCCCC},
      {-1, 0xCCCCCC}, {1000, 0xCCCCCC}, {INT_MIN, 0xCCCCCC}, {INT_MAX, 0xCCCCCC}};
  for (const auto& [index, colour] : cases)
    EXPECT_EQ(BaseEngine::GetColour(index), colour) << "index " << index;
}
