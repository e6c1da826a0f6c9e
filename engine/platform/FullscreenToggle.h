// Fullscreen on the desktop and back, also on an X server where no window manager acts on it.
#pragma once

struct SDL_Window;

namespace quendal {

class FullscreenToggle {
 public:
  // The place and size the window comes back to when it leaves fullscreen; Toggle keeps them up
  // to date, so this is only needed for a window that opens fullscreen.
  void Remember(int x, int y, int width, int height);
  // Takes the window fullscreen on its desktop (no mode switch), or back to where it was before.
  void Toggle(SDL_Window* window);
  // On an X server where no window manager runs, nothing acts on a fullscreen request: there the
  // window (already flagged fullscreen) is laid over its display here. Does nothing elsewhere.
  static void CoverDisplay(SDL_Window* window);

 private:
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

}  // namespace quendal
