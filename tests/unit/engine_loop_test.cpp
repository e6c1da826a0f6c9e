// The main loop through pushed SDL events: handlers, key table, mouse fields, quit, exitCode, tick.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "objects/DisplayableObject.h"
#include "support/TestSupport.h"

namespace {

using Log = std::vector<std::string>;

// Logs every handler, tick, update and frame; Escape's KeyDown stores 0 in exitCode.
class LoopRecorder : public BaseEngine {
 public:
  void KeyDown(int key) override {
    log.push_back("down " + std::to_string(key) + (IsKeyPressed(key) ? " held" : " free"));
    if (key == SDLK_ESCAPE)
      exitCode = 0;
  }
  void KeyUp(int key) override {
    log.push_back("up " + std::to_string(key) + (IsKeyPressed(key) ? " held" : " free"));
  }
  void MouseMoved(int x, int y) override { Mouse("moved", 0, x, y); }
  void MouseDown(int button, int x, int y) override { Mouse("press", button, x, y); }
  void MouseUp(int button, int x, int y) override { Mouse("release", button, x, y); }
  void TickAction() override {
    log.push_back("tick");
    BaseEngine::TickAction();
  }
  void UpdateObjects(int time) override {
    log.push_back(time == currentTick ? "update now" : "update " + std::to_string(time));
    BaseEngine::UpdateObjects(time);
  }
  void Render() override {
    log.push_back(!needsRedraw ? "render idle" : needsFullRedraw ? "render full" : "render part");
    BaseEngine::Render();
  }

  Log log;

 private:
  void Mouse(const char* what, int button, int x, int y) {
    log.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(x) +
                  " " + std::to_string(y));
  }
};

// Puts an event on SDL's queue: a key event with its key code, a mouse event with its button and
// position, or a bare event of the type.
void Push(Uint32 type, int code = 0, int x = 0, int y = 0) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = code;
  } else if (type == SDL_MOUSEMOTION) {
    event.motion.x = x;
    event.motion.y = y;
  } else {
    event.button.button = static_cast<Uint8>(code);
    event.button.x = x;
    event.button.y = y;
  }
  ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// The events still queued, by type and key.
std::vector<std::string> Queued() {
  SDL_Event events[32];
  int count = SDL_PeepEvents(events, 32, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  std::vector<std::string> queued;
  for (int i = 0; i < count; ++i)
    if (events[i].type == SDL_KEYDOWN)
      queued.push_back("down " + std::to_string(events[i].key.keysym.sym));
    else if (events[i].type == SDL_QUIT)
      queued.push_back("quit");
  return queued;
}

// An object whose first update ends the loop.
class StopOnUpdate : public DisplayableObject {
 public:
  using DisplayableObject::DisplayableObject;
  void Update(int time) override {
    times.push_back(time);
    engine->exitCode = 0;
  }
  std::vector<int> times;
};

// An initialised recording engine with an empty event queue.
class EngineLoop : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(engine.Initialise("loop", 800, 600, nullptr, 24), 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }

  testsupport::ScratchDirectory dir{true};
  LoopRecorder engine;
};

}  // namespace

TEST_F(EngineLoop, FirstPassUpdatesAtOnceAndDrawsAFullFrame) {
  StopOnUpdate square(&engine);
  square.currentX = 100;
  square.currentY = 50;
  engine.AddObject(&square);
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log, Log({"tick", "update now", "render full"}));
  EXPECT_EQ(square.times, std::vector<int>({engine.currentTick}));
  EXPECT_EQ(engine.nextTickTime, engine.currentTick + 15);
  std::vector<uint32_t> expected(800 * 600, 0xFFFF00);
  for (int y = 50; y < 60; ++y)
    for (int x = 100; x < 110; ++x)
      expected[y * 800 + x] = 0xFF00FF;
  EXPECT_EQ(
      testsupport::FirstDifference(testsupport::PixelsOf(engine.screenSurface), expected, 800), "");
  EXPECT_FALSE(engine.needsRedraw || engine.needsFullRedraw);
}

TEST_F(EngineLoop, KeyAndMouseEventsReachHandlersKeyTableAndMouseFields) {
  Push(SDL_KEYDOWN, 'a');
  Push(SDL_KEYDOWN, 'a');
  Push(SDL_MOUSEMOTION, 0, 12, 34);
  Push(SDL_MOUSEBUTTONDOWN, 3, 56, 78);
  Push(SDL_MOUSEBUTTONUP, 1, 90, 11);
  Push(SDL_KEYUP, 'a');
  Push(SDL_KEYDOWN, SDLK_LEFT);
  Push(SDL_KEYDOWN, SDLK_LCTRL);
  Push(SDL_KEYUP, SDLK_KP_1);
  Push(SDL_KEYDOWN, SDLK_ESCAPE);
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log,
            Log({"down 97 held", "down 97 held", "moved 0 12 34", "press 3 56 78",
                 "release 1 90 11", "up 97 free", "down 1073741904 held", "down 1073742048 held",
                 "up 1073741913 free", "down 27 held", "tick", "update now", "render full"}));
  EXPECT_EQ(std::vector<int>({engine.mouseX, engine.mouseY, engine.mouseDownX, engine.mouseDownY,
                              engine.mouseUpX, engine.mouseUpY}),
            std::vector<int>({12, 34, 56, 78, 90, 11}));
  EXPECT_FALSE(engine.IsKeyPressed('a'));
  EXPECT_TRUE(engine.IsKeyPressed(SDLK_LEFT));
  EXPECT_EQ(engine.keyStates[130], 1);
  EXPECT_EQ(engine.keyStates[27], 1);
  // Control and keypad 1 share entry 0: the release of one clears it while the other is held.
  EXPECT_FALSE(engine.IsKeyPressed(SDLK_LCTRL));
  EXPECT_FALSE(engine.IsKeyPressed(0));
}

TEST_F(EngineLoop, QuitEndsThePassAtOnceLeavingLaterEventsQueued) {
  Push(SDL_KEYDOWN, 'a');
  Push(SDL_QUIT);
  Push(SDL_KEYDOWN, 'b');
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log, Log({"down 97 held"}));
  EXPECT_EQ(Queued(), std::vector<std::string>({"down 98"}));
  EXPECT_EQ(engine.exitCode, -1);
  EXPECT_FALSE(engine.IsKeyPressed('b'));
  EXPECT_TRUE(engine.needsRedraw);
}

TEST_F(EngineLoop, ExitCodeEndsTheLoopAfterThePass) {
  Push(SDL_KEYDOWN, SDLK_ESCAPE);
  Push(SDL_KEYDOWN, 'x');
  Push(SDL_MOUSEBUTTONDOWN, 1, 5, 6);
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log, Log({"down 27 held", "down 120 held", "press 1 5 6", "tick", "update now",
                             "render full"}));
  EXPECT_EQ(Queued(), std::vector<std::string>());
}

TEST_F(EngineLoop, ExitCodeAlreadySetReturnsWithoutPolling) {
  engine.exitCode = 5;
  Push(SDL_KEYDOWN, 'q');
  EXPECT_EQ(engine.MainLoop(), 0);
  EXPECT_EQ(engine.log, Log());
  EXPECT_EQ(Queued(), std::vector<std::string>({"down 113"}));
  EXPECT_EQ(engine.exitCode, 5);
}

// A frame asked for while one is drawn comes on the next pass, one frame per pass.
TEST_F(EngineLoop, FrameRequestedDuringRenderIsDrawnOnTheNextPass) {
  class Requester : public LoopRecorder {
   public:
    void TickAction() override {
      LoopRecorder::TickAction();
      if (++passes == 3)
        exitCode = 0;
    }
    void DrawOverlay() override { needsRedraw = true; }
    int passes = 0;
  };
  Requester requester;
  ASSERT_EQ(requester.Initialise("loop", 800, 600, nullptr, 24), 0);
  requester.nextTickTime = INT32_MAX;
  EXPECT_EQ(requester.MainLoop(), 0);
  EXPECT_EQ(requester.log, Log({"tick", "render full", "tick", "render part", "tick",
                                "render part"}));
  EXPECT_TRUE(requester.needsRedraw);
}

TEST(EngineTick, SleepRuleAndNoCatchUp) {
  LoopRecorder engine;
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
  const int ticks[] = {1000, 1115, 1116, 1129, 1130, -5};
  for (int tick : ticks) {
    engine.currentTick = tick;
    engine.TickAction();
    engine.log.push_back("next " + std::to_string(engine.nextTickTime));
  }
  EXPECT_EQ(engine.log, Log({"tick", "update now", "next 1015", "tick", "update now", "next 1130",
                             "tick", "next 1130", "tick", "next 1130", "tick", "update now",
                             "next 1145", "tick", "next 1145"}));
}
