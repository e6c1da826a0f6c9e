// The ball's movement, bounces and drawing.
#include "Ball.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "BricksGame.h"
#include "engine/platform/RegularFile.h"

namespace {
constexpr int kLaunchSpeedX = 3;
constexpr int kSpeedY = 5;
constexpr int kMaxSpeedX = 6;
constexpr int kSteer = 8;  // pixels off the paddle's centre per unit of sideways speed
constexpr uint32_t kPlainColour = 0xD8F0FF;
}  // namespace

Ball::Ball(BricksGame* game) : DisplayableObject(game), game(game) {
  drawWidth = drawHeight = kBallSize;
}

void Ball::LoadPicture(const char* fileName) {
  const std::string path = quendal::FindDataFile(fileName);
  if (!picture.LoadImage(path.c_str()))
    std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
}

void Ball::Launch() {
  speedX = kLaunchSpeedX;
  speedY = -kSpeedY;
}

void Ball::Update(int) {
  game->needsRedraw = true;
  const Paddle& paddle = game->paddle;
  if (game->state == BricksGame::kServing) {
    currentX = paddle.Centre() - kBallSize / 2;
    currentY = Paddle::kTop - kBallSize;
    return;
  }
  if (game->state != BricksGame::kPlaying)
    return;
  Step(currentX, speedX);
  Step(currentY, speedY);
  if (currentX < 0 || currentX > BricksGame::kWidth - kBallSize) {
    currentX = std::clamp(currentX, 0, BricksGame::kWidth - kBallSize);
    speedX = -speedX;
  }
  if (currentY < BricksGame::kHeaderHeight) {
    currentY = BricksGame::kHeaderHeight;
    speedY = -speedY;
  }
  BounceOffPaddle();
  if (currentY >= BricksGame::kHeight)
    game->BallLost();
}

void Ball::Step(int& position, int& speed) {
  position += speed;
  int mapX, mapY;
  if (!game->wall.FindBrick(currentX, currentY, kBallSize, kBallSize, mapX, mapY))
    return;
  position -= speed;
  speed = -speed;
  game->BrickHit(mapX, mapY);
}

// A ball coming down across the paddle's top goes back up, steered by where it landed.
void Ball::BounceOffPaddle() {
  const Paddle& paddle = game->paddle;
  const int bottom = currentY + kBallSize, centre = currentX + kBallSize / 2;
  if (speedY <= 0 || bottom < Paddle::kTop || bottom - speedY > Paddle::kTop ||
      centre < paddle.currentX || centre >= paddle.currentX + Paddle::kWidth)
    return;
  currentY = Paddle::kTop - kBallSize;
  speedY = -speedY;
  speedX = std::clamp((centre - paddle.Centre()) / kSteer, -kMaxSpeedX, kMaxSpeedX);
  if (speedX == 0)
    speedX = centre < paddle.Centre() ? -1 : 1;
}

void Ball::Draw() {
  if (picture.IsLoaded())
    picture.RenderImageBlended(game->screenSurface, 0, 0, currentX, currentY, kBallSize, kBallSize);
  else
    game->DrawOval(currentX, currentY, currentX + kBallSize - 1, currentY + kBallSize - 1,
                   kPlainColour);
  StoreLastPosition();
}
