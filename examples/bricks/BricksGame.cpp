// The brick breaker's states, input, screens and score.
#include "BricksGame.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "DemoPilot.h"

namespace {
const char* const kBallPicture = "assets/orb.png";
const char* const kBestFile = "bricksBest.txt";
constexpr uint32_t kHeader = 0x28304A;
constexpr uint32_t kHeaderLine = 0x5A6488;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kHint = 0xF0D080;
}  // namespace

BricksGame::BricksGame(DemoPilot* pilot) : pilot(pilot), best(kBestFile) { KeepFile(kBestFile); }

void BricksGame::Say(const char* format, int value) {
  std::printf(format, value);
  std::fflush(stdout);
}

int BricksGame::InitialiseGame() {
  if (pilot == nullptr)
    best.Load(bestScore);
  ball.LoadPicture(kBallPicture);
  SetupBackgroundBuffer();
  InitialiseObjects();
  Say("Bricks: %d lives, Space or a click launches the ball\n", lives);
  return 0;
}

int BricksGame::InitialiseObjects() {
  ResetObjectList();
  AddObject(&paddle);
  AddObject(&ball);
  return 0;
}

void BricksGame::SetupBackgroundBuffer() {
  FillBackground(kBackground);
  DrawRectangle(0, 0, kWidth - 1, kHeaderHeight - 1, kHeader, backgroundSurface);
  DrawRectangle(0, kHeaderHeight - 2, kWidth - 1, kHeaderHeight - 1, kHeaderLine,
                backgroundSurface);
  wall.Paint(this, backgroundSurface);
  needsFullRedraw = needsRedraw = true;
}

void BricksGame::KeyDown(int keyCode) {
  if (keyCode == SDLK_ESCAPE) {
    Say("Bricks: quit with score %d\n", score);
    exitCode = 0;
  } else if (keyCode == SDLK_SPACE) {
    Go();
  }
}

void BricksGame::MouseMoved(int x, int) { paddle.CentreOn(x); }

void BricksGame::MouseDown(int, int, int) { Go(); }

void BricksGame::Go() {
  if (state == kServing) {
    state = kPlaying;
    ball.Launch();
    return;
  }
  if (state == kPlaying)
    return;
  wall.Build();
  SetupBackgroundBuffer();
  score = 0;
  lives = kLives;
  state = kServing;
  Say("Bricks: new game, %d lives\n", lives);
}

void BricksGame::BrickHit(int mapX, int mapY) {
  score += kPointsPerHit;
  if (wall.Hit(this, backgroundSurface, mapX, mapY) == 0) {
    state = kWon;
    Say("Bricks: wall cleared with score %d\n", score);
  }
}

void BricksGame::BallLost() {
  if (--lives > 0) {
    state = kServing;
    Say("Bricks: ball lost, %d left\n", lives);
  } else {
    state = kLost;
    Say("Bricks: game over with score %d\n", score);
    KeepBest();
  }
}

void BricksGame::KeepBest() {
  if (pilot != nullptr || score <= bestScore)
    return;
  best.Save(score);
  bestScore = score;
}

void BricksGame::CleanUp() { KeepBest(); }

void BricksGame::UpdateObjects(int time) {
  BaseEngine::UpdateObjects(time);
  ++updates;
  if (pilot != nullptr)
    pilot->Steer(*this);
}

void BricksGame::DrawOverlay() {
  char line[32];
  std::snprintf(line, sizeof line, "Score %d", score);
  DrawString(12, 6, line, kText);
  std::snprintf(line, sizeof line, "Best %d", std::max(score, bestScore));
  DrawString(180, 6, line, kText);
  DrawString(356, 6, "BRICKS", kText);
  std::snprintf(line, sizeof line, "Lives %d", lives);
  DrawString(680, 6, line, kText);
  if (state == kServing)
    DrawString(256, 400, "Space or click to launch", kHint);
  else if (state == kWon)
    DrawString(190, 400, "Wall cleared! Space or click: again", kHint);
  else if (state == kLost)
    DrawString(208, 400, "Game over. Space or click: again", kHint);
  needsFullRedraw = true;
}

void BricksGame::Render() {
  BaseEngine::Render();
  if (pilot != nullptr)
    pilot->AfterFrame(*this);
}
