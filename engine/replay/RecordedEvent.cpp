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
      recorded.kind = event.type == SDL_KEYUP ? KeyUp : event.key.repeat != 0 ? KeyRepeat : KeyDown;
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
    case SDL_MOUSEWHEEL:
      recorded.kind = Wheel;
      recorded.x = event.wheel.x;
      recorded.y = event.wheel.y;
      break;
    // The engine has put the gamepad's number in place of SDL's device index or instance.
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
      recorded.kind = event.type == SDL_CONTROLLERDEVICEADDED ? PadAdded : PadRemoved;
      recorded.code = event.cdevice.which;
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      recorded.kind = event.type == SDL_CONTROLLERBUTTONDOWN ? PadDown : PadUp;
      recorded.code = event.cbutton.which;
      recorded.x = event.cbutton.button;
      break;
    case SDL_CONTROLLERAXISMOTION:
      recorded.kind = PadAxis;
      recorded.code = event.caxis.which;
      recorded.x = event.caxis.axis;
      recorded.y = event.caxis.value;
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
    case KeyRepeat:
      event.type = kind == KeyUp ? SDL_KEYUP : SDL_KEYDOWN;
      event.key.state = kind == KeyUp ? SDL_RELEASED : SDL_PRESSED;
      event.key.repeat = kind == KeyRepeat ? 1 : 0;
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
    case Wheel:
      event.type = SDL_MOUSEWHEEL;
      event.wheel.x = x;
      event.wheel.y = y;
      break;
    case PadAdded:
    case PadRemoved:
      event.type = kind == PadAdded ? SDL_CONTROLLERDEVICEADDED : SDL_CONTROLLERDEVICEREMOVED;
      event.cdevice.which = code;
      break;
    case PadDown:
    case PadUp:
      event.type = kind == PadDown ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
      event.cbutton.which = code;
      event.cbutton.button = static_cast<Uint8>(x);
      event.cbutton.state = kind == PadDown ? SDL_PRESSED : SDL_RELEASED;
      break;
    case PadAxis:
      event.type = SDL_CONTROLLERAXISMOTION;
      event.caxis.which = code;
      event.caxis.axis = static_cast<Uint8>(x);
      event.caxis.value = static_cast<Sint16>(y);
      break;
    case Quit:
    case End:
    case Time:
    case Seed: event.type = SDL_QUIT; break;
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
    case Time: return "time";
    case Seed: return "seed";
    case KeyRepeat: return "keyrepeat";
    case Wheel: return "wheel";
    case PadAdded: return "padadded";
    case PadRemoved: return "padremoved";
    case PadDown: return "paddown";
    case PadUp: return "padup";
    case PadAxis: return "padaxis";
  }
  return "";
}

}  // namespace quendal
