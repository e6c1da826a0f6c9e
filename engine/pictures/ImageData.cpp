// Pictures: decoding into 32-bit pixel arrays, translucency on black, clipped copies onto surfaces.
#include "engine/pictures/ImageData.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "engine/draw/PixelRows.h"
#include "engine/pictures/PictureDecoder.h"
#include "engine/platform/RegularFile.h"

using namespace quendal;

int ImageData::rotation = 0;
int ImageData::cropLeft = 0;
int ImageData::cropRight = 0;
int ImageData::cropTop = 0;
int ImageData::cropBottom = 0;

namespace quendal {

bool Refuse(const char* format, ...) {
  char reason[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(reason, sizeof reason, format, arguments);
  va_end(arguments);
  SDL_SetError("%s", reason);
  return false;
}

bool SizeWithinLimits(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0)
    return Refuse("%ux%u pixels is an empty picture", width, height);
  if (width > uint32_t{ImageData::kMaxSide} || height > uint32_t{ImageData::kMaxSide})
    return Refuse("%ux%u pixels is over the limit of %d on a side", width, height,
                  ImageData::kMaxSide);
  if (uint64_t{width} * height > uint64_t{ImageData::kMaxPixels})
    return Refuse("%ux%u pixels is over the limit of 16 million", width, height);
  return true;
}

}  // namespace quendal

namespace {

// Opens the file and hands it to the decoder its first bytes name.
bool Decode(const char* fileName, DecodedPicture& picture) {
  errno = 0;
  std::FILE* file = OpenRegularFile(fileName);
  if (file == nullptr)
    return Refuse("%s", errno != 0 ? std::strerror(errno) : "not a regular file");
  uint8_t magic[8] = {};
  const size_t count = std::fread(magic, 1, sizeof magic, file);
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const bool png = count == 8 && std::memcmp(magic, kPng, 8) == 0;
  const bool jpeg = count >= 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF;
  bool decoded = false;
  if (!png && !jpeg)
    Refuse("not a JPEG or PNG picture");
  else if (std::fseek(file, 0, SEEK_SET) != 0)
    Refuse("%s", std::strerror(errno));
  else
    decoded = png ? DecodePng(file, picture) : DecodeJpeg(file, picture);
  std::fclose(file);
  return decoded;
}

// Whether every pixel is opaque, so that laying the rows over black leaves them as they are.
bool Opaque(const uint32_t* pixels, size_t count) {
  uint32_t alpha = 0xFF000000u;
  for (size_t i = 0; i < count; ++i)
    alpha &= pixels[i];
  return alpha == 0xFF000000u;
}

// Lays the picture over black by the engine's rule: each band of rows with a pixel that is not
// opaque is blitted with the picture's own blend mode onto a new (black, transparent) surface and
// copied back in place, so that no more than one band is held beside the picture.
bool LayOnBlack(DecodedPicture& picture) {
  SDL_Surface* source =
      SDL_CreateRGBSurfaceWithFormatFrom(picture.pixels.get(), picture.width, picture.height, 32,
                                         picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
  const int bandRows = std::clamp(65536 / picture.width, 1, picture.height);
  SDL_Surface* band =
      SDL_CreateRGBSurfaceWithFormat(0, picture.width, bandRows, 32, SDL_PIXELFORMAT_ARGB8888);
  if (source != nullptr && band != nullptr) {
    const PixelBuffer laid = BufferOf(band);
    for (int top = 0; top < picture.height; top += bandRows) {
      SDL_Rect area{0, top, picture.width, std::min(bandRows, picture.height - top)};
      uint32_t* rows = picture.pixels.get() + size_t(top) * picture.width;
      if (Opaque(rows, size_t(area.h) * picture.width))
        continue;
      SDL_FillRect(band, nullptr, 0);
      SDL_BlitSurface(source, &area, band, nullptr);
      for (int row = 0; row < area.h; ++row)
        std::memcpy(rows + size_t(row) * picture.width, laid.pixels + size_t(row) * laid.stride,
                    size_t(picture.width) * 4);
    }
  }
  const bool laidOn = source != nullptr && band != nullptr;
  SDL_FreeSurface(source);
  SDL_FreeSurface(band);
  return laidOn || Refuse("out of memory");
}

}  // namespace

ImageData::Settings ImageData::DefaultSettings() {
  return {rotation, cropLeft, cropRight, cropTop, cropBottom};
}

bool ImageData::LoadImage(const char* fileName) { return LoadImage(fileName, DefaultSettings()); }

bool ImageData::LoadImage(const char* fileName, const Settings& settings) {
  pixels.reset();
  width = 0;
  height = 0;
  DecodedPicture picture;
  if (fileName == nullptr)
    return Refuse("no file name");
  return Decode(fileName, picture) && TakePixels(picture, settings);
}

bool ImageData::TakePixels(DecodedPicture& picture, const Settings& settings) {
  if (picture.translucent && !LayOnBlack(picture))
    return false;
  if (settings.rotation % 4 != 0 || settings.cropLeft > 0 || settings.cropRight > 0 ||
      settings.cropTop > 0 || settings.cropBottom > 0)
    return TakeAdjusted(picture.pixels.get(), picture.width, picture.height, settings);
  width = picture.width;
  height = picture.height;
  pixels = std::move(picture.pixels);
  return true;
}

bool ImageData::TakeAdjusted(const uint32_t* source, int sourceWidth, int sourceHeight,
                             const Settings& settings) {
  const int left = std::clamp(settings.cropLeft, 0, sourceWidth);
  const int top = std::clamp(settings.cropTop, 0, sourceHeight);
  const int keptWidth =
      std::max(0, sourceWidth - left - std::clamp(settings.cropRight, 0, sourceWidth));
  const int keptHeight =
      std::max(0, sourceHeight - top - std::clamp(settings.cropBottom, 0, sourceHeight));
  std::unique_ptr<uint32_t[]> kept;
  if (keptWidth > 0 && keptHeight > 0)
    kept.reset(new (std::nothrow) uint32_t[size_t(keptWidth) * keptHeight]);
  const int quarterTurns = (settings.rotation % 4 + 4) % 4;
  const int turnedWidth = quarterTurns % 2 == 1 ? keptHeight : keptWidth;
  for (int y = 0; kept != nullptr && y < keptHeight; ++y) {
    const uint32_t* row = source + size_t(top + y) * sourceWidth + left;
    for (int x = 0; x < keptWidth; ++x) {
      const int tx = quarterTurns == 0   ? x
                     : quarterTurns == 1 ? keptHeight - 1 - y
                     : quarterTurns == 2 ? keptWidth - 1 - x
                                         : y;
      const int ty = quarterTurns == 0   ? y
                     : quarterTurns == 1 ? x
                     : quarterTurns == 2 ? keptHeight - 1 - y
                                         : keptWidth - 1 - x;
      kept[size_t(ty) * turnedWidth + tx] = row[x];
    }
  }
  pixels = std::move(kept);
  width = pixels != nullptr ? turnedWidth : 0;
  height = pixels != nullptr ? (quarterTurns % 2 == 1 ? keptWidth : keptHeight) : 0;
  if (pixels != nullptr)
    return true;
  return keptWidth > 0 && keptHeight > 0
             ? Refuse("out of memory")
             : Refuse("the crop settings leave no pixels of %dx%d", sourceWidth, sourceHeight);
}

void ImageData::CopyFrom(const ImageData& other) {
  const size_t count = other.IsLoaded() ? size_t(other.width) * other.height : 0;
  pixels.reset(count > 0 ? new uint32_t[count] : nullptr);
  std::copy_n(other.pixels.get(), count, pixels.get());
  width = other.width;
  height = other.height;
}

bool ImageData::CopyFrom(const ImageData& other, const Settings& settings) {
  if (other.IsLoaded())
    return TakeAdjusted(other.pixels.get(), other.width, other.height, settings);
  pixels.reset();
  width = height = 0;
  return Refuse("no picture to copy");
}

void ImageData::RenderImage(SDL_Surface* surface, int sourceX, int sourceY, int targetX,
                            int targetY, int width, int height) const {
  RenderImageScaled(surface, sourceX, sourceY, targetX, targetY, width, height, 1);
}

void ImageData::RenderImageBlended(SDL_Surface* surface, int sourceX, int sourceY, int targetX,
                                   int targetY, int width, int height) const {
  RenderImageScaled(surface, sourceX, sourceY, targetX, targetY, width, height, 1, kFlipNone, true);
}

void ImageData::RenderImageScaled(SDL_Surface* surface, int sourceX, int sourceY, int targetX,
                                  int targetY, int width, int height, int scale, int flip,
                                  bool blended) const {
  PixelBuffer target = BufferOf(surface);
  ScaledCopy copy;
  if (pixels != nullptr &&
      ClipScaledCopy(sourceX, sourceY, this->width, this->height, targetX, targetY, target.width,
                     target.height, width, height, scale, (flip & kFlipHorizontal) != 0,
                     (flip & kFlipVertical) != 0, copy))
    CopyScaledRows(pixels.get(), this->width, target, copy, blended);
}
