// The heads-up display: score, best score and title over the header bar during play.
#include <cstdio>

#include "game/ZarvoMain.h"

void ZarvoMain::DrawOverlay() {
  if (state != StatePlaying)
    return;
  char line[32];
  std::snprintf(line, sizeof line, "Score : %d", score);
  DrawString(75, 10, line, 0xFFFFFF);
  needsRedraw = true;
  needsFullRedraw = true;
  std::snprintf(line, sizeof line, "High Score : %d", highScore);
  DrawString(294, 10, line, 0xFFFFFF);
  needsRedraw = true;
  needsFullRedraw = true;
  CopyBackgroundPixels(590, 10, 10, 30);
  DrawString(590, 10, "QUENDAL", 0xFFFFFF, nullptr, backgroundSurface);
  needsRedraw = true;
  needsFullRedraw = true;
}
