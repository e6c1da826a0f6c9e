// The main loop through pushed SDL events: handlers, key table, mouse fields, quit, exitCode, tick.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "objects/DisplayableObject.h"
#include "support/Recorder.h"
#include "support/Reference.h"

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

TEST_F(EngineLoop, FirstPassUpdatesAtOnceAndDrawsAFullFrame) {
  DisplayableObject square(&engine);
  square.currentX = 100;
  square.currentY = 50;
  engine.AddObject(&square);
  engine.passes = 1;
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log, Log({"tick", "update now", "render full"}));
  EXPECT_EQ(engine.nextTickTime, engine.currentTick + 15);
  testsupport::GuardedSurface expected(800, 600, 0, 0xFFFF00);
  testsupport::ReferenceRectangle(expected.surface, 100, 50, 109, 59, 0xFF00FF);
  EXPECT_EQ(testsupport::FirstDifference(testsupport::PixelsOf(engine.screenSurface),
                                         testsupport::PixelsOf(expected.surface), 800),
            "");
  EXPECT_FALSE(engine.needsRedraw || engine.needsFullRedraw);
}

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
       {{SDL_KEYDOWN, 'a'}, {SDL_KEYDOWN, 'a'}, {SDL_MOUSEMOTION, 0, 12, 34},
        {SDL_MOUSEBUTTONDOWN, 3, 56, 78}, {SDL_MOUSEBUTTONUP, 1, 90, 11}, {SDL_KEYUP, 'a'},
        {SDL_KEYDOWN, SDLK_LEFT}, {SDL_KEYDOWN, SDLK_LCTRL}, {SDL_KEYUP, SDLK_KP_1},
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

// A frame asked for while one is drawn comes on the next pass, one frame per pass.
TEST_F(EngineLoop, FrameRequestedDuringRenderIsDrawnOnTheNextPass) {
  engine.overlayAsksForFrame = true;
  engine.passes = 3;
  engine.nextTickTime = INT32_MAX;
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log,
            Log({"tick", "render full", "tick", "render part", "tick", "render part"}));
  EXPECT_TRUE(engine.needsRedraw);
}

TEST(EngineTick, SleepRuleAndNoCatchUp) {
  testsupport::Recorder engine;
  engine.currentTick = 1000;
  engine.nextTickTime = 1009;
  Uint32 before = SDL_GetTicks();
  engine.TickAction();
  EXPECT_GE(SDL_GetTicks() - before, 9u);
  // With 8 ms to wait there is no sleep: at least one of three passes returns within 9 ms.
  Uint32 fastest = UINT32_MAX;
  for (int attempt = 0; attempt < 3; ++attempt) {
    engine.nextTickTime = 1008;
    before = SDL_GetTicks();
    engine.TickAction();
    fastest = std::min(fastest, SDL_GetTicks() - before);
  }
  EXPECT_LT(fastest, 9u);
  EXPECT_EQ(engine.log, Log(4, "tick"));
  EXPECT_EQ(engine.nextTickTime, 1008);

  engine.log.clear();
  engine.nextTickTime = 1000;
  for (int tick : {1000, 1115, 1116, 1129, 1130, -5}) {
    engine.currentTick = tick;
    engine.TickAction();
    engine.log.push_back("next " + std::to_string(engine.nextTickTime));
  }
  EXPECT_EQ(engine.log, Log({"tick", "update now", "next 1015", "tick", "update now", "next 1130",
                             "tick", "next 1130", "tick", "next 1130", "tick", "update now",
                             "next 1145", "tick", "next 1145"}));
}
