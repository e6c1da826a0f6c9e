// The main loop through pushed SDL events: handlers, key table, mouse fields, quit, exitCode, tick.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "engine/platform/Clock.h"
#include "support/Recorder.h"

using namespace quendal;

namespace {

using testsupport::Log;
using EngineLoop = testsupport::RecorderTest;

// The entries joined by ", ".
std::string Joined(const Log& log) {
  std::string all;
  for (const std::string& entry : log)
    all += (all.empty() ? "" : ", ") + entry;
  return all;
}

// The key events still queued, by key code (-1 for other events), joined by spaces.
std::string QueuedKeys() {
  SDL_Event events[32];
  const int count = SDL_PeepEvents(events, 32, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  std::string queued;
  for (int i = 0; i < count; ++i)
    queued += (i ? " " : "") +
              std::to_string(events[i].type == SDL_KEYDOWN ? events[i].key.keysym.sym : -1);
  return queued;
}

}  // namespace

// Each row of tests/tables/events.tsv runs MainLoop over its pushed events.
TEST_F(EngineLoop, EventTable) {
  const std::map<std::string, Uint32> types = {
      {"keydown", SDL_KEYDOWN},       {"keyup", SDL_KEYUP},           {"motion", SDL_MOUSEMOTION},
      {"press", SDL_MOUSEBUTTONDOWN}, {"release", SDL_MOUSEBUTTONUP}, {"quit", SDL_QUIT}};
  for (const auto& row : testsupport::Table("events.tsv", 5)) {
    SCOPED_TRACE(row[1]);
    engine.log.clear();
    engine.exitCode = std::stoi(row[0]);
    engine.nextTickTime = 0;
    engine.needsRedraw = engine.needsFullRedraw = true;
    std::istringstream events(row[1]);
    for (std::string event; std::getline(events, event, ',');) {
      std::istringstream fields(event);
      std::string name;
      int v[3] = {0, 0, 0};
      fields >> name >> v[0] >> v[1] >> v[2];
      testsupport::Push(types.at(name), v[0], v[1], v[2]);
    }
    EXPECT_EQ(engine.MainLoop(), 0);
    EXPECT_EQ(Joined(engine.log), row[2]);
    EXPECT_EQ(QueuedKeys(), row[3]);
    EXPECT_EQ(engine.exitCode, std::stoi(row[4]));
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

// Each row of tests/tables/ticks.tsv sets the clock and runs one pass.
TEST_F(EngineLoop, TickRuleOnAVirtualClock) {
  ArrivalClock clock;
  engine.clock = &clock;
  engine.needsRedraw = engine.needsFullRedraw = false;
  for (const auto& row : testsupport::Table("ticks.tsv", 5)) {
    SCOPED_TRACE(row[0]);
    engine.log.clear();
    clock.Set(std::stoi(row[0]));
    clock.key = std::stoi(row[1]);
    EXPECT_TRUE(engine.RunPass());
    Log handled;
    for (const std::string& entry : engine.log)
      if (entry != "tick" && entry != "render idle")
        handled.push_back(entry);
    EXPECT_EQ(Joined(handled), row[2]);
    EXPECT_EQ(engine.nextTickTime, std::stoi(row[3]));
    EXPECT_EQ(clock.Now(), std::stoi(row[4]));
  }
  // The real clock's wait also ends on a queued event, and leaves it queued.
  SdlClock real;
  testsupport::Push(SDL_KEYDOWN, 'b');
  const int before = real.Now();
  real.WaitUntil(TicksAfter(before, 60000));
  EXPECT_LT(TicksUntil(before, real.Now()), 30000);
  EXPECT_TRUE(SDL_HasEvent(SDL_KEYDOWN));
}
