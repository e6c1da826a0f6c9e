// Load and leaks: every 32-bit key code, a flood of 100,000 events, and a soak of play passes with
// no growth of the live heap afterwards.
#include <SDL.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/KeyIndexReference.h"
#include "game/ZarvoMain.h"
#include "support/TestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of heap bytes in use.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Play passes run by the soak test unless QUENDAL_SOAK_PASSES says otherwise.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kSoakPasses = 10000;
#else
constexpr long kSoakPasses = 20000;
#endif

// Bytes of heap in use now.
size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

// A number from the environment, or the fallback.
long EnvironmentCount(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}

// The game with counters on its input handlers and one update in every pass.
class CountingGame : public ZarvoMain {
 public:
  void KeyDown(int keyCode) override {
    ++keyDowns;
    ZarvoMain::KeyDown(keyCode);
  }
  void KeyUp(int keyCode) override {
    ++keyUps;
    ZarvoMain::KeyUp(keyCode);
  }
  void MouseMoved(int x, int y) override {
    ++moves;
    ZarvoMain::MouseMoved(x, y);
  }
  void MouseDown(int button, int x, int y) override {
    ++presses;
    ZarvoMain::MouseDown(button, x, y);
  }
  void MouseUp(int button, int x, int y) override {
    ++releases;
    ZarvoMain::MouseUp(button, x, y);
  }
  void TickAction() override { UpdateObjects(currentTick); }
  // One pass of the main loop: events, update, frame.
  void Pass() {
    currentTick = static_cast<int>(SDL_GetTicks());
    HandleEvents();
    TickAction();
    Render();
  }
  long Handled() const { return keyDowns + keyUps + moves + presses + releases; }

  long keyDowns = 0, keyUps = 0, moves = 0, presses = 0, releases = 0;
};

// Pushes count mixed events (keys other than Escape, motion, presses and releases away from the
// exit button) in batches of at most batch events, running a pass after each batch.
long Flood(CountingGame& game, long count, int batch) {
  static const int kKeys[] = {SDLK_LEFT, SDLK_RIGHT, 'a', SDLK_SPACE, SDLK_F5, SDLK_KP_1};
  long pushed = 0;
  while (pushed < count) {
    for (int inBatch = 0; inBatch < batch && pushed < count; ++inBatch, ++pushed) {
      SDL_Event event{};
      const int kind = static_cast<int>(pushed % 5);
      const int x = static_cast<int>(pushed * 7 % 800), y = static_cast<int>(pushed * 13 % 280);
      if (kind < 2) {
        event.type = kind == 0 ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = kKeys[pushed / 5 % 6];
      } else if (kind == 2) {
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
      } else {
        event.type = kind == 3 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = static_cast<Uint8>(1 + pushed % 3);
        event.button.x = x;
        event.button.y = y;
      }
      if (SDL_PushEvent(&event) != 1)
        return pushed;
    }
    game.Pass();
  }
  return pushed;
}

}  // namespace

// Every 32-bit key code folds into 0..255 by the table: every 4099th code and the ranges SDL
// uses, or all 2^32 codes when QUENDAL_ALL_KEY_CODES is 1 (the soak run).
TEST(ReliabilityLoad, EveryKeyCodeFolds) {
  const uint64_t step = EnvironmentCount("QUENDAL_ALL_KEY_CODES", 0) == 1 ? 1 : 4099;
  uint64_t checked = 0, wrong = 0;
  auto check = [&](int32_t code) {
    const int index = BaseEngine::KeyCodeToIndex(code);
    const bool mapped = (code >= 0 && code < 128) || (code >= 0x40000039 && code <= 0x40000058);
    const int expected = mapped ? keyindexreference::ExpectedIndex(code) : 0;
    wrong += index != expected || index < 0 || index > 255;
    ++checked;
  };
  for (uint64_t value = 0; value <= UINT32_MAX; value += step)
    check(static_cast<int32_t>(static_cast<uint32_t>(value)));
  for (int32_t code = -1000; code < 0x10000; ++code)
    check(code);
  for (int32_t code = 0x40000000; code < 0x40000200; ++code)
    check(code);
  EXPECT_EQ(wrong, 0u);
  std::printf("key codes checked: %llu\n", static_cast<unsigned long long>(checked));
}

// SDL's queue holds 65,535 events; 100,000 mixed events pushed in batches that fit are all handled,
// and a second flood leaves the live heap where the first one left it.
TEST(ReliabilityLoad, EventFloodIsHandledWithoutGrowth) {
  testsupport::ScratchDirectory dir(true);
  testsupport::StdoutCapture quiet;
  CountingGame game;
  ASSERT_EQ(game.Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24), 0);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  const long capacity = Flood(game, 70000, 70000);
  EXPECT_EQ(capacity, 65535) << "the queue's capacity";
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  game.keyDowns = game.keyUps = game.moves = game.presses = game.releases = 0;

  const long events = EnvironmentCount("QUENDAL_FLOOD_EVENTS", 100000);
  ASSERT_EQ(Flood(game, events, 65535), events);
  game.Pass();
  EXPECT_EQ(game.Handled(), events);
  EXPECT_EQ(game.keyDowns, (events + 4) / 5);
  EXPECT_EQ(game.presses, (events + 1) / 5);
  const size_t before = LiveHeapBytes();
  ASSERT_EQ(Flood(game, events, 65535), events);
  for (int pass = 0; pass < 10; ++pass)
    game.Pass();
  const size_t after = LiveHeapBytes();
  EXPECT_EQ(game.Handled(), 2 * events);
  EXPECT_EQ(game.exitCode, -1) << "no event reached the exit button or Escape";
  EXPECT_LE(after, before + 64 * 1024) << "live heap grew from " << before << " to " << after;
  game.Deinitialise();
  const std::string console = quiet.Text();
  std::printf("events handled: %ld, live heap before %zu after %zu\n", game.Handled(), before,
              after);
}

// Update-and-render passes of the play screen, a new game after each game over: the live heap
// stays flat after the first games (and LeakSanitizer checks the exit in the sanitizer build).
TEST(ReliabilityLoad, PlayPassesSoak) {
  testsupport::ScratchDirectory dir(true);
  testsupport::StdoutCapture quiet;
  CountingGame game;
  ASSERT_EQ(game.Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24), 0);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  const long passes = EnvironmentCount("QUENDAL_SOAK_PASSES", kSoakPasses);
  game.SetState(ZarvoMain::StatePlaying);
  long games = 1, frames = 0;
  size_t settled = 0;
  for (long pass = 0; pass < passes; ++pass) {
    if (game.gameOver) {
      game.gameOver = false;
      game.score = 0;
      game.SetState(ZarvoMain::StatePlaying);
      ++games;
    }
    frames += game.needsRedraw;
    game.Pass();
    if (pass == passes / 10)
      settled = LiveHeapBytes();
  }
  const size_t end = LiveHeapBytes();
  game.Deinitialise();
  quiet.Text();
  EXPECT_GT(games, 1);
  EXPECT_GT(frames, passes / 2);
  EXPECT_LE(end, settled + 64 * 1024) << "live heap grew from " << settled << " to " << end;
  std::printf("passes: %ld, frames: %ld, games: %ld, live heap %zu -> %zu\n", passes, frames,
              games, settled, end);
}
