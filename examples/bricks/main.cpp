// Program entry: the brick breaker, a demo of it (--demo), and the engine's run options.
#include <SDL.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BricksGame.h"
#include "DemoPilot.h"

namespace {

// The demo's options among the ones the engine left: "--demo UPDATES [SCREENSHOT.png]", or none.
// False for anything else.
bool ReadDemo(const std::vector<std::string>& arguments, std::unique_ptr<DemoPilot>& pilot) {
  if (arguments.empty())
    return true;
  if (arguments.size() > 3 || arguments[0] != "--demo" || arguments.size() < 2 ||
      !std::isdigit(static_cast<unsigned char>(arguments[1][0])) ||
      std::atoi(arguments[1].c_str()) <= 0)
    return false;
  pilot = std::make_unique<DemoPilot>(std::atoi(arguments[1].c_str()),
                                      arguments.size() == 3 ? arguments[2].c_str() : nullptr);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  BricksGame game;
  std::vector<std::string> arguments;
  std::unique_ptr<DemoPilot> pilot;
  const bool engineOptions = game.ReadCommandLine(argc, argv, arguments);
  if (!engineOptions || !ReadDemo(arguments, pilot)) {
    std::fprintf(stderr, "%s %s --demo UPDATES [SCREENSHOT.png]\n",
                 engineOptions ? "usage:" : "      ", argv[0]);
    return 2;
  }
  // The demo runs on a virtual clock, so its frames never depend on the machine's load.
  quendal::VirtualClock demoClock;
  if (pilot != nullptr) {
    game.SetPilot(pilot.get());
    game.clock = &demoClock;
  }
  if (game.Initialise("Bricks", BricksGame::kWidth, BricksGame::kHeight, nullptr, 24) != 0)
    return 1;
  const int result = game.MainLoop();
  game.Deinitialise();
  return result;
}
