// The browser's main loop driving BaseEngine::RunPass, paced by the next update's due time.
#include "engine/platform/BrowserLoop.h"

#include <SDL.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdlib>

#include "engine/core/BaseEngine.h"
#include "engine/platform/Clock.h"

namespace quendal {

namespace {

// How long one call may run passes when the clock never sleeps, so the page stays responsive.
constexpr double kFastBudgetMs = 12.0;

// SDL's counter, with a wait that returns at once: the browser waits between calls instead.
class BrowserClock : public Clock {
 public:
  int Now() override { return static_cast<int>(SDL_GetTicks()); }
  void WaitUntil(int) override {}
};

struct State {
  BaseEngine* engine;
  int (*finish)();
  bool fast;
};

BrowserClock browserClock;

void Step(void* argument) {
  State& state = *static_cast<State*>(argument);
  BaseEngine& engine = *state.engine;
  const double start = emscripten_get_now();
  bool running = engine.RunPass();
  while (running && state.fast && emscripten_get_now() - start < kFastBudgetMs)
    running = engine.RunPass();
  if (!running) {
    emscripten_cancel_main_loop();
    std::exit(state.finish());
  }
  if (state.fast)
    emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
  else
    emscripten_set_main_loop_timing(
        EM_TIMING_SETTIMEOUT, std::max(0, TicksUntil(engine.clock->Now(), engine.nextTickTime)));
}

}  // namespace

void BrowserLoop::Run(BaseEngine& engine, int (*finish)()) {
  static State state;
  if (dynamic_cast<SdlClock*>(engine.clock) != nullptr)
    engine.clock = &browserClock;
  state = State{&engine, finish, dynamic_cast<VirtualClock*>(engine.clock) != nullptr};
  emscripten_set_main_loop_arg(Step, &state, 0, 1);
}

}  // namespace quendal
