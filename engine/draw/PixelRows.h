// Clipping of rectangles to 32-bit pixel buffers, then whole-row fills, copies and scaled copies
// addressed by pitch.
#pragma once
#include <cstdint>

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

}  // namespace quendal
