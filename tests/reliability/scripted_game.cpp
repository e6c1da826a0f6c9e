// Runs the real game headless through Initialise and MainLoop with a fixed script of pushed
// events: press PLAY, hold Left once a point is scored, press Escape after the game over.
// One update per pass instead of one per 15 ms, so the run takes a few hundred passes.
#include <SDL.h>

#include <cstdio>

#include "game/ZarvoMain.h"

namespace {

void Push(Uint32 type, int keyOrButton, int x = 0, int y = 0) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
    event.button.button = static_cast<Uint8>(keyOrButton);
    event.button.x = x;
    event.button.y = y;
  } else {
    event.key.keysym.sym = keyOrButton;
  }
  SDL_PushEvent(&event);
}

// The game with its script run after each pass's update.
class ScriptedGame : public ZarvoMain {
 public:
  void TickAction() override {
    UpdateObjects(currentTick);
    ++passes;
    if (passes == 1) {
      Push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 400, 257);
      Push(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 400, 257);
    } else if (state == StatePlaying && score >= 1 && !holdingLeft) {
      Push(SDL_KEYDOWN, SDLK_LEFT);
      holdingLeft = true;
    } else if (gameOver && !escaped) {
      Push(SDL_KEYDOWN, SDLK_ESCAPE);
      escaped = true;
    } else if (passes == kPassLimit) {
      Push(SDL_QUIT, 0);
    }
  }

  static constexpr int kPassLimit = 100000;
  int passes = 0;
  bool holdingLeft = false;
  bool escaped = false;
};

}  // namespace

int main(int, char**) {
  ScriptedGame game;
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
