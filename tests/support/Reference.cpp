// Plain per-pixel models of the engine's pixel work and guarded surfaces.
#include "support/Reference.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "support/TestSupport.h"

namespace testsupport {

namespace {

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
                        uint32_t colour) {
  ForBox(surface, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
         [&](int64_t x, int64_t y) { Pixel(surface, x, y) = colour; });
}

void ReferenceOval(SDL_Surface* surface, int x1, int y1, int x2, int y2, uint32_t colour) {
  const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  const double centreX = static_cast<double>(left + right) * 0.5;
  const double centreY = static_cast<double>(top + bottom) * 0.5;
  const uint64_t width = static_cast<uint64_t>(right - left);
  const uint64_t height = static_cast<uint64_t>(bottom - top);
  const double radiusTermX = static_cast<double>(width * width) * 0.25;
  const double radiusTermY = static_cast<double>(height * height) * 0.25;
  ForBox(surface, left, top, right, bottom, [&](int64_t x, int64_t y) {
    const double dx = static_cast<double>(x) - centreX, dy = static_cast<double>(y) - centreY;
    if (1.0 >= dx * dx / radiusTermX + dy * dy / radiusTermY)
      Pixel(surface, x, y) = colour;
  });
}

void ReferenceImage(SDL_Surface* surface, const ImageData& image, int sourceX, int sourceY,
                    int targetX, int targetY, int width, int height, bool blended) {
  if (image.pixels == nullptr)
    return;
  ForBox(surface, targetX, targetY, int64_t{targetX} + width - 1, int64_t{targetY} + height - 1,
         [&](int64_t x, int64_t y) {
           const int64_t imageX = sourceX + (x - targetX), imageY = sourceY + (y - targetY);
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

void ReferenceText(SDL_Surface* surface, TTF_Font* font, int x, int y, const char* text,
                   uint32_t colour) {
  const SDL_Color textColour{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                             static_cast<Uint8>(colour), 0};
  SDL_Surface* rendered =
      font != nullptr && text[0] != '\0' ? TTF_RenderText_Solid(font, text, textColour) : nullptr;
  SDL_Rect at{x, y, 0, 0};
  if (rendered != nullptr && x < surface->w && int64_t{x} + rendered->w > 0 && y < surface->h &&
      int64_t{y} + rendered->h > 0)
    SDL_BlitSurface(rendered, nullptr, surface, &at);
  SDL_FreeSurface(rendered);
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
      engine.DrawRectangle(a, b, c, d, call.colour, target);
      ReferenceRectangle(twin, a, b, c, d, call.colour);
      break;
    case DrawCall::kOval:
      engine.DrawOval(a, b, c, d, call.colour, target);
      ReferenceOval(twin, a, b, c, d, call.colour);
      break;
    case DrawCall::kImage:
      image.RenderImage(target != nullptr ? target : screen.surface, a, b, c, d, e, f);
      ReferenceImage(twin, image, a, b, c, d, e, f);
      break;
    case DrawCall::kBlendedImage:
      image.RenderImageBlended(target != nullptr ? target : screen.surface, a, b, c, d, e, f);
      ReferenceImage(twin, image, a, b, c, d, e, f, true);
      break;
    case DrawCall::kCopy:
      engine.CopyBackgroundPixels(a, b, c, d);
      ReferenceBackgroundCopy(screenTwin.surface, backgroundTwin.surface, a, b, c, d);
      break;
    case DrawCall::kText:
      engine.DrawString(a, b, call.text.c_str(), call.colour, nullptr, target);
      ReferenceText(twin, engine.defaultFont != nullptr ? engine.defaultFont->handle : nullptr, a,
                    b, call.text.c_str(), call.colour);
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
  char text[160];
  static const char* const kNames[] = {"DrawRectangle",        "DrawOval",   "RenderImage",
                                       "CopyBackgroundPixels", "DrawString", "FillBackground",
                                       "RenderImageBlended"};
  std::snprintf(text, sizeof text,
                "%s(%d, %d, %d, %d, %d, %d) on the %s, image %dx%d: ", kNames[call.kind], a, b, c,
                d, e, f, call.onBackground ? "background" : "screen", image.width, image.height);
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
