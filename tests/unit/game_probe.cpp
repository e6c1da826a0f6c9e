// Helpers for the game's tests: the probe game, event pushers and console capture.
#include "unit/game_probe.h"

#include <unistd.h>

#include <memory>

namespace gametest {

void GameProbe::TickAction() {
  if (!updating)
    return;
  nextTickTime = 0;
  ZarvoMain::TickAction();
}

void GameProbe::UpdateObjects(int time) {
  if (!objects.empty())
    ++playUpdates;
  ZarvoMain::UpdateObjects(time);
  if (gameOver && gameOverUpdate == 0)
    gameOverUpdate = playUpdates;
}

void GameProbe::Render() {
  ZarvoMain::Render();
  ++passes;
  if (afterPass)
    afterPass(*this);
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

std::string Captured(const std::function<void()>& body, bool withErrors) {
  testsupport::StdoutCapture capture;
  const int errors = withErrors ? dup(2) : -1;
  if (withErrors)
    dup2(1, 2);
  body();
  if (withErrors) {
    dup2(errors, 2);
    close(errors);
  }
  return capture.Text();
}

std::string Console(int best, const std::string& tail, const std::string& said) {
  return "Loading font: 24 point Cornerstone Regular.ttf\n\nGame Opened" + said +
         "\nHighest Score Read -> " + std::to_string(best) + tail +
         "Free font: 24 point Cornerstone Regular.ttf\n";
}

std::string RunGame(const std::function<void(GameProbe&)>& setUp,
                    const std::function<void(GameProbe&)>& examine, bool withErrors) {
  return Captured(
      [&] {
        auto game = std::make_unique<GameProbe>();
        if (game->Start() != 0)
          return;
        if (setUp)
          setUp(*game);
        game->MainLoop();
        game->Deinitialise();
        if (examine)
          examine(*game);
      },
      withErrors);
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
