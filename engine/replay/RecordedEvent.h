// One input event of a recording, and the names the recording's text gives to events.
#pragma once
#include <cstdint>

union SDL_Event;

namespace quendal {

// An input event as the engine handed it to the game, with the updates done before it.
struct RecordedEvent {
  enum Kind {
    KeyDown,
    KeyUp,
    MouseMove,
    MouseDown,
    MouseUp,
    Quit,
    End,
    // The window lost the focus, or was minimised or hidden.
    FocusLost,
    // Version 2: the clock and the seed the game read, a held key's repeats, the wheel, gamepads.
    // Time: code is the clock (milliseconds, 32 bits); Seed: code is the seed; Wheel: x and y;
    // PadAdded and PadRemoved: code is the pad; PadDown and PadUp: code the pad, x the button;
    // PadAxis: code the pad, x the axis, y its value.
    Time,
    Seed,
    KeyRepeat,
    Wheel,
    PadAdded,
    PadRemoved,
    PadDown,
    PadUp,
    PadAxis,
  };
  int64_t updates = 0;
  Kind kind = Quit;
  int code = 0;  // the key code, or the mouse button
  int x = 0;
  int y = 0;

  bool operator==(const RecordedEvent& other) const {
    return updates == other.updates && kind == other.kind && code == other.code && x == other.x &&
           y == other.y;
  }
  // The recorded form of an input event (a key, mouse motion or button, a quit, or the window
  // left: see LeavesWindow).
  static RecordedEvent From(const SDL_Event& event, int64_t updates);
  // The SDL event that hands this one to the game again (not for End).
  void ToSdl(SDL_Event& event) const;
  // The event's name in a recording ("keydown", "mousemove", ..., "end").
  static const char* NameOf(Kind kind);
  // Whether a window event takes the player away (focus lost, minimised or hidden): FocusLost.
  static bool LeavesWindow(const SDL_Event& event);
  // Whether the kind carries a key, a button and a position, or just a position.
  static bool HasKey(Kind kind) { return kind == KeyDown || kind == KeyUp || kind == KeyRepeat; }
  static bool HasButton(Kind kind) { return kind == MouseDown || kind == MouseUp; }
  static bool HasPosition(Kind kind) { return kind == MouseMove || HasButton(kind); }
  // Whether the kind carries a gamepad's number, and a gamepad button or axis after it.
  static bool HasPad(Kind kind) { return kind >= PadAdded && kind <= PadAxis; }
  static bool HasPadButton(Kind kind) { return kind == PadDown || kind == PadUp; }
  // Whether the kind is a line of the engine's own (time, seed), not an input for the game.
  static bool IsEngines(Kind kind) { return kind == Time || kind == Seed; }
};

// The first line of a recording of each version: 1 has keys, the mouse, quit and end; 2 adds
// the rest, and is what the engine writes unless it re-records a version 1 recording.
constexpr const char* kRecordingHeader = "quendal-recording 1";
constexpr const char* kRecordingHeader2 = "quendal-recording 2";

}  // namespace quendal
