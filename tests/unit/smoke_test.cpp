// First check that the engine opens headless and shows its yellow default background.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/BaseEngine.h"
#include "support/TestSupport.h"

TEST(Smoke, DefaultEngineIsYellow) {
  testsupport::ScratchDirectory dir(false);
  std::filesystem::copy_file(testsupport::SourceDir() + "/assets/Cornerstone Regular.ttf", "Cornerstone Regular.ttf");
  BaseEngine engine;
  ASSERT_EQ(engine.Initialise("t", 800, 600, "Cornerstone Regular.ttf", 24), 0);
  engine.exitCode = 0;
  engine.currentTick = 0;
  engine.Render();
  EXPECT_EQ(testsupport::PixelAt(engine.screenSurface, 5, 5), 0xFFFF00u);
  engine.DrawString(10, 10, "Hello", 0xFFFFFF);
  int white = 0;
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 80; ++x)
      white += (testsupport::PixelAt(engine.screenSurface, x, y) & 0xFFFFFFu) == 0xFFFFFFu;
  std::printf("white %d sample %08x\n", white, testsupport::PixelAt(engine.screenSurface, 12, 20));
  EXPECT_GT(white, 50);
  engine.Deinitialise();
}
