// Lines, filled triangles, rectangle outlines and single pixels, as one span of pixels a row.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "engine/core/BaseEngine.h"
#include "engine/draw/PixelRows.h"
#include "engine/draw/Ramp.h"

using namespace quendal;

// Rows run top to bottom, clipped to the surface before the walk, so that any ints draw in time
// proportional to the surface's height. A steep line has one pixel a row, at x1 + dx * k / dy
// rounded half up (k rows below the top end); a shallow one has a run a row: the columns whose
// rounded row is that row, u = ceil((2k - 1) * |dx| / 2dy) .. ceil((2k + 1) * |dx| / 2dy) - 1 of
// 0 .. |dx| away from x1.
void BaseEngine::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour, SDL_Surface* surface) {
  if (x1 == x2 || y1 == y2) {
    DrawRectangle(x1, y1, x2, y2, colour, surface);
    return;
  }
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  PixelRect rows;
  if (!ClipBox(std::min(x1, x2), y1, std::max(x1, x2), y2, target.width, target.height, rows))
    return;
  const int64_t dx = int64_t{x2} - x1, dy = int64_t{y2} - y1, across = std::abs(dx);
  const int64_t below = rows.y - int64_t{y1};
  const int bottom = rows.y + rows.height - 1;
  if (across < dy) {
    for (Ramp x(x1, dy, 2 * dx, 2 * dy, below); rows.y <= bottom; ++rows.y, x.Next())
      FillSpan(target, rows.y, x.Floor(), x.Floor(), colour);
    return;
  }
  for (Ramp start(0, 2 * dy - 1 - across, 2 * across, 2 * dy, below); rows.y <= bottom; ++rows.y) {
    const int64_t first = std::max<int64_t>(start.Floor(), 0);
    start.Next();
    const int64_t last = std::min(start.Floor() - 1, across);
    if (dx > 0)
      FillSpan(target, rows.y, x1 + first, x1 + last, colour);
    else
      FillSpan(target, rows.y, x1 - last, x1 - first, colour);
  }
}

// With the corners sorted top to bottom, each row between the top and the bottom corner is bounded
// by the long edge (top to bottom) and one of the two short ones (top to middle, then middle to
// bottom): columns from the left edge's crossing rounded up to the right edge's rounded down.
void BaseEngine::DrawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour,
                              SDL_Surface* surface) {
  std::pair<int64_t, int64_t> corners[3] = {{y1, x1}, {y2, x2}, {y3, x3}};
  std::sort(std::begin(corners), std::end(corners));
  const int64_t top = corners[0].first, middle = corners[1].first, bottom = corners[2].first;
  const int64_t topX = corners[0].second, middleX = corners[1].second;
  const int64_t bottomX = corners[2].second;
  const int64_t left = std::min({topX, middleX, bottomX}),
                right = std::max({topX, middleX, bottomX});
  if (top == bottom) {
    DrawRectangle(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                  static_cast<int>(top), colour, surface);
    return;
  }
  const PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  PixelRect rows;
  if (!ClipBox(left, top, right, bottom, target.width, target.height, rows))
    return;
  // The edge from the middle corner down, at row y; a flat bottom edge meets its rows at middleX.
  auto lowerEdge = [&](int64_t y) {
    return middle < bottom ? Ramp(middleX, 0, bottomX - middleX, bottom - middle, y - middle)
                           : Ramp(middleX, 0, 0, 1, 0);
  };
  Ramp longEdge(topX, 0, bottomX - topX, bottom - top, rows.y - top);
  Ramp shortEdge = rows.y < middle ? Ramp(topX, 0, middleX - topX, middle - top, rows.y - top)
                                   : lowerEdge(rows.y);
  const bool shortOnLeft =
      middleX < Ramp(topX, 0, bottomX - topX, bottom - top, middle - top).Ceiling();
  for (const int last = rows.y + rows.height - 1; rows.y <= last; ++rows.y) {
    if (rows.y == middle)
      shortEdge = lowerEdge(middle);
    const Ramp& leftEdge = shortOnLeft ? shortEdge : longEdge;
    const Ramp& rightEdge = shortOnLeft ? longEdge : shortEdge;
    FillSpan(target, rows.y, leftEdge.Ceiling(), rightEdge.Floor(), colour);
    longEdge.Next();
    shortEdge.Next();
  }
}

void BaseEngine::DrawRectangleOutline(int x1, int y1, int x2, int y2, uint32_t colour,
                                      SDL_Surface* surface) {
  DrawRectangle(x1, y1, x2, y1, colour, surface);
  DrawRectangle(x1, y2, x2, y2, colour, surface);
  DrawRectangle(x1, y1, x1, y2, colour, surface);
  DrawRectangle(x2, y1, x2, y2, colour, surface);
}

void BaseEngine::DrawPixel(int x, int y, uint32_t colour, SDL_Surface* surface) {
  DrawRectangle(x, y, x, y, colour, surface);
}
