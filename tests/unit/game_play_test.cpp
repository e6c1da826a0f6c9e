// The actors' rules one update at a time (balls, paddle, bands) and the title patch over an object.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/ImageData.h"
#include "unit/game_probe.h"

using gametest::GameProbe;
using GamePlay = gametest::PlayingGame;

// One update of ball B from a placed state, beside the paddle centred on (400, 555): the strict edge
// tests, the touching paddle ends, and turns only of a speed that still points outwards.
TEST_F(GamePlay, BallUpdateTable) {
  struct Case {
    const char* what;
    double x, y, speedX, speedY;  // before the update
    double afterX, afterY, afterSpeedX, afterSpeedY;
    int currentX, currentY, score;
    bool over;
  };
  // clang-format off
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
      {"right edge at 799.5", 769, 100, 5.5, 6.5, 774, 106.5, -5.5, 6.5, 774, 107, 0, false},
      {"right edge past 799", 772, 100, 5.5, 6.5, 774, 106.5, -5.5, 6.5, 774, 107, 0, false},
      {"top edge exactly at 0", 100, 31.5, 5.5, -6.5, 105.5, 25, 5.5, -6.5, 106, 25, 0, false},
      {"top edge past 0", 100, 31, 5.5, -6.5, 105.5, 25, 5.5, 6.5, 106, 25, 0, false},
      {"halves round up", 387, 100, 5.5, 6.5, 392.5, 106.5, 5.5, 6.5, 393, 107, 0, false},
      // clang-format on
  };
  ZarvoBallBase* ball = game.BallB();
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    game.gameOver = false;
    game.score = 0;
    game.state = GameProbe::StatePlaying;
    game.needsRedraw = false;
    ball->exactX = test.x;
    ball->exactY = test.y;
    ball->speedX = test.speedX;
    ball->speedY = test.speedY;
    gametest::Captured([&] { ball->Update(0); });
    EXPECT_EQ(std::make_tuple(ball->exactX, ball->exactY, ball->speedX, ball->speedY),
              std::make_tuple(test.afterX, test.afterY, test.afterSpeedX, test.afterSpeedY));
    EXPECT_EQ(std::make_tuple(ball->currentX, ball->currentY, game.score, game.gameOver,
                              game.needsRedraw),
              std::make_tuple(test.currentX, test.currentY, test.score, test.over, true));
  }
}

// One update of the paddle from a placed centre: a step that would bring an end to x 0 or x 800 is
// refused whole, one that stops short of them is taken, the centre is truncated, and with both keys
// held the left step is tried first.
TEST_F(GamePlay, PaddleStepTable) {
  struct Case {
    const char* what;
    double x;
    std::vector<int> keys;
    double afterX;
    int currentX;
  };
  const std::vector<Case> cases = {
      {"right end would reach 800", 715, {SDLK_RIGHT}, 715, 715},
      {"right end stops at 799.5", 714.5, {SDLK_RIGHT}, 724.5, 724},
      {"left end would reach 0", 85, {SDLK_LEFT}, 85, 85},
      {"left end stops at 0.5", 85.5, {SDLK_LEFT}, 75.5, 75},
      {"both keys at the right limit", 720, {SDLK_LEFT, SDLK_RIGHT}, 720, 720},
      {"both keys at the left limit", 80, {SDLK_LEFT, SDLK_RIGHT}, 90, 90},
      {"no key", 123.75, {}, 123.75, 123},
  };
  ZarvoPlayer* player = game.Player();
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    player->exactX = test.x;
    for (int key : test.keys)
      game.keyStates[BaseEngine::KeyCodeToIndex(key)] = 1;
    player->Update(0);
    for (int key : test.keys)
      game.keyStates[BaseEngine::KeyCodeToIndex(key)] = 0;
    EXPECT_EQ(player->exactX, test.afterX);
    EXPECT_EQ(player->currentX, test.currentX);
  }
}

// The two bands move 2 pixels per update and between them always cover x 0..799, neither standing
// at 800 (so each jumps exactly at -800); once wrapped, column x shows the picture's column
// (x + 2) mod 800.
TEST_F(GamePlay, ScrollingBandsWrapWithoutASeam) {
  ImageData band;
  ASSERT_TRUE(band.LoadImage("assets/fire_bg_full.jpg"));
  ASSERT_GE(band.width, 800);
  std::vector<std::pair<int, int>> positions;
  for (int update = 1; update <= 1201; ++update) {
    game.Band(0)->Update(0);
    game.Band(1)->Update(0);
    positions.emplace_back(game.Band(0)->currentX, game.Band(1)->currentX);
    if (update != 401)
      continue;
    game.Render();
    const gametest::Frame frame = game.Snapshot();
    int differing = 0;
    for (int y = 75; y < 540; ++y)  // below the balls' start places, above the paddle
      for (int x = 0; x < 800; ++x)
        differing +=
            frame.At(x, y) != band.pixels[static_cast<size_t>(y - 50) * band.width + (x + 2) % 800];
    EXPECT_EQ(differing, 0);
  }
  int seams = 0;
  for (const auto& [first, second] : positions) {
    // Each band covers [x, x + 799]; together they must cover the window's columns 0..799.
    const int low = std::min(first, second), high = std::max(first, second);
    seams += low <= 0 && high <= low + 800 && high + 799 >= 799 && high < 800 ? 0 : 1;
  }
  EXPECT_EQ(seams, 0);
}

// The first pixels of the title are put back over whatever an object drew there in the frame.
TEST_F(GamePlay, TitlePatchCoversAnObject) {
  game.BallA()->currentX = 595;
  game.BallA()->currentY = 30;
  game.needsRedraw = true;
  game.Render();
  const gametest::Frame frame = game.Snapshot();
  std::vector<uint32_t> shown, patch;
  for (int y = 10; y < 40; ++y)
    for (int x = 590; x < 600; ++x) {
      shown.push_back(frame.At(x, y));
      patch.push_back(static_cast<uint32_t*>(game.backgroundSurface->pixels)[y * 800 + x]);
    }
  EXPECT_EQ(shown, patch);
  for (auto [x, y] : {std::pair{589, 30}, {600, 30}, {595, 40}, {595, 9}})
    EXPECT_EQ(frame.At(x, y) & 0xFFFFFF, 0xFF3366u) << "ball A at (" << x << ", " << y << ")";
}
