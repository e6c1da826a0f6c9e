// Rectangles and ovals, filled and outlined, the colour palette, and text drawn and measured.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>

#include "engine/core/BaseEngine.h"
#include "engine/draw/PixelRows.h"

using namespace quendal;

void BaseEngine::DrawRectangle(int x1, int y1, int x2, int y2, uint32_t colour,
                               SDL_Surface* surface) {
  PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  PixelRect rect;
  if (ClipBox(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), target.width,
              target.height, rect))
    FillRows(target, rect, colour);
}

namespace {

// The ellipse inscribed in an inclusive box: pixel (x, y) is inside when
// 1.0 >= TermX(x) + TermY(y), evaluated exactly so in double precision.
struct Ellipse {
  double centreX;
  double centreY;
  double radiusTermX;
  double radiusTermY;
  double TermX(int64_t x) const {
    const double dx = static_cast<double>(x) - centreX;
    return dx * dx / radiusTermX;
  }
  double TermY(int64_t y) const {
    const double dy = static_cast<double>(y) - centreY;
    return dy * dy / radiusTermY;
  }
};

// Positions along one axis folded onto the half at or past the box's centre: position p and
// position mirrorSum - p lie equally far from the centre, so they share their term.
struct Fold {
  int64_t low;  // the folded range of the clipped positions, nearest the centre first
  int64_t high;
  int64_t mirrorSum;
};

// Folds the clipped positions first .. last of the box start .. end.
Fold FoldRange(int64_t start, int64_t end, int64_t first, int64_t last) {
  const int64_t sum = start + end;
  const int64_t middle = (sum + 1) >> 1;  // the first position at or past the centre
  auto folded = [&](int64_t p) { return p >= middle ? p : sum - p; };
  if (last < middle)
    return {folded(last), folded(first), sum};
  if (first >= middle)
    return {first, last, sum};
  return {middle, std::max(folded(first), last), sum};
}

// The parts of a box's inscribed ellipse that a clip rectangle keeps: its terms, the clipped
// columns and rows folded onto the half at or past the centre, and the clip.
struct ClippedOval {
  Ellipse ellipse;
  Fold columns;
  Fold rows;
  PixelRect clip;
};

// Whether any of the ellipse inscribed in the inclusive box lies inside the buffer. A box of zero
// width or height makes a term 0 / 0, which is no number: nothing is inside.
bool ClipOval(int x1, int y1, int x2, int y2, const PixelBuffer& target, ClippedOval& out) {
  const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (left == right || top == bottom ||
      !ClipBox(left, top, right, bottom, target.width, target.height, out.clip))
    return false;
  const uint64_t width = static_cast<uint64_t>(right - left);
  const uint64_t height = static_cast<uint64_t>(bottom - top);
  out.ellipse = {static_cast<double>(left + right) * 0.5, static_cast<double>(top + bottom) * 0.5,
                 static_cast<double>(width * width) * 0.25,
                 static_cast<double>(height * height) * 0.25};
  out.columns = FoldRange(left, right, out.clip.x, int64_t{out.clip.x} + out.clip.width - 1);
  out.rows = FoldRange(top, bottom, out.clip.y, int64_t{out.clip.y} + out.clip.height - 1);
  return true;
}

// Walks the folded rows out from the centre: each row's inside pixels are columns mirrorSum - end
// .. end, and end, its last inside column, only moves towards the centre, so one walk down the
// columns serves every row. The walk starts one column past the visible ones and stops one before
// them: of a row that reaches past them, or ends before them, no more need be known. Calls
// row(n, end, outerEnd) for each visible folded row with inside pixels, outerEnd being the end of
// the row next further out.
template <typename Row>
void WalkOval(const ClippedOval& oval, Row row) {
  int64_t end = oval.columns.high + 1;
  auto endOf = [&](int64_t n) {
    const double rowTerm = oval.ellipse.TermY(n);
    while (end >= oval.columns.low && !(1.0 >= oval.ellipse.TermX(end) + rowTerm))
      --end;
    return end;
  };
  for (int64_t n = oval.rows.low, current = endOf(n);
       n <= oval.rows.high && current >= oval.columns.low; ++n) {
    const int64_t outer = endOf(n + 1);
    row(n, current, outer);
    current = outer;
  }
}

// Fills columns from .. to of the folded row n and of its mirror row, those of them in the clip.
void FillMirroredRows(const PixelBuffer& target, const ClippedOval& oval, int64_t n, int64_t from,
                      int64_t to, uint32_t colour) {
  const int64_t mirror = oval.rows.mirrorSum - n;
  const int64_t clipBottom = int64_t{oval.clip.y} + oval.clip.height - 1;
  if (n <= clipBottom)
    FillSpan(target, static_cast<int>(n), from, to, colour);
  if (mirror != n && mirror >= oval.clip.y)
    FillSpan(target, static_cast<int>(mirror), from, to, colour);
}

}  // namespace

void BaseEngine::DrawOval(int x1, int y1, int x2, int y2, uint32_t colour, SDL_Surface* surface) {
  PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  ClippedOval oval;
  if (ClipOval(x1, y1, x2, y2, target, oval))
    WalkOval(oval, [&](int64_t n, int64_t end, int64_t) {
      FillMirroredRows(target, oval, n, oval.columns.mirrorSum - end, end, colour);
    });
}

// A row's outline pixels are those that the row next further out (never wider) leaves uncovered,
// and its two ends: on the right columns min(end, outerEnd + 1) .. end, and their mirror.
void BaseEngine::DrawOvalOutline(int x1, int y1, int x2, int y2, uint32_t colour,
                                 SDL_Surface* surface) {
  PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  ClippedOval oval;
  if (ClipOval(x1, y1, x2, y2, target, oval))
    WalkOval(oval, [&](int64_t n, int64_t end, int64_t outerEnd) {
      const int64_t from = std::min(end, outerEnd + 1);
      FillMirroredRows(target, oval, n, from, end, colour);
      FillMirroredRows(target, oval, n, oval.columns.mirrorSum - end, oval.columns.mirrorSum - from,
                       colour);
    });
}

uint32_t BaseEngine::GetColour(int index) {
  static const uint32_t palette[41] = {
      0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, 0xFFC0C0,
      0xC0FFC0, 0xC0C0FF, 0xC00000, 0x00C000, 0x0000C0, 0xC000C0, 0xC0C000, 0x00C0C0, 0xC0C0C0,
      0xFF8080, 0x80FF80, 0x8080FF, 0x800000, 0x008000, 0x000080, 0x800080, 0x808000, 0x008080,
      0x808080, 0xC08080, 0x80C080, 0x8080C0, 0x400000, 0x004000, 0x000040, 0x400040, 0x404000,
      0x004040, 0x404040, 0xC04040, 0x40C040, 0x4040C0};
  return index >= 0 && index <= 40 ? palette[index] : 0xCCCCCC;
}

// A line already in the text cache is drawn from it; otherwise SDL2_ttf renders it and the cache
// keeps it. Lines the cache cannot hold are rendered and blitted here, unless they lie wholly
// outside the surface's clip rectangle: SDL's own clipping overflows at extreme coordinates.
void BaseEngine::DrawString(int x, int y, const char* text, uint32_t colour, Font* font,
                            SDL_Surface* surface) {
  if (surface == nullptr)
    surface = screenSurface;
  if (font == nullptr)
    font = defaultFont;
  if (surface == nullptr || font == nullptr || font->handle == nullptr || text == nullptr ||
      text[0] == '\0')
    return;
  if (textCache.Draw(font->handle, text, colour, x, y, surface))
    return;
  const bool relock = surfaceLocked && screenSurface != nullptr && SDL_MUSTLOCK(screenSurface);
  if (relock)
    SDL_UnlockSurface(screenSurface);
  SDL_Color textColour{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                       static_cast<Uint8>(colour), 0};
  SDL_Surface* rendered = TTF_RenderText_Solid(font->handle, text, textColour);
  if (rendered != nullptr) {
    const SDL_Rect& clip = surface->clip_rect;
    PixelCopy visible;
    if (ClipCopy(0, 0, rendered->w, rendered->h, int64_t{x} - clip.x, int64_t{y} - clip.y, clip.w,
                 clip.h, rendered->w, rendered->h, visible)) {
      SDL_Rect destination{x, y, 0, 0};
      SDL_BlitSurface(rendered, nullptr, surface, &destination);
    }
    SDL_FreeSurface(rendered);
  }
  if (relock)
    SDL_LockSurface(screenSurface);
}

BaseEngine::TextSize BaseEngine::MeasureString(const char* text, Font* font) {
  if (font == nullptr)
    font = defaultFont;
  TextSize size;
  if (font == nullptr || font->handle == nullptr || text == nullptr || text[0] == '\0' ||
      textCache.Size(font->handle, text, size.width, size.height))
    return size;
  if (TTF_SizeText(font->handle, text, &size.width, &size.height) != 0 || size.width <= 0)
    return TextSize{};  // TTF_RenderText_Solid renders nothing for such a line
  return size;
}

int BaseEngine::GetLineHeight(Font* font) const {
  if (font == nullptr)
    font = defaultFont;
  return font != nullptr && font->handle != nullptr ? TTF_FontLineSkip(font->handle) : 0;
}
