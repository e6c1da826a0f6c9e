// Clipping of rectangles to pixel buffers and the row loops that fill, copy and stretch them.
#include "engine/draw/PixelRows.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace quendal {

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

namespace {

// Fills count pixels from row on in blocks of four, sixteen per step; the last block overlaps
// the ones before it, so that no pixel-by-pixel tail is left.
inline void FillRow(uint32_t* row, size_t count, uint32_t colour) {
  if (count < 4) {
    for (size_t i = 0; i < count; ++i)
      row[i] = colour;
    return;
  }
  const uint32_t block[4] = {colour, colour, colour, colour};
  size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    std::memcpy(row + i, block, sizeof block);
    std::memcpy(row + i + 4, block, sizeof block);
    std::memcpy(row + i + 8, block, sizeof block);
    std::memcpy(row + i + 12, block, sizeof block);
  }
  for (; i + 4 <= count; i += 4)
    std::memcpy(row + i, block, sizeof block);
  std::memcpy(row + count - 4, block, sizeof block);
}

// Rows shorter than this are copied inline; a call of memcpy costs more than such a row.
constexpr size_t kShortRow = 64;

// Copies count (< kShortRow) pixels four at a time, the last four overlapping the ones before.
inline void CopyShortRow(uint32_t* to, const uint32_t* from, size_t count) {
  if (count < 4) {
    for (size_t i = 0; i < count; ++i)
      to[i] = from[i];
    return;
  }
  uint32_t block[4];
  for (size_t i = 0; i + 4 <= count; i += 4) {
    std::memcpy(block, from + i, sizeof block);
    std::memcpy(to + i, block, sizeof block);
  }
  std::memcpy(block, from + count - 4, sizeof block);
  std::memcpy(to + count - 4, block, sizeof block);
}

}  // namespace

void FillRows(const PixelBuffer& target, const PixelRect& rect, uint32_t colour) {
  const ptrdiff_t stride = target.stride;
  const size_t width = static_cast<size_t>(rect.width);
  const int height = rect.height;
  uint32_t* row = target.pixels + rect.y * stride + rect.x;
  if (rect.width == target.stride) {
    FillRow(row, width * static_cast<size_t>(height), colour);  // rows lie end to end
    return;
  }
  int r = 0;
  if (width == 1) {  // a column: one store per row, four rows per step
    for (; r + 4 <= height; r += 4, row += 4 * stride) {
      row[0] = colour;
      row[stride] = colour;
      row[2 * stride] = colour;
      row[3 * stride] = colour;
    }
  }
  for (; r < height; ++r, row += stride)
    FillRow(row, width, colour);
}

void CopyRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
              const PixelCopy& copy) {
  const uint32_t* from =
      source + static_cast<ptrdiff_t>(copy.sourceY) * sourceStride + copy.sourceX;
  uint32_t* to =
      target.pixels + static_cast<ptrdiff_t>(copy.target.y) * target.stride + copy.target.x;
  const size_t width = static_cast<size_t>(copy.target.width);
  const int height = copy.target.height;
  if (copy.target.width == sourceStride && copy.target.width == target.stride) {
    std::memcpy(to, from, width * sizeof(uint32_t) * static_cast<size_t>(height));  // end to end
    return;
  }
  if (width >= kShortRow) {
    for (int r = 0; r < height; ++r, from += sourceStride, to += target.stride)
      std::memcpy(to, from, width * sizeof(uint32_t));
    return;
  }
  for (int r = 0; r < height; ++r, from += sourceStride, to += target.stride)
    CopyShortRow(to, from, width);
}

void BlendRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
               const PixelCopy& copy) {
  for (int r = 0; r < copy.target.height; ++r) {
    const uint32_t* from =
        source + static_cast<ptrdiff_t>(copy.sourceY + r) * sourceStride + copy.sourceX;
    uint32_t* to =
        target.pixels + static_cast<ptrdiff_t>(copy.target.y + r) * target.stride + copy.target.x;
    for (int c = 0; c < copy.target.width; ++c) {
      const uint32_t pixel = from[c], cover = pixel >> 24;
      if (cover == 0xFF) {
        to[c] = pixel;
      } else if (cover != 0) {
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
          const uint32_t under = (to[c] >> shift) & 0xFF;
          const uint32_t sum = ((pixel >> shift) & 0xFF) + (under * (0xFF - cover) + 127) / 0xFF;
          out |= (sum < 0xFF ? sum : 0xFF) << shift;
        }
        to[c] = out;
      }
    }
  }
}

int NearestSource(int64_t t, int64_t targetSize, int64_t sourceSize) {
  return static_cast<int>(((2 * t + 1) * sourceSize - 1) / (2 * targetSize));
}

namespace {

// The first target pixel whose NearestSource is s or more.
int64_t FirstShowing(int64_t s, int64_t targetSize, int64_t sourceSize) {
  const int64_t need = 2 * targetSize * s + 1 - sourceSize;  // 2 t sourceSize must reach it
  return need <= 0 ? 0 : (need + 2 * sourceSize - 1) / (2 * sourceSize);
}

// Writes each of count pixels k times over; K is k where known when compiled, 0 otherwise.
template <int K>
void Replicate(const uint32_t* from, int count, int k, uint32_t* to) {
  const int times = K != 0 ? K : k;
  for (int i = 0; i < count; ++i, to += times)
    for (int j = 0; j < times; ++j)
      to[j] = from[i];
}

// Writes count pixels from target column first of a source row stretched over areaWidth pixels.
void StretchRow(const uint32_t* from, int sourceWidth, int areaWidth, int first, int count,
                uint32_t* to) {
  if (areaWidth == sourceWidth) {
    std::memcpy(to, from + first, static_cast<size_t>(count) * sizeof(uint32_t));
  } else if (areaWidth % sourceWidth == 0) {
    const int k = areaWidth / sourceWidth;
    const uint32_t* pixel = from + first / k;
    int done = 0;
    if (first % k != 0) {  // a block cut on the left
      for (; done < k - first % k && done < count; ++done)
        to[done] = *pixel;
      ++pixel;
    }
    const int blocks = (count - done) / k;
    switch (k) {
      case 2: Replicate<2>(pixel, blocks, 2, to + done); break;
      case 3: Replicate<3>(pixel, blocks, 3, to + done); break;
      default: Replicate<0>(pixel, blocks, k, to + done); break;
    }
    done += blocks * k;
    for (pixel += blocks; done < count; ++done)  // a block cut on the right
      to[done] = *pixel;
  } else {
    for (int c = 0; c < count; ++c)
      to[c] = from[NearestSource(first + c, areaWidth, sourceWidth)];
  }
}

}  // namespace

PixelRect ScaleRows(const PixelBuffer& source, int first, int count, const PixelBuffer& target,
                    const PixelRect& area) {
  PixelRect visible, written;
  if (source.pixels == nullptr || source.width <= 0 || source.height <= 0 ||
      target.pixels == nullptr || area.width <= 0 || area.height <= 0 ||
      !ClipBox(area.x, area.y, int64_t{area.x} + area.width - 1, int64_t{area.y} + area.height - 1,
               target.width, target.height, visible))
    return written;
  const int64_t from = std::clamp<int64_t>(first, 0, source.height);
  const int64_t to = std::clamp<int64_t>(int64_t{first} + count, from, source.height);
  const int top = static_cast<int>(
      std::max<int64_t>(visible.y, area.y + FirstShowing(from, area.height, source.height)));
  const int bottom = static_cast<int>(std::min<int64_t>(
      int64_t{visible.y} + visible.height, area.y + FirstShowing(to, area.height, source.height)));
  const uint32_t* previous = nullptr;
  int previousSource = -1;
  for (int y = top; y < bottom; ++y) {
    uint32_t* row = target.pixels + static_cast<ptrdiff_t>(y) * target.stride + visible.x;
    const int s = NearestSource(y - area.y, area.height, source.height);
    if (s == previousSource)  // the same source row again: a copy of the row just written
      std::memcpy(row, previous, static_cast<size_t>(visible.width) * sizeof(uint32_t));
    else
      StretchRow(source.pixels + static_cast<ptrdiff_t>(s) * source.stride, source.width,
                 area.width, visible.x - area.x, visible.width, row);
    previous = row;
    previousSource = s;
  }
  if (top < bottom)
    written = {visible.x, top, visible.width, bottom - top};
  return written;
}

}  // namespace quendal
