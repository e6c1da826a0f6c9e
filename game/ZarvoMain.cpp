// The game's states, input handling, screens, actors and best-score file.
#include "game/ZarvoMain.h"

#include <SDL.h>

#include <cstdio>

#include "engine/ImageData.h"
#include "game/HighScoreFile.h"
#include "game/ZarvoBallA.h"
#include "game/ZarvoBallB.h"
#include "game/ZarvoPlayer.h"
#include "game/ZarvoScrollBg.h"

namespace {

constexpr const char* kHighScoreFile = "highScore.txt";
constexpr const char* kStartPicture = "assets/bg.jpg";

void Say(const char* text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

}  // namespace

ZarvoMain::ZarvoMain() = default;

ZarvoMain::~ZarvoMain() {
  ResetObjectList();
}

int ZarvoMain::InitialiseGame() {
  highScore = 0;
  score = 0;
  state = StateStart;
  SetupBackgroundBuffer();
  SetState(StateStart);
  return 0;
}

void ZarvoMain::SetupBackgroundBuffer() {
  FillBackground(0);
  if (state != StateStart)
    return;
  ImageData picture;
  picture.LoadImage(kStartPicture);
  picture.RenderImage(backgroundSurface, 0, 0, 0, 0, screenWidth, screenHeight);
}

void ZarvoMain::SetState(int newState) {
  state = newState;
  switch (newState) {
    case StatePlaying:
      Say("\nGame Started");
      SetupBackgroundBuffer();
      needsRedraw = true;
      needsFullRedraw = true;
      SetupHeaderBar();
      DrawOverlay();
      InitialiseObjects();
      break;
    case StateStart:
      Say("\nGame Opened");
      ReadHighScore();
      break;
    case StateExit:
      EnterExit();
      break;
    case StateGameOver:
      Say("\nGame Over");
      SaveHighScore();
      break;
    default:
      break;
  }
}

void ZarvoMain::EnterExit() {
  state = StateExit;
  Say("\nGame Exit");
  SaveHighScore();
  exitCode = 0;
}

void ZarvoMain::ReadHighScore() {
  HighScoreFile::RemoveStaleTemporary(kHighScoreFile);
  HighScoreFile::Read(kHighScoreFile, highScore);
  std::printf("\nHighest Score Read -> %d", highScore);
  std::fflush(stdout);
}

void ZarvoMain::SaveHighScore() {
  if (score > highScore)
    HighScoreFile::Write(kHighScoreFile, score);
}

void ZarvoMain::KeyDown(int keyCode) {
  if (keyCode == SDLK_ESCAPE)
    EnterExit();
}

void ZarvoMain::MouseDown(int, int x, int y) {
  if (state != StateStart || x <= 340 || x >= 475)
    return;
  if (y >= 241 && y <= 274)
    SetState(StatePlaying);
  else if (y >= 296 && y <= 329)
    EnterExit();
}

void ZarvoMain::IncrementScore() {
  ++score;
  DrawOverlay();
}

void ZarvoMain::SetupHeaderBar() {
  delete[] tileManager.tiles;
  tileManager.tiles = new int[3]{5, 3, 5};
  tileManager.mapWidth = 3;
  tileManager.mapHeight = 1;
  tileManager.baseScreenX = 0;
  tileManager.baseScreenY = 0;
  tileManager.DrawAllTiles(this, backgroundSurface, 0, 0, 2, 0, tileManager.baseScreenX,
                           tileManager.baseScreenY);
}

int ZarvoMain::InitialiseObjects() {
  objectsChanged = 1;
  ClearObjects();
  ResetObjectList();
  auto player = std::make_unique<ZarvoPlayer>(this);
  ZarvoPlayer* paddle = player.get();
  actors[0] = std::make_unique<ZarvoScrollBg>(this, 0);
  actors[1] = std::make_unique<ZarvoScrollBg>(this, screenWidth);
  actors[2] = std::move(player);
  actors[3] = std::make_unique<ZarvoBallA>(this, paddle);
  actors[4] = std::make_unique<ZarvoBallB>(this, paddle);
  for (auto& actor : actors)
    AddObject(actor.get());
  return 5;
}
