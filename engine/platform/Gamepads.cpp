// Gamepads: opening, numbering and closing SDL's controllers, their buttons and axes.
#include "engine/platform/Gamepads.h"

namespace quendal {

Gamepads::~Gamepads() {
  for (int pad = 0; pad < kMaxPads; ++pad)
    Disconnect(pad);
}

int Gamepads::LowestFree(const Pad* pads) {
  int pad = 0;
  while (pad < kMaxPads && pads[pad].connected)
    ++pad;
  return pad;
}

int Gamepads::PadOf(SDL_JoystickID instance) const {
  for (int pad = 0; pad < kMaxPads; ++pad)
    if (pads[pad].connected && pads[pad].instance == instance)
      return pad;
  return -1;
}

bool Gamepads::FromSdl(SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      const int pad = LowestFree(pads);
      // SDL tells of the controllers present at its start again when the first is opened.
      if (pad == kMaxPads || PadOf(SDL_JoystickGetDeviceInstanceID(event.cdevice.which)) >= 0)
        return false;
      SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
      if (controller == nullptr)
        return false;
      pads[pad].controller = controller;
      pads[pad].instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      event.cdevice.which = pad;
      return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
      return (event.cdevice.which = PadOf(event.cdevice.which)) >= 0;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: return (event.cbutton.which = PadOf(event.cbutton.which)) >= 0;
    case SDL_CONTROLLERAXISMOTION: {
      const int pad = PadOf(event.caxis.which);
      if (pad >= 0 && event.caxis.axis < SDL_CONTROLLER_AXIS_MAX) {
        pads[pad].moved |= 1u << event.caxis.axis;
        pads[pad].motion[event.caxis.axis] = event.caxis.value;
      }
      return false;
    }
    default: return false;
  }
}

bool Gamepads::TakeMotion(SDL_Event& event) {
  for (int pad = 0; pad < kMaxPads; ++pad)
    for (int axis = 0; pads[pad].moved != 0 && axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
      if ((pads[pad].moved >> axis & 1u) != 0) {
        pads[pad].moved &= ~(1u << axis);
        event = SDL_Event{};
        event.type = SDL_CONTROLLERAXISMOTION;
        event.caxis.which = pad;
        event.caxis.axis = static_cast<Uint8>(axis);
        event.caxis.value = pads[pad].motion[axis];
        return true;
      }
  return false;
}

bool Gamepads::Apply(const SDL_Event& event) {
  const int pad = event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_CONTROLLERBUTTONUP
                      ? event.cbutton.which
                  : event.type == SDL_CONTROLLERAXISMOTION ? event.caxis.which
                                                           : event.cdevice.which;
  if (pad < 0 || pad >= kMaxPads)
    return false;
  Pad& state = pads[pad];
  if (event.type == SDL_CONTROLLERDEVICEADDED) {
    if (state.connected || LowestFree(pads) != pad)
      return false;
    state.connected = true;
    return true;
  }
  if (!state.connected)
    return false;
  if (event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_CONTROLLERBUTTONUP) {
    if (event.cbutton.button >= SDL_CONTROLLER_BUTTON_MAX)
      return false;
    const uint32_t bit = 1u << event.cbutton.button;
    state.buttons =
        event.type == SDL_CONTROLLERBUTTONDOWN ? state.buttons | bit : state.buttons & ~bit;
  } else if (event.type == SDL_CONTROLLERAXISMOTION) {
    if (event.caxis.axis >= SDL_CONTROLLER_AXIS_MAX)
      return false;
    state.axes[event.caxis.axis] = event.caxis.value;
  }
  return true;
}

bool Gamepads::NextRelease(int pad, SDL_Event& event) const {
  if (!IsConnected(pad))
    return false;
  event = SDL_Event{};
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
    if ((pads[pad].buttons >> button & 1u) != 0) {
      event.type = SDL_CONTROLLERBUTTONUP;
      event.cbutton.which = pad;
      event.cbutton.button = static_cast<Uint8>(button);
      return true;
    }
  for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
    if (pads[pad].axes[axis] != 0) {
      event.type = SDL_CONTROLLERAXISMOTION;
      event.caxis.which = pad;
      event.caxis.axis = static_cast<Uint8>(axis);
      return true;
    }
  return false;
}

void Gamepads::Disconnect(int pad) {
  if (pad < 0 || pad >= kMaxPads)
    return;
  if (pads[pad].controller != nullptr)
    SDL_GameControllerClose(pads[pad].controller);
  pads[pad] = Pad{};
}

bool Gamepads::IsConnected(int pad) const {
  return pad >= 0 && pad < kMaxPads && pads[pad].connected;
}

bool Gamepads::IsButtonHeld(int pad, int button) const {
  return IsConnected(pad) && button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX &&
         (pads[pad].buttons >> button & 1u) != 0;
}

int Gamepads::AxisValue(int pad, int axis) const {
  return IsConnected(pad) && axis >= 0 && axis < SDL_CONTROLLER_AXIS_MAX ? pads[pad].axes[axis] : 0;
}

}  // namespace quendal
