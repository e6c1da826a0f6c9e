// The paddle's steering and drawing.
#include "game/ZarvoPlayer.h"

#include <SDL.h>

#include "game/ZarvoMain.h"

ZarvoPlayer::ZarvoPlayer(ZarvoMain* game) : DisplayableObject(game), game(game) {
  currentX = previousX = 400;
  currentY = previousY = 555;
  drawOffsetX = -75;
  drawOffsetY = -15;
  drawWidth = 150;
  drawHeight = 30;
}

void ZarvoPlayer::Update(int) {
  if (game->gameOver)
    return;
  if (game->IsKeyPressed(SDLK_LEFT) && exactX - 10.0 - 75.0 > 0.0)
    exactX -= 10.0;
  if (game->IsKeyPressed(SDLK_RIGHT) && 800.0 > exactX + 10.0 + 75.0)
    exactX += 10.0;
  currentX = static_cast<int>(exactX);
  currentY = static_cast<int>(exactY);
  game->needsRedraw = true;
}

void ZarvoPlayer::Draw() {
  game->DrawRectangle(currentX - drawWidth / 2 + 1, currentY - drawHeight / 2 + 1,
                      currentX + drawWidth / 2 - 1, currentY + drawHeight / 2 - 1, 0x996600);
  StoreLastPosition();
}
