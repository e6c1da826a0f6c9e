// An engine that logs the virtual operations the engine calls on it, and a fixture that starts one.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "support/TestSupport.h"

namespace testsupport {

using Log = std::vector<std::string>;

// Logs each operation, then runs the default; render hooks only with hooks set, '*' when locked.
// Escape, or the passes-th tick, sets exitCode 0; overlayAsksForFrame asks for another frame.
class Recorder : public BaseEngine {
 public:
  int InitialiseGame() override {
    Note(keyStates && screenSurface && backgroundSurface && screenTexture ? "InitialiseGame ready"
                                                                          : "InitialiseGame");
    return BaseEngine::InitialiseGame();
  }
  int InitialiseObjects() override {
    Note("InitialiseObjects");
    return BaseEngine::InitialiseObjects();
  }
  void ClearObjects() override {
    Note("ClearObjects");
    BaseEngine::ClearObjects();
  }
  void SetupBackgroundBuffer() override {
    Note("SetupBackgroundBuffer");
    BaseEngine::SetupBackgroundBuffer();
  }
  void FillBackground(uint32_t colour) override {
    Note("FillBackground " + std::to_string(colour));
    BaseEngine::FillBackground(colour);
  }
  void CleanUp() override { Note(keyStates != nullptr ? "CleanUp keys" : "CleanUp"); }
  void KeyDown(int key) override {
    Note("down " + std::to_string(key) + (IsKeyPressed(key) ? " held" : " free"));
    exitCode = key == SDLK_ESCAPE ? 0 : exitCode;
  }
  void KeyUp(int key) override {
    Note("up " + std::to_string(key) + (IsKeyPressed(key) ? " held" : " free"));
  }
  void MouseMoved(int x, int y) override { Mouse("moved", 0, x, y); }
  void MouseDown(int button, int x, int y) override { Mouse("press", button, x, y); }
  void MouseUp(int button, int x, int y) override { Mouse("release", button, x, y); }
  void TickAction() override {
    Note("tick");
    BaseEngine::TickAction();
    exitCode = passes > 0 && --passes == 0 ? 0 : exitCode;
  }
  void UpdateObjects(int time) override {
    Note(time == currentTick ? "update now" : "update " + std::to_string(time));
    BaseEngine::UpdateObjects(time);
  }
  void Render() override {
    Note(!needsRedraw ? "render idle" : needsFullRedraw ? "render full" : "render part");
    BaseEngine::Render();
  }
  void UndrawObjects() override {
    Hook("undraw-pass");
    BaseEngine::UndrawObjects();
  }
  void DrawObjects() override {
    Hook("draw-pass");
    BaseEngine::DrawObjects();
  }
  void DrawAfterUndraw() override { Hook("after-undraw"); }
  void DrawUnderlayFirst() override { Hook("underlay-1"); }
  void DrawUnderlaySecond() override { Hook("underlay-2"); }
  void DrawOverlay() override {
    Hook("overlay");
    needsRedraw = needsRedraw || overlayAsksForFrame;
  }

  Log log;
  bool hooks = false;
  bool overlayAsksForFrame = false;
  int passes = 0;

 private:
  void Note(const std::string& entry) { log.push_back(entry); }
  void Hook(const char* name) {
    if (hooks)
      Note(std::string(name) + (surfaceLocked ? "*" : ""));
  }
  void Mouse(const char* what, int button, int x, int y) {
    Note(std::string(what) + " " + std::to_string(button) + " " + std::to_string(x) + " " +
         std::to_string(y));
  }
};

// A recorder initialised at 800 x 600 without a font in a scratch directory, its event queue
// empty and its log cleared.
class RecorderTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(engine.Initialise("test", 800, 600, nullptr, 24), 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    engine.log.clear();
  }
  void TearDown() override { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }

  ScratchDirectory dir{true};
  Recorder engine;
};

}  // namespace testsupport
