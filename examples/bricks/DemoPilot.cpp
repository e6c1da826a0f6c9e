// The demo pilot's moves, the frame checksum and the screenshot.
#include "DemoPilot.h"

#include <SDL.h>

#include <cstdio>

#include "BricksGame.h"

namespace {
constexpr int kMouseUpdate = 3;   // the mouse moves the paddle here
constexpr int kLaunchUpdate = 6;  // Space launches the first ball here
constexpr int kAim = 26;          // how far off the paddle's centre the pilot takes the ball
constexpr int kSlack = 6;
constexpr int kAwayFrom = 180;  // from here the pilot holds Left and lets one ball go
constexpr int kAwayTo = 300;

void Push(Uint32 type, int keyCode) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = keyCode;
  SDL_PushEvent(&event);
}

void PushMouse(Uint32 type, int x, int y) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_MOUSEMOTION) {
    event.motion.x = x;
    event.motion.y = y;
  } else {
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = x;
    event.button.y = y;
  }
  SDL_PushEvent(&event);
}
}  // namespace

DemoPilot::DemoPilot(int updates, const char* screenshot)
    : limit(updates), screenshot(screenshot) {}

void DemoPilot::Hold(int keyCode) {
  if (keyCode == heldKey)
    return;
  if (heldKey != 0)
    Push(SDL_KEYUP, heldKey);
  if (keyCode != 0)
    Push(SDL_KEYDOWN, keyCode);
  heldKey = keyCode;
}

void DemoPilot::Steer(BricksGame& game) {
  const int update = game.updates;
  if (update == kMouseUpdate)
    PushMouse(SDL_MOUSEMOTION, 260, 500);
  if (update == kLaunchUpdate) {
    Push(SDL_KEYDOWN, SDLK_SPACE);
    Push(SDL_KEYUP, SDLK_SPACE);
  } else if (update > kLaunchUpdate && game.state == BricksGame::kServing) {
    PushMouse(SDL_MOUSEBUTTONDOWN, game.paddle.Centre(), 500);
    PushMouse(SDL_MOUSEBUTTONUP, game.paddle.Centre(), 500);
  }
  if (update >= kAwayFrom && update < kAwayTo && game.state == BricksGame::kPlaying) {
    Hold(SDLK_LEFT);
    return;
  }
  // Take the ball off one side of the paddle, switching sides every 150 updates.
  const int aim = (update / 150) % 2 == 0 ? kAim : -kAim;
  const int gap = game.ball.currentX + kBallSize / 2 + aim - game.paddle.Centre();
  Hold(gap < -kSlack ? SDLK_LEFT : (gap > kSlack ? SDLK_RIGHT : 0));
}

void DemoPilot::AfterFrame(BricksGame& game) {
  if (finished || game.updates < limit)
    return;
  finished = true;
  std::printf("Demo: %d updates, frame checksum %08x\n", game.updates,
              static_cast<unsigned>(Checksum(game.screenSurface)));
  std::fflush(stdout);
  if (screenshot != nullptr)
    game.SaveScreenshot(screenshot);
  game.exitCode = 0;
}

uint32_t DemoPilot::Checksum(SDL_Surface* surface) {
  uint32_t hash = 2166136261u;
  for (int y = 0; y < surface->h; ++y) {
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                        static_cast<size_t>(y) * surface->pitch);
    for (int x = 0; x < surface->w; ++x)
      hash = (hash ^ row[x]) * 16777619u;
  }
  return hash;
}
