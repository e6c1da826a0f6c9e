// Keys, the wheel and gamepads through the real SDL (virtual joysticks), recorded and replayed
// (tests/tables/input.tsv).
#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "support/TestSupport.h"

namespace {

// Logs what reaches the game's hooks; queries asked by a row are logged too, with a '?'.
class InputLog : public BaseEngine {
 public:
  void KeyDown(int key) override {
    Note("key " + std::to_string(key) + (keyRepeat ? " repeat" : ""));
  }
  void KeyUp(int key) override { Note("up " + std::to_string(key)); }
  void MouseWheel(int dx, int dy) override {
    Note("wheel " + std::to_string(dx) + " " + std::to_string(dy));
  }
  void GamepadConnected(int pad, bool on) override {
    Note("pad " + std::to_string(pad) + (on ? " on" : " off"));
  }
  void GamepadButton(int pad, int button, bool down) override {
    Note("button " + std::to_string(pad) + " " + std::to_string(button) + (down ? " down" : " up"));
  }
  void GamepadAxis(int pad, int axis, int value) override {
    Note("axis " + std::to_string(pad) + " " + std::to_string(axis) + " " + std::to_string(value));
  }
  void UpdateObjects(int) override {
    Note(std::string("update") + (WasKeyPressed(watched) ? " +" : "") +
         (WasKeyReleased(watched) ? " -" : "") + (IsKeyHeld(watched) ? " held" : ""));
  }
  void Note(const std::string& entry) { log += (log.empty() ? "" : ", ") + entry; }
  std::string log;
  int watched = 0;
};

// Starts an engine with the options, headless, on a virtual clock.
bool Start(InputLog& engine, std::vector<std::string> options, quendal::VirtualClock& clock) {
  options.insert(options.begin(), "input_test");
  options.push_back("--headless");
  std::vector<char*> argv;
  for (std::string& option : options)
    argv.push_back(option.data());
  if (!engine.ReadCommandLine(static_cast<int>(argv.size()), argv.data()))
    return false;
  engine.clock = &clock;
  // The dummy driver's window never has the focus, without which SDL drops gamepad input.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  return engine.Initialise("input", 64, 48, nullptr, 12) == 0;
}

// Closes and unplugs a virtual joystick, if still there.
void Detach(SDL_Joystick*& stick) {
  if (stick == nullptr)
    return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(stick);
  SDL_JoystickClose(stick);
  stick = nullptr;
  for (int device = 0; device < SDL_NumJoysticks(); ++device)
    if (SDL_JoystickGetDeviceInstanceID(device) == id)
      SDL_JoystickDetachVirtual(device);
}

}  // namespace

// Each row runs its steps live while recording, then replays the recording: the game's hooks
// see the same in both, and the queries answer as the row says.
TEST(EngineInput, InputTable) {
  testsupport::ScratchDirectory dir;
  for (const auto& row : testsupport::Table("input.tsv", 2)) {
    SCOPED_TRACE(row[0]);
    quendal::VirtualClock clock;
    std::vector<SDL_Joystick*> sticks;
    int replayWatched = 0;
    {
      InputLog live;
      ASSERT_TRUE(Start(live, {"--record", "input.rec"}, clock));
      SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
      std::istringstream steps(row[0]);
      for (std::string step; std::getline(steps, step, ',');) {
        std::istringstream fields(step);
        std::string name;
        int v[3] = {0, 0, 0};
        fields >> name >> v[0] >> v[1] >> v[2];
        SDL_Event event{};
        if (name == "down" || name == "repeat" || name == "up") {
          event.type = name == "up" ? SDL_KEYUP : SDL_KEYDOWN;
          event.key.repeat = name == "repeat";
          event.key.keysym.sym = v[0];
          SDL_PushEvent(&event);
        } else if (name == "wheel" || name == "flipped") {
          event.type = SDL_MOUSEWHEEL;
          event.wheel.x = v[0];
          event.wheel.y = v[1];
          event.wheel.direction =
              name == "flipped" ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
          SDL_PushEvent(&event);
        } else if (name == "attach") {
          const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                                       SDL_CONTROLLER_AXIS_MAX, 15, 0);
          sticks.push_back(SDL_JoystickOpen(device));
          ASSERT_NE(sticks.back(), nullptr) << SDL_GetError();
        } else if (name == "detach") {
          Detach(sticks[v[0]]);
        } else if (name == "button") {
          SDL_JoystickSetVirtualButton(sticks[v[0]], v[1], static_cast<Uint8>(v[2]));
        } else if (name == "axis") {
          SDL_JoystickSetVirtualAxis(sticks[v[0]], v[1], static_cast<Sint16>(v[2]));
        } else if (name == "watch") {
          live.watched = replayWatched = v[0];
        } else if (name == "update") {
          clock.Advance(15);
          live.RunPass();
        } else {
          const bool yes =
              name == "held" ? live.IsKeyHeld(v[0]) : live.IsGamepadButtonHeld(v[0], v[1]);
          live.Note("?" + name +
                    (name == "stick" ? " " + std::to_string(live.GamepadStick(v[0], v[1]))
                     : yes           ? " yes"
                                     : " no"));
        }
      }
      live.exitCode = 0;
      live.MainLoop();
      live.Deinitialise();
      EXPECT_EQ(live.log, row[1]);
    }
    for (SDL_Joystick*& stick : sticks)
      Detach(stick);
    InputLog replay;
    replay.watched = replayWatched;
    ASSERT_TRUE(Start(replay, {"--replay", "input.rec", "--fast"}, clock));
    EXPECT_EQ(replay.MainLoop(), 0);
    replay.Deinitialise();
    std::string hooks;
    std::istringstream entries(row[1]);
    for (std::string entry; std::getline(entries, entry, ',');)
      if (entry.find('?') == std::string::npos)
        hooks += (hooks.empty() ? "" : ",") + entry;
    EXPECT_EQ(replay.log, hooks.substr(hooks.find_first_not_of(' ')));
  }
}
