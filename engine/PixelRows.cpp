// Clipping of rectangles to pixel buffers and the row loops that fill and copy them.
#include "engine/PixelRows.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

PixelBuffer BufferOf(SDL_Surface* surface) {
  PixelBuffer buffer;
  if (surface == nullptr || surface->pixels == nullptr || surface->format->BytesPerPixel != 4)
    return buffer;
  buffer.pixels = static_cast<uint32_t*>(surface->pixels);
  buffer.width = surface->w;
  buffer.height = surface->h;
  buffer.stride = surface->pitch / 4;
  return buffer;
}

bool ClipBox(int64_t left, int64_t top, int64_t right, int64_t bottom, int width, int height,
             PixelRect& out) {
  left = std::max<int64_t>(left, 0);
  top = std::max<int64_t>(top, 0);
  right = std::min<int64_t>(right, int64_t{width} - 1);
  bottom = std::min<int64_t>(bottom, int64_t{height} - 1);
  if (left > right || top > bottom)
    return false;
  out.x = static_cast<int>(left);
  out.y = static_cast<int>(top);
  out.width = static_cast<int>(right - left + 1);
  out.height = static_cast<int>(bottom - top + 1);
  return true;
}

namespace {

// Clips one axis of a copy: start positions move right by what is cut off on either side.
bool ClipAxis(int64_t& source, int sourceSize, int64_t& target, int targetSize, int64_t& length) {
  int64_t cut = std::max({int64_t{0}, -source, -target});
  source += cut;
  target += cut;
  length -= cut;
  length = std::min({length, int64_t{sourceSize} - source, int64_t{targetSize} - target});
  return length > 0;
}

}  // namespace

bool ClipCopy(int64_t sourceX, int64_t sourceY, int sourceWidth, int sourceHeight, int64_t targetX,
              int64_t targetY, int targetWidth, int targetHeight, int64_t width, int64_t height,
              PixelCopy& out) {
  if (!ClipAxis(sourceX, sourceWidth, targetX, targetWidth, width) ||
      !ClipAxis(sourceY, sourceHeight, targetY, targetHeight, height))
    return false;
  out.sourceX = static_cast<int>(sourceX);
  out.sourceY = static_cast<int>(sourceY);
  out.target = {static_cast<int>(targetX), static_cast<int>(targetY), static_cast<int>(width),
                static_cast<int>(height)};
  return true;
}

void FillRows(const PixelBuffer& target, const PixelRect& rect, uint32_t colour) {
  uint32_t* row = target.pixels + static_cast<ptrdiff_t>(rect.y) * target.stride + rect.x;
  for (int r = 0; r < rect.height; ++r, row += target.stride)
    std::fill_n(row, rect.width, colour);
}

void CopyRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
              const PixelCopy& copy) {
  const uint32_t* from = source + static_cast<ptrdiff_t>(copy.sourceY) * sourceStride + copy.sourceX;
  uint32_t* to = target.pixels + static_cast<ptrdiff_t>(copy.target.y) * target.stride + copy.target.x;
  size_t bytes = static_cast<size_t>(copy.target.width) * sizeof(uint32_t);
  for (int r = 0; r < copy.target.height; ++r, from += sourceStride, to += target.stride)
    std::memcpy(to, from, bytes);
}
