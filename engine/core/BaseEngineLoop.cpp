// The engine's main loop: event dispatch, the window's own keys, mouse points in game pixels, the
// key-state table and the 15 ms update tick.
#include <SDL.h>

#include "engine/core/BaseEngine.h"

using namespace quendal;

namespace {

constexpr int kTickLength = 15;

}  // namespace

int BaseEngine::MainLoop() {
  if (screenSurface == nullptr || keyStates == nullptr)
    return 1;
  if (exitCode == -1)
    while (RunPass()) {
    }
  EndRun();
  return ExitStatus();
}

bool BaseEngine::RunPass() {
  currentTick = clock->Now();
  const int64_t changesBefore = updateCount + eventCount;
  const bool going = replayFile.empty() ? HandleEvents() : ReplayEvents();
  recording.Flush();
  if (going) {
    TickAction();
    frameWouldRepeat = frameAskedByFrame && updateCount + eventCount == changesBefore;
    Render();
    frameWouldRepeat = false;
    frameAskedByFrame = needsRedraw;
    if (exitCode == -1)
      return true;
  }
  EndRun();
  return false;
}

bool BaseEngine::HandleEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0)
    if (!TakeWindowKey(event) && ToGamePixels(event) && !Dispatch(event))
      return false;
  return true;
}

bool BaseEngine::TakeWindowKey(const SDL_Event& event) {
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
    return false;
  const SDL_Keycode key = event.key.keysym.sym;
  if (event.type == SDL_KEYUP) {
    if (key != takenKey)
      return false;
    takenKey = 0;
    return true;
  }
  if (key != SDLK_F11 && (key != SDLK_RETURN || (event.key.keysym.mod & KMOD_ALT) == 0))
    return false;
  takenKey = key;
  if (event.key.repeat != 0 || window == nullptr || headless)
    return true;
  fullscreenToggle.Toggle(window);
  presenter.Invalidate();
  return true;
}

bool BaseEngine::ToGamePixels(SDL_Event& event) {
  const bool motion = event.type == SDL_MOUSEMOTION;
  if (window == nullptr ||
      (!motion && event.type != SDL_MOUSEBUTTONDOWN && event.type != SDL_MOUSEBUTTONUP))
    return true;
  int& x = motion ? event.motion.x : event.button.x;
  int& y = motion ? event.motion.y : event.button.y;
  int pointsWidth = 0, pointsHeight = 0;
  SDL_GetWindowSize(window, &pointsWidth, &pointsHeight);
  const bool onFrame = presenter.LayoutNow(renderer, screenWidth, screenHeight)
                           .ToGame(x, y, pointsWidth, pointsHeight, x, y);
  return onFrame || event.type == SDL_MOUSEBUTTONUP;
}

bool BaseEngine::Dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: recording.Write(RecordedEvent::From(event, updateCount)); return false;
    case SDL_KEYDOWN:
      keyStates[KeyCodeToIndex(event.key.keysym.sym)] = 1;
      KeyDown(event.key.keysym.sym);
      break;
    case SDL_KEYUP:
      keyStates[KeyCodeToIndex(event.key.keysym.sym)] = 0;
      KeyUp(event.key.keysym.sym);
      break;
    case SDL_MOUSEMOTION:
      mouseX = event.motion.x;
      mouseY = event.motion.y;
      MouseMoved(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
      mouseDownX = event.button.x;
      mouseDownY = event.button.y;
      MouseDown(event.button.button, event.button.x, event.button.y);
      break;
    case SDL_MOUSEBUTTONUP:
      mouseUpX = event.button.x;
      mouseUpY = event.button.y;
      MouseUp(event.button.button, event.button.x, event.button.y);
      break;
    case SDL_WINDOWEVENT:
      // Leaving the window is input: handed to the game, counted and recorded.
      if (RecordedEvent::LeavesWindow(event)) {
        WindowLeft();
        break;
      }
      // The window lost its pixels: the frame on it is presented again.
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
          event.window.event == SDL_WINDOWEVENT_SHOWN ||
          event.window.event == SDL_WINDOWEVENT_RESTORED ||
          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        presenter.Invalidate();
      return true;
    default: return true;
  }
  ++eventCount;
  recording.Write(RecordedEvent::From(event, updateCount));
  return true;
}

void BaseEngine::TickAction() {
  int untilDue = TicksUntil(currentTick, nextTickTime);
  if (untilDue > kTickLength) {
    nextTickTime = TicksAfter(currentTick, kTickLength);
    untilDue = kTickLength;
  }
  // A fresh frame request is drawn before the wait, and an ending program does not wait.
  if (untilDue > 0 && exitCode == -1 && (!needsRedraw || frameAskedByFrame)) {
    clock->WaitUntil(nextTickTime);
    currentTick = clock->Now();
    untilDue = TicksUntil(currentTick, nextTickTime);
  }
  if (untilDue > 0)
    return;
  nextTickTime = TicksAfter(currentTick, kTickLength);
  ++updateCount;
  UpdateObjects(currentTick);
}

bool BaseEngine::IsKeyPressed(int keyCode) const {
  return keyStates != nullptr && keyStates[KeyCodeToIndex(keyCode)] != 0;
}

int BaseEngine::KeyCodeToIndex(int keyCode) {
  if (keyCode < 0)
    return 0;
  if (keyCode < 128)
    return keyCode;
  switch (keyCode) {
    case SDLK_UP: return 128;
    case SDLK_DOWN: return 129;
    case SDLK_LEFT: return 130;
    case SDLK_RIGHT: return 131;
    case SDLK_PRINTSCREEN: return 144;
    case SDLK_SCROLLLOCK: return 145;
    case SDLK_PAUSE: return 146;
    case SDLK_INSERT: return 147;
    case SDLK_HOME: return 148;
    case SDLK_PAGEUP: return 149;
    case SDLK_END: return 151;
    case SDLK_PAGEDOWN: return 152;
    case SDLK_CAPSLOCK: return 158;
    case SDLK_NUMLOCKCLEAR: return 159;
    case SDLK_KP_DIVIDE: return 160;
    case SDLK_KP_MULTIPLY: return 161;
    case SDLK_KP_MINUS: return 162;
    case SDLK_KP_PLUS: return 163;
    case SDLK_KP_ENTER: return 164;
    default: break;
  }
  if (keyCode >= SDLK_F1 && keyCode <= SDLK_F12)
    return 132 + (keyCode - SDLK_F1);
  return 0;
}
