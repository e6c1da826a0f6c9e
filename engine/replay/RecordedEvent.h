// One input event of a recording, and the names the recording's text gives to events.
#pragma once
#include <cstdint>

union SDL_Event;

namespace quendal {

// An input event as the engine handed it to the game, with the updates done before it.
struct RecordedEvent {
  enum Kind { KeyDown, KeyUp, MouseMove, MouseDown, MouseUp, Quit, End, FocusLost };
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
  static bool HasKey(Kind kind) { return kind == KeyDown || kind == KeyUp; }
  static bool HasButton(Kind kind) { return kind == MouseDown || kind == MouseUp; }
  static bool HasPosition(Kind kind) { return kind == MouseMove || HasButton(kind); }
};

// The first line of every recording.
constexpr const char* kRecordingHeader = "quendal-recording 1";

}  // namespace quendal
