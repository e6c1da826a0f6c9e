// Decoding pictures into 32-bit pixel arrays and copying them, clipped, onto surfaces.
#include "engine/ImageData.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/PixelRows.h"
#include "engine/RegularFile.h"

int ImageData::rotation = 0;
int ImageData::cropLeft = 0;
int ImageData::cropRight = 0;
int ImageData::cropTop = 0;
int ImageData::cropBottom = 0;

namespace {

bool ReadBytes(SDL_RWops* file, uint8_t* out, size_t count) {
  return SDL_RWread(file, out, 1, count) == count;
}

int BigEndian16(const uint8_t* bytes) { return bytes[0] << 8 | bytes[1]; }

uint32_t BigEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// Walks the JPEG markers the way the decoder does (garbage and fill bytes skipped, segments
// skipped by their length) up to the first frame header, and reads its size.
bool JpegSize(SDL_RWops* file, int& width, int& height) {
  uint8_t bytes[5];
  if (!ReadBytes(file, bytes, 2) || bytes[0] != 0xFF || bytes[1] != 0xD8)
    return false;
  for (;;) {
    uint8_t marker = 0;
    do {
      do {
        if (!ReadBytes(file, &marker, 1))
          return false;
      } while (marker != 0xFF);
      do {
        if (!ReadBytes(file, &marker, 1))
          return false;
      } while (marker == 0xFF);
    } while (marker == 0x00);
    const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
    if (standalone)
      continue;
    if (marker == 0xD9 || marker == 0xDA)
      return false;
    if (!ReadBytes(file, bytes, 2))
      return false;
    const int length = BigEndian16(bytes);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      if (length < 7 || !ReadBytes(file, bytes, 5))
        return false;
      height = BigEndian16(bytes + 1);
      width = BigEndian16(bytes + 3);
      return true;
    }
    if (length < 2 || SDL_RWseek(file, length - 2, RW_SEEK_CUR) < 0)
      return false;
  }
}

// Reads the size from the IHDR chunk, which must follow the PNG signature.
bool PngSize(SDL_RWops* file, int& width, int& height) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  uint8_t header[24];
  if (!ReadBytes(file, header, sizeof header) || std::memcmp(header, kSignature, 8) != 0 ||
      std::memcmp(header + 12, "IHDR", 4) != 0)
    return false;
  const uint32_t declaredWidth = BigEndian32(header + 16);
  const uint32_t declaredHeight = BigEndian32(header + 20);
  if (declaredWidth > INT32_MAX || declaredHeight > INT32_MAX)
    return false;
  width = static_cast<int>(declaredWidth);
  height = static_cast<int>(declaredHeight);
  return true;
}

// The width and height a PNG (IHDR) or JPEG (first SOFn) header declares, read without
// decoding; the stream position is restored. False when no such header is found.
bool DeclaredSize(SDL_RWops* file, int& width, int& height) {
  if (file == nullptr)
    return false;
  const Sint64 start = SDL_RWtell(file);
  if (start < 0)
    return false;
  bool found = PngSize(file, width, height);
  if (!found) {
    SDL_RWseek(file, start, RW_SEEK_SET);
    found = JpegSize(file, width, height);
  }
  SDL_RWseek(file, start, RW_SEEK_SET);
  return found;
}

bool SizeAccepted(int width, int height) {
  return width > 0 && height > 0 && width <= ImageData::kMaxSide &&
         height <= ImageData::kMaxSide && int64_t{width} * height <= ImageData::kMaxPixels;
}

// Decodes JPEG or PNG bytes only; every other format is refused before any decoder sees it, and
// so is a picture whose header declares a size over the limits.
SDL_Surface* DecodeJpegOrPng(const char* fileName) {
  std::FILE* stream = OpenRegularFile(fileName);
  if (stream == nullptr)
    return nullptr;
  SDL_RWops* file = SDL_RWFromFP(stream, SDL_TRUE);
  if (file == nullptr) {
    std::fclose(stream);
    return nullptr;
  }
  SDL_Surface* decoded = nullptr;
  const bool jpeg = IMG_isJPG(file) != 0;
  const bool png = !jpeg && IMG_isPNG(file) != 0;
  int width = 0, height = 0;
  if (!jpeg && !png)
    SDL_SetError("not a JPEG or PNG picture");
  else if (!DeclaredSize(file, width, height))
    SDL_SetError("no picture size in its header");
  else if (!SizeAccepted(width, height))
    SDL_SetError("%d x %d pixels, over the size limit", width, height);
  else
    decoded = jpeg ? IMG_LoadJPG_RW(file) : IMG_LoadPNG_RW(file);
  SDL_RWclose(file);
  if (decoded != nullptr && (decoded->w != width || decoded->h != height)) {
    SDL_SetError("decoded size differs from its header");
    SDL_FreeSurface(decoded);
    decoded = nullptr;
  }
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
  Render(CopyRows, surface, sourceX, sourceY, targetX, targetY, width, height);
}

void ImageData::RenderImageBlended(SDL_Surface* surface, int sourceX, int sourceY, int targetX,
                                   int targetY, int width, int height) const {
  Render(BlendRows, surface, sourceX, sourceY, targetX, targetY, width, height);
}

void ImageData::Render(RowWriter write, SDL_Surface* surface, int sourceX, int sourceY, int targetX,
                       int targetY, int width, int height) const {
  PixelBuffer target = BufferOf(surface);
  PixelCopy copy;
  if (pixels != nullptr && ClipCopy(sourceX, sourceY, this->width, this->height, targetX, targetY,
                                    target.width, target.height, width, height, copy))
    write(pixels.get(), this->width, target, copy);
}
