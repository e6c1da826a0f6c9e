// Decoding pictures into 32-bit pixel arrays and copying them, clipped, onto surfaces.
#include "engine/ImageData.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>

#include "engine/PixelRows.h"

int ImageData::rotation = 0;
int ImageData::cropLeft = 0;
int ImageData::cropRight = 0;
int ImageData::cropTop = 0;
int ImageData::cropBottom = 0;

namespace {

// Decodes JPEG or PNG bytes only; every other format is refused before any decoder sees it.
SDL_Surface* DecodeJpegOrPng(const char* fileName) {
  SDL_RWops* file = SDL_RWFromFile(fileName, "rb");
  if (file == nullptr)
    return nullptr;
  SDL_Surface* decoded = nullptr;
  if (IMG_isJPG(file))
    decoded = IMG_LoadJPG_RW(file);
  else if (IMG_isPNG(file))
    decoded = IMG_LoadPNG_RW(file);
  SDL_RWclose(file);
  return decoded;
}

}  // namespace

bool ImageData::LoadImage(const char* fileName) {
  pixels.reset();
  width = 0;
  height = 0;
  if (fileName == nullptr)
    return false;
  SDL_Surface* decoded = DecodeJpegOrPng(fileName);
  if (decoded == nullptr)
    return false;
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(decoded);
  if (converted == nullptr)
    return false;
  const bool taken = TakePixels(converted);
  SDL_FreeSurface(converted);
  return taken;
}

bool ImageData::TakePixels(SDL_Surface* converted) {
  const int sourceWidth = converted->w, sourceHeight = converted->h;
  const int left = std::clamp(cropLeft, 0, sourceWidth), top = std::clamp(cropTop, 0, sourceHeight);
  const int keptWidth = std::max(0, sourceWidth - left - std::clamp(cropRight, 0, sourceWidth));
  const int keptHeight = std::max(0, sourceHeight - top - std::clamp(cropBottom, 0, sourceHeight));
  if (int64_t{keptWidth} * keptHeight > kMaxPixels || keptWidth == 0 || keptHeight == 0)
    return false;
  const bool turned = (rotation % 2 + 2) % 2 == 1;
  const int quarterTurns = (rotation % 4 + 4) % 4;
  width = turned ? keptHeight : keptWidth;
  height = turned ? keptWidth : keptHeight;
  pixels = std::make_unique<uint32_t[]>(static_cast<size_t>(width) * height);
  const PixelBuffer source = BufferOf(converted);
  for (int y = 0; y < keptHeight; ++y) {
    const uint32_t* row = source.pixels + static_cast<ptrdiff_t>(top + y) * source.stride + left;
    for (int x = 0; x < keptWidth; ++x) {
      int tx = x, ty = y;
      if (quarterTurns == 1) {
        tx = keptHeight - 1 - y;
        ty = x;
      } else if (quarterTurns == 2) {
        tx = keptWidth - 1 - x;
        ty = keptHeight - 1 - y;
      } else if (quarterTurns == 3) {
        tx = y;
        ty = keptWidth - 1 - x;
      }
      pixels[static_cast<size_t>(ty) * width + tx] = row[x];
    }
  }
  return true;
}

void ImageData::RenderImage(SDL_Surface* surface, int sourceX, int sourceY, int targetX,
                            int targetY, int width, int height) const {
  PixelBuffer target = BufferOf(surface);
  PixelCopy copy;
  if (pixels != nullptr && ClipCopy(sourceX, sourceY, this->width, this->height, targetX, targetY,
                                    target.width, target.height, width, height, copy))
    CopyRows(pixels.get(), this->width, target, copy);
}
