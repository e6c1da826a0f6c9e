// Helpers for the game's tests: the probe game, event pushers and console capture.
#include "unit/game_probe.h"

#include <memory>

namespace gametest {

void GameProbe::TickAction() {
  if (!updating)
    return;
  nextTickTime = 0;
  ZarvoMain::TickAction();
}

void GameProbe::Render() {
  ZarvoMain::Render();
  ++passes;
  if (passes >= passLimit)
    exitCode = 0;
}

// The window has no alpha: each pixel keeps the screen surface's alpha byte and the window's colour.
Frame GameProbe::Snapshot() const {
  Frame frame{testsupport::PixelsOf(screenSurface)};
  std::vector<uint32_t> shown(frame.pixels.size());
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.data(), 800 * 4);
  for (size_t i = 0; i < shown.size(); ++i)
    frame.pixels[i] = (frame.pixels[i] & 0xFF000000u) | (shown[i] & 0xFFFFFFu);
  return frame;
}

std::string Captured(const std::function<void()>& body) {
  testsupport::StdoutCapture capture;
  body();
  return capture.Text();
}

void PlayingGame::SetUp() {
  Captured([&] {
    ASSERT_EQ(game.Start(), 0);
    game.updating = false;
    game.passLimit = 1;
    testsupport::Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
    game.MainLoop();
  });
  ASSERT_EQ(game.objects.size(), 5u);
}

void PlayingGame::TearDown() {
  Captured([&] {
    game.Deinitialise();
    owned.reset();
  });
}

}  // namespace gametest
