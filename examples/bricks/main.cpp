// Program entry: the brick breaker, a demo of it (--demo), or the engine's run options.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "BricksGame.h"
#include "DemoPilot.h"

int main(int argc, char** argv) {
  const bool demo =
      argc >= 3 && argc <= 4 && std::strcmp(argv[1], "--demo") == 0 && std::atoi(argv[2]) > 0;
  std::unique_ptr<DemoPilot> pilot;
  if (demo)
    pilot = std::make_unique<DemoPilot>(std::atoi(argv[2]), argc == 4 ? argv[3] : nullptr);
  BricksGame game(pilot.get());
  // The demo runs on the virtual clock, so its frames never depend on the machine's load; any
  // other command line is the engine's run options (record, replay, headless, fast, screenshot).
  char fast[] = "--fast";
  char* demoOptions[] = {argv[0], fast};
  if (!(demo ? game.ReadCommandLine(2, demoOptions) : game.ReadCommandLine(argc, argv))) {
    std::fprintf(stderr, "       %s --demo UPDATES [SCREENSHOT.png]\n", argv[0]);
    return 2;
  }
  if (game.Initialise("Bricks", BricksGame::kWidth, BricksGame::kHeight, nullptr, 24) != 0)
    return 1;
  const int result = game.MainLoop();
  game.Deinitialise();
  return result;
}
