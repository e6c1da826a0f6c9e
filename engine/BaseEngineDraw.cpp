// The drawing primitives, the colour palette and text drawing.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

#include "engine/BaseEngine.h"
#include "engine/PixelRows.h"

void BaseEngine::DrawRectangle(int x1, int y1, int x2, int y2, uint32_t colour,
                               SDL_Surface* surface) {
  PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  PixelRect rect;
  if (ClipBox(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), target.width,
              target.height, rect))
    FillRows(target, rect, colour);
}

// A pixel (x, y) is inside when 1 >= (x-cx)^2/rx2 + (y-cy)^2/ry2. That sum grows with |x - cx|,
// so each row's inside pixels form one span symmetric about cx: find its right end from the
// square root, settle it with the exact test, then fill the clipped span.
void BaseEngine::DrawOval(int x1, int y1, int x2, int y2, uint32_t colour, SDL_Surface* surface) {
  PixelBuffer target = BufferOf(surface != nullptr ? surface : screenSurface);
  const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  PixelRect clip;
  if (left == right || top == bottom ||
      !ClipBox(left, top, right, bottom, target.width, target.height, clip))
    return;
  const double centreX = static_cast<double>(left + right) * 0.5;
  const double centreY = static_cast<double>(top + bottom) * 0.5;
  const uint64_t width = static_cast<uint64_t>(right - left);
  const uint64_t height = static_cast<uint64_t>(bottom - top);
  const double radiusTermX = static_cast<double>(width * width) * 0.25;
  const double radiusTermY = static_cast<double>(height * height) * 0.25;
  // The first column at or right of the centre; column x mirrors to left + right - x.
  const int64_t firstRight = static_cast<int64_t>(std::ceil(centreX));

  uint32_t* row = target.pixels + static_cast<ptrdiff_t>(clip.y) * target.stride;
  for (int y = clip.y; y < clip.y + clip.height; ++y, row += target.stride) {
    const double dy = y - centreY;
    const double termY = dy * dy / radiusTermY;
    auto inside = [&](int64_t x) {
      const double dx = static_cast<double>(x) - centreX;
      return 1.0 >= dx * dx / radiusTermX + termY;
    };
    if (!inside(firstRight))
      continue;
    const double reach = std::sqrt(std::max(0.0, (1.0 - termY) * radiusTermX));
    int64_t end = std::clamp<int64_t>(static_cast<int64_t>(centreX + reach), firstRight, right);
    while (end < right && inside(end + 1))
      ++end;
    while (!inside(end))
      --end;
    const int64_t from = std::max<int64_t>(left + right - end, clip.x);
    const int64_t to = std::min<int64_t>(end, clip.x + clip.width - 1);
    if (from <= to)
      std::fill(row + from, row + to + 1, colour);
  }
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

void BaseEngine::DrawString(int x, int y, const char* text, uint32_t colour, Font* font,
                            SDL_Surface* surface) {
  if (surface == nullptr)
    surface = screenSurface;
  if (font == nullptr)
    font = defaultFont;
  if (surface == nullptr || font == nullptr || font->handle == nullptr || text == nullptr ||
      text[0] == '\0')
    return;
  const bool relock = surfaceLocked && screenSurface != nullptr && SDL_MUSTLOCK(screenSurface);
  if (relock)
    SDL_UnlockSurface(screenSurface);
  SDL_Color textColour{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                       static_cast<Uint8>(colour), 0};
  SDL_Surface* rendered = TTF_RenderText_Solid(font->handle, text, textColour);
  if (rendered != nullptr) {
    SDL_Rect destination{x, y, 0, 0};
    SDL_BlitSurface(rendered, nullptr, surface, &destination);
    SDL_FreeSurface(rendered);
  }
  if (relock)
    SDL_LockSurface(screenSurface);
}
