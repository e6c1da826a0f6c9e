// The paddle's steering and drawing.
#include "game/ZarvoPlayer.h"

#include <SDL.h>

#include "game/ZarvoMain.h"

ZarvoPlayer::ZarvoPlayer(ZarvoMain* game) : DisplayableObject(game), game(game) {
  currentX = previousX = 400;
  currentY = previousY = 555;
  drawOffsetX = -kHalfWidth;
  drawOffsetY = -kHalfHeight;
  drawWidth = 2 * kHalfWidth;
  drawHeight = 2 * kHalfHeight;
}

void ZarvoPlayer::Update(int) {
  if (game->gameOver)
    return;
  bool left = game->IsKeyPressed(SDLK_LEFT);
  bool right = game->IsKeyPressed(SDLK_RIGHT);
  // Any gamepad steers too, by its d-pad or its left stick out of the dead zone.
  for (int pad = 0; pad < quendal::Gamepads::kMaxPads; ++pad) {
    const int stick = game->GamepadStick(pad, SDL_CONTROLLER_AXIS_LEFTX);
    left = left || stick < 0 || game->IsGamepadButtonHeld(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    right = right || stick > 0 || game->IsGamepadButtonHeld(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  }
  if (left && exactX - kStep - kHalfWidth > 0.0)
    exactX -= kStep;
  if (right && game->screenWidth > exactX + kStep + kHalfWidth)
    exactX += kStep;
  currentX = static_cast<int>(exactX);
  currentY = static_cast<int>(exactY);
  game->needsRedraw = true;
}

void ZarvoPlayer::Draw() {
  game->DrawRectangle(currentX - drawWidth / 2 + 1, currentY - drawHeight / 2 + 1,
                      currentX + drawWidth / 2 - 1, currentY + drawHeight / 2 - 1, 0x996600);
  StoreLastPosition();
}
