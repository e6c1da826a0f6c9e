// The shapes, the pictures' copies and the background copy against per-pixel models on guarded,
// padded surfaces: a table of the edges and every small size (random calls: fuzz_drawing).
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "support/Reference.h"
#include "support/TestSupport.h"

using testsupport::Canvas;
using testsupport::DrawCall;

// Each call of tests/tables/drawing.tsv on a small unpadded canvas and on a window-sized one with a
// background of another size and other padding.
TEST(EnginePrimitives, TableMatchesTheModels) {
  struct Geometry {
    int width, height, padding, backgroundWidth, backgroundHeight, backgroundPadding;
    int imageWidth, imageHeight;
  };
  const auto table = testsupport::Table("drawing.tsv", 1);
  for (const Geometry& g :
       {Geometry{64, 48, 0, 64, 48, 0, 37, 23}, Geometry{800, 600, 3, 790, 610, 1, 1000, 600}}) {
    BaseEngine engine;
    Canvas canvas(engine, g.width, g.height, g.padding, g.backgroundWidth, g.backgroundHeight,
                  g.backgroundPadding);
    canvas.Noise(1);
    canvas.SetImage(g.imageWidth, g.imageHeight, 2);
    for (const auto& row : table) {
      std::istringstream fields(row[0]);
      std::string kind;
      int c[8] = {0, 0, 0, 0, 0, 0, 1, 0};
      fields >> kind >> c[0] >> c[1] >> c[2] >> c[3] >> c[4] >> c[5] >> c[6] >> c[7];
      const std::map<std::string, std::vector<DrawCall::Kind>> kinds = {
          {"box",
           {DrawCall::kRectangle, DrawCall::kOval, DrawCall::kRectangleOutline,
            DrawCall::kOvalOutline, DrawCall::kLine, DrawCall::kPixel}},
          {"triangle", {DrawCall::kTriangle}},
          {"image", {DrawCall::kImage, DrawCall::kBlendedImage}},
          {"sprite", {DrawCall::kScaledImage, DrawCall::kBlendedScaledImage}},
          {"copy", {DrawCall::kCopy}}};
      if (kind == "copy")
        canvas.Noise(c[0] ^ c[2]);
      for (DrawCall::Kind call : kinds.at(kind)) {
        DrawCall draw{call, c[0], c[1], c[2], c[3], c[4], c[5]};
        draw.scale = c[6];
        draw.flip = c[7];
        EXPECT_EQ(canvas.Draw(draw), "");
      }
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
        for (DrawCall::Kind kind : {DrawCall::kRectangle, DrawCall::kRectangleOutline})
          EXPECT_EQ(canvas.Draw({kind, x, y, x + width - 1, y + height - 1, 0, 0, false,
                                 0x01000000u * width + height}),
                    "");
      }
  }
  BaseEngine engine;
  Canvas canvas(engine, 61, 47, 3);
  canvas.Noise(7);
  for (int size = 1; size <= 70; ++size)
    for (int shift = 0; shift < 4; ++shift) {
      const int x = -size / 2 + 17 * shift, y = -size / 3 + 13 * shift;
      for (DrawCall::Kind kind : {DrawCall::kOval, DrawCall::kOvalOutline})
        EXPECT_EQ(canvas.Draw({kind, x, y, x + size, y + size - shift}), "");
    }
  for (int length : {1, 3})  // every slope of up to 13 steps a side, halfway pixels included
    for (int dx = -13; dx <= 13; ++dx)
      for (int dy = -13; dy <= 13; ++dy)
        EXPECT_EQ(canvas.Draw({DrawCall::kLine, 30, 23, 30 + dx * length, 23 + dy * length}), "");
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
