// The X error handler that tolerates events sent to vanished windows.
#include "engine/WindowSystemErrors.h"

#include <SDL_config.h>

#ifdef SDL_VIDEO_DRIVER_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

XErrorHandler previousHandler = nullptr;

int PassVanishedWindows(Display* display, XErrorEvent* error) {
  if (error->request_code == X_SendEvent && error->error_code == BadWindow)
    return 0;
  return previousHandler(display, error);
}

}  // namespace

void TolerateVanishedWindows() {
  if (previousHandler == nullptr)
    previousHandler = XSetErrorHandler(PassVanishedWindows);
}
#else
void TolerateVanishedWindows() {}
#endif
