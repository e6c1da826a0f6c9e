// The still-paddle game's checkpoints, the paddle's keys and the scrolling band, in the real game.
//
// Checkpoints of a game where no key is pressed, worked out by hand from the rules (paddle centre
// 400, 555, so the paddle line is exactY > 529 and a hit needs exactX - 25 <= 475 and
// exactX + 25 >= 325; the right wall is exactX > 774, the left wall exactX < 25, the top exactY < 25):
//   Ball B (start 750, 50, speed 5.5, 6.5): x = 750 + 5.5n passes 774 at n = 5 (777.5 -> 774, turns).
//     Then x = 774 - 5.5(n - 5). y = 50 + 6.5n first exceeds 529 at n = 74 (531, as 6.5 * 73.7 = 479):
//     x = 774 - 5.5 * 69 = 394.5, a hit: y = 529, speedY -6.5, first point.
//     Up again: y = 529 - 6.5k < 25 first at k = 78 (n = 152, y 22 -> 25, turns down).
//     Left wall: x = 774 - 5.5k < 25 first at k = 137 (n = 142, x 20.5 -> 25, turns right),
//     then x = 25 + 5.5(n - 142). Down: y = 25 + 6.5(n - 152) > 529 first at n - 152 = 78 (n = 230,
//     y 532); x = 25 + 5.5 * 88 = 509, left edge 484 > 475: a miss. currentX 509, currentY 532.
//   Ball A (start 50, 50, speed 2.5, 3.5): y = 50 + 3.5n > 529 first at n = 137 (529.5, as 3.5 * 136
//     = 476 gives 526); x = 50 + 2.5 * 137 = 392.5 (no wall yet: 774 needs n > 289), a hit: y = 529,
//     speedY -3.5, second point; currentX 393. At n = 230 it stands at x = 50 + 575 = 625,
//     y = 529 - 3.5 * 93 = 203.5 (currentX 625, currentY 204).
// So the game ends on the 230th update with 2 points; A is updated before B in each pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ZarvoBallBase.h"
#include "game/ZarvoPlayer.h"
#include "game/ZarvoScrollBg.h"
#include "support/TestSupport.h"
#include "unit/game_probe.h"

using gametest::GameProbe;
using gametest::PushKey;
using gametest::PushMouseDown;
using gametest::RunGame;

namespace {

const std::string kStartedLines =
    gametest::kFontLoaded + "\nGame Opened\nHighest Score Read -> 0\nGame Started";

// Something that happened on one update: a point or the game over, with the ball's position.
struct Event {
  int update;
  std::string what;
  double exactX;
  double exactY;
  double speedY;
  bool operator==(const Event& other) const {
    return update == other.update && what == other.what && exactX == other.exactX &&
           exactY == other.exactY && speedY == other.speedY;
  }
};

std::ostream& operator<<(std::ostream& out, const Event& event) {
  return out << "{" << event.update << ", " << event.what << ", " << event.exactX << ", "
             << event.exactY << ", " << event.speedY << "}";
}

const std::vector<Event> kStillPaddleEvents = {
    {74, "point by B", 394.5, 529.0, -6.5},
    {137, "point by A", 392.5, 529.0, -3.5},
    {230, "miss by B", 509.0, 532.0, 6.5},
};

}  // namespace

// Starts play with one MainLoop pass, then drives the updates directly.
TEST(GamePlay, StillPaddleCheckpointsByDirectUpdates) {
  testsupport::ScratchDirectory dir(true);
  std::vector<Event> events;
  std::vector<std::string> problems;
  bool listRight = false;
  const std::string out = gametest::Captured([&] {
    GameProbe game;
    if (game.Start() != 0)
      return;
    game.ticks = gametest::Ticks::Never;
    game.passLimit = 1;
    PushMouseDown(1, 400, 257);
    game.MainLoop();
    // The accessors throw unless the list holds band, band, player, ball A, ball B.
    listRight = game.objects.size() == 5 && game.Band(0)->currentX == 0 &&
                game.Band(1)->currentX == 800 && game.BallA()->player == game.Player() &&
                game.BallB()->player == game.Player();
    if (!listRight)
      return;
    ZarvoBallBase* a = game.BallA();
    ZarvoBallBase* b = game.BallB();
    for (int update = 1; update <= 240; ++update) {
      const int scoreBefore = game.score;
      const double aSpeedY = a->speedY, bSpeedY = b->speedY;
      const bool wasOver = game.gameOver;
      game.needsRedraw = false;
      game.UpdateObjects(update * 15);
      if (game.score != scoreBefore) {
        const bool byA = aSpeedY > 0 && a->speedY < 0;
        const bool byB = bSpeedY > 0 && b->speedY < 0;
        ZarvoBallBase* ball = byA ? a : b;
        events.push_back({update, byA ? "point by A" : (byB ? "point by B" : "point by ?"),
                          ball->exactX, ball->exactY, ball->speedY});
      }
      if (game.gameOver && !wasOver)
        events.push_back({update, "miss by B", b->exactX, b->exactY, b->speedY});
      if (update == 5 && !(b->exactX == 774.0 && b->speedX == -5.5 && b->exactY == 82.5))
        problems.push_back("B after its right-wall bounce: " + std::to_string(b->exactX));
      if (update == 137 && a->currentX != 393)
        problems.push_back("A currentX on its bounce: " + std::to_string(a->currentX));
      if (update == 230 && !(b->currentX == 509 && b->currentY == 532 && a->currentX == 625 &&
                             a->currentY == 204 && a->exactY == 203.5))
        problems.push_back("positions at the game over");
      if (update == 230 && game.state != GameProbe::StateGameOver)
        problems.push_back("state after the miss");
      if (update > 230 && (game.needsRedraw || b->exactX != 509.0 || a->exactX != 625.0 ||
                           game.Band(0)->currentX != -460 || game.Band(1)->currentX != 340))
        problems.push_back("something moved after the game over, update " + std::to_string(update));
    }
    game.Deinitialise();
  });
  ASSERT_TRUE(listRight);
  EXPECT_EQ(events, kStillPaddleEvents);
  EXPECT_EQ(problems, std::vector<std::string>{});
  EXPECT_EQ(out, kStartedLines + "\nGame Over" + gametest::kFontFreed);
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "2\n");
}

// The whole road on the engine's real 15 ms tick: press, game over, then Escape.
TEST(GamePlay, StillPaddleGameThroughTheRealLoop) {
  testsupport::ScratchDirectory dir(true);
  int gameOverUpdate = 0, score = 0, framesAtGameOver = 0, framesAtEnd = 0, passesAfter = 0;
  int ballBX = 0, ballBY = 0;
  const std::string out = RunGame(
      [&](GameProbe& game) {
        game.ticks = gametest::Ticks::RealTime;
        game.passLimit = 100000;
        PushMouseDown(1, 400, 257);
        game.afterPass = [&](GameProbe& probe) {
          if (probe.gameOver && framesAtGameOver == 0) {
            framesAtGameOver = probe.frames;
            passesAfter = probe.passes;
          }
          // Some passes after the game over, so that a frame drawn later would be seen.
          if (probe.gameOver && probe.passes == passesAfter + 20)
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        };
      },
      [&](GameProbe& game) {
        gameOverUpdate = game.gameOverUpdate;
        score = game.score;
        framesAtEnd = game.frames;
        ballBX = game.BallB()->currentX;
        ballBY = game.BallB()->currentY;
      });
  EXPECT_EQ(out, kStartedLines + "\nGame Over\nGame Exit" + gametest::kFontFreed);
  EXPECT_EQ(gameOverUpdate, 230);
  EXPECT_EQ(score, 2);
  EXPECT_EQ(ballBX, 509);
  EXPECT_EQ(ballBY, 532);
  EXPECT_EQ(framesAtEnd, framesAtGameOver);
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "2\n");
}

namespace {

// Holds keys through the real loop and returns the paddle centre after each update.
std::vector<int> SteerPaddle(const std::vector<int>& firstKeys, int secondKey, int updates) {
  std::vector<int> centres;
  RunGame([&](GameProbe& game) {
    game.passLimit = updates;
    PushMouseDown(1, 400, 257);
    for (int key : firstKeys)
      PushKey(SDL_KEYDOWN, key);
    game.afterPass = [&](GameProbe& probe) {
      centres.push_back(probe.Player()->GetCentreX());
      if (probe.passes == 40 && secondKey != 0)
        PushKey(SDL_KEYDOWN, secondKey);
    };
  });
  return centres;
}

// The expected centres: from 400 by the step until the limit, then the second phase's values.
std::vector<int> Walk(int step, int limit, int count) {
  std::vector<int> centres;
  int centre = 400;
  for (int i = 0; i < count; ++i) {
    if ((step > 0 && centre + step <= limit) || (step < 0 && centre + step >= limit))
      centre += step;
    centres.push_back(centre);
  }
  return centres;
}

}  // namespace

TEST(GamePlay, HeldArrowKeysMoveThePaddleToItsLimits) {
  testsupport::ScratchDirectory dir(true);
  std::vector<int> right, left, both, rightThenBoth, leftThenBoth;
  gametest::Captured([&] {
    right = SteerPaddle({SDLK_RIGHT}, 0, 40);
    left = SteerPaddle({SDLK_LEFT}, 0, 40);
    both = SteerPaddle({SDLK_LEFT, SDLK_RIGHT}, 0, 20);
    rightThenBoth = SteerPaddle({SDLK_RIGHT}, SDLK_LEFT, 45);
    leftThenBoth = SteerPaddle({SDLK_LEFT}, SDLK_RIGHT, 45);
  });
  EXPECT_EQ(right, Walk(10, 720, 40));
  EXPECT_EQ(right.at(31), 720);
  EXPECT_EQ(left, Walk(-10, 80, 40));
  EXPECT_EQ(left.at(31), 80);
  EXPECT_EQ(both, std::vector<int>(20, 400));
  // At the right limit the left step is taken and the right step brings it back: it stays at 720.
  EXPECT_EQ(rightThenBoth, Walk(10, 720, 45));
  // At the left limit the left step is refused and the right one taken: 90, and there it stays.
  std::vector<int> expected = Walk(-10, 80, 40);
  expected.insert(expected.end(), 5, 90);
  EXPECT_EQ(leftThenBoth, expected);
}

TEST(GamePlay, ReleasedKeyStopsThePaddle) {
  testsupport::ScratchDirectory dir(true);
  std::vector<int> centres;
  gametest::Captured([&] {
    RunGame([&](GameProbe& game) {
      game.passLimit = 12;
      PushMouseDown(1, 400, 257);
      PushKey(SDL_KEYDOWN, SDLK_RIGHT);
      game.afterPass = [&](GameProbe& probe) {
        centres.push_back(probe.Player()->GetCentreX());
        if (probe.passes == 5)
          PushKey(SDL_KEYUP, SDLK_RIGHT);
      };
    });
  });
  EXPECT_EQ(centres, (std::vector<int>{410, 420, 430, 440, 450, 450, 450, 450, 450, 450, 450, 450}));
}

// The two bands move 2 pixels per update, jump at -800, and between them always cover x 0..799.
TEST(GamePlay, ScrollingBandsWrapWithoutASeam) {
  testsupport::ScratchDirectory dir(true);
  std::vector<std::pair<int, int>> positions;
  gametest::Captured([&] {
    GameProbe game;
    if (game.Start() != 0)
      return;
    game.ticks = gametest::Ticks::Never;
    game.passLimit = 1;
    PushMouseDown(1, 400, 257);
    game.MainLoop();
    for (int update = 1; update <= 1201; ++update) {
      game.Band(0)->Update(0);
      game.Band(1)->Update(0);
      positions.emplace_back(game.Band(0)->currentX, game.Band(1)->currentX);
    }
    game.Deinitialise();
  });
  ASSERT_EQ(positions.size(), 1201u);
  EXPECT_EQ(positions[0], std::make_pair(-2, 798));
  EXPECT_EQ(positions[399], std::make_pair(-800, 0));
  EXPECT_EQ(positions[400], std::make_pair(798, -2));
  EXPECT_EQ(positions[799], std::make_pair(0, -800));
  EXPECT_EQ(positions[800], std::make_pair(-2, 798));
  EXPECT_EQ(positions[1199], std::make_pair(-800, 0));
  int seams = 0, at800 = 0;
  for (const auto& [first, second] : positions) {
    // Each band covers [x, x + 799]; together they must cover the window's columns 0..799.
    const int low = std::min(first, second), high = std::max(first, second);
    const bool covered = low <= 0 && high <= low + 800 && high + 799 >= 799;
    seams += covered ? 0 : 1;
    at800 += (first == 800 || second == 800) ? 1 : 0;
  }
  EXPECT_EQ(seams, 0);
  EXPECT_EQ(at800, 0);
}

// One update of ball B from a placed state, beside a paddle centred on (400, 555): the strict edge
// tests, the touching paddle ends, and turns only of a speed that still points outwards.
TEST(GamePlay, BallUpdateTable) {
  struct Case {
    const char* what;
    double x, y, speedX, speedY;                   // before the update
    double afterX, afterY, afterSpeedX, afterSpeedY;
    int currentX, currentY, score;
    bool over;
  };
  const std::vector<Case> cases = {
      {"touches the paddle's left end", 294.5, 523.5, 5.5, 6.5, 300, 529, 5.5, -6.5, 300, 529, 1, false},
      {"passes the paddle's left end", 294, 523.5, 5.5, 6.5, 299.5, 530, 5.5, 6.5, 300, 530, 0, true},
      {"touches the paddle's right end", 494.5, 523.5, 5.5, 6.5, 500, 529, 5.5, -6.5, 500, 529, 1, false},
      {"passes the paddle's right end", 495, 523.5, 5.5, 6.5, 500.5, 530, 5.5, 6.5, 501, 530, 0, true},
      {"on the paddle line is not past it", 394.5, 522.5, 5.5, 6.5, 400, 529, 5.5, 6.5, 400, 529, 0, false},
      {"hit while already rising", 400, 540, 0, -6.5, 400, 529, 0, -6.5, 400, 529, 1, false},
      {"left edge exactly at 0", 30.5, 100, -5.5, 6.5, 25, 106.5, -5.5, 6.5, 25, 107, 0, false},
      {"left edge past 0", 30, 100, -5.5, 6.5, 25, 106.5, 5.5, 6.5, 25, 107, 0, false},
      {"past the left edge but moving away", 10, 100, 5.5, 6.5, 25, 106.5, 5.5, 6.5, 25, 107, 0, false},
      {"right edge exactly at 799", 768.5, 100, 5.5, 6.5, 774, 106.5, 5.5, 6.5, 774, 107, 0, false},
      {"right edge past 799", 772, 100, 5.5, 6.5, 774, 106.5, -5.5, 6.5, 774, 107, 0, false},
      {"top edge exactly at 0", 100, 31.5, 5.5, -6.5, 105.5, 25, 5.5, -6.5, 106, 25, 0, false},
      {"top edge past 0", 100, 31, 5.5, -6.5, 105.5, 25, 5.5, 6.5, 106, 25, 0, false},
      {"halves round up", 387, 100, 5.5, 6.5, 392.5, 106.5, 5.5, 6.5, 393, 107, 0, false},
  };
  testsupport::ScratchDirectory dir(true);
  struct Result {
    double x, y, speedX, speedY;
    int currentX, currentY, score;
    bool over, redraw;
  };
  std::vector<Result> results;
  gametest::Captured([&] {
    GameProbe game;
    if (game.Start() != 0)
      return;
    game.ticks = gametest::Ticks::Never;
    game.passLimit = 1;
    PushMouseDown(1, 400, 257);
    game.MainLoop();
    ZarvoBallBase* ball = game.BallB();
    for (const Case& test : cases) {
      game.gameOver = false;
      game.score = 0;
      game.state = GameProbe::StatePlaying;
      game.needsRedraw = false;
      ball->exactX = test.x;
      ball->exactY = test.y;
      ball->speedX = test.speedX;
      ball->speedY = test.speedY;
      ball->Update(0);
      results.push_back({ball->exactX, ball->exactY, ball->speedX, ball->speedY, ball->currentX,
                         ball->currentY, game.score, game.gameOver, game.needsRedraw});
    }
    game.Deinitialise();
  });
  ASSERT_EQ(results.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& test = cases[i];
    const Result& got = results[i];
    SCOPED_TRACE(test.what);
    EXPECT_EQ(got.x, test.afterX);
    EXPECT_EQ(got.y, test.afterY);
    EXPECT_EQ(got.speedX, test.afterSpeedX);
    EXPECT_EQ(got.speedY, test.afterSpeedY);
    EXPECT_EQ(got.currentX, test.currentX);
    EXPECT_EQ(got.currentY, test.currentY);
    EXPECT_EQ(got.score, test.score);
    EXPECT_EQ(got.over, test.over);
    EXPECT_TRUE(got.redraw);
  }
}

// One update of the paddle from a placed centre: a step that would bring an end to x 0 or x 800 is
// refused whole, one that stops short of them is taken, and the centre is truncated.
TEST(GamePlay, PaddleStepTable) {
  struct Case {
    const char* what;
    double x;
    int key;
    double afterX;
    int currentX;
  };
  const std::vector<Case> cases = {
      {"right end would reach 800", 715, SDLK_RIGHT, 715, 715},
      {"right end stops at 799.5", 714.5, SDLK_RIGHT, 724.5, 724},
      {"left end would reach 0", 85, SDLK_LEFT, 85, 85},
      {"left end stops at 0.5", 85.5, SDLK_LEFT, 75.5, 75},
      {"no key", 123.75, 0, 123.75, 123},
  };
  testsupport::ScratchDirectory dir(true);
  std::vector<std::pair<double, int>> results;
  int centreY = 0, width = 0;
  gametest::Captured([&] {
    GameProbe game;
    if (game.Start() != 0)
      return;
    game.ticks = gametest::Ticks::Never;
    game.passLimit = 1;
    PushMouseDown(1, 400, 257);
    game.MainLoop();
    ZarvoPlayer* player = game.Player();
    for (const Case& test : cases) {
      player->exactX = test.x;
      if (test.key != 0)
        game.keyStates[BaseEngine::KeyCodeToIndex(test.key)] = 1;
      player->Update(0);
      if (test.key != 0)
        game.keyStates[BaseEngine::KeyCodeToIndex(test.key)] = 0;
      results.emplace_back(player->exactX, player->currentX);
    }
    centreY = player->GetCentreY();
    width = player->GetWidth();
    game.Deinitialise();
  });
  ASSERT_EQ(results.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].what);
    EXPECT_EQ(results[i].first, cases[i].afterX);
    EXPECT_EQ(results[i].second, cases[i].currentX);
  }
  EXPECT_EQ(centreY, 555);
  EXPECT_EQ(width, 150);
}
