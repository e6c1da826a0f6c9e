// Toggling fullscreen on the desktop, and laying the window over its display where nothing else does.
#include "engine/platform/FullscreenToggle.h"

#include <SDL.h>
#include <SDL_syswm.h>

#ifdef SDL_VIDEO_DRIVER_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace quendal {

void FullscreenToggle::Remember(int left, int top, int w, int h) {
  x = left;
  y = top;
  width = w;
  height = h;
}

void FullscreenToggle::Toggle(SDL_Window* window) {
  const bool leaving = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
  if (!leaving) {
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &width, &height);
  }
  SDL_SetWindowFullscreen(window, leaving ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (!leaving) {
    CoverDisplay(window);
    return;
  }
  // Without a window manager nothing gives the window its place and size back either.
  SDL_SetWindowSize(window, width, height);
  SDL_SetWindowPosition(window, x, y);
}

void FullscreenToggle::CoverDisplay(SDL_Window* window) {
#ifdef SDL_VIDEO_DRIVER_X11
  SDL_SysWMinfo system;
  SDL_VERSION(&system.version);
  SDL_Rect bounds;
  if (SDL_GetWindowWMInfo(window, &system) != SDL_TRUE || system.subsystem != SDL_SYSWM_X11 ||
      SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) != 0)
    return;
  Display* display = system.info.x11.display;
  // A window manager that follows the desktop conventions names its window on the root.
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* value = nullptr;
  const bool managed =
      check != None &&
      XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                         &format, &count, &after, &value) == Success &&
      count > 0;
  if (value != nullptr)
    XFree(value);
  if (managed)
    return;
  XMoveResizeWindow(display, system.info.x11.window, bounds.x, bounds.y,
                    static_cast<unsigned>(bounds.w), static_cast<unsigned>(bounds.h));
  XFlush(display);
#else
  (void)window;
#endif
}

}  // namespace quendal
