// Program entry: runs Quendal The Warden in an 800 x 600 window.
#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/StandardStreams.h"
#include "game/ZarvoMain.h"

int main(int, char**) {
  OpenStandardStreams();
  std::signal(SIGPIPE, SIG_IGN);  // a console that went away must not end the game before it saves
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  ZarvoMain game;
  char title[1024];
  std::snprintf(title, sizeof title, "%s", "Quendal The Warden");
  if (game.Initialise(title, 800, 600, "Cornerstone Regular.ttf", 24) != 0)
    return 1;
  const int result = game.MainLoop();
  game.Deinitialise();
  return result;
}
