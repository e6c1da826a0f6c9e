// The paddle's steering and drawing.
#include "Paddle.h"

#include <SDL.h>

#include <algorithm>

#include "BricksGame.h"

namespace {
constexpr int kStep = 8;
constexpr uint32_t kColour = 0xE8A040;
constexpr uint32_t kEdge = 0xFFE0A0;
}  // namespace

Paddle::Paddle(BricksGame* game) : DisplayableObject(game), game(game) {
  drawWidth = kWidth;
  drawHeight = kHeight;
  currentY = kTop;
  CentreOn(BricksGame::kWidth / 2);
}

void Paddle::CentreOn(int x) {
  currentX = std::clamp(x - kWidth / 2, 0, BricksGame::kWidth - kWidth);
}

void Paddle::Update(int) {
  if (game->IsKeyPressed(SDLK_LEFT))
    CentreOn(Centre() - kStep);
  if (game->IsKeyPressed(SDLK_RIGHT))
    CentreOn(Centre() + kStep);
  game->needsRedraw = true;
}

void Paddle::Draw() {
  const int right = currentX + kWidth - 1, bottom = currentY + kHeight - 1;
  game->DrawOval(currentX, currentY, currentX + kHeight - 1, bottom, kColour);
  game->DrawOval(right - kHeight + 1, currentY, right, bottom, kColour);
  game->DrawRectangle(currentX + kHeight / 2, currentY, right - kHeight / 2, bottom, kColour);
  game->DrawRectangle(currentX + kHeight / 2, currentY + 2, right - kHeight / 2, currentY + 3,
                      kEdge);
  StoreLastPosition();
}
