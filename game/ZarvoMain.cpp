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

void Say(const char* text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

}  // namespace

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
      DrawPlainButton(button);
}

void ZarvoMain::DrawPlainButton(const StartButton& button) {
  DrawRectangle(button.left, button.top, button.right, button.bottom, kButtonRim,
                backgroundSurface);
  DrawRectangle(button.left + 2, button.top + 2, button.right - 2, button.bottom - 2, kButtonFace,
                backgroundSurface);
  int width = 0, height = 0;
  if (defaultFont == nullptr || defaultFont->handle == nullptr ||
      TTF_SizeText(defaultFont->handle, button.word, &width, &height) != 0)
    return;
  DrawString((button.left + button.right + 1 - width) / 2,
             (button.top + button.bottom + 1 - height) / 2, button.word, kButtonWord, nullptr,
             backgroundSurface);
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
  if (state == StateExit)
    return;
  state = StateExit;
  SaveHighScore();
  Say("\nGame Exit");
  exitCode = 0;
}

void ZarvoMain::ReadHighScore() {
  record.Load(highScore);
  std::printf("\nHighest Score Read -> %d", highScore);
  std::fflush(stdout);
}

void ZarvoMain::SaveHighScore() {
  if (score > highScore)
    record.Save(score);
}

void ZarvoMain::KeyDown(int keyCode) {
  if (keyCode == SDLK_ESCAPE)
    EnterExit();
  else if (keyCode == SDLK_m)
    SetMuted(!IsMuted());
  else if ((keyCode == SDLK_RETURN || keyCode == SDLK_SPACE) && state == StateStart)
    PressPlay();
}

void ZarvoMain::GamepadButton(int, int button, bool down) {
  if (down && (button == SDL_CONTROLLER_BUTTON_A || button == SDL_CONTROLLER_BUTTON_START) &&
      state == StateStart)
    PressPlay();
}

void ZarvoMain::MouseDown(int, int x, int y) {
  if (state != StateStart)
    return;
  const bool play = kPlayButton.Contains(x, y);
  const bool exit = !play && kExitButton.Contains(x, y);
  if (play)
    PressPlay();
  else if (exit) {
    PlayCue(CueButton);
    EnterExit();
  }
}

void ZarvoMain::PressPlay() {
  PlayCue(CueButton);
  SetState(StatePlaying);
}

void ZarvoMain::PlayCue(Cue cue) { PlaySound(cues[cue]); }

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
