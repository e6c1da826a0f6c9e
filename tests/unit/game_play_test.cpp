// The actors' rules one update at a time (balls, paddle, bands) and the title patch over an object.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "engine/pictures/ImageData.h"
#include "unit/game_probe.h"

using gametest::GameProbe;
using GamePlay = gametest::PlayingGame;

// One update of ball B from a placed state beside the paddle (tests/tables/ball.tsv).
TEST_F(GamePlay, BallUpdateTable) {
  ZarvoBallBase* ball = game.BallB();
  for (const auto& row : testsupport::Table("ball.tsv", 5)) {
    SCOPED_TRACE(row[0]);
    game.gameOver = false;
    game.score = 0;
    game.state = GameProbe::StatePlaying;
    game.needsRedraw = false;
    std::istringstream(row[1]) >> ball->exactX >> ball->exactY >> ball->speedX >> ball->speedY;
    gametest::Captured([&] { ball->Update(0); });
    char after[160];
    std::snprintf(after, sizeof after, "%g %g %g %g %d %d", ball->exactX, ball->exactY,
                  ball->speedX, ball->speedY, ball->currentX, ball->currentY);
    EXPECT_EQ(std::string(after), row[2]);
    EXPECT_EQ(std::to_string(game.score) + (game.gameOver ? " over" : " on"),
              row[3] + " " + row[4]);
    EXPECT_TRUE(game.needsRedraw);
  }
}

// One update of the paddle from a placed centre with keys held (tests/tables/paddle.tsv).
TEST_F(GamePlay, PaddleStepTable) {
  ZarvoPlayer* player = game.Player();
  for (const auto& row : testsupport::Table("paddle.tsv", 5)) {
    SCOPED_TRACE(row[0]);
    player->exactX = std::stod(row[1]);
    std::istringstream names(row[2]);
    std::vector<int> held;
    for (std::string name; names >> name;)
      held.push_back(BaseEngine::KeyCodeToIndex(SDL_GetKeyFromName(name.c_str())));
    for (int key : held)
      game.keyStates[key] = 1;
    player->Update(0);
    for (int key : held)
      game.keyStates[key] = 0;
    EXPECT_EQ(player->exactX, std::stod(row[3]));
    EXPECT_EQ(player->currentX, std::stoi(row[4]));
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
