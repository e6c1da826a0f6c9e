// Helpers for the game's tests: the probe game, event pushers and console capture.
#include "unit/game_probe.h"

#include <cstring>
#include <memory>
#include <stdexcept>

#include "game/ZarvoBallA.h"
#include "game/ZarvoBallB.h"
#include "game/ZarvoPlayer.h"
#include "game/ZarvoScrollBg.h"
#include "support/TestSupport.h"

namespace gametest {

void GameProbe::TickAction() {
  if (ticks == Ticks::Never)
    return;
  if (ticks == Ticks::EveryPass)
    nextTickTime = 0;
  ZarvoMain::TickAction();
}

void GameProbe::UpdateObjects(int time) {
  if (!objects.empty())
    ++playUpdates;
  ZarvoMain::UpdateObjects(time);
  if (gameOver && gameOverUpdate == 0)
    gameOverUpdate = playUpdates;
}

void GameProbe::Render() {
  const bool drawing = needsRedraw;
  ZarvoMain::Render();
  frames += drawing ? 1 : 0;
  ++passes;
  if (afterPass)
    afterPass(*this);
  if (passes >= passLimit)
    exitCode = 0;
}

int GameProbe::Start() {
  const int result = Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  return result;
}

Frame GameProbe::Snapshot() const {
  Frame frame;
  frame.pixels.reserve(800 * 600);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      frame.pixels.push_back(testsupport::PixelAt(screenSurface, x, y));
  return frame;
}

namespace {

// The object at index as the expected type; throws (failing the test) when the list differs.
template <typename Actor>
Actor* ActorAt(const std::vector<DisplayableObject*>& objects, size_t index) {
  Actor* actor = index < objects.size() ? dynamic_cast<Actor*>(objects[index]) : nullptr;
  if (actor == nullptr)
    throw std::logic_error("object " + std::to_string(index) + " of the list is not the expected actor");
  return actor;
}

}  // namespace

ZarvoScrollBg* GameProbe::Band(int index) const {
  return ActorAt<ZarvoScrollBg>(objects, static_cast<size_t>(index));
}

ZarvoPlayer* GameProbe::Player() const { return ActorAt<ZarvoPlayer>(objects, 2); }

ZarvoBallBase* GameProbe::BallA() const { return ActorAt<ZarvoBallA>(objects, 3); }

ZarvoBallBase* GameProbe::BallB() const { return ActorAt<ZarvoBallB>(objects, 4); }

void PushMouseDown(int button, int x, int y) {
  SDL_Event event;
  std::memset(&event, 0, sizeof event);
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.button = static_cast<Uint8>(button);
  event.button.state = SDL_PRESSED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  SDL_PushEvent(&event);
}

void PushKey(uint32_t type, int keyCode) {
  SDL_Event event;
  std::memset(&event, 0, sizeof event);
  event.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = keyCode;
  SDL_PushEvent(&event);
}

void PushQuit() {
  SDL_Event event;
  std::memset(&event, 0, sizeof event);
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

std::string Captured(const std::function<void()>& body) {
  testsupport::StdoutCapture capture;
  body();
  return capture.Text();
}

std::string RunGame(const std::function<void(GameProbe&)>& setUp,
                    const std::function<void(GameProbe&)>& examine) {
  return Captured([&] {
    auto game = std::make_unique<GameProbe>();
    if (game->Start() != 0)
      return;
    if (setUp)
      setUp(*game);
    game->MainLoop();
    game->Deinitialise();
    if (examine)
      examine(*game);
  });
}

}  // namespace gametest
