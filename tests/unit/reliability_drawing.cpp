// Drawing at the extremes of int32 never writes outside the surface: guard words around it.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "engine/ImageData.h"
#include "fuzz/GuardedSurface.h"
#include "support/TestSupport.h"

namespace {

const std::vector<int> kValues = {INT_MIN, INT_MIN + 1, -65536, -41, -1, 0,
                                  1,       29,          39,     40,  65535, INT_MAX - 1, INT_MAX};

// An engine that was not initialised, with the default font open at 24 points.
struct TextEngine {
  TextEngine() {
    TTF_Init();
    engine.fontManager.LoadFonts();
    engine.defaultFont = engine.fontManager.GetFont(
        (testsupport::SourceDir() + "/assets/Cornerstone Regular.ttf").c_str(), 24);
  }
  BaseEngine engine;
};

}  // namespace

// Every pair of extreme values as corners, positions and sizes, for every primitive and both
// surfaces; text is drawn twice so that a remembered line is drawn too.
TEST(ReliabilityDrawing, ExtremeCoordinatesStayInside) {
  testsupport::StdoutCapture quiet;
  TextEngine text;
  BaseEngine& engine = text.engine;
  GuardedSurface screen(40, 30, 3), background(30, 40, 1, 0x00445566);
  engine.screenSurface = screen.surface;
  engine.backgroundSurface = background.surface;
  engine.screenWidth = 40;
  engine.screenHeight = 30;
  ImageData image;
  image.width = 20;
  image.height = 10;
  image.pixels.reset(new uint32_t[200]());
  int calls = 0;
  for (int a : kValues)
    for (int b : kValues) {
      SCOPED_TRACE("values " + std::to_string(a) + ", " + std::to_string(b));
      engine.DrawRectangle(a, b, 5, 5, 0x112233);
      engine.DrawRectangle(a, a, b, b, 0x112233, background.surface);
      engine.DrawOval(a, b, 10, 10, 0x223344);
      engine.DrawOval(a, a, b, b, 0x223344, background.surface);
      engine.CopyBackgroundPixels(a, b, 50, 50);
      engine.CopyBackgroundPixels(0, 0, a, b);
      image.RenderImage(screen.surface, 0, 0, a, b, 20, 10);
      image.RenderImage(screen.surface, a, b, 0, 0, 40, 30);
      image.RenderImage(background.surface, 0, 0, 0, 0, a, b);
      for (int twice = 0; twice < 2; ++twice) {
        engine.DrawString(a, b, "Score", 0xFFFFFF);
        engine.DrawString(a, b, "Best", 0xFFFFFF, nullptr, background.surface);
      }
      calls += 13;
      ASSERT_TRUE(screen.Intact());
      ASSERT_TRUE(background.Intact());
    }
  engine.DrawString(0, 0, "Score", 0xFFFFFF);
  int white = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      white += screen.buffer[GuardedSurface::kGuardWords + static_cast<size_t>(y) * screen.stride +
                             x] == 0xFFFFFFFFu;
  EXPECT_GT(white, 0) << "the text was drawn";
  engine.screenSurface = nullptr;
  engine.backgroundSurface = nullptr;
  EXPECT_EQ(calls, 13 * 13 * 13);
}
