// A 32-bit surface over a buffer of our own, fenced by guard words, to catch writes outside it.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

// Guard words before and after the pixels and unused words at each row's end; Intact() tells
// whether any of them changed.
struct GuardedSurface {
  static constexpr uint32_t kGuard = 0xDEADBEEF;
  static constexpr uint32_t kPadding = 0xA5A55A5A;
  static constexpr size_t kGuardWords = 64;

  // A width x height surface in the engine's format whose rows are padding words longer.
  GuardedSurface(int width, int height, int padding, uint32_t fill = 0x00102030)
      : stride(width + padding),
        buffer(kGuardWords * 2 + static_cast<size_t>(stride) * height, kGuard) {
    uint32_t* pixels = buffer.data() + kGuardWords;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < stride; ++x)
        pixels[y * stride + x] = x < width ? fill : kPadding;
    surface = SDL_CreateRGBSurfaceFrom(pixels, width, height, 32, stride * 4, 0x00FF0000,
                                       0x0000FF00, 0x000000FF, 0xFF000000);
    if (surface == nullptr)
      std::abort();
  }
  ~GuardedSurface() { SDL_FreeSurface(surface); }
  GuardedSurface(const GuardedSurface&) = delete;
  GuardedSurface& operator=(const GuardedSurface&) = delete;

  // Whether every guard word and every word past a row's end still holds its mark.
  bool Intact() const {
    const size_t pixelWords = static_cast<size_t>(stride) * surface->h;
    for (size_t i = 0; i < kGuardWords; ++i)
      if (buffer[i] != kGuard || buffer[kGuardWords + pixelWords + i] != kGuard)
        return false;
    for (int y = 0; y < surface->h; ++y)
      for (int x = surface->w; x < stride; ++x)
        if (buffer[kGuardWords + static_cast<size_t>(y) * stride + x] != kPadding)
          return false;
    return true;
  }

  int stride;
  std::vector<uint32_t> buffer;
  SDL_Surface* surface = nullptr;
};
