// Plain per-pixel models of the engine's pixel work and guarded surfaces.
#include "support/Reference.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>

#include "support/TestSupport.h"

namespace testsupport {

namespace {

__extension__ typedef __int128 Wide;  // products of two coordinate differences

constexpr uint32_t kGuard = 0xDEADBEEF;
constexpr uint32_t kPadding = 0xA5A55A5A;
constexpr size_t kGuardWords = 64;

uint32_t& Pixel(SDL_Surface* surface, int64_t x, int64_t y) {
  return static_cast<uint32_t*>(surface->pixels)[y * (surface->pitch / 4) + x];
}

// Calls paint(x, y) for every pixel of the surface inside the inclusive box.
template <typename Paint>
void ForBox(SDL_Surface* surface, int64_t left, int64_t top, int64_t right, int64_t bottom,
            Paint paint) {
  for (int64_t y = std::max<int64_t>(top, 0); y <= std::min<int64_t>(bottom, surface->h - 1); ++y)
    for (int64_t x = std::max<int64_t>(left, 0); x <= std::min<int64_t>(right, surface->w - 1); ++x)
      paint(x, y);
}

// "" when the buffers are equal, else the first difference as a word of the buffer (guards first).
std::string Compare(const char* name, const GuardedSurface& actual,
                    const GuardedSurface& expected) {
  const std::string difference = FirstDifference(actual.buffer, expected.buffer, actual.stride);
  return difference.empty() ? "" : name + (": " + difference);
}

}  // namespace

GuardedSurface::GuardedSurface(int width, int height, int padding, uint32_t fill)
    : stride(width + padding), buffer(kGuardWords * 2 + size_t(width + padding) * height, kGuard) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < stride; ++x)
      buffer[kGuardWords + size_t(y) * stride + x] = x < width ? fill : kPadding;
  surface = SDL_CreateRGBSurfaceFrom(buffer.data() + kGuardWords, width, height, 32, stride * 4,
                                     0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
  if (surface == nullptr)
    std::abort();
}

GuardedSurface::~GuardedSurface() { SDL_FreeSurface(surface); }

bool GuardedSurface::Intact() const {
  for (size_t i = 0; i < buffer.size(); ++i) {
    const int64_t word = int64_t(i) - int64_t{kGuardWords};
    const bool guard = word < 0 || word >= int64_t{stride} * surface->h;
    if ((guard && buffer[i] != kGuard) ||
        (!guard && word % stride >= surface->w && buffer[i] != kPadding))
      return false;
  }
  return true;
}

uint32_t& GuardedSurface::At(int x, int y) { return Pixel(surface, x, y); }

void ReferenceRectangle(SDL_Surface* surface, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                        uint32_t colour, bool outline) {
  ForBox(surface, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
         [&](int64_t x, int64_t y) {
           if (!outline || x == x1 || x == x2 || y == y1 || y == y2)
             Pixel(surface, x, y) = colour;
         });
}

void ReferenceOval(SDL_Surface* surface, int x1, int y1, int x2, int y2, uint32_t colour,
                   bool outline) {
  const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  const double centreX = static_cast<double>(left + right) * 0.5;
  const double centreY = static_cast<double>(top + bottom) * 0.5;
  const uint64_t width = static_cast<uint64_t>(right - left);
  const uint64_t height = static_cast<uint64_t>(bottom - top);
  const double radiusTermX = static_cast<double>(width * width) * 0.25;
  const double radiusTermY = static_cast<double>(height * height) * 0.25;
  auto inside = [&](int64_t x, int64_t y) {
    const double dx = static_cast<double>(x) - centreX, dy = static_cast<double>(y) - centreY;
    return x >= left && x <= right && y >= top && y <= bottom &&
           1.0 >= dx * dx / radiusTermX + dy * dy / radiusTermY;
  };
  ForBox(surface, left, top, right, bottom, [&](int64_t x, int64_t y) {
    if (inside(x, y) &&
        !(outline && inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1)))
      Pixel(surface, x, y) = colour;
  });
}

void ReferenceLine(SDL_Surface* surface, int x1, int y1, int x2, int y2, uint32_t colour) {
  const bool steep = std::abs(int64_t{y2} - y1) > std::abs(int64_t{x2} - x1);
  if (steep ? y1 > y2 : x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const Wide along = steep ? int64_t{y2} - y1 : int64_t{x2} - x1;
  const Wide across = steep ? int64_t{x2} - x1 : int64_t{y2} - y1;
  ForBox(surface, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
         [&](int64_t x, int64_t y) {
           const Wide a = steep ? y - y1 : x - x1, c = steep ? x - x1 : y - y1;
           if ((along == 0 && c == 0) || (along > 0 && 2 * along * c - along <= 2 * across * a &&
                                          2 * across * a < 2 * along * c + along))
             Pixel(surface, x, y) = colour;
         });
}

void ReferenceTriangle(SDL_Surface* surface, int x1, int y1, int x2, int y2, int x3, int y3,
                       uint32_t colour) {
  const int64_t xs[3] = {x1, x2, x3}, ys[3] = {y1, y2, y3};
  ForBox(surface, std::min({x1, x2, x3}), std::min({y1, y2, y3}), std::max({x1, x2, x3}),
         std::max({y1, y2, y3}), [&](int64_t x, int64_t y) {
           int signs[3] = {};
           for (int i = 0; i < 3; ++i) {
             const int64_t ex = xs[(i + 1) % 3] - xs[i], ey = ys[(i + 1) % 3] - ys[i];
             const Wide cross = Wide{ex} * (y - ys[i]) - Wide{ey} * (x - xs[i]);
             signs[i] = (cross > 0) - (cross < 0);
           }
           if (*std::min_element(signs, signs + 3) >= 0 || *std::max_element(signs, signs + 3) <= 0)
             Pixel(surface, x, y) = colour;
         });
}

void ReferenceImage(SDL_Surface* surface, const ImageData& image, int sourceX, int sourceY,
                    int targetX, int targetY, int width, int height, bool blended, int scale,
                    int flip) {
  if (image.pixels == nullptr || scale < 1)
    return;
  ForBox(surface, targetX, targetY, targetX + int64_t{width} * scale - 1,
         targetY + int64_t{height} * scale - 1, [&](int64_t x, int64_t y) {
           int64_t i = (x - targetX) / scale, j = (y - targetY) / scale;
           i = flip & ImageData::kFlipHorizontal ? width - 1 - i : i;
           j = flip & ImageData::kFlipVertical ? height - 1 - j : j;
           const int64_t imageX = sourceX + i, imageY = sourceY + j;
           if (imageX < 0 || imageX >= image.width || imageY < 0 || imageY >= image.height)
             return;
           const uint32_t source = image.pixels[imageY * image.width + imageX];
           uint32_t &target = Pixel(surface, x, y), under = target;
           if (blended && source >> 24 == 0)
             return;
           target = blended ? 0 : source;
           for (int shift = 0; blended && shift < 32; shift += 8)
             target |= uint32_t(std::min(255.0, std::round(((source >> shift) & 0xFF) +
                                                           ((under >> shift) & 0xFF) *
                                                               (1.0 - (source >> 24) / 255.0))))
                       << shift;
         });
}

void ReferenceBackgroundCopy(SDL_Surface* screen, SDL_Surface* background, int64_t x, int64_t y,
                             int64_t width, int64_t height) {
  ForBox(screen, x, y, x + width - 1, y + height - 1, [&](int64_t px, int64_t py) {
    if (px < background->w && py < background->h)
      Pixel(screen, px, py) = Pixel(background, px, py);
  });
}

SDL_Point ReferenceText(SDL_Surface* surface, TTF_Font* font, int x, int y, const char* text,
                        uint32_t colour) {
  const SDL_Color textColour{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                             static_cast<Uint8>(colour), 0};
  SDL_Surface* rendered =
      font != nullptr && text[0] != '\0' ? TTF_RenderText_Solid(font, text, textColour) : nullptr;
  SDL_Rect at{x, y, 0, 0};
  if (rendered != nullptr && x < surface->w && int64_t{x} + rendered->w > 0 && y < surface->h &&
      int64_t{y} + rendered->h > 0)
    SDL_BlitSurface(rendered, nullptr, surface, &at);
  const SDL_Point size = rendered != nullptr ? SDL_Point{rendered->w, rendered->h} : SDL_Point{};
  SDL_FreeSurface(rendered);
  return size;
}

Canvas::Canvas(BaseEngine& engine, int width, int height, int padding, int backgroundWidth,
               int backgroundHeight, int backgroundPadding)
    : engine(engine),
      screen(width, height, padding),
      background(backgroundWidth, backgroundHeight, backgroundPadding),
      screenTwin(width, height, padding),
      backgroundTwin(backgroundWidth, backgroundHeight, backgroundPadding),
      savedScreen(engine.screenSurface),
      savedBackground(engine.backgroundSurface),
      savedWidth(engine.screenWidth),
      savedHeight(engine.screenHeight) {
  engine.screenSurface = screen.surface;
  engine.backgroundSurface = background.surface;
  engine.screenWidth = width;
  engine.screenHeight = height;
}

Canvas::~Canvas() {
  engine.screenSurface = savedScreen;
  engine.backgroundSurface = savedBackground;
  engine.screenWidth = savedWidth;
  engine.screenHeight = savedHeight;
}

void Canvas::Noise(uint32_t seed) {
  std::mt19937 random(seed);
  for (GuardedSurface* surface : {&screen, &background})
    for (int y = 0; y < surface->surface->h; ++y)
      for (int x = 0; x < surface->surface->w; ++x)
        surface->At(x, y) = static_cast<uint32_t>(random());
  std::copy(screen.buffer.begin(), screen.buffer.end(), screenTwin.buffer.begin());
  std::copy(background.buffer.begin(), background.buffer.end(), backgroundTwin.buffer.begin());
}

void Canvas::SetImage(int width, int height, uint32_t seed) {
  std::mt19937 random(seed);
  image.width = width;
  image.height = height;
  image.pixels.reset(width > 0 && height > 0 ? new uint32_t[size_t(width) * height] : nullptr);
  for (int i = 0; image.pixels != nullptr && i < width * height; ++i)
    image.pixels[i] = static_cast<uint32_t>(random());
}

std::string Canvas::Draw(const DrawCall& call) {
  SDL_Surface* target = call.onBackground ? background.surface : nullptr;
  SDL_Surface* twin = call.onBackground ? backgroundTwin.surface : screenTwin.surface;
  const int a = call.a, b = call.b, c = call.c, d = call.d, e = call.e, f = call.f;
  switch (call.kind) {
    case DrawCall::kRectangle:
    case DrawCall::kRectangleOutline: {
      const bool outline = call.kind == DrawCall::kRectangleOutline;
      (engine.*(outline ? &BaseEngine::DrawRectangleOutline : &BaseEngine::DrawRectangle))(
          a, b, c, d, call.colour, target);
      ReferenceRectangle(twin, a, b, c, d, call.colour, outline);
      break;
    }
    case DrawCall::kOval:
    case DrawCall::kOvalOutline: {
      const bool outline = call.kind == DrawCall::kOvalOutline;
      (engine.*(outline ? &BaseEngine::DrawOvalOutline : &BaseEngine::DrawOval))(
          a, b, c, d, call.colour, target);
      ReferenceOval(twin, a, b, c, d, call.colour, outline);
      break;
    }
    case DrawCall::kImage:
    case DrawCall::kBlendedImage:
    case DrawCall::kScaledImage:
    case DrawCall::kBlendedScaledImage: {
      const bool blended =
          call.kind == DrawCall::kBlendedImage || call.kind == DrawCall::kBlendedScaledImage;
      const bool scaled = call.kind >= DrawCall::kScaledImage;
      SDL_Surface* drawn = target != nullptr ? target : screen.surface;
      if (scaled)
        image.RenderImageScaled(drawn, a, b, c, d, e, f, call.scale, call.flip, blended);
      else
        (image.*(blended ? &ImageData::RenderImageBlended : &ImageData::RenderImage))(drawn, a, b,
                                                                                      c, d, e, f);
      ReferenceImage(twin, image, a, b, c, d, e, f, blended, scaled ? call.scale : 1,
                     scaled ? call.flip : 0);
      break;
    }
    case DrawCall::kCopy:
      engine.CopyBackgroundPixels(a, b, c, d);
      ReferenceBackgroundCopy(screenTwin.surface, backgroundTwin.surface, a, b, c, d);
      break;
    case DrawCall::kText: {
      engine.DrawString(a, b, call.text.c_str(), call.colour, nullptr, target);
      const SDL_Point drawn =
          ReferenceText(twin, engine.defaultFont != nullptr ? engine.defaultFont->handle : nullptr,
                        a, b, call.text.c_str(), call.colour);
      const BaseEngine::TextSize measured = engine.MeasureString(call.text.c_str());
      if (measured.width != drawn.x || measured.height != drawn.y)
        return "MeasureString(\"" + call.text + "\") is " + std::to_string(measured.width) + "x" +
               std::to_string(measured.height) + ", drawn " + std::to_string(drawn.x) + "x" +
               std::to_string(drawn.y);
      break;
    }
    case DrawCall::kLine:
      engine.DrawLine(a, b, c, d, call.colour, target);
      ReferenceLine(twin, a, b, c, d, call.colour);
      break;
    case DrawCall::kTriangle:
      engine.DrawTriangle(a, b, c, d, e, f, call.colour, target);
      ReferenceTriangle(twin, a, b, c, d, e, f, call.colour);
      break;
    case DrawCall::kPixel:
      engine.DrawPixel(a, b, call.colour, target);
      ReferenceRectangle(twin, a, b, a, b, call.colour);
      break;
    case DrawCall::kFill:
      engine.FillBackground(call.colour);
      ReferenceRectangle(backgroundTwin.surface, 0, 0, int64_t{engine.screenWidth} - 1,
                         int64_t{engine.screenHeight} - 1, call.colour);
      break;
  }
  const std::string difference = Difference();
  if (difference.empty())
    return "";
  char text[200];
  static const char* const kNames[] = {"DrawRectangle",      "DrawOval",
                                       "RenderImage",        "CopyBackgroundPixels",
                                       "DrawString",         "FillBackground",
                                       "RenderImageBlended", "DrawRectangleOutline",
                                       "DrawOvalOutline",    "DrawLine",
                                       "DrawTriangle",       "DrawPixel",
                                       "RenderImageScaled",  "RenderImageScaled blended"};
  std::snprintf(text, sizeof text,
                "%s(%d, %d, %d, %d, %d, %d; scale %d, flip %d) on the %s, image %dx%d: ",
                kNames[call.kind], a, b, c, d, e, f, call.scale, call.flip,
                call.onBackground ? "background" : "screen", image.width, image.height);
  std::copy(screenTwin.buffer.begin(), screenTwin.buffer.end(), screen.buffer.begin());
  std::copy(backgroundTwin.buffer.begin(), backgroundTwin.buffer.end(), background.buffer.begin());
  return text + difference;
}

std::string Canvas::Difference() const {
  const std::string onScreen = Compare("screen", screen, screenTwin);
  return onScreen.empty() ? Compare("background", background, backgroundTwin) : onScreen;
}

EncodedSurface::EncodedSurface(int width, int height)
    : surface(SDL_CreateRGBSurface(0, width, height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                   0xFF000000)),
      scratch(SDL_CreateRGBSurface(0, 8, 8, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)) {
  SDL_SetSurfaceRLE(surface, 1);
  SDL_BlitSurface(surface, nullptr, scratch, nullptr);
  if (!SDL_MUSTLOCK(surface))
    std::abort();
}

EncodedSurface::~EncodedSurface() {
  SDL_FreeSurface(surface);
  SDL_FreeSurface(scratch);
}

}  // namespace testsupport
