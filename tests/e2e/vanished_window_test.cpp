// Under a real X server: an event sent to a window that is gone leaves a program on the engine
// running, and any other X error still ends it as Xlib does.
#include <gtest/gtest.h>

#include "engine/BaseEngine.h"
#include "engine/WindowSystemErrors.h"

bool RequestOnVanishedWindow(bool sendEvent);

TEST(EngineX11, AnEventToAVanishedWindowIsTolerated) {
  BaseEngine engine;
  ASSERT_EQ(engine.Initialise("vanished", 64, 64, nullptr, 0), 0);
  EXPECT_TRUE(RequestOnVanishedWindow(true));
  engine.Deinitialise();
}

TEST(EngineX11, AnyOtherErrorStillEndsTheProgram) {
  EXPECT_EXIT(
      {
        TolerateVanishedWindows();
        RequestOnVanishedWindow(false);
      },
      testing::ExitedWithCode(1), "BadWindow");
}
