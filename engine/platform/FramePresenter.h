// Puts the composed frames on the window, scaled to fit it: only the rows that changed, and
// nothing when none did.
#pragma once
#include <SDL_rect.h>

#include <cstdint>
#include <vector>

#include "engine/draw/FrameLayout.h"

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;

namespace quendal {

class FramePresenter {
 public:
  // Decides how frames reach the window and makes its renderer. OpenGL on a software rasteriser is
  // no acceleration: there frames are scaled by the engine's own row copies straight into the
  // window system's framebuffer (the window's surface, SDL_FRAMEBUFFER_ACCELERATION set to 0 at
  // default priority), no renderer is kept and null is returned with OnWindowSurface() true; where
  // that surface is not of 32-bit pixels, SDL's software renderer is chosen instead. Elsewhere, or
  // when SDL_RENDER_DRIVER names a driver, returns the renderer made, null when none can be made.
  SDL_Renderer* CreateRenderer(SDL_Window* window);
  // Whether frames go to the window's surface rather than through a renderer.
  bool OnWindowSurface() const { return onSurface; }

  // Shows frame (32-bit; through a renderer the part that fits the texture) at the place
  // FrameLayout::Fit gives it on the window's drawable pixels, the bars black: the rows that differ
  // from the last frame shown are uploaded to the texture (which the renderer then stretches to
  // its place, nearest pixel) or scaled into the window's surface and presented; presents nothing
  // when no row differs and the window kept its pixels. Through a renderer it does nothing without
  // the renderer, texture or pixels.
  void Show(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Surface* frame);
  // The window lost its pixels or changed its size: the next Show or Refresh presents it whole.
  void Invalidate() { windowStale = true; }
  // Presents the last frame shown again when the window lost its pixels; no pixel changes.
  void Refresh(SDL_Renderer* renderer, SDL_Texture* texture);
  // The place of a width x height frame on the window's drawable pixels now (the renderer's
  // output, else the window's); on no window, the frame itself.
  FrameLayout LayoutNow(SDL_Renderer* renderer, int width, int height) const;

 private:
  // The window's surface for Show to scale changed rows into, or an empty buffer when the whole
  // frame must be drawn again (a fresh frame, a new surface, the frame's place moved).
  PixelBuffer SurfaceForRows(bool fresh);
  // Presents the rows Show wrote, or draws the whole frame and the bars when the window is stale.
  void PresentOnSurface();
  // The kept copy of the frame shown.
  PixelBuffer Shown();

  SDL_Window* window = nullptr;
  bool onSurface = false;
  // A copy of the frame shown, row by row, where the texture's own pixels cannot be read.
  std::vector<uint32_t> shown;
  // The rectangles of the window's surface written by the last Show.
  std::vector<SDL_Rect> written;
  // Where the frame was last drawn: the place, and the window's surface.
  FrameLayout shownLayout;
  const SDL_Surface* shownSurface = nullptr;
  int width = 0;
  int height = 0;
  bool windowStale = false;
  bool framesShown = false;
};

}  // namespace quendal
