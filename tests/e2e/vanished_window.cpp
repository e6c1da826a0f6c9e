// Requests naming a window that no longer exists, on a connection of their own (Xlib's names clash
// with the engine's, so they stay in this file).
#include <X11/Xlib.h>

// Makes and destroys a window, then sends it an event (as SDL's wake-up can) or maps it, and waits
// for the server's answer, so that any error is handled before it returns. False without a display.
bool RequestOnVanishedWindow(bool sendEvent) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr)
    return false;
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(display, window);
  XEvent wakeUp{};
  wakeUp.xclient.type = ClientMessage;
  wakeUp.xclient.format = 8;
  if (sendEvent)
    XSendEvent(display, window, False, NoEventMask, &wakeUp);
  else
    XMapWindow(display, window);
  XSync(display, False);
  XCloseDisplay(display);
  return true;
}
