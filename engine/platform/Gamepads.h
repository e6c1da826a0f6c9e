// The gamepads of a run: SDL's game controllers numbered in order of connection, and their state.
#pragma once
#include <SDL.h>

#include <cstdint>

namespace quendal {

// A pad's number is the lowest one free when it was connected, the same live and in a replay.
// Live events are brought from SDL's device and instance numbers to pad numbers; the axis
// motions of a pass are merged into the last value of each axis.
class Gamepads {
 public:
  static constexpr int kMaxPads = 16;

  Gamepads() = default;
  // Closes the controllers still open.
  ~Gamepads();
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // Brings a live controller event to pad numbers, opening a controller just added (after which
  // it counts as connected); false when the event is none of ours (a device that cannot open,
  // more than kMaxPads, an unknown instance) or is an axis motion kept for TakeMotion.
  bool FromSdl(SDL_Event& event);
  // Hands out the axis motions kept since the last call, one a call; false when none is left.
  bool TakeMotion(SDL_Event& event);
  // Applies an event already in pad numbers to the state (a connection, a button, an axis); false
  // when its pad is not connected (for a connection: when the pad is taken or out of range).
  bool Apply(const SDL_Event& event);
  // The event that releases one held button or centres one axis of pad, for a pad going away;
  // false when nothing is held. Applying it makes progress.
  bool NextRelease(int pad, SDL_Event& event) const;
  // Forgets pad (closing its controller, if live).
  void Disconnect(int pad);

  // Queries on pad numbers; false or 0 for a pad not connected, or a button or axis out of range.
  bool IsConnected(int pad) const;
  bool IsButtonHeld(int pad, int button) const;
  int AxisValue(int pad, int axis) const;

 private:
  struct Pad {
    bool connected = false;
    SDL_GameController* controller = nullptr;
    SDL_JoystickID instance = -1;
    uint32_t buttons = 0;
    int16_t axes[SDL_CONTROLLER_AXIS_MAX] = {};
    // Axes with a motion kept for TakeMotion, a bit each, and the values kept.
    uint32_t moved = 0;
    int16_t motion[SDL_CONTROLLER_AXIS_MAX] = {};
  };
  int PadOf(SDL_JoystickID instance) const;
  static int LowestFree(const Pad* pads);

  Pad pads[kMaxPads];
};

}  // namespace quendal
