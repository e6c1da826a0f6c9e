// The heads-up display: score, best score and title over the header bar during play, and the
// labels over a paused game and the demo.
#include <cstdio>

#include "game/StartButtons.h"
#include "game/ZarvoMain.h"

namespace {

constexpr StartButton kDemoLabel{341, 60, 474, 93, "DEMO"};
constexpr StartButton kPausedLabel{311, 283, 488, 316, "PAUSED"};

}  // namespace

void ZarvoMain::DrawOverlay() {
  if (demo)
    DrawPanel(kDemoLabel, screenSurface);
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
  // A paused game asks for no more frames: the one drawn stays until play goes on.
  if (paused) {
    DrawPanel(kPausedLabel, screenSurface);
    needsRedraw = false;
    needsFullRedraw = false;
  }
}
