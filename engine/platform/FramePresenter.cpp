// Choosing how frames reach the window, and presenting only what changed, scaled to fit.
#include "engine/platform/FramePresenter.h"

#include <SDL.h>

#include <cstring>

namespace quendal {

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER
const char* const kSoftwareRasterisers[] = {"llvmpipe", "softpipe", "swrast", "software"};

// Whether the renderer draws through OpenGL on a CPU rasteriser.
bool OnSoftwareGl(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || SDL_strncmp(info.name, "opengl", 6) != 0)
    return false;
  using GetString = const unsigned char* (*)(unsigned);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  if (name == nullptr)
    return false;
  for (const char* rasteriser : kSoftwareRasterisers)
    if (SDL_strcasestr(reinterpret_cast<const char*>(name), rasteriser) != nullptr)
      return true;
  return false;
}

}  // namespace

SDL_Renderer* FramePresenter::CreateRenderer(SDL_Window* target) {
  window = target;
  onSurface = false;
  const bool driverChosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  if (driverChosen || renderer == nullptr || !OnSoftwareGl(renderer))
    return renderer;
  SDL_DestroyRenderer(renderer);
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  const SDL_Surface* surface = SDL_GetWindowSurface(window);
  // The frame's pixels are written as they are: the surface must hold 0x00RRGGBB pixels too.
  onSurface = surface != nullptr && (surface->format->format == SDL_PIXELFORMAT_RGB888 ||
                                     surface->format->format == SDL_PIXELFORMAT_ARGB8888);
  if (onSurface)
    return nullptr;
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
  return SDL_CreateRenderer(window, -1, 0);
}

void FramePresenter::Show(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Surface* frame) {
  if (frame == nullptr || frame->pixels == nullptr ||
      (!onSurface && (renderer == nullptr || texture == nullptr)))
    return;
  int limitWidth = frame->w, limitHeight = frame->h;
  if (!onSurface && SDL_QueryTexture(texture, nullptr, nullptr, &limitWidth, &limitHeight) != 0)
    return;
  const bool fresh =
      SDL_min(frame->w, limitWidth) != width || SDL_min(frame->h, limitHeight) != height;
  width = SDL_min(frame->w, limitWidth);
  height = SDL_min(frame->h, limitHeight);
  // SDL's software renderer keeps a texture's pixels in memory that its lock hands out: the rows
  // are compared with and written to the texture itself. Elsewhere a copy of the frame shown is kept
  // and the changed rows are uploaded or scaled.
  SDL_RendererInfo info;
  void* lockedPixels = nullptr;
  int keptPitch = 0;
  const bool direct = !onSurface && SDL_GetRendererInfo(renderer, &info) == 0 &&
                      SDL_strcmp(info.name, "software") == 0 &&
                      SDL_LockTexture(texture, nullptr, &lockedPixels, &keptPitch) == 0;
  if (!direct) {
    keptPitch = width * 4;
    if (fresh)
      shown.assign(static_cast<size_t>(width) * height, 0);
  }
  uint8_t* kept =
      direct ? static_cast<uint8_t*>(lockedPixels) : reinterpret_cast<uint8_t*>(shown.data());
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  const auto rowOf = [frame](int y) {
    return static_cast<const uint8_t*>(frame->pixels) + static_cast<ptrdiff_t>(y) * frame->pitch;
  };
  // Where the changed rows are scaled to as they are taken: none while the whole frame must be
  // drawn again, or through a renderer.
  const PixelBuffer target = onSurface ? SurfaceForRows(fresh) : PixelBuffer{};
  PixelRect place;  // the part of the window's surface written for the run of changed rows
  // Keeps row y of the frame; true when it differs from the row shown (always on a fresh start).
  const auto takeRow = [&](int y) {
    uint8_t* keptRow = kept + static_cast<ptrdiff_t>(y) * keptPitch;
    if (!fresh && std::memcmp(keptRow, rowOf(y), rowBytes) == 0)
      return false;
    std::memcpy(keptRow, rowOf(y), rowBytes);
    if (target.pixels != nullptr) {  // scaled while the row is at hand
      const PixelRect rows = ScaleRows(Shown(), y, 1, target, shownLayout.frame);
      if (place.height == 0)
        place = rows;
      else if (rows.height > 0)
        place.height = rows.y + rows.height - place.y;
    }
    return true;
  };
  written.clear();
  for (int y = 0; y < height; ++y) {
    if (!takeRow(y))
      continue;
    const int first = y;
    while (y + 1 < height && takeRow(y + 1))
      ++y;
    const SDL_Rect rows{0, first, width, y - first + 1};
    if (!onSurface && !direct)
      SDL_UpdateTexture(texture, &rows, rowOf(first), frame->pitch);
    if (place.height > 0)
      written.push_back({place.x, place.y, place.width, place.height});
    place = PixelRect{};
    windowStale = windowStale || !onSurface;
  }
  if (direct)
    SDL_UnlockTexture(texture);
  framesShown = true;
  if (onSurface)
    PresentOnSurface();
  else
    Refresh(renderer, texture);
}

void FramePresenter::Refresh(SDL_Renderer* renderer, SDL_Texture* texture) {
  if (!windowStale || !framesShown)
    return;
  if (onSurface) {
    written.clear();
    PresentOnSurface();
    return;
  }
  if (renderer == nullptr || texture == nullptr)
    return;
  windowStale = false;
  const FrameLayout layout = LayoutNow(renderer, width, height);
  if (!layout.Covers()) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer);
  }
  const SDL_Rect part{0, 0, width, height};
  const SDL_Rect place{layout.frame.x, layout.frame.y, layout.frame.width, layout.frame.height};
  SDL_RenderCopy(renderer, texture, &part, &place);
  SDL_RenderPresent(renderer);
}

PixelBuffer FramePresenter::Shown() {
  PixelBuffer frame;
  frame.pixels = shown.data();
  frame.width = frame.stride = width;
  frame.height = height;
  return frame;
}

PixelBuffer FramePresenter::SurfaceForRows(bool fresh) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  const PixelBuffer target = BufferOf(surface);
  // A window resized gets a new surface, whose pixels are not the frame's yet.
  windowStale = windowStale || fresh || surface != shownSurface ||
                FrameLayout::Fit(width, height, target.width, target.height) != shownLayout;
  return windowStale ? PixelBuffer{} : target;
}

void FramePresenter::PresentOnSurface() {
  if (!windowStale) {
    if (!written.empty())
      SDL_UpdateWindowSurfaceRects(window, written.data(), static_cast<int>(written.size()));
    return;
  }
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  const PixelBuffer target = BufferOf(surface);
  if (target.pixels == nullptr)
    return;  // no pixels to draw on now: the window stays stale until it has some
  windowStale = false;
  shownSurface = surface;
  shownLayout = FrameLayout::Fit(width, height, target.width, target.height);
  FillRows(target, {0, 0, target.width, target.height}, 0);
  ScaleRows(Shown(), 0, height, target, shownLayout.frame);
  SDL_UpdateWindowSurface(window);
}

FrameLayout FramePresenter::LayoutNow(SDL_Renderer* renderer, int frameWidth,
                                      int frameHeight) const {
  int areaWidth = frameWidth, areaHeight = frameHeight;
  if (renderer != nullptr)
    SDL_GetRendererOutputSize(renderer, &areaWidth, &areaHeight);
  else if (window != nullptr)
    SDL_GetWindowSizeInPixels(window, &areaWidth, &areaHeight);
  return FrameLayout::Fit(frameWidth, frameHeight, areaWidth, areaHeight);
}

}  // namespace quendal
