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
#include "unit/game_probe.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of heap bytes in use.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

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

// Pushes count mixed events (keys other than Escape, motion, presses and releases) in batches of
// 65,535, what SDL's queue holds, running a pass after each batch; stops when the queue refuses one.
void Flood(gametest::GameProbe& game, long count) {
  static const int kKeys[] = {SDLK_LEFT, SDLK_RIGHT, 'a', SDLK_SPACE, SDLK_F5, SDLK_KP_1};
  for (long pushed = 0;; game.Pass())
    for (int inBatch = 0; inBatch < 65535; ++inBatch, ++pushed) {
      if (pushed == count)
        return;
      SDL_Event event{};
      const int kind = static_cast<int>(pushed % 5);
      const int x = static_cast<int>(pushed * 7 % 800), y = static_cast<int>(pushed * 13 % 600);
      if (kind < 2) {
        event.type = kind == 0 ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = kKeys[pushed / 5 % 6];
      } else if (kind == 2) {
        event.motion = {SDL_MOUSEMOTION, 0, 0, 0, 0, x, y, 0, 0};
      } else {
        event.button = {kind == 3 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, 0, 0, 0,
                        static_cast<Uint8>(1 + pushed % 3), 0, 1, 0, x, y};
      }
      if (SDL_PushEvent(&event) != 1)
        return;
    }
}

}  // namespace

// The load tests run on a game in play.
using ReliabilityLoad = gametest::PlayingGame;

// Every 32-bit key code folds into 0..255 by the table: every 4099th code and the ranges SDL
// uses, or all 2^32 codes when QUENDAL_ALL_KEY_CODES is 1 (the soak run).
TEST(ReliabilityKeys, EveryKeyCodeFolds) {
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

// 100,000 mixed events pushed in batches that fit SDL's queue are all handled and none ends play;
// a second flood leaves the live heap where the first one left it.
TEST_F(ReliabilityLoad, EventFloodIsHandledWithoutGrowth) {
  game.updating = true;
  const long events = EnvironmentCount("QUENDAL_FLOOD_EVENTS", 100000);
  game.handled = 0;
  Flood(game, events);
  game.Pass();
  EXPECT_EQ(game.handled, events);
  const size_t before = LiveHeapBytes();
  Flood(game, events);
  for (int pass = 0; pass < 10; ++pass)
    game.Pass();
  const size_t after = LiveHeapBytes();
  EXPECT_EQ(game.handled, 2 * events);
  EXPECT_EQ(game.state, gametest::GameProbe::StatePlaying);
  EXPECT_LE(after, before + 64 * 1024) << "live heap grew from " << before << " to " << after;
  std::printf("events handled: %ld, live heap before %zu after %zu\n", game.handled, before, after);
}

// 10,000 update-and-render passes of the play screen (more in the soak run), a new game after each
// game over: the live heap stays flat after the first games (LeakSanitizer checks the exit too).
TEST_F(ReliabilityLoad, PlayPassesSoak) {
  const long passes = EnvironmentCount("QUENDAL_SOAK_PASSES", 10000);
  game.updating = true;
  long games = 1;
  size_t settled = 0, end = 0;
  {
    testsupport::StdoutCapture quiet;
    for (long pass = 0; pass < passes; ++pass) {
      if (game.gameOver) {
        game.gameOver = false;
        game.score = 0;
        game.SetState(ZarvoMain::StatePlaying);
        ++games;
      }
      game.Pass();
      if (pass == passes / 10)
        settled = LiveHeapBytes();
    }
    end = LiveHeapBytes();
  }
  EXPECT_GT(games, 1);
  EXPECT_GT(game.frames, passes / 2);
  EXPECT_LE(end, settled + 64 * 1024) << "live heap grew from " << settled << " to " << end;
  std::printf("passes: %ld, frames: %d, games: %ld, live heap %zu -> %zu\n", passes, game.frames,
              games, settled, end);
}
