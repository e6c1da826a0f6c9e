// The balls' motion, bounces, scoring and miss.
#include "game/ZarvoBallBase.h"

#include "game/ZarvoMain.h"
#include "game/ZarvoPlayer.h"

ZarvoBallBase::ZarvoBallBase(ZarvoMain* game, ZarvoPlayer* player)
    : DisplayableObject(game), game(game), player(player) {
  drawOffsetX = drawOffsetY = -kRadius;
  drawWidth = drawHeight = 2 * kRadius;
}

void ZarvoBallBase::Start(double x, double y, double stepX, double stepY, uint32_t fill) {
  exactX = x;
  exactY = y;
  currentX = previousX = static_cast<int>(x);
  currentY = previousY = static_cast<int>(y);
  speedX = stepX;
  speedY = stepY;
  colour = fill;
}

void ZarvoBallBase::Update(int) {
  if (game->gameOver)
    return;
  exactX += speedX;
  exactY += speedY;
  if (exactX + drawOffsetX < 0) {
    exactX = -drawOffsetX;
    if (speedX < 0) {
      speedX = -speedX;
      game->PlayCue(ZarvoMain::CueWall);
    }
  }
  if (exactX + drawOffsetX + drawWidth > game->screenWidth - 1) {
    exactX = game->screenWidth - drawWidth - drawOffsetX - 1;
    if (speedX > 0) {
      speedX = -speedX;
      game->PlayCue(ZarvoMain::CueWall);
    }
  }
  if (exactY + drawOffsetY < 0) {
    exactY = -drawOffsetY;
    if (speedY < 0) {
      speedY = -speedY;
      game->PlayCue(ZarvoMain::CueWall);
    }
  }
  const int paddleY = player->GetCentreY();
  if (exactY + drawOffsetY + drawHeight > paddleY - 1) {
    const int paddleX = player->GetCentreX();
    const int half = player->GetWidth() / 2;
    const bool missLeft = exactX + kRadius < paddleX - half;
    const bool missRight = paddleX + half < exactX - kRadius;
    if (missLeft || missRight) {
      game->gameOver = true;
      game->SetState(ZarvoMain::StateGameOver);
    } else {
      exactY = paddleY - drawHeight - drawOffsetY - 1;
      if (speedY > 0)
        speedY = -speedY;
      game->PlayCue(ZarvoMain::CuePaddle);
      game->IncrementScore();
    }
  }
  currentX = static_cast<int>(exactX + 0.5);
  currentY = static_cast<int>(exactY + 0.5);
  game->needsRedraw = true;
}

void ZarvoBallBase::Draw() {
  game->DrawOval(currentX - drawWidth / 2 + 1, currentY - drawHeight / 2 + 1,
                 currentX + drawWidth / 2 - 1, currentY + drawHeight / 2 - 1, colour,
                 game->screenSurface);
  StoreLastPosition();
}
