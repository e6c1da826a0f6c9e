// The game's states, input handling, screens, actors and best-score file.
#include "game/ZarvoMain.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <string>

#include "engine/ImageData.h"
#include "engine/platform/RegularFile.h"
#include "game/StartButtons.h"
#include "game/ZarvoBallA.h"
#include "game/ZarvoBallB.h"
#include "game/ZarvoPlayer.h"
#include "game/ZarvoScrollBg.h"

namespace {

constexpr const char* kStartPicture = "assets/bg.jpg";
constexpr uint32_t kButtonRim = 0xF6CE70;
constexpr uint32_t kButtonFace = 0x8C2410;
constexpr uint32_t kButtonWord = 0xFFF2CE;

}  // namespace

void ZarvoMain::Say(const char* text) const {
  if (demo)
    return;
  std::fputs(text, stdout);
  std::fflush(stdout);
}

ZarvoMain::ZarvoMain() { KeepFile(record.Path()); }

ZarvoMain::~ZarvoMain() { ResetObjectList(); }

int ZarvoMain::InitialiseGame() {
  highScore = 0;
  score = 0;
  state = StateStart;
  SetupBackgroundBuffer();
  SetState(StateStart);
  return 0;
}

bool ZarvoMain::LoadPicture(ImageData& picture, const char* fileName) {
  const std::string path = quendal::FindDataFile(fileName);
  if (picture.LoadImage(path.c_str()))
    return true;
  std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
  return false;
}

void ZarvoMain::SetupBackgroundBuffer() {
  FillBackground(0);
  if (state != StateStart)
    return;
  ImageData picture;
  LoadPicture(picture, kStartPicture);
  picture.RenderImage(backgroundSurface, 0, 0, 0, 0, screenWidth, screenHeight);
  if (picture.width < screenWidth || picture.height < screenHeight)
    for (const StartButton& button : {kPlayButton, kExitButton})
      DrawPanel(button, backgroundSurface);
}

void ZarvoMain::DrawPanel(const StartButton& panel, SDL_Surface* surface) {
  DrawRectangle(panel.left, panel.top, panel.right, panel.bottom, kButtonRim, surface);
  DrawRectangle(panel.left + 2, panel.top + 2, panel.right - 2, panel.bottom - 2, kButtonFace,
                surface);
  int width = 0, height = 0;
  if (defaultFont == nullptr || defaultFont->handle == nullptr ||
      TTF_SizeText(defaultFont->handle, panel.word, &width, &height) != 0)
    return;
  DrawString((panel.left + panel.right + 1 - width) / 2,
             (panel.top + panel.bottom + 1 - height) / 2, panel.word, kButtonWord, nullptr,
             surface);
}

void ZarvoMain::SetState(int newState) {
  if (newState == StateExit) {
    EnterExit();
    return;
  }
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
    case StateGameOver:
      SaveHighScore();
      Say("\nGame Over");
      break;
    default: break;
  }
}

void ZarvoMain::EnterExit() {
  if (demo) {
    StopDemo();
    return;
  }
  if (state == StateExit)
    return;
  state = StateExit;
  SaveHighScore();
  Say("\nGame Exit");
  exitCode = 0;
}

void ZarvoMain::ReadHighScore() {
  if (demo)
    return;
  record.Load(highScore);
  std::printf("\nHighest Score Read -> %d", highScore);
  std::fflush(stdout);
}

void ZarvoMain::SaveHighScore() {
  if (score > highScore && !demo)
    record.Save(score);
}

void ZarvoMain::KeyDown(int keyCode) {
  idleSince = updateCount;
  if (demo) {
    StopDemo();
    keyStates[KeyCodeToIndex(keyCode)] = 1;
  }
  HandleKey(keyCode);
}

void ZarvoMain::HandleKey(int keyCode) {
  if (keyCode == SDLK_ESCAPE)
    EnterExit();
  else if (keyCode == SDLK_p)
    TogglePause();
}

void ZarvoMain::TogglePause() {
  if (state != StatePlaying)
    return;
  paused = !paused;
  needsRedraw = true;
  needsFullRedraw = true;
}

void ZarvoMain::WindowLeft() {
  if (!paused && !demo)
    TogglePause();
}

void ZarvoMain::MouseMoved(int, int) { idleSince = updateCount; }

void ZarvoMain::MouseDown(int, int x, int y) {
  idleSince = updateCount;
  if (demo)
    StopDemo();
  else
    HandlePress(x, y);
}

void ZarvoMain::HandlePress(int x, int y) {
  if (state != StateStart)
    return;
  if (kPlayButton.Contains(x, y))
    SetState(StatePlaying);
  else if (kExitButton.Contains(x, y))
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
  auto band = std::make_unique<ZarvoScrollBg>(this, 0);
  actors[1] = std::make_unique<ZarvoScrollBg>(this, screenWidth, &band->image);  // decoded once
  actors[0] = std::move(band);
  actors[2] = std::move(player);
  actors[3] = std::make_unique<ZarvoBallA>(this, paddle);
  actors[4] = std::make_unique<ZarvoBallB>(this, paddle);
  for (auto& actor : actors)
    AddObject(actor.get());
  return 5;
}
