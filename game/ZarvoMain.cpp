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
// The sound of each cue, in the order of ZarvoMain::Cue.
constexpr const char* kCueFiles[ZarvoMain::CueCount] = {"assets/paddle.wav", "assets/wall.wav",
                                                        "assets/point.wav", "assets/loss.wav",
                                                        "assets/button.wav"};
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
  for (int cue = 0; cue < CueCount; ++cue)
    LoadSound(cues[cue], kCueFiles[cue]);
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
      PlayCue(CueLoss);
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
  const bool stoppedDemo = demo;
  if (demo) {
    StopDemo();
    keyStates[KeyCodeToIndex(keyCode)] = 1;
  }
  // The key that ends the demo does only that, but for Escape, which still quits.
  if (!stoppedDemo || keyCode == SDLK_ESCAPE)
    HandleKey(keyCode);
}

void ZarvoMain::HandleKey(int keyCode) {
  if (keyCode == SDLK_ESCAPE)
    EnterExit();
  else if (keyCode == SDLK_p)
    TogglePause();
  else if (keyCode == SDLK_m)
    SetMuted(!IsMuted());
  else if ((keyCode == SDLK_RETURN || keyCode == SDLK_SPACE) && state == StateStart)
    PressPlay();
}

void ZarvoMain::GamepadButton(int, int button, bool down) {
  if (!down)
    return;
  idleSince = updateCount;
  if (demo)
    StopDemo();
  else if (button == SDL_CONTROLLER_BUTTON_START && state == StatePlaying)
    TogglePause();
  else if ((button == SDL_CONTROLLER_BUTTON_A || button == SDL_CONTROLLER_BUTTON_START) &&
           state == StateStart)
    PressPlay();
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
  if (kPlayButton.Contains(x, y)) {
    PressPlay();
  } else if (kExitButton.Contains(x, y)) {
    PlayCue(CueButton);
    EnterExit();
  }
}

void ZarvoMain::PressPlay() {
  PlayCue(CueButton);
  SetState(StatePlaying);
}

void ZarvoMain::PlayCue(Cue cue) {
  if (!Quiet())
    PlaySound(cues[cue]);
}

void ZarvoMain::IncrementScore() {
  ++score;
  PlayCue(CuePoint);
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
