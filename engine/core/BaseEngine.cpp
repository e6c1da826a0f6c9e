// The engine's lifecycle: construction, Initialise, Deinitialise, destruction and the default hooks.
#include "engine/core/BaseEngine.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/draw/FrameLayout.h"
#include "engine/platform/StandardStreams.h"
#include "engine/platform/WindowSystemErrors.h"

using namespace quendal;

namespace {

// The font installed with the engine, opened when a game names none or its own cannot be opened;
// empty where the engine is built with a game that carries its own.
#ifdef QUENDAL_INSTALLED_FONT
constexpr const char* kInstalledFont = QUENDAL_INSTALLED_FONT;
#else
constexpr const char* kInstalledFont = "";
#endif
constexpr int kInstalledFontSize = 24;

int ReportStartFailure() {
  std::fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
  return 1;
}

// Why no window can open: SDL's reason and the display asked for. Only a script that needs no
// window is served by the dummy driver, so the hint says that much.
int ReportNoWindow(const std::string& reason) {
  const char* display = SDL_getenv("DISPLAY");
  const std::string where =
      display != nullptr ? "DISPLAY=" + std::string(display) : "DISPLAY is not set";
  std::fprintf(stderr,
               "Unable to init SDL: %s (%s); a script that needs no window can run with "
               "SDL_VIDEODRIVER=dummy\n",
               reason.c_str(), where.c_str());
  return 1;
}

// Without a window system SDL falls back to its invisible offscreen driver; a game asked for a
// window, so that counts as no display unless the offscreen driver was asked for by name.
bool HasDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return driver == nullptr || SDL_strcmp(driver, "offscreen") != 0 ||
         (requested != nullptr && SDL_strstr(requested, "offscreen") != nullptr);
}

SDL_Surface* CreateEngineSurface(int width, int height) {
  return SDL_CreateRGBSurface(0, width, height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
}

}  // namespace

BaseEngine::BaseEngine() = default;

BaseEngine::~BaseEngine() {
  objectsChanged = 1;
  objects.clear();
  delete[] keyStates;
  keyStates = nullptr;
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
    if (screenTexture != nullptr)
      SDL_DestroyTexture(screenTexture);
    if (renderer != nullptr)
      SDL_DestroyRenderer(renderer);
    if (window != nullptr)
      SDL_DestroyWindow(window);
  }
  SDL_FreeSurface(screenSurface);
  SDL_FreeSurface(backgroundSurface);
}

int BaseEngine::Initialise(const char* title, int width, int height, const char* fontFile,
                           int fontSize) {
  OpenStandardStreams();
  InstallWindowSystemErrorHandlers();
  screenWidth = width;
  screenHeight = height;
  if (SDL_Init(SDL_INIT_VIDEO) < 0)
    return ReportNoWindow(SDL_GetError());
  if (!HasDisplay()) {
    // SDL settled for its invisible driver without a word: ask the X11 driver for its reason.
    SDL_Quit();
    std::string reason = "no display to open a window on";
    if (SDL_getenv("DISPLAY") != nullptr && SDL_VideoInit("x11") != 0)
      reason = SDL_GetError();
    SDL_VideoQuit();
    SDL_Quit();
    return ReportNoWindow(reason);
  }
  // Gamepads are optional: a system without them plays on, and a replay reads none.
  if (replayFile.empty())
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  static bool exitHandlersRegistered = false;
  if (!exitHandlersRegistered) {
    std::atexit(SDL_Quit);
  }
  TTF_Init();
  if (!exitHandlersRegistered) {
    std::atexit(TTF_Quit);
    exitHandlersRegistered = true;
  }
  fontManager.LoadFonts();
  if (fontFile != nullptr && fontFile[0] != '\0')
    defaultFont = fontManager.GetFont(fontFile, fontSize);
  if ((defaultFont == nullptr || defaultFont->handle == nullptr) && kInstalledFont[0] != '\0')
    defaultFont = fontManager.GetFont(kInstalledFont, fontSize > 0 ? fontSize : kInstalledFontSize);

  // Hidden until its renderer exists: making a renderer can replace the window, and a shown one
  // would flash on the screen each time.
  const int scale = headless ? 1 : OpeningScale();
  fullscreen = fullscreen && !headless;
  fullscreenToggle.Remember(10, 40, screenWidth * scale, screenHeight * scale);
  window = SDL_CreateWindow(title, 10, 40, screenWidth * scale, screenHeight * scale,
                            SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                                (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
  if (window == nullptr)
    return ReportStartFailure();
  renderer = presenter.CreateRenderer(window);
  if (renderer == nullptr && !presenter.OnWindowSurface())
    return ReportStartFailure();
  SDL_ShowWindow(window);
  if (fullscreen)
    FullscreenToggle::CoverDisplay(window);
  if (renderer != nullptr) {
    screenTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                      SDL_TEXTUREACCESS_STREAMING, screenWidth, screenHeight);
    if (screenTexture == nullptr)
      return ReportStartFailure();
    // The texture is the whole frame: its pixels are copied, never blended, and stretched to whole
    // blocks of window pixels.
    SDL_SetTextureBlendMode(screenTexture, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(screenTexture, SDL_ScaleModeNearest);
  }
  screenSurface = CreateEngineSurface(screenWidth, screenHeight);
  if (screenSurface == nullptr)
    return ReportStartFailure();
  backgroundSurface = CreateEngineSurface(screenWidth, screenHeight);
  if (backgroundSurface == nullptr)
    return ReportStartFailure();

  keyStates = new uint8_t[256]();
  soundStream.OpenDevice();
  InitialiseGame();
  // The block before the first update: it holds what InitialiseGame started.
  soundStream.MixBlock();
  return 0;
}

int BaseEngine::OpeningScale() {
  int fits = 1;
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(i, &usable) == 0)
      fits = SDL_max(fits, FrameLayout::Fit(screenWidth, screenHeight, usable.w, usable.h).scale);
  }
  if (windowScale <= fits)
    return windowScale;
  std::fprintf(stderr, "--scale %d: the window would fit no display; opening it at scale %d\n",
               windowScale, fits);
  return fits;
}

void BaseEngine::Deinitialise() {
  CleanUp();
  delete[] keyStates;
  keyStates = nullptr;
}

void BaseEngine::ClearObjects() {
  objectsChanged = 1;
  objects.clear();
}

int BaseEngine::GetTime() { return currentTick + timeOffset; }

void BaseEngine::KeyUp(int) {}
void BaseEngine::KeyDown(int) {}
void BaseEngine::MouseMoved(int, int) {}
void BaseEngine::MouseDown(int, int, int) {}
void BaseEngine::MouseUp(int, int, int) {}
void BaseEngine::MouseWheel(int, int) {}
void BaseEngine::GamepadConnected(int, bool) {}
void BaseEngine::GamepadButton(int, int, bool) {}
void BaseEngine::GamepadAxis(int, int, int) {}
void BaseEngine::WindowLeft() {}

int BaseEngine::InitialiseGame() {
  InitialiseObjects();
  SetupBackgroundBuffer();
  return 0;
}

void BaseEngine::CleanUp() {}

int BaseEngine::InitialiseObjects() {
  ClearObjects();
  return 0;
}

void BaseEngine::SetupBackgroundBuffer() { FillBackground(0xFFFF00); }

void BaseEngine::DrawAfterUndraw() {}
void BaseEngine::DrawUnderlaySecond() {}
void BaseEngine::DrawOverlay() {}
void BaseEngine::DrawUnderlayFirst() {}
