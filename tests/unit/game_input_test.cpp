// The start screen's two buttons, Escape, presses during play and the window close, through MainLoop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "unit/game_probe.h"

using gametest::GameProbe;
using gametest::PushKey;
using gametest::PushMouseDown;
using gametest::RunGame;

namespace {

const std::string kOpened = gametest::kFontLoaded + "\nGame Opened\nHighest Score Read -> 0";
const std::string kFreed = gametest::kFontFreed;

// One press on the start screen, then Escape in the same pass (it follows the press in the queue).
struct PressCase {
  int button;
  int x;
  int y;
  const char* outcome;  // "play", "exit" or "none"
};

}  // namespace

TEST(GameInput, StartScreenPressTable) {
  const std::vector<PressCase> cases = {
      {1, 340, 257, "none"}, {1, 341, 257, "play"}, {1, 474, 257, "play"}, {1, 475, 257, "none"},
      {1, 400, 240, "none"}, {1, 400, 241, "play"}, {1, 400, 274, "play"}, {1, 400, 275, "none"},
      {1, 400, 295, "none"}, {1, 400, 296, "exit"}, {1, 400, 329, "exit"}, {1, 400, 330, "none"},
      {1, 341, 241, "play"}, {1, 474, 274, "play"}, {1, 341, 329, "exit"}, {1, 474, 296, "exit"},
      {1, 340, 300, "none"}, {1, 475, 300, "none"}, {1, 0, 0, "none"},     {1, 799, 599, "none"},
      {3, 400, 257, "play"}, {2, 400, 257, "play"}, {3, 400, 310, "exit"}, {2, 400, 310, "exit"},
  };
  testsupport::ScratchDirectory dir(true);
  for (const PressCase& press : cases) {
    int state = -1, objectCount = -1;
    const std::string out = RunGame(
        [&](GameProbe& game) {
          game.ticks = gametest::Ticks::Never;
          PushMouseDown(press.button, press.x, press.y);
          PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        },
        [&](GameProbe& game) {
          state = game.state;
          objectCount = static_cast<int>(game.objects.size());
        });
    const std::string what = std::string(press.outcome);
    std::string expected = kOpened;
    if (what == "play")
      expected += "\nGame Started\nGame Exit";
    else if (what == "exit")
      expected += "\nGame Exit\nGame Exit";  // the button's exit steps, then the Escape's
    else
      expected += "\nGame Exit";
    SCOPED_TRACE("button " + std::to_string(press.button) + " at (" + std::to_string(press.x) +
                 ", " + std::to_string(press.y) + ") should give " + what);
    EXPECT_EQ(out, expected + kFreed);
    EXPECT_EQ(state, GameProbe::StateExit);
    EXPECT_EQ(objectCount, what == "play" ? 5 : 0);
    EXPECT_EQ(dir.ReadFile("highScore.txt"), "<missing>");
  }
}

TEST(GameInput, ExitButtonAloneEndsTheLoopInOnePass) {
  testsupport::ScratchDirectory dir(true);
  int passes = 0, exitCode = -1;
  const std::string out = RunGame(
      [](GameProbe& game) {
        game.ticks = gametest::Ticks::Never;
        PushMouseDown(1, 400, 310);
      },
      [&](GameProbe& game) {
        passes = game.passes;
        exitCode = game.exitCode;
      });
  EXPECT_EQ(out, kOpened + "\nGame Exit" + kFreed);
  EXPECT_EQ(passes, 1);
  EXPECT_EQ(exitCode, 0);
}

TEST(GameInput, OtherKeysAndMovesDoNothingOnTheStartScreen) {
  testsupport::ScratchDirectory dir(true);
  int passesBeforeEscape = 0;
  const std::string out = RunGame([&](GameProbe& game) {
    game.ticks = gametest::Ticks::Never;
    PushKey(SDL_KEYDOWN, SDLK_RETURN);
    PushKey(SDL_KEYDOWN, SDLK_SPACE);
    PushKey(SDL_KEYDOWN, SDLK_RIGHT);
    PushKey(SDL_KEYUP, SDLK_ESCAPE);
    game.afterPass = [&](GameProbe& probe) {
      if (probe.passes == 3) {
        passesBeforeEscape = probe.passes;
        PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
      }
    };
  });
  EXPECT_EQ(out, kOpened + "\nGame Exit" + kFreed);
  EXPECT_EQ(passesBeforeEscape, 3);
}

TEST(GameInput, TwoEscapesInOnePassRunTheExitStepsTwice) {
  testsupport::ScratchDirectory dir(true);
  const std::string out = RunGame([](GameProbe&) {
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  });
  EXPECT_EQ(out, kOpened + "\nGame Exit\nGame Exit" + kFreed);
}

// Presses on both buttons during play and after the game over change nothing; Escape still ends.
TEST(GameInput, PressesDuringPlayAndAfterGameOverDoNothing) {
  testsupport::ScratchDirectory dir(true);
  std::vector<DisplayableObject*> firstList, lastList;
  int stateAfterPlayPresses = -1, gameOverUpdate = 0, score = -1;
  const std::string out = RunGame(
      [&](GameProbe& game) {
        PushMouseDown(1, 400, 257);
        game.afterPass = [&](GameProbe& probe) {
          if (probe.passes == 1)
            firstList = probe.objects;
          if (probe.passes == 10 || probe.passes == 11) {
            PushMouseDown(1, 400, 257);
            PushMouseDown(3, 400, 310);
          }
          if (probe.passes == 12)
            stateAfterPlayPresses = probe.state;
          if (probe.gameOver && probe.passes == probe.gameOverUpdate + 5) {
            PushMouseDown(1, 400, 257);
            PushMouseDown(1, 400, 310);
          }
          if (probe.gameOver && probe.passes == probe.gameOverUpdate + 10)
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        };
      },
      [&](GameProbe& game) {
        lastList = game.objects;
        gameOverUpdate = game.gameOverUpdate;
        score = game.score;
      });
  EXPECT_EQ(out, kOpened + "\nGame Started\nGame Over\nGame Exit" + kFreed);
  EXPECT_EQ(stateAfterPlayPresses, GameProbe::StatePlaying);
  EXPECT_EQ(firstList.size(), 5u);
  EXPECT_EQ(lastList, firstList);
  EXPECT_EQ(gameOverUpdate, 230);
  EXPECT_EQ(score, 2);
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "2\n");
}

// A window close request ends the loop at once: no message, no state change, no save.
TEST(GameInput, WindowCloseDuringPlayDoesNotSave) {
  testsupport::ScratchDirectory dir(true);
  dir.WriteFile("highScore.txt", "1\n");
  int state = -1, score = -1, passes = 0;
  const std::string out = RunGame(
      [](GameProbe& game) {
        PushMouseDown(1, 400, 257);
        game.afterPass = [](GameProbe& probe) {
          if (probe.passes == 3) {
            probe.score = 9;
            gametest::PushQuit();
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
          }
        };
      },
      [&](GameProbe& game) {
        state = game.state;
        score = game.score;
        passes = game.passes;
      });
  EXPECT_EQ(out, gametest::kFontLoaded + "\nGame Opened\nHighest Score Read -> 1\nGame Started" +
                     kFreed);
  EXPECT_EQ(state, GameProbe::StatePlaying);
  EXPECT_EQ(score, 9);
  EXPECT_EQ(passes, 3);
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "1\n");
}

TEST(GameInput, WindowCloseOnTheStartScreen) {
  testsupport::ScratchDirectory dir(true);
  const std::string out = RunGame([](GameProbe&) { gametest::PushQuit(); });
  EXPECT_EQ(out, kOpened + kFreed);
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "<missing>");
}

// A state outside 0..3 is stored and nothing else happens; presses are ignored, Escape still ends.
TEST(GameInput, UnknownStateIsStoredAndIgnored) {
  testsupport::ScratchDirectory dir(true);
  int stateAfterSet = -1, objectCount = -1;
  const std::string out = RunGame(
      [&](GameProbe& game) {
        game.ticks = gametest::Ticks::Never;
        game.SetState(5);
        stateAfterSet = game.state;
        PushMouseDown(1, 400, 257);
        PushMouseDown(1, 400, 310);
        game.afterPass = [](GameProbe& probe) {
          if (probe.passes == 2)
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        };
      },
      [&](GameProbe& game) { objectCount = static_cast<int>(game.objects.size()); });
  EXPECT_EQ(stateAfterSet, 5);
  EXPECT_EQ(objectCount, 0);
  EXPECT_EQ(out, kOpened + "\nGame Exit" + kFreed);
}
