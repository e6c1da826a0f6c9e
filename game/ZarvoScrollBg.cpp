// The scrolling band's loading, wrapping and drawing.
#include "game/ZarvoScrollBg.h"

#include <cstdio>

#include "game/ZarvoMain.h"

ZarvoScrollBg::ZarvoScrollBg(ZarvoMain* game, int startX, const ImageData* loaded)
    : DisplayableObject(game), game(game) {
  currentX = previousX = startX;
  currentY = previousY = 50;
  drawWidth = game->screenWidth;
  drawHeight = game->screenHeight;
  if (loaded != nullptr && loaded->IsLoaded())
    image.CopyFrom(*loaded);
  else if (!ZarvoMain::LoadPicture(image, "assets/fire_bg_full.jpg")) {
    std::printf("\nBackground image not loaded!!!!");
    std::fflush(stdout);
  }
}

void ZarvoScrollBg::Update(int) {
  if (game->gameOver)
    return;
  if (currentX == -game->screenWidth)
    currentX = game->screenWidth;
  currentX -= 2;
  game->needsRedraw = true;
}

void ZarvoScrollBg::Draw() {
  image.RenderImage(game->screenSurface, 0, 0, currentX, currentY, drawWidth, drawHeight - 50);
  StoreLastPosition();
}
