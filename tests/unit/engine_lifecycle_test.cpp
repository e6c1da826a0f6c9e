// Engine start-up and shut-down: window, texture, surfaces, key table, hooks, font lines, failures.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "engine/core/BaseEngine.h"
#include "support/Recorder.h"

namespace {

using testsupport::kFont;
using testsupport::Log;
using testsupport::ScratchDirectory;
using testsupport::StdoutCapture;

// The window, texture, surfaces, key table and flags of an initialised engine, a line each.
std::string Describe(const BaseEngine& engine) {
  std::ostringstream out;
  int x = 0, y = 0, w = 0, h = 0, access = 0, keys = 0;
  SDL_GetWindowPosition(engine.window, &x, &y);
  SDL_GetWindowSize(engine.window, &w, &h);
  out << "window " << SDL_GetWindowTitle(engine.window) << " at " << x << "," << y << " " << w
      << "x" << h << "\n";
  Uint32 format = 0;
  SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
  SDL_QueryTexture(engine.screenTexture, &format, &access, &w, &h);
  SDL_GetTextureBlendMode(engine.screenTexture, &blend);
  out << "texture " << SDL_GetPixelFormatName(format) << " access " << access << " " << w << "x"
      << h << " blend " << blend << "\n";
  for (const SDL_Surface* s : {engine.screenSurface, engine.backgroundSurface})
    out << "surface " << s->w << "x" << s->h << " " << int{s->format->BitsPerPixel} << " bits "
        << std::hex << s->format->Amask << " " << s->format->Rmask << " " << s->format->Gmask << " "
        << s->format->Bmask << std::dec << " must lock " << SDL_MUSTLOCK(s) << "\n";
  for (int i = 0; i < 256; ++i)
    keys += engine.keyStates[i];
  out << "size " << engine.screenWidth << "x" << engine.screenHeight << ", " << keys
      << " keys held, redraw " << engine.needsRedraw << engine.needsFullRedraw << ", exit code "
      << engine.exitCode;
  return out.str();
}

}  // namespace

TEST(EngineLifecycle, InitialiseBuildsWindowTextureSurfacesAndKeyTable) {
  ScratchDirectory dir(true);
  auto engine = std::make_unique<testsupport::Recorder>();
  StdoutCapture out;
  ASSERT_EQ(engine->Initialise("Quendal The Warden", 800, 600, kFont, 24), 0);
  EXPECT_EQ(out.Text(), "Loading font: 24 point Cornerstone Regular.ttf\n");
  EXPECT_EQ(Describe(*engine),
            "window Quendal The Warden at 10,40 800x600\n"
            "texture SDL_PIXELFORMAT_ARGB8888 access 1 800x600 blend 0\n"
            "surface 800x600 32 bits ff000000 ff0000 ff00 ff must lock 0\n"
            "surface 800x600 32 bits ff000000 ff0000 ff00 ff must lock 0\n"
            "size 800x600, 0 keys held, redraw 11, exit code -1");
  EXPECT_NE(engine->screenSurface, engine->backgroundSurface);
  EXPECT_EQ(engine->log, Log({"InitialiseGame ready", "InitialiseObjects", "ClearObjects",
                              "SetupBackgroundBuffer", "FillBackground 16776960"}));
  EXPECT_EQ(testsupport::PixelsOf(engine->backgroundSurface),
            std::vector<uint32_t>(800 * 600, 0xFFFF00));
  EXPECT_EQ(engine->fontManager.GetFont(kFont, 24), engine->defaultFont);
  EXPECT_NE(engine->defaultFont->handle, nullptr);
  engine->Deinitialise();
  EXPECT_EQ(engine->log.back(), "CleanUp keys");
  EXPECT_EQ(engine->keyStates, nullptr);
  StdoutCapture freed;
  engine.reset();
  EXPECT_EQ(freed.Text(), "Free font: 24 point Cornerstone Regular.ttf\n");
}
