// Choosing the renderer, and presenting only what changed.
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

SDL_Renderer* FramePresenter::CreateRenderer(SDL_Window* window) {
  const bool driverChosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  if (driverChosen || renderer == nullptr || !OnSoftwareGl(renderer))
    return renderer;
  SDL_DestroyRenderer(renderer);
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  return SDL_CreateRenderer(window, -1, 0);
}

void FramePresenter::Show(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Surface* frame) {
  if (renderer == nullptr || texture == nullptr || frame == nullptr || frame->pixels == nullptr)
    return;
  int textureWidth = 0, textureHeight = 0;
  if (SDL_QueryTexture(texture, nullptr, nullptr, &textureWidth, &textureHeight) != 0)
    return;
  const bool fresh =
      SDL_min(frame->w, textureWidth) != width || SDL_min(frame->h, textureHeight) != height;
  width = SDL_min(frame->w, textureWidth);
  height = SDL_min(frame->h, textureHeight);
  // SDL's software renderer keeps a texture's pixels in memory that its lock hands out: the rows
  // are compared with and written to the texture itself. Elsewhere a copy of the frame shown is kept
  // and the changed rows are uploaded.
  SDL_RendererInfo info;
  void* lockedPixels = nullptr;
  int keptPitch = 0;
  const bool direct = SDL_GetRendererInfo(renderer, &info) == 0 &&
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
  // Keeps row y of the frame; true when it differs from the row shown (always on a fresh start).
  const auto takeRow = [&](int y) {
    uint8_t* keptRow = kept + static_cast<ptrdiff_t>(y) * keptPitch;
    if (!fresh && std::memcmp(keptRow, rowOf(y), rowBytes) == 0)
      return false;
    std::memcpy(keptRow, rowOf(y), rowBytes);
    return true;
  };
  for (int y = 0; y < height; ++y) {
    if (!takeRow(y))
      continue;
    const int first = y;
    while (y + 1 < height && takeRow(y + 1))
      ++y;
    const SDL_Rect rows{0, first, width, y - first + 1};
    if (!direct)
      SDL_UpdateTexture(texture, &rows, rowOf(first), frame->pitch);
    windowStale = true;
  }
  if (direct)
    SDL_UnlockTexture(texture);
  framesShown = true;
  Refresh(renderer, texture);
}

void FramePresenter::Refresh(SDL_Renderer* renderer, SDL_Texture* texture) {
  if (!windowStale || !framesShown || renderer == nullptr || texture == nullptr)
    return;
  windowStale = false;
  SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
}

}  // namespace quendal
