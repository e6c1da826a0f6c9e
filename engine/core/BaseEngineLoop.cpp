// The engine's main loop: event dispatch, the window's own keys, mouse points in game pixels, the
// key-state table and the 15 ms update tick.
#include <SDL.h>

#include <algorithm>

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
  currentTick = passTick = clock->Now();
  const int64_t changesBefore = updateCount + eventCount;
  const bool going = replayFile.empty() ? HandleEvents() : ReplayEvents();
  recording.Flush();
  if (going) {
    // A replayed clock is the game's; the pass's own clock paces the updates.
    currentTick = passTick;
    if (!replayOver)
      TickAction();
    if (replayTime)
      currentTick = gameTime;
    frameWouldRepeat = frameAskedByFrame && updateCount + eventCount == changesBefore;
    Render();
    frameWouldRepeat = false;
    frameAskedByFrame = needsRedraw;
    if (exitCode == -1 && !replayOver)
      return true;
  }
  EndRun();
  return false;
}

bool BaseEngine::HandleEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    if (event.type >= SDL_CONTROLLERAXISMOTION && event.type <= SDL_CONTROLLERDEVICEREMOVED &&
        !gamepads.FromSdl(event))
      continue;
    if (event.type == SDL_MOUSEWHEEL && event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
      event.wheel.x = -event.wheel.x;
      event.wheel.y = -event.wheel.y;
    }
    if (!TakeWindowKey(event) && ToGamePixels(event) && !Dispatch(event))
      return false;
  }
  while (gamepads.TakeMotion(event))
    Dispatch(event);
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
    case SDL_AUDIODEVICEREMOVED:
      if (event.adevice.iscapture == 0)
        soundStream.DeviceRemoved(event.adevice.which);
      return true;
    case SDL_WINDOWEVENT:
      // Leaving the window is input: handed to the game, counted and recorded.
      if (RecordedEvent::LeavesWindow(event))
        break;
      // The window lost its pixels: the frame on it is presented again.
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
          event.window.event == SDL_WINDOWEVENT_SHOWN ||
          event.window.event == SDL_WINDOWEVENT_RESTORED ||
          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        presenter.Invalidate();
      return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: break;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (!gamepads.IsConnected(event.cdevice.which))
        return true;
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      if (!gamepads.Apply(event))
        return true;
      break;
    default: return true;
  }
  StampTime(false);
  ++eventCount;
  recording.Write(RecordedEvent::From(event, updateCount));
  switch (event.type) {
    case SDL_KEYDOWN:
      keyStates[KeyCodeToIndex(event.key.keysym.sym)] = 1;
      NoteKey(event);
      keyRepeat = event.key.repeat != 0;
      KeyDown(event.key.keysym.sym);
      keyRepeat = false;
      break;
    case SDL_KEYUP:
      keyStates[KeyCodeToIndex(event.key.keysym.sym)] = 0;
      NoteKey(event);
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
    case SDL_MOUSEWHEEL: MouseWheel(event.wheel.x, event.wheel.y); break;
    case SDL_WINDOWEVENT: WindowLeft(); break;
    default: DispatchPad(event); break;
  }
  return true;
}

void BaseEngine::StampTime(bool update) {
  const int predicted = update && TicksUntil(gameTime, expectedTick) > 0 ? expectedTick : gameTime;
  if (replayTime)
    currentTick = timeGiven ? replayedTime : predicted;
  timeGiven = false;
  if (currentTick != predicted && recordingVersion == 2)
    recording.Write(RecordedEvent{updateCount, RecordedEvent::Time, currentTick});
  gameTime = currentTick;
  if (update)
    expectedTick = TicksAfter(currentTick, kTickLength);
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
  StampTime(true);
  ++updateCount;
  UpdateObjects(currentTick);
  soundStream.MixBlock();
  pressedKeys.clear();
  releasedKeys.clear();
}

void BaseEngine::NoteKey(const SDL_Event& event) {
  const int key = event.key.keysym.sym;
  const auto held = std::find(heldKeys.begin(), heldKeys.end(), key);
  std::vector<int>& edges = event.type == SDL_KEYUP ? releasedKeys : pressedKeys;
  if (event.type == SDL_KEYUP && held != heldKeys.end())
    heldKeys.erase(held);
  else if (event.type == SDL_KEYDOWN && held == heldKeys.end())
    heldKeys.push_back(key);
  if ((event.type == SDL_KEYUP || event.key.repeat == 0) &&
      std::find(edges.begin(), edges.end(), key) == edges.end())
    edges.push_back(key);
}

void BaseEngine::DispatchPad(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: GamepadConnected(event.cdevice.which, true); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      GamepadButton(event.cbutton.which, event.cbutton.button,
                    event.type == SDL_CONTROLLERBUTTONDOWN);
      break;
    case SDL_CONTROLLERAXISMOTION:
      GamepadAxis(event.caxis.which, event.caxis.axis, event.caxis.value);
      break;
    case SDL_CONTROLLERDEVICEREMOVED: {
      // Nothing stays held by a gamepad that went away.
      SDL_Event release;
      while (gamepads.NextRelease(event.cdevice.which, release)) {
        gamepads.Apply(release);
        DispatchPad(release);
      }
      gamepads.Disconnect(event.cdevice.which);
      GamepadConnected(event.cdevice.which, false);
      break;
    }
    default: break;
  }
}

bool BaseEngine::IsKeyHeld(int keyCode) const {
  return std::find(heldKeys.begin(), heldKeys.end(), keyCode) != heldKeys.end();
}

bool BaseEngine::WasKeyPressed(int keyCode) const {
  return std::find(pressedKeys.begin(), pressedKeys.end(), keyCode) != pressedKeys.end();
}

bool BaseEngine::WasKeyReleased(int keyCode) const {
  return std::find(releasedKeys.begin(), releasedKeys.end(), keyCode) != releasedKeys.end();
}

bool BaseEngine::IsGamepadButtonHeld(int pad, int button) const {
  return gamepads.IsButtonHeld(pad, button);
}

int BaseEngine::GamepadStick(int pad, int axis) const {
  const int value = gamepads.AxisValue(pad, axis);
  return value > -gamepadDeadZone && value < gamepadDeadZone ? 0 : value;
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
