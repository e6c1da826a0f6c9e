// Program entry: the brick breaker in an 800 x 600 window, or a demo of it with --demo.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "BricksGame.h"
#include "DemoPilot.h"

int main(int argc, char** argv) {
  std::unique_ptr<DemoPilot> pilot;
  if (argc >= 3 && argc <= 4 && std::strcmp(argv[1], "--demo") == 0 && std::atoi(argv[2]) > 0) {
    pilot = std::make_unique<DemoPilot>(std::atoi(argv[2]), argc == 4 ? argv[3] : nullptr);
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: %s [--demo UPDATES [SCREENSHOT.png]]\n", argv[0]);
    return 2;
  }
  BricksGame game(pilot.get());
  if (game.Initialise("Bricks", BricksGame::kWidth, BricksGame::kHeight, "Cornerstone Regular.ttf",
                      24) != 0)
    return 1;
  const int result = game.MainLoop();
  game.Deinitialise();
  return result;
}
