// Clipping of rectangles and scaled copies to pixel buffers, and the row loops that fill, copy and
// stretch them.
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

// Clips one axis of a scaled copy: the positions 0 .. length - 1 of the rectangle that lie inside
// the source are drawn, position i as the block of scale target positions from target + i * scale
// (from target + (length - 1 - i) * scale when flipped). Gives the first target position written,
// how many are written, the source position of the first and how far into its block it lies.
bool ClipScaledAxis(int64_t source, int64_t length, int sourceSize, int64_t target, int targetSize,
                    int64_t scale, bool flip, int& first, int& count, int& from, int& phase) {
  const int64_t inside = std::max<int64_t>(0, -source);
  const int64_t insideEnd = std::min<int64_t>(length, sourceSize - source);
  if (scale < 1 || inside >= insideEnd)
    return false;
  const int64_t block = flip ? length - insideEnd : inside;
  const int64_t blockEnd = flip ? length - inside : insideEnd;
  const int64_t start = std::max<int64_t>(target + block * scale, 0);
  const int64_t end = std::min<int64_t>(target + blockEnd * scale, targetSize);
  if (start >= end)
    return false;
  const int64_t startBlock = (start - target) / scale;
  first = static_cast<int>(start);
  count = static_cast<int>(end - start);
  from = static_cast<int>(source + (flip ? length - 1 - startBlock : startBlock));
  phase = static_cast<int>((start - target) % scale);
  return true;
}

}  // namespace

bool ClipScaledCopy(int64_t sourceX, int64_t sourceY, int sourceWidth, int sourceHeight,
                    int64_t targetX, int64_t targetY, int targetWidth, int targetHeight,
                    int64_t width, int64_t height, int64_t scale, bool flipX, bool flipY,
                    ScaledCopy& out) {
  PixelCopy& copy = out.copy;
  if (!ClipScaledAxis(sourceX, width, sourceWidth, targetX, targetWidth, scale, flipX,
                      copy.target.x, copy.target.width, copy.sourceX, out.phaseX) ||
      !ClipScaledAxis(sourceY, height, sourceHeight, targetY, targetHeight, scale, flipY,
                      copy.target.y, copy.target.height, copy.sourceY, out.phaseY))
    return false;
  out.scale = static_cast<int>(scale);
  out.stepX = flipX ? -1 : 1;
  out.stepY = flipY ? -1 : 1;
  return true;
}

bool ClipCopy(int64_t sourceX, int64_t sourceY, int sourceWidth, int sourceHeight, int64_t targetX,
              int64_t targetY, int targetWidth, int targetHeight, int64_t width, int64_t height,
              PixelCopy& out) {
  ScaledCopy scaled;
  if (!ClipScaledCopy(sourceX, sourceY, sourceWidth, sourceHeight, targetX, targetY, targetWidth,
                      targetHeight, width, height, 1, false, false, scaled))
    return false;
  out = scaled.copy;
  return true;
}

namespace {

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

namespace {

// The pixel left where a pixel whose colour is already multiplied by its alpha covers under.
inline uint32_t Blend(uint32_t pixel, uint32_t under) {
  const uint32_t cover = pixel >> 24;
  if (cover == 0xFF || cover == 0)
    return cover == 0 ? under : pixel;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sum =
        ((pixel >> shift) & 0xFF) + (((under >> shift) & 0xFF) * (0xFF - cover) + 127) / 0xFF;
    out |= (sum < 0xFF ? sum : 0xFF) << shift;
  }
  return out;
}

// Writes width target pixels from to on, each source pixel from from on (stepping by step) as a
// block of scale pixels, the first block shortened by phase: blocks(from, to, count) writes count
// whole blocks, put(to, run, pixel) a block cut short at either end.
template <typename Put, typename Blocks>
inline void ScaleRow(const uint32_t* from, int step, int phase, int scale, uint32_t* to, int width,
                     Put put, Blocks blocks) {
  ptrdiff_t at = 0;
  if (phase > 0 || width < scale) {
    const int run = std::min(scale - phase, width);
    put(to, run, from[0]);
    to += run;
    width -= run;
    at = step;
  }
  const int count = width / scale;
  if (count > 0)
    blocks(from + at, to, count);
  if (width > count * scale)
    put(to + count * scale, width - count * scale, from[at + ptrdiff_t{count} * step]);
}

// Copies count source pixels, from from on by step, each as a block of kScale pixels, in loops of
// constant strides that the compiler turns into vector shuffles.
template <int kScale>
inline void WidenBy(const uint32_t* from, int step, uint32_t* to, int count) {
  if (step == 1) {
    for (int i = 0; i < count; ++i)
      for (int j = 0; j < kScale; ++j)
        to[kScale * i + j] = from[i];
  } else {
    for (int i = 0; i < count; ++i)
      for (int j = 0; j < kScale; ++j)
        to[kScale * i + j] = from[-i];
  }
}

// Copies count source pixels, from from on by step (1 or -1), each as a block of scale pixels.
inline void WidenBlocks(const uint32_t* from, int step, int scale, uint32_t* to, int count) {
  switch (scale) {
    case 2: return WidenBy<2>(from, step, to, count);
    case 3: return WidenBy<3>(from, step, to, count);
    case 4: return WidenBy<4>(from, step, to, count);
    default:
      for (int i = 0; i < count; ++i)
        FillRow(to + ptrdiff_t{i} * scale, size_t(scale), from[ptrdiff_t{i} * step]);
  }
}

}  // namespace

void BlendRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
               const PixelCopy& copy) {
  for (int r = 0; r < copy.target.height; ++r) {
    const uint32_t* from =
        source + static_cast<ptrdiff_t>(copy.sourceY + r) * sourceStride + copy.sourceX;
    uint32_t* to =
        target.pixels + static_cast<ptrdiff_t>(copy.target.y + r) * target.stride + copy.target.x;
    for (int c = 0; c < copy.target.width; ++c)
      to[c] = Blend(from[c], to[c]);
  }
}

// Each source row is drawn once per target row of its block: copied rows are widened once and the
// widened row copied down the block, blended rows are widened onto each row.
void CopyScaledRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
                    const ScaledCopy& scaled, bool blend) {
  const PixelCopy& copy = scaled.copy;
  if (scaled.scale == 1 && scaled.stepX == 1 && scaled.stepY == 1) {
    (blend ? BlendRows : CopyRows)(source, sourceStride, target, copy);
    return;
  }
  const ptrdiff_t stride = target.stride;
  const int width = copy.target.width;
  ptrdiff_t from = static_cast<ptrdiff_t>(copy.sourceY) * sourceStride + copy.sourceX;
  uint32_t* to = target.pixels + copy.target.y * stride + copy.target.x;
  const int scale = scaled.scale, step = scaled.stepX;
  auto fill = [](uint32_t* at, int count, uint32_t pixel) { FillRow(at, size_t(count), pixel); };
  auto widen = [&](const uint32_t* row, uint32_t* at, int count) {
    WidenBlocks(row, step, scale, at, count);
  };
  auto cover = [](uint32_t* at, int count, uint32_t pixel) {
    for (int i = 0; i < count; ++i)
      at[i] = Blend(pixel, at[i]);
  };
  auto coverBlocks = [&](const uint32_t* row, uint32_t* at, int count) {
    for (int i = 0; i < count; ++i)
      cover(at + ptrdiff_t{i} * scale, scale, row[ptrdiff_t{i} * step]);
  };
  for (int left = copy.target.height, rows = std::min(scale - scaled.phaseY, left);;
       rows = std::min(scale, left)) {
    const uint32_t* row = source + from;
    if (blend) {
      for (int r = 0; r < rows; ++r)
        ScaleRow(row, step, scaled.phaseX, scale, to + r * stride, width, cover, coverBlocks);
    } else {
      ScaleRow(row, step, scaled.phaseX, scale, to, width, fill, widen);
      for (int r = 1; r < rows; ++r)
        std::memcpy(to + r * stride, to, size_t(width) * sizeof(uint32_t));
    }
    left -= rows;
    if (left == 0)
      return;
    to += rows * stride;
    from += scaled.stepY * static_cast<ptrdiff_t>(sourceStride);
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
