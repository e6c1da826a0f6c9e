// Plain per-pixel models of the engine's pixel work on guarded surfaces, for the tests and fuzzers.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "engine/pictures/ImageData.h"

namespace testsupport {

// A surface in the engine's format over a buffer of our own: rows padding words longer than the
// surface is wide, guard words before the first row and after the last.
struct GuardedSurface {
  // Pixels hold fill; the padding and the guards hold marks of their own.
  GuardedSurface(int width, int height, int padding, uint32_t fill = 0x00102030);
  ~GuardedSurface();
  GuardedSurface(const GuardedSurface&) = delete;
  GuardedSurface& operator=(const GuardedSurface&) = delete;
  // Whether every guard and padding word still holds its mark.
  bool Intact() const;
  // The pixel (x, y).
  uint32_t& At(int x, int y);

  int stride;
  std::vector<uint32_t> buffer;
  SDL_Surface* surface = nullptr;
};

// Pixels inside the inclusive box, corners in any order, take the colour; with outline, only
// those on its first or last row or column.
void ReferenceRectangle(SDL_Surface* surface, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                        uint32_t colour, bool outline = false);
// Pixels of the box with 1.0 >= (x - cx)^2 / rx2 + (y - cy)^2 / ry2 in double, where (cx, cy)
// is the box's centre and rx2, ry2 are a quarter of its width and height squared, take the colour;
// with outline, only those of them with a neighbour above, below, left or right that is not.
void ReferenceOval(SDL_Surface* surface, int x1, int y1, int x2, int y2, uint32_t colour,
                   bool outline = false);
// For a line at least as wide as tall, each pixel (x, y) with x between the ends and
// 2dx(y - y1) - dx <= 2dy(x - x1) < 2dx(y - y1) + dx (dx > 0, ends swapped as needed) takes the
// colour; for a taller line the same with x and y exchanged.
void ReferenceLine(SDL_Surface* surface, int x1, int y1, int x2, int y2, uint32_t colour);
// Pixels (x, y) inside the corners' bounding box for which the cross products of the three edges
// (corner to next corner) with (x, y) minus the edge's start all have one sign, or are 0.
void ReferenceTriangle(SDL_Surface* surface, int x1, int y1, int x2, int y2, int x3, int y3,
                       uint32_t colour);
// Each pixel (sourceX + i, sourceY + j) of the image, 0 <= i < width, 0 <= j < height, goes to
// (targetX + i, targetY + j) of the surface where both exist; blended, a pixel of alpha 0 goes
// nowhere and each channel of the others becomes min(255, source + target * (1 - alpha / 255)),
// rounded to nearest. Scaled, surface pixel (x, y) of the width * scale x height * scale box at
// (targetX, targetY) takes i = (x - targetX) / scale, j likewise, mirrored as width - 1 - i by
// ImageData::kFlipHorizontal and as height - 1 - j by kFlipVertical.
void ReferenceImage(SDL_Surface* surface, const ImageData& image, int sourceX, int sourceY,
                    int targetX, int targetY, int width, int height, bool blended = false,
                    int scale = 1, int flip = 0);
// Each pixel of the rectangle that both surfaces have goes from background to screen.
void ReferenceBackgroundCopy(SDL_Surface* screen, SDL_Surface* background, int64_t x, int64_t y,
                             int64_t width, int64_t height);
// SDL2_ttf's solid rendering of the text, blitted at (x, y) unless it lies wholly off the surface;
// returns the rendering's width and height (0 x 0 when there is none).
SDL_Point ReferenceText(SDL_Surface* surface, TTF_Font* font, int x, int y, const char* text,
                        uint32_t colour);

// A drawing call with its arguments in the engine's order (box corners or line ends; triangle
// corners; pixel x, y; copy x, y, width, height; text x, y; RenderImage a .. f, then scale and
// flip), on the background or the screen. Text is also measured against what was drawn.
struct DrawCall {
  enum Kind {
    kRectangle,
    kOval,
    kImage,
    kCopy,
    kText,
    kFill,
    kBlendedImage,
    kRectangleOutline,
    kOvalOutline,
    kLine,
    kTriangle,
    kPixel,
    kScaledImage,
    kBlendedScaledImage
  } kind;
  int a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
  bool onBackground = false;
  uint32_t colour = 0x00FF8000;
  std::string text = "Score";
  int scale = 1, flip = 0;
};

// Guarded screen and background surfaces lent to an engine (which gets its own back at the end),
// with twins that the models draw on.
class Canvas {
 public:
  Canvas(BaseEngine& engine, int width, int height, int padding, int backgroundWidth,
         int backgroundHeight, int backgroundPadding);
  Canvas(BaseEngine& engine, int width, int height, int padding = 0)
      : Canvas(engine, width, height, padding, width, height, padding) {}
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  // Fills both surfaces and their twins with the same noise.
  void Noise(uint32_t seed);
  // Makes the image width x height pixels of noise, or empty when a side is 0.
  void SetImage(int width, int height, uint32_t seed);
  // Makes the call through the engine and the models: "" when the surfaces, guards and padding
  // included, still equal their twins, else the call and the difference (then made equal again).
  std::string Draw(const DrawCall& call);
  // "" when both surfaces equal their twins, otherwise the first difference.
  std::string Difference() const;

  BaseEngine& engine;
  GuardedSurface screen, background, screenTwin, backgroundTwin;
  ImageData image;

 private:
  SDL_Surface* savedScreen;
  SDL_Surface* savedBackground;
  int savedWidth, savedHeight;
};

// A surface in the engine's format that must be locked: run-length encoded by a blit to a scratch
// surface, which it keeps, since freeing that would drop the encoding at the next unlock.
struct EncodedSurface {
  EncodedSurface(int width, int height);
  ~EncodedSurface();
  EncodedSurface(const EncodedSurface&) = delete;
  EncodedSurface& operator=(const EncodedSurface&) = delete;
  SDL_Surface* surface;
  SDL_Surface* scratch;
};

}  // namespace testsupport
