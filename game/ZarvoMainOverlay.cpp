// The heads-up display: score, best score and title over the header bar during play, and the
// labels over a paused game and the demo.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "game/StartButtons.h"
#include "game/ZarvoMain.h"

namespace {

constexpr StartButton kDemoLabel{341, 60, 474, 93, "DEMO"};
constexpr StartButton kPausedLabel{311, 283, 488, 316, "PAUSED"};
// Where the best score and the title start in the header.
constexpr int kBestScoreX = 294;
constexpr int kTitleX = 590;
// The gap kept between a score line and what follows it.
constexpr int kGap = 8;

}  // namespace

void ZarvoMain::DrawOverlay() {
  if (demo)
    DrawPanel(kDemoLabel, screenSurface);
  if (state != StatePlaying)
    return;
  DrawClipped(75, kBestScoreX, "Score : ", score);
  needsRedraw = true;
  needsFullRedraw = true;
  // A negative record, which the game replaces with its first score, shows as none.
  DrawClipped(kBestScoreX, kTitleX, "High Score : ", highScore > 0 ? highScore : 0);
  needsRedraw = true;
  needsFullRedraw = true;
  CopyBackgroundPixels(kTitleX, 10, 10, 30);
  DrawString(kTitleX, 10, "QUENDAL", 0xFFFFFF, nullptr, backgroundSurface);
  needsRedraw = true;
  needsFullRedraw = true;
  // A paused game asks for no more frames: the one drawn stays until play goes on.
  if (paused) {
    DrawPanel(kPausedLabel, screenSurface);
    needsRedraw = false;
    needsFullRedraw = false;
  }
}

void ZarvoMain::DrawClipped(int left, int right, const char* label, int value) {
  // Any score fits its place: without its label when the whole line would not, and cut before the
  // next line starts as the last resort.
  char line[48];
  std::snprintf(line, sizeof line, "%s%d", label, value);
  const char* text = line;
  if (MeasureString(line).width > right - kGap - left)
    text = line + std::strlen(label);
  const SDL_Rect place{left, 0, right - kGap - left, screenHeight};
  SDL_SetClipRect(screenSurface, &place);
  DrawString(left, 10, text, 0xFFFFFF);
  SDL_SetClipRect(screenSurface, nullptr);
}
