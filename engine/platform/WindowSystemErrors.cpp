// The X error handlers: events to vanished windows pass, a lost connection ends the program.
#include "engine/platform/WindowSystemErrors.h"

#include <SDL_config.h>

#ifdef SDL_VIDEO_DRIVER_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstdio>
#include <cstdlib>
#endif

namespace quendal {

#ifdef SDL_VIDEO_DRIVER_X11
namespace {

XErrorHandler previousHandler = nullptr;

int PassVanishedWindows(Display* display, XErrorEvent* error) {
  if (error->request_code == X_SendEvent && error->error_code == BadWindow)
    return 0;
  return previousHandler(display, error);
}

int EndOnLostConnection(Display* display) {
  std::fflush(stdout);
  std::fprintf(stderr, "X connection to %s lost; the program ends\n", DisplayString(display));
  std::_Exit(1);
}

}  // namespace

void InstallWindowSystemErrorHandlers() {
  if (previousHandler != nullptr)
    return;
  previousHandler = XSetErrorHandler(PassVanishedWindows);
  XSetIOErrorHandler(EndOnLostConnection);
}
#else
void InstallWindowSystemErrorHandlers() {}
#endif

}  // namespace quendal
