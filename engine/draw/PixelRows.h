// Clipping to 32-bit pixel buffers, then whole-row fills, spans, copies and scaled copies
// addressed by pitch.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

struct SDL_Surface;

namespace quendal {

// A 32-bit pixel buffer: pixel (x, y) is pixels[y * stride + x]; stride is pitch / 4.
struct PixelBuffer {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// The view of a 32-bit surface; an empty buffer for a null surface.
PixelBuffer BufferOf(SDL_Surface* surface);

// A rectangle of whole pixels: columns x .. x + width - 1, rows y .. y + height - 1.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Clips the inclusive box (left, top) .. (right, bottom) to 0 .. width-1 x 0 .. height-1.
// Returns false, leaving out unchanged, when nothing of the box lies inside.
bool ClipBox(int64_t left, int64_t top, int64_t right, int64_t bottom, int width, int height,
             PixelRect& out);

// A copy after clipping: out.x/out.y is the target corner, sourceX/sourceY the source corner.
struct PixelCopy {
  PixelRect target;
  int sourceX = 0;
  int sourceY = 0;
};

// Clips a copy of width x height pixels from (sourceX, sourceY) of a sourceWidth x sourceHeight
// buffer to (targetX, targetY) of a targetWidth x targetHeight buffer, so that both the rows read
// and the rows written lie inside their buffers. Returns false when nothing is left to copy.
bool ClipCopy(int64_t sourceX, int64_t sourceY, int sourceWidth, int sourceHeight, int64_t targetX,
              int64_t targetY, int targetWidth, int targetHeight, int64_t width, int64_t height,
              PixelCopy& out);

// A copy that draws each source pixel as a scale x scale block, after clipping. copy.target is the
// box written; copy.sourceX/sourceY is the source pixel of its top-left corner, phaseX/phaseY how
// far into that pixel's block the corner lies, and stepX/stepY (1 or -1) the way the source is read
// as the target goes right and down.
struct ScaledCopy {
  PixelCopy copy;
  int scale = 1;
  int phaseX = 0;
  int phaseY = 0;
  int stepX = 1;
  int stepY = 1;
};

// Clips the scaled copy of the width x height rectangle at (sourceX, sourceY) of a sourceWidth x
// sourceHeight buffer to a targetWidth x targetHeight buffer: the rectangle's top-left block goes to
// (targetX, targetY), mirrored within the rectangle left-right (flipX) and top-bottom (flipY). Only
// pixels of the rectangle that lie inside the source are drawn; false when nothing is left, as for
// a scale below 1.
bool ClipScaledCopy(int64_t sourceX, int64_t sourceY, int sourceWidth, int sourceHeight,
                    int64_t targetX, int64_t targetY, int targetWidth, int targetHeight,
                    int64_t width, int64_t height, int64_t scale, bool flipX, bool flipY,
                    ScaledCopy& out);

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

// Fills count (at least 1) pixels from at on, each step words past the one before: a run of a row
// when step is 1, of a column otherwise. A row's ends go first, so that runs of one or two pixels,
// as lines have, need no loop.
inline void FillRun(uint32_t* at, ptrdiff_t step, size_t count, uint32_t colour) {
  if (step != 1) {
    for (size_t i = 0; i < count; ++i)
      at[static_cast<ptrdiff_t>(i) * step] = colour;
    return;
  }
  at[0] = colour;
  at[count - 1] = colour;
  if (count > 2)
    FillRow(at + 1, count - 2, colour);
}

// Fills columns left .. right of row y, which must lie inside the buffer, clipped to its columns:
// the one row of a shape that is clipped to the buffer's rows before its rows are walked.
inline void FillSpan(const PixelBuffer& target, int y, int64_t left, int64_t right,
                     uint32_t colour) {
  left = left < 0 ? 0 : left;
  right = right >= target.width ? target.width - 1 : right;
  if (left <= right)
    FillRun(target.pixels + static_cast<ptrdiff_t>(y) * target.stride + left, 1,
            static_cast<size_t>(right - left + 1), colour);
}

// Fills a rectangle already clipped to the buffer, one row at a time.
void FillRows(const PixelBuffer& target, const PixelRect& rect, uint32_t colour);

// Copies a clipped copy row by row; the rows read and the rows written must not overlap.
void CopyRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
              const PixelCopy& copy);

// Draws a clipped copy over the target: each source pixel, whose colour is already multiplied by
// its alpha (the top byte), covers the target by that alpha; 0 leaves it, 255 replaces it. A
// channel that would pass 255 (a colour brighter than its alpha allows) stays at 255.
void BlendRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
               const PixelCopy& copy);

// The source pixel that target pixel t (0 .. targetSize - 1) shows when sourceSize pixels are
// stretched over targetSize: the one under its centre, a centre on a boundary taking the left one.
// At a whole multiple k that is t / k.
int NearestSource(int64_t t, int64_t targetSize, int64_t sourceSize);

// Draws source rows first .. first + count - 1, stretched by NearestSource so that the whole source
// covers area, into the part of area inside the target. Returns the target rectangle written
// (empty when nothing was): at a whole multiple each source pixel becomes a k x k block.
PixelRect ScaleRows(const PixelBuffer& source, int first, int count, const PixelBuffer& target,
                    const PixelRect& area);
// Writes a clipped scaled copy, copying the pixels or (blend) drawing them as BlendRows does; the
// rows read and the rows written must not overlap.
void CopyScaledRows(const uint32_t* source, int sourceStride, const PixelBuffer& target,
                    const ScaledCopy& scaled, bool blend);

}  // namespace quendal
