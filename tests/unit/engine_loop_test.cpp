// The main loop through pushed SDL events: handlers, key table, mouse fields, quit, exitCode, tick.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/BaseEngine.h"
#include "engine/Clock.h"
#include "support/Recorder.h"

namespace {

using testsupport::Log;
using EngineLoop = testsupport::RecorderTest;

// An SDL event: a key event with its key code, a mouse event with its button and position, or a
// bare event of the type.
struct Event {
  Uint32 type;
  int code = 0, x = 0, y = 0;
};

// The key events still queued, by key.
std::vector<int> QueuedKeys() {
  SDL_Event events[32];
  const int count = SDL_PeepEvents(events, 32, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  std::vector<int> queued;
  for (int i = 0; i < count; ++i)
    queued.push_back(events[i].type == SDL_KEYDOWN ? events[i].key.keysym.sym : -1);
  return queued;
}

}  // namespace

// Each case runs MainLoop over the pushed events, due for an update and a full frame. A quit ends the pass at once and leaves
// what follows queued; exitCode (Escape) ends the loop after the whole pass; an exitCode already
// set returns before polling. The last case leaves the key table and mouse fields checked below.
TEST_F(EngineLoop, EventTable) {
  struct Case {
    int exitCodeBefore;
    std::vector<Event> events;
    Log log;
    std::vector<int> queued;
    int exitCodeAfter;
  };
  const Case cases[] = {
      {-1, {{SDL_KEYDOWN, 'a'}, {SDL_QUIT}, {SDL_KEYDOWN, 'b'}}, {"down 97 held"}, {'b'}, -1},
      {5, {{SDL_KEYDOWN, 'q'}}, {}, {'q'}, 5},
      {-1,
       {{SDL_KEYDOWN, SDLK_ESCAPE}, {SDL_KEYDOWN, 'x'}, {SDL_MOUSEBUTTONDOWN, 1, 5, 6}},
       {"down 27 held", "down 120 held", "press 1 5 6", "tick", "update now", "render full"},
       {},
       0},
      {-1,
       {{SDL_KEYDOWN, 'a'},
        {SDL_KEYDOWN, 'a'},
        {SDL_MOUSEMOTION, 0, 12, 34},
        {SDL_MOUSEBUTTONDOWN, 3, 56, 78},
        {SDL_MOUSEBUTTONUP, 1, 90, 11},
        {SDL_KEYUP, 'a'},
        {SDL_KEYDOWN, SDLK_LEFT},
        {SDL_KEYDOWN, SDLK_LCTRL},
        {SDL_KEYUP, SDLK_KP_1},
        {SDL_KEYDOWN, SDLK_ESCAPE}},
       {"down 97 held", "down 97 held", "moved 0 12 34", "press 3 56 78", "release 1 90 11",
        "up 97 free", "down 1073741904 held", "down 1073742048 held", "up 1073741913 free",
        "down 27 held", "tick", "update now", "render full"},
       {},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    engine.log.clear();
    engine.exitCode = c.exitCodeBefore;
    engine.nextTickTime = 0;
    engine.needsRedraw = engine.needsFullRedraw = true;
    for (const Event& event : c.events)
      testsupport::Push(event.type, event.code, event.x, event.y);
    EXPECT_EQ(engine.MainLoop(), 0);
    EXPECT_EQ(engine.log, c.log);
    EXPECT_EQ(QueuedKeys(), c.queued);
    EXPECT_EQ(engine.exitCode, c.exitCodeAfter);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  EXPECT_EQ(std::vector<int>({engine.mouseX, engine.mouseY, engine.mouseDownX, engine.mouseDownY,
                              engine.mouseUpX, engine.mouseUpY}),
            std::vector<int>({12, 34, 56, 78, 90, 11}));
  EXPECT_FALSE(engine.IsKeyPressed('a'));
  EXPECT_FALSE(engine.IsKeyPressed('b'));
  EXPECT_TRUE(engine.IsKeyPressed(SDLK_LEFT));
  EXPECT_EQ(engine.keyStates[130] + engine.keyStates[27], 2);
  // Control and keypad 1 share entry 0: the release of one clears it while the other is held.
  EXPECT_FALSE(engine.IsKeyPressed(SDLK_LCTRL));
}

// A frame asked for while one is drawn comes on the next pass, one frame per pass; the tick waits
// only once no fresh request is pending, and a due time far ahead is brought to one tick ahead.
TEST_F(EngineLoop, FrameRequestedDuringRenderIsDrawnOnTheNextPass) {
  VirtualClock clock;
  engine.clock = &clock;
  engine.overlayAsksForFrame = true;
  engine.passes = 3;
  engine.nextTickTime = INT32_MAX;
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log, Log({"tick", "render full", "tick", "update now", "render part", "tick",
                             "update now", "render part"}));
  EXPECT_TRUE(engine.needsRedraw);
}

namespace {

// A virtual clock on which a key press arrives during the next wait.
class ArrivalClock : public VirtualClock {
 public:
  void WaitUntil(int deadline) override {
    if (key != 0)
      testsupport::Push(SDL_KEYDOWN, std::exchange(key, 0));
    VirtualClock::WaitUntil(deadline);
  }
  int key = 0;
};

}  // namespace

// Each row sets the clock and runs one pass: what was handled or updated, the due time after it,
// and the clock after the pass's wait.
TEST_F(EngineLoop, TickRuleOnAVirtualClock) {
  struct Row {
    int time, arrivingKey;
    const char* handled;
    int next, after;
  };
  const Row rows[] = {
      {1000, 0, "update now", 1015, 1000},
      {1014, 0, "update now", 1030, 1015},  // one early: the pass waits until due, then updates
      {1029, 'a', "", 1030, 1029},          // a key arrives mid-wait: the wait ends at once
      {1029, 0, "down 97 heldupdate now", 1045, 1030},  // handled before the update
      {1100, 0, "update now", 1115, 1100},              // late: one update, the next one 15 ms on
      {1115, 0, "update now", 1130, 1115},              // exactly due
      {500, 0, "update now", 530, 515},                 // the clock went back: due one tick on
      {INT32_MAX - 5, 0, "update now", INT32_MIN + 9, INT32_MAX - 5},  // far on, then a wrap
      {INT32_MAX, 0, "update now", INT32_MIN + 24, INT32_MIN + 9},
  };
  ArrivalClock clock;
  engine.clock = &clock;
  engine.needsRedraw = engine.needsFullRedraw = false;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.time);
    engine.log.clear();
    clock.Set(row.time);
    clock.key = row.arrivingKey;
    EXPECT_TRUE(engine.RunPass());
    std::string handled;
    for (const std::string& entry : engine.log)
      handled += entry == "tick" || entry == "render idle" ? "" : entry;
    EXPECT_EQ(handled, row.handled);
    EXPECT_EQ(engine.nextTickTime, row.next);
    EXPECT_EQ(clock.Now(), row.after);
  }
  // The real clock's wait also ends on a queued event, and leaves it queued.
  SdlClock real;
  testsupport::Push(SDL_KEYDOWN, 'b');
  const int before = real.Now();
  real.WaitUntil(TicksAfter(before, 60000));
  EXPECT_LT(TicksUntil(before, real.Now()), 30000);
  EXPECT_TRUE(SDL_HasEvent(SDL_KEYDOWN));
}
