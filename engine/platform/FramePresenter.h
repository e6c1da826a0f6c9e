// Puts the composed frames on the window: only the rows that changed, and nothing when none did.
#pragma once
#include <cstdint>
#include <vector>

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;

namespace quendal {

class FramePresenter {
 public:
  // The renderer of the window. OpenGL on a software rasteriser is no acceleration: there SDL's
  // software renderer over the window system's own framebuffer is chosen instead, through the
  // SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION hints at default priority, so the
  // environment variables of those names still decide. Null when no renderer can be made.
  static SDL_Renderer* CreateRenderer(SDL_Window* window);

  // Uploads the rows of frame (32-bit; the part that fits the texture) that differ from the last frame shown,
  // copies the texture to the window and presents it; presents nothing when no row differs and the
  // window kept its pixels. Does nothing without a renderer, texture or pixels.
  void Show(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Surface* frame);
  // The window lost its pixels (exposed, restored, resized): the next Show or Refresh presents.
  void Invalidate() { windowStale = true; }
  // Presents the last frame shown again when the window lost its pixels; no pixel changes.
  void Refresh(SDL_Renderer* renderer, SDL_Texture* texture);

 private:
  // A copy of the frame shown, row by row, where the texture's own pixels cannot be read.
  std::vector<uint32_t> shown;
  int width = 0;
  int height = 0;
  bool windowStale = false;
  bool framesShown = false;
};

}  // namespace quendal
