// A picture loaded from a JPEG or PNG file into a plain array of 32-bit pixels.
#pragma once
#include <cstdint>
#include <memory>

struct SDL_Surface;
namespace quendal {
struct PixelBuffer;
struct PixelCopy;
struct DecodedPicture;
}  // namespace quendal

// Owns its pixels: width * height values row by row, each 0xAARRGGBB like the engine's surfaces.
class ImageData {
 public:
  ImageData() = default;
  ImageData(const ImageData&) = delete;
  ImageData& operator=(const ImageData&) = delete;

  // Replaces the contents with the picture in the file, in its true colours with any transparency
  // laid over black. Only JPEG and PNG content is decoded, whatever the name; anything else, a
  // damaged file or a picture over the size limits returns false, prints nothing, leaves the image
  // empty and a one-line reason (without the path) in SDL_GetError.
  bool LoadImage(const char* fileName);
  // Makes this image a copy of other's size and pixels, so a picture used twice is decoded once.
  void CopyFrom(const ImageData& other);
  // Copies the image rectangle at (sourceX, sourceY) to (targetX, targetY) of the surface, clipped
  // both to the surface and to the image's own pixels; an empty image copies nothing.
  void RenderImage(SDL_Surface* surface, int sourceX, int sourceY, int targetX, int targetY,
                   int width, int height) const;
  // The same copy, but each pixel covers the surface by its alpha: transparent pixels leave it.
  void RenderImageBlended(SDL_Surface* surface, int sourceX, int sourceY, int targetX, int targetY,
                          int width, int height) const;
  // Whether the image holds pixels.
  bool IsLoaded() const { return pixels != nullptr; }

  // Load settings shared by all images: quarter turns clockwise and pixels cut from each edge.
  static int rotation;
  static int cropLeft;
  static int cropRight;
  static int cropTop;
  static int cropBottom;

  // The largest picture accepted, in pixels (64 MB decoded), checked before decoding.
  static constexpr int64_t kMaxPixels = 16LL * 1024 * 1024;
  // The longest side accepted, in pixels.
  static constexpr int kMaxSide = 16384;

  int width = 0;
  int height = 0;
  std::unique_ptr<uint32_t[]> pixels;

 private:
  // Writes the clipped rows of a copy onto a surface: CopyRows or BlendRows.
  using RowWriter = void (*)(const uint32_t*, int, const quendal::PixelBuffer&,
                             const quendal::PixelCopy&);
  // Clips the copy as RenderImage documents, then hands the rows to the writer.
  void Render(RowWriter write, SDL_Surface* surface, int sourceX, int sourceY, int targetX,
              int targetY, int width, int height) const;
  // Takes the decoded picture, laying translucent pixels over black and applying the crop and
  // rotation settings.
  bool TakePixels(quendal::DecodedPicture& picture);
};
