// Runs the real game headless through Initialise and MainLoop with a fixed script of pushed
// events: press PLAY, hold Left once a point is scored, press Escape after the game over (as many
// times in one pass as the first argument says, once by default).
// One update per pass instead of one per 15 ms, so the run takes a few hundred passes.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "game/ZarvoMain.h"

namespace {

// Pushes an event of the type, with a key code or a left-button press at (400, 257) on PLAY.
void Push(Uint32 type, int keyCode = 0) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = keyCode;
  if (type == SDL_MOUSEBUTTONDOWN)
    event.button = {type, 0, 0, 0, SDL_BUTTON_LEFT, SDL_PRESSED, 1, 0, 400, 257};
  SDL_PushEvent(&event);
}

// The game with its script run after each pass's update.
class ScriptedGame : public ZarvoMain {
 public:
  void TickAction() override {
    UpdateObjects(currentTick);
    if (++passes == 1) {
      Push(SDL_MOUSEBUTTONDOWN);
    } else if (state == StatePlaying && score >= 1 && !holdingLeft) {
      Push(SDL_KEYDOWN, SDLK_LEFT);
      holdingLeft = true;
    } else if (gameOver && !escaped) {
      for (int press = 0; press < escapes; ++press)
        Push(SDL_KEYDOWN, SDLK_ESCAPE);
      escaped = true;
    } else if (passes == kPassLimit) {
      Push(SDL_QUIT);
    }
  }

  static constexpr int kPassLimit = 100000;
  int passes = 0;
  int escapes = 1;
  bool holdingLeft = false;
  bool escaped = false;
};

}  // namespace

int main(int argc, char** argv) {
  ScriptedGame game;
  if (argc > 1)
    game.escapes = std::atoi(argv[1]);
  if (game.Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24) != 0)
    return 1;
  const int result = game.MainLoop();
  game.Deinitialise();
  if (game.passes >= ScriptedGame::kPassLimit) {
    std::fprintf(stderr, "the script did not reach the game over\n");
    return 3;
  }
  return result;
}
