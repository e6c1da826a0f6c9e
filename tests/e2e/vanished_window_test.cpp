// Under a real X server: the window is mapped once at start, an event sent to a window that is
// gone leaves a program on the engine running, any other X error still ends it as Xlib does, and
// a lost connection ends it at once.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include "engine/core/BaseEngine.h"
#include "engine/platform/WindowSystemErrors.h"
#define Font XFont  // Xlib's own Font would clash with the engine's
#include <X11/Xlib.h>

namespace {

enum class Request { kWakeUp, kMap, kMapOnLostConnection };

// Makes and destroys a window, then sends it an event (as SDL's wake-up can) or maps it, and
// waits for the server's answer, so that any error is handled before it returns.
void RequestOnVanishedWindow(Request request) {
  Display* display = XOpenDisplay(nullptr);
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(display, window);
  XEvent wakeUp{ClientMessage};
  wakeUp.xclient.format = 8;
  if (request == Request::kMapOnLostConnection)
    shutdown(ConnectionNumber(display), SHUT_RD);
  if (request == Request::kWakeUp)
    XSendEvent(display, window, False, NoEventMask, &wakeUp);
  else
    XMapWindow(display, window);
  XSync(display, False);
  XCloseDisplay(display);
}

}  // namespace

TEST(EngineX11, OneMapAtStartAndAnEventToAVanishedWindowIsTolerated) {
  Display* watcher = XOpenDisplay(nullptr);
  XSelectInput(watcher, DefaultRootWindow(watcher), SubstructureNotifyMask);
  XSync(watcher, False);
  BaseEngine engine;
  ASSERT_EQ(engine.Initialise("vanished", 64, 64, nullptr, 0), 0);
  XSync(watcher, False);
  int maps = 0;
  for (XEvent event; XPending(watcher) > 0; maps += event.type == MapNotify)
    XNextEvent(watcher, &event);
  XCloseDisplay(watcher);
  EXPECT_EQ(maps, 1);
  RequestOnVanishedWindow(Request::kWakeUp);
}

TEST(EngineX11, OtherErrorsEndTheProgramAndALostConnectionAtOnce) {
  quendal::InstallWindowSystemErrorHandlers();
  EXPECT_EXIT(RequestOnVanishedWindow(Request::kMap), testing::ExitedWithCode(1), "BadWindow");
  EXPECT_EXIT(RequestOnVanishedWindow(Request::kMapOnLostConnection), testing::ExitedWithCode(1),
              "^X connection to :[0-9]+ lost; the program ends\n$");
}
