// The names of the recorded events.
#include "engine/replay/RecordedEvent.h"

#include <SDL.h>

namespace quendal {

RecordedEvent RecordedEvent::From(const SDL_Event& event, int64_t updates) {
  RecordedEvent recorded;
  recorded.updates = updates;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      recorded.kind = event.type == SDL_KEYDOWN ? KeyDown : KeyUp;
      recorded.code = event.key.keysym.sym;
      break;
    case SDL_MOUSEMOTION:
      recorded.kind = MouseMove;
      recorded.x = event.motion.x;
      recorded.y = event.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      recorded.kind = event.type == SDL_MOUSEBUTTONDOWN ? MouseDown : MouseUp;
      recorded.code = event.button.button;
      recorded.x = event.button.x;
      recorded.y = event.button.y;
      break;
    default: recorded.kind = LeavesWindow(event) ? FocusLost : Quit; break;
  }
  return recorded;
}

bool RecordedEvent::LeavesWindow(const SDL_Event& event) {
  return event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                                           event.window.event == SDL_WINDOWEVENT_MINIMIZED ||
                                           event.window.event == SDL_WINDOWEVENT_HIDDEN);
}

void RecordedEvent::ToSdl(SDL_Event& event) const {
  event = SDL_Event{};
  switch (kind) {
    case KeyDown:
    case KeyUp:
      event.type = kind == KeyDown ? SDL_KEYDOWN : SDL_KEYUP;
      event.key.keysym.sym = code;
      break;
    case MouseMove:
      event.type = SDL_MOUSEMOTION;
      event.motion.x = x;
      event.motion.y = y;
      break;
    case MouseDown:
    case MouseUp:
      event.type = kind == MouseDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      event.button.button = static_cast<Uint8>(code);
      event.button.x = x;
      event.button.y = y;
      break;
    case Quit:
    case End: event.type = SDL_QUIT; break;
    case FocusLost:
      event.type = SDL_WINDOWEVENT;
      event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
      break;
  }
}

const char* RecordedEvent::NameOf(Kind kind) {
  switch (kind) {
    case KeyDown: return "keydown";
    case KeyUp: return "keyup";
    case MouseMove: return "mousemove";
    case MouseDown: return "mousedown";
    case MouseUp: return "mouseup";
    case Quit: return "quit";
    case End: return "end";
    case FocusLost: return "focuslost";
  }
  return "";
}

}  // namespace quendal
