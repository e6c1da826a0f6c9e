// The cost of putting one 800 x 600 frame on a real window by each path SDL offers, and by the
// engine's presenter on a window 1, 2 and 3 times the frame's size, each beside a memcpy of the
// bytes the window shows. Run under an X server whose screen holds a 2400 x 1800 window; prints
// "<path> <CPU microseconds per frame>" lines, the process's CPU time (every thread) divided by the
// frames, fastest of three runs.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "engine/platform/FramePresenter.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kFrames = 200;

double CpuMicroseconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// One way to show a frame: SDL hints set before the window opens, and whether a renderer is used.
struct Path {
  const char* name;
  const char* renderDriver;
  const char* framebufferAcceleration;
  bool renderer;
};

const Path kPaths[] = {
    {"opengl", "opengl", "1", true},
    {"software-renderer-gl-framebuffer", "software", "1", true},
    {"software-renderer-shm-framebuffer", "software", "0", true},
    {"window-surface-shm", nullptr, "0", false},
};

// Paints a frame that differs from the last one in every row.
void Paint(SDL_Surface* frame, int index) {
  for (int y = 0; y < kHeight; ++y) {
    auto* row =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(frame->pixels) + y * frame->pitch);
    std::fill(row, row + kWidth, static_cast<uint32_t>(index * 2654435761u + y));
  }
}

// CPU microseconds per frame that show puts on the window, each frame differing in every row; the
// first frames set up caches and shaders and are not counted.
template <typename Show>
double PerFrame(SDL_Surface* frame, Show show) {
  double spent = 0;
  for (int i = 0; i < kFrames + 10; ++i) {
    Paint(frame, i);
    const double start = CpuMicroseconds();
    show();
    SDL_PumpEvents();
    if (i >= 10)
      spent += CpuMicroseconds() - start;
  }
  return spent / kFrames;
}

// Destroys what a measurement made (any may be null) and ends SDL, its hints too.
void Close(SDL_Window* window, SDL_Renderer* renderer, SDL_Texture* texture) {
  if (texture != nullptr)
    SDL_DestroyTexture(texture);
  if (renderer != nullptr)
    SDL_DestroyRenderer(renderer);
  if (window != nullptr)
    SDL_DestroyWindow(window);
  SDL_Quit();
  SDL_ResetHints();
}

// CPU microseconds per frame shown by the path, or -1 when the path cannot be set up.
double Measure(const Path& path, SDL_Surface* frame) {
  if (path.renderDriver != nullptr)
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, path.renderDriver);
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, path.framebufferAcceleration);
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    return -1;
  SDL_Window* window = SDL_CreateWindow("present", 10, 40, kWidth, kHeight, 0);
  SDL_Renderer* renderer = path.renderer && window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                      SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                                  : nullptr;
  SDL_Surface* surface = !path.renderer && window ? SDL_GetWindowSurface(window) : nullptr;
  double result = -1;
  if (texture != nullptr || surface != nullptr) {
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetSurfaceBlendMode(frame, SDL_BLENDMODE_NONE);
    result = PerFrame(frame, [&] {
      if (texture != nullptr) {
        SDL_UpdateTexture(texture, nullptr, frame->pixels, frame->pitch);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
      } else {
        SDL_BlitSurface(frame, nullptr, surface, nullptr);
        SDL_UpdateWindowSurface(window);
      }
    });
  }
  Close(window, renderer, texture);
  return result;
}

// CPU microseconds per frame shown by the engine's presenter, every row changed, on a window scale
// times the frame's size; -1 when it cannot be set up.
double MeasureEngine(int scale, SDL_Surface* frame) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    return -1;
  SDL_Window* window =
      SDL_CreateWindow("present", 10, 40, kWidth * scale, kHeight * scale, SDL_WINDOW_HIDDEN);
  quendal::FramePresenter presenter;
  SDL_Renderer* renderer = window != nullptr ? presenter.CreateRenderer(window) : nullptr;
  SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                      SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                                  : nullptr;
  double result = -1;
  if (texture != nullptr || presenter.OnWindowSurface()) {
    SDL_ShowWindow(window);
    result = PerFrame(frame, [&] { presenter.Show(renderer, texture, frame); });
  }
  Close(window, renderer, texture);
  return result;
}

// CPU microseconds per memcpy of a frame of the bytes given, its source written anew each time.
double MeasureMemcpy(size_t bytes) {
  std::vector<uint8_t> source(bytes), target(bytes);
  volatile uint8_t sink = 0;
  double spent = 0;
  for (int i = 0; i < kFrames; ++i) {
    std::fill(source.begin(), source.end(), static_cast<uint8_t>(i));
    const double start = CpuMicroseconds();
    std::memcpy(target.data(), source.data(), bytes);
    sink = sink + target[static_cast<size_t>(i) * 97];
    spent += CpuMicroseconds() - start;
  }
  return spent / kFrames;
}

// Prints the fastest of three runs of a measurement, -1 when none could be made.
template <typename Measurement>
void Report(const char* name, Measurement measure) {
  double best = 1e18;
  for (int run = 0; run < 3; ++run) {
    const double spent = measure();
    best = spent < 0 ? best : std::min(best, spent);
  }
  std::printf("%s %.1f\n", name, best < 1e18 ? best : -1.0);
}

}  // namespace

int main(int, char**) {
  SDL_Surface* frame =
      SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  if (frame == nullptr)
    return 1;
  for (int scale = 1; scale <= 3; ++scale) {
    const std::string times = std::to_string(scale) + "x";
    Report(("memcpy-" + times).c_str(),
           [scale] { return MeasureMemcpy(size_t{kWidth} * kHeight * 4 * scale * scale); });
    Report(("engine-" + times).c_str(), [&] { return MeasureEngine(scale, frame); });
  }
  for (const Path& path : kPaths)
    Report(path.name, [&] { return Measure(path, frame); });
  SDL_FreeSurface(frame);
  return 0;
}
