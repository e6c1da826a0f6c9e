// A test game that reads every input the engine gives, its clock and its dice, and says so on its
// console; with QUENDAL_TEST_PAD set it plugs in a virtual gamepad and plays it from a script.
#include <SDL.h>

#include <cstdio>

#include "engine/core/BaseEngine.h"

namespace {

class InputGame : public BaseEngine {
 public:
  int InitialiseGame() override {
    if (SDL_getenv("QUENDAL_TEST_PAD") != nullptr) {
      SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
      pad = SDL_JoystickOpen(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                                       SDL_CONTROLLER_AXIS_MAX, 15, 0));
    }
    return BaseEngine::InitialiseGame();
  }
  void KeyDown(int key) override {
    Say("key %d%s", key, keyRepeat ? " repeat" : "");
    exitCode = key == SDLK_ESCAPE ? 0 : exitCode;
  }
  void MouseDown(int button, int x, int y) override { Say("click %d %d %d", button, x, y); }
  void MouseWheel(int dx, int dy) override {
    wheel += dy;
    Say("wheel %d %d", dx, dy);
  }
  void GamepadConnected(int which, bool on) override { Say("pad %d %s", which, on ? "on" : "off"); }
  void GamepadButton(int which, int button, bool down) override {
    Say("pad %d button %d %s", which, button, down ? "down" : "up");
  }
  void GamepadAxis(int which, int axis, int value) override {
    Say("pad %d axis %d %d", which, axis, value);
  }
  void UpdateObjects(int) override {
    PlayPad();
    x += (IsKeyHeld(SDLK_RIGHT) ? 2 : 0) - (IsKeyHeld(SDLK_LEFT) ? 2 : 0) +
         GamepadStick(0, SDL_CONTROLLER_AXIS_LEFTX) / 8000;
    dice = random.Next(6);
    if (WasKeyPressed(SDLK_LSHIFT) || WasKeyReleased(SDLK_LSHIFT) || updateCount % 40 == 0)
      Say("update %lld dice %d x %d shift %d", static_cast<long long>(updateCount), dice, x,
          IsKeyHeld(SDLK_LSHIFT) ? 1 : 0);
    needsRedraw = true;
  }
  void DrawOverlay() override {
    DrawRectangle(0, 0, screenWidth - 1, screenHeight - 1, GetColour(dice));
    DrawRectangle(x % screenWidth, 10 + wheel * 4, x % screenWidth + 20, 30 + wheel * 4, 0xFFFFFF);
    DrawRectangle(0, screenHeight - 10, GetTime() % screenWidth, screenHeight - 1, 0x000000);
  }

 private:
  // Prints a line with the update count and the clock the game reads.
  template <typename... Args>
  void Say(const char* format, Args... args) {
    std::printf("%lld %d ", static_cast<long long>(updateCount), GetTime());
    std::printf(format, args...);
    std::printf("\n");
    std::fflush(stdout);
  }
  // The script of the virtual gamepad: A, the stick right, then back, A up and unplugged.
  void PlayPad() {
    if (pad == nullptr || ++padUpdates % 20 != 0)
      return;
    const int step = padUpdates / 20;
    if (step == 1 || step == 4)
      SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, step == 1);
    if (step == 2 || step == 3)
      SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, step == 2 ? 30000 : 0);
    if (step == 5) {
      const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
      SDL_JoystickClose(pad);
      pad = nullptr;
      for (int device = 0; device < SDL_NumJoysticks(); ++device)
        if (SDL_JoystickGetDeviceInstanceID(device) == id)
          SDL_JoystickDetachVirtual(device);
    }
  }

  SDL_Joystick* pad = nullptr;
  int padUpdates = 0;
  int x = 100;
  int wheel = 0;
  int dice = 0;
};

}  // namespace

int main(int argc, char** argv) {
  InputGame game;
  if (!game.ReadCommandLine(argc, argv))
    return 2;
  if (game.Initialise("Quendal The Warden input test", 320, 240, nullptr, 12) != 0)
    return 1;
  const int status = game.MainLoop();
  game.Deinitialise();
  return status;
}
