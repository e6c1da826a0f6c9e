// Lines as one run of pixels a row or a column, filled triangles as one span a row, rectangle
// outlines and single pixels.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "engine/core/BaseEngine.h"
#include "engine/draw/PixelRows.h"
#include "engine/draw/Ramp.h"

using namespace quendal;

namespace {

// A line as runs along its longer (major) axis, one run for each position along its shorter
// (minor) axis: a run a row for a line at least as wide as tall, a run a column for a taller one.
// Along the major axis u = 0 .. length counts from the first end towards the second, at
// start + u or start - u as it runs forward or back; along the minor axis the line rises from
// startMinor by rise > 0. The surface spans majorSize and minorSize pixels.
struct LineRuns {
  int64_t start, startMinor, length, rise;
  int majorSize, minorSize;
};

// Minor position k holds the u that round to it, halfway rounding up: u from
// ceil((2k - 1) * length / 2rise) to ceil((2k + 1) * length / 2rise) - 1. Only the minor positions
// inside the surface whose runs reach its major extent are walked, so that only the first and the
// last run can reach past it.
template <bool kRowRuns, bool kForward>
void DrawRuns(const PixelBuffer& target, const LineRuns& line, uint32_t colour) {
  const ptrdiff_t majorStride = kRowRuns ? 1 : target.stride;
  const ptrdiff_t minorStride = kRowRuns ? target.stride : 1;
  const int64_t low =
      std::max<int64_t>(0, kForward ? -line.start : line.start - (line.majorSize - 1));
  const int64_t high =
      std::min<int64_t>(line.length, kForward ? line.majorSize - 1 - line.start : line.start);
  if (low > high)
    return;
  auto runOf = [&](int64_t u) {
    return Ramp::FloorAt(line.length, 2 * line.rise, 2 * line.length, u);
  };
  const int64_t first = std::max(runOf(low), -line.startMinor);
  const int64_t last = std::min(runOf(high), line.minorSize - 1 - line.startMinor);
  if (first > last)
    return;
  Ramp starts(0, 2 * line.rise - 1 - line.length, 2 * line.length, 2 * line.rise, first);
  // The row or column of the run: a local, as the fills' stores could reach target's own pixels.
  uint32_t* run = target.pixels + (line.startMinor + first) * minorStride;
  auto fill = [&](int64_t from, int64_t next) {
    FillRun(run + (kForward ? line.start + from : line.start + 1 - next) * majorStride, majorStride,
            static_cast<size_t>(next - from), colour);
  };
  auto clipped = [&](int64_t from, int64_t next) {
    from = std::max(from, low);
    next = std::min(next, high + 1);
    if (from < next)
      fill(from, next);
  };
  auto step = [&](bool clip) {
    const int64_t from = starts.Floor();
    starts.Next();
    if (clip)
      clipped(from, starts.Floor());
    else
      fill(from, starts.Floor());
    run += minorStride;
  };
  step(true);  // the first and the last run alone need clipping
  for (int64_t k = first + 1; k < last; ++k)
    step(false);
  if (last > first)
    step(true);
}

}  // namespace

// Rows and columns are clipped to the surface before the walk, so that any ints draw in time
// proportional to the surface's size.
void BaseEngine::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour, SDL_Surface* surface) {
  if (x1 == x2 || y1 == y2) {
    DrawRectangle(x1, y1, x2, y2, colour, surface);
    return;
  }
  const PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  const bool wide = std::abs(int64_t{x2} - x1) >= std::abs(int64_t{y2} - y1);
  if (wide ? y1 > y2 : x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const int64_t dx = int64_t{x2} - x1, dy = int64_t{y2} - y1;
  if (wide) {
    const LineRuns line{x1, y1, std::abs(dx), dy, target.width, target.height};
    (dx > 0 ? DrawRuns<true, true> : DrawRuns<true, false>)(target, line, colour);
  } else {
    const LineRuns line{y1, x1, std::abs(dy), dx, target.height, target.width};
    (dy > 0 ? DrawRuns<false, true> : DrawRuns<false, false>)(target, line, colour);
  }
}

// With the corners sorted top to bottom, each row between the top and the bottom corner is bounded
// by the long edge (top to bottom) and one of the two short ones (top to middle, then middle to
// bottom): columns from the left edge's crossing rounded up to the right edge's rounded down.
void BaseEngine::DrawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour,
                              SDL_Surface* surface) {
  std::pair<int64_t, int64_t> corners[3] = {{y1, x1}, {y2, x2}, {y3, x3}};
  for (int i : {0, 1, 0})
    if (corners[i + 1] < corners[i])
      std::swap(corners[i], corners[i + 1]);
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
  const int first = rows.y, last = rows.y + rows.height - 1;
  Ramp longEdge(topX, 0, bottomX - topX, bottom - top, first - top);
  Ramp shortEdge =
      first < middle ? Ramp(topX, 0, middleX - topX, middle - top, first - top) : lowerEdge(first);
  const bool shortOnLeft =
      middleX < topX + Ramp::FloorAt(bottom - top - 1, bottomX - topX, bottom - top, middle - top);
  for (int y = first; y <= last; ++y) {
    if (y == middle)
      shortEdge = lowerEdge(middle);
    const Ramp& leftEdge = shortOnLeft ? shortEdge : longEdge;
    const Ramp& rightEdge = shortOnLeft ? longEdge : shortEdge;
    FillSpan(target, y, leftEdge.Ceiling(), rightEdge.Floor(), colour);
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
