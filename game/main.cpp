// Program entry: runs Quendal The Warden in an 800 x 600 window (a canvas in a browser).
#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/RegularFile.h"
#include "engine/platform/StandardStreams.h"
#include "game/GameOptions.h"
#include "game/ZarvoMain.h"
#ifdef __EMSCRIPTEN__
#include "engine/platform/BrowserLoop.h"
#endif

namespace {

std::unique_ptr<ZarvoMain> game;

// Releases the game once its loop has ended; passes the program's exit status through.
int Finish(int result) {
  game->Deinitialise();
  game.reset();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  quendal::OpenStandardStreams();
  std::signal(SIGPIPE, SIG_IGN);  // a console that went away must not end the game before it saves
  std::srand(static_cast<unsigned>(std::time(nullptr)));
#ifdef __EMSCRIPTEN__
  // The canvas's own 2D drawing shows the frames; no WebGL context is needed.
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
#endif
  quendal::SetInstalledDataFolder("quendal-the-warden");
  const GameOptions::Outcome start = GameOptions::Start(argc, argv);
  if (start != GameOptions::Outcome::Play)
    return start == GameOptions::Outcome::Exit ? 0 : 1;
  game = std::make_unique<ZarvoMain>();
  std::vector<std::string> gameArguments;
  if (!game->ReadCommandLine(argc, argv, gameArguments) ||
      GameOptions::Check(argv[0], gameArguments) == GameOptions::Outcome::Usage) {
    game.reset();
    return 2;
  }
  char title[1024];
  std::snprintf(title, sizeof title, "%s", "Quendal The Warden");
  if (game->Initialise(title, 800, 600, "Cornerstone Regular.ttf", 24) != 0) {
    game.reset();
    return 1;
  }
#ifdef __EMSCRIPTEN__
  quendal::BrowserLoop::Run(*game, [] { return Finish(game->ExitStatus()); });
#endif
  return Finish(game->MainLoop());
}
