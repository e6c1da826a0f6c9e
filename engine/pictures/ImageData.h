// A picture loaded from a JPEG or PNG file into a plain array of 32-bit pixels.
#pragma once
#include <cstdint>
#include <memory>

struct SDL_Surface;
namespace quendal {
struct DecodedPicture;
}  // namespace quendal

// Owns its pixels: width * height values row by row, each 0xAARRGGBB like the engine's surfaces.
class ImageData {
 public:
  // How a picture is cut and turned as it is taken in: first the pixels cut from each edge
  // (negative cuts count as none), then the quarter turns clockwise (any number, negative ones
  // turning anticlockwise).
  struct Settings {
    int rotation = 0;
    int cropLeft = 0;
    int cropRight = 0;
    int cropTop = 0;
    int cropBottom = 0;
  };
  // Mirrorings for RenderImageScaled, which may be combined.
  enum Flip { kFlipNone = 0, kFlipHorizontal = 1, kFlipVertical = 2 };

  ImageData() = default;
  ImageData(const ImageData&) = delete;
  ImageData& operator=(const ImageData&) = delete;

  // Replaces the contents with the picture in the file, in its true colours with any transparency
  // laid over black, cut and turned by the shared settings below (DefaultSettings). Only JPEG and
  // PNG content is decoded, whatever the name; anything else, a damaged file, a picture over the
  // size limits or cuts that leave nothing returns false, prints nothing, leaves the image empty
  // and a one-line reason (without the path) in SDL_GetError.
  bool LoadImage(const char* fileName);
  // The same with this picture's own settings; the shared ones play no part.
  bool LoadImage(const char* fileName, const Settings& settings);
  // Makes this image a copy of other's size and pixels, so a picture used twice is decoded once.
  void CopyFrom(const ImageData& other);
  // Makes this image other's pixels cut and turned by the settings (other may be this image).
  // False, as LoadImage, when other is empty or nothing is left; other is unchanged.
  bool CopyFrom(const ImageData& other, const Settings& settings);
  // Copies the image rectangle at (sourceX, sourceY) to (targetX, targetY) of the surface, clipped
  // both to the surface and to the image's own pixels; an empty image copies nothing.
  void RenderImage(SDL_Surface* surface, int sourceX, int sourceY, int targetX, int targetY,
                   int width, int height) const;
  // The same copy, but each pixel covers the surface by its alpha: transparent pixels leave it.
  void RenderImageBlended(SDL_Surface* surface, int sourceX, int sourceY, int targetX, int targetY,
                          int width, int height) const;
  // Draws the width x height rectangle at (sourceX, sourceY), a sprite of a sheet, with each pixel
  // a scale x scale block, the rectangle's top-left block at (targetX, targetY), mirrored within the
  // rectangle as flip says, copied or (blended) drawn as RenderImageBlended. Clipped to the surface;
  // the blocks of pixels outside the image are left undrawn. A scale below 1 draws nothing.
  void RenderImageScaled(SDL_Surface* surface, int sourceX, int sourceY, int targetX, int targetY,
                         int width, int height, int scale, int flip = kFlipNone,
                         bool blended = false) const;
  // Whether the image holds pixels.
  bool IsLoaded() const { return pixels != nullptr; }

  // Load settings shared by all images, which LoadImage(fileName) applies: quarter turns clockwise
  // and pixels cut from each edge.
  static int rotation;
  static int cropLeft;
  static int cropRight;
  static int cropTop;
  static int cropBottom;
  // The shared settings as they stand.
  static Settings DefaultSettings();

  // The largest picture accepted, in pixels (64 MB decoded), checked before decoding.
  static constexpr int64_t kMaxPixels = 16LL * 1024 * 1024;
  // The longest side accepted, in pixels.
  static constexpr int kMaxSide = 16384;

  int width = 0;
  int height = 0;
  std::unique_ptr<uint32_t[]> pixels;

 private:
  // Takes the decoded picture, laying translucent pixels over black, then cutting and turning it.
  bool TakePixels(quendal::DecodedPicture& picture, const Settings& settings);
  // Makes this image the sourceWidth x sourceHeight pixels cut and turned; false, empty, when
  // nothing is left or memory runs out. The source may be this image's own pixels.
  bool TakeAdjusted(const uint32_t* source, int sourceWidth, int sourceHeight,
                    const Settings& settings);
};
