// Presses, keys and window closes on the start screen and during play, through MainLoop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "unit/game_probe.h"

using gametest::GameProbe;
using testsupport::Push;

// Each script pushes its events before the loop (or on a later pass): the console, the state, the
// actors on the list and the passes run, and never a save (a score of 9 would be written).
TEST(GameInput, EventTable) {
  struct Case {
    std::string what;
    std::function<void(GameProbe&)> script;
    std::string tail;  // the console after the start lines
    int state;
    size_t objects;
    int passes;
  };
  std::vector<Case> cases;
  // One press on the start screen and then Escape, handled in the same pass.
  struct Press {
    int button, x, y;
    char outcome;  // 'p' play, 'x' exit, '-' nothing
  };
  const Press presses[] = {
      {1, 340, 257, '-'}, {1, 341, 257, 'p'}, {1, 474, 257, 'p'}, {1, 475, 257, '-'},
      {1, 400, 240, '-'}, {1, 400, 241, 'p'}, {1, 400, 274, 'p'}, {1, 400, 275, '-'},
      {1, 400, 295, '-'}, {1, 400, 296, 'x'}, {1, 400, 329, 'x'}, {1, 400, 330, '-'},
      {1, 341, 241, 'p'}, {1, 474, 274, 'p'}, {1, 341, 329, 'x'}, {1, 474, 296, 'x'},
      {1, 340, 300, '-'}, {1, 475, 300, '-'}, {1, 0, 0, '-'},     {1, 799, 599, '-'},
      {3, 400, 257, 'p'}, {2, 400, 257, 'p'}, {3, 400, 310, 'x'}, {2, 400, 310, 'x'},
  };
  for (const Press& press : presses)
    cases.push_back({"button " + std::to_string(press.button) + " at (" + std::to_string(press.x) +
                         ", " + std::to_string(press.y) + ")",
                     [press](GameProbe&) {
                       Push(SDL_MOUSEBUTTONDOWN, press.button, press.x, press.y);
                       Push(SDL_KEYDOWN, SDLK_ESCAPE);
                     },
                     press.outcome == 'p' ? "\nGame Started\nGame Exit" : "\nGame Exit",
                     GameProbe::StateExit, press.outcome == 'p' ? 5u : 0u, 1});
  cases.push_back({"the exit button alone ends the loop after its pass",
                   [](GameProbe&) { Push(SDL_MOUSEBUTTONDOWN, 1, 400, 310); }, "\nGame Exit",
                   GameProbe::StateExit, 0, 1});
  cases.push_back({"other keys and the release of Escape do nothing; the exit steps run once",
                   [](GameProbe&) {
                     for (int key : {SDLK_RETURN, SDLK_SPACE, SDLK_RIGHT})
                       Push(SDL_KEYDOWN, key);
                     Push(SDL_KEYUP, SDLK_ESCAPE);
                     Push(SDL_KEYDOWN, SDLK_ESCAPE);
                     Push(SDL_KEYDOWN, SDLK_ESCAPE);
                   },
                   "\nGame Exit", GameProbe::StateExit, 0, 1});
  cases.push_back({"a window close on the start screen: no message",
                   [](GameProbe&) { Push(SDL_QUIT); }, "", GameProbe::StateStart, 0, 0});
  cases.push_back({"a window close during play: no message, no save, the later Escape unhandled",
                   [](GameProbe& game) {
                     game.score = 9;
                     Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
                     Push(SDL_QUIT);
                     Push(SDL_KEYDOWN, SDLK_ESCAPE);
                   },
                   "\nGame Started", GameProbe::StatePlaying, 5, 0});
  cases.push_back({"a state outside 0..3 is stored: presses are ignored, Escape still ends",
                   [](GameProbe& game) {
                     game.SetState(5);
                     Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
                     Push(SDL_MOUSEBUTTONDOWN, 1, 400, 310);
                     Push(SDL_KEYDOWN, SDLK_ESCAPE);
                   },
                   "\nGame Exit", GameProbe::StateExit, 0, 1});
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    int state = -1, passes = 0;
    size_t objects = 99;
    const std::string console = gametest::RunGame(
        [&](GameProbe& game) {
          game.updating = false;
          test.script(game);
        },
        [&](GameProbe& game) {
          state = game.state;
          objects = game.objects.size();
          passes = game.passes;
        });
    EXPECT_EQ(console, gametest::Console(0, test.tail));
    EXPECT_EQ(state, test.state);
    EXPECT_EQ(objects, test.objects);
    EXPECT_EQ(passes, test.passes);
    EXPECT_EQ(dir.ReadFile("highScore.txt"), "<missing>");
  }
}
