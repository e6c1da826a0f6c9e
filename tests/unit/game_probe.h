// Helpers for the game's tests: a ZarvoMain run by the real MainLoop with a hook after each pass.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/ZarvoBallA.h"
#include "game/ZarvoBallB.h"
#include "game/ZarvoMain.h"
#include "game/ZarvoPlayer.h"
#include "game/ZarvoScrollBg.h"
#include "support/TestSupport.h"

namespace gametest {

// A full copy of the window's pixels: 800 x 600, row by row.
struct Frame {
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * 800 + x]; }
};

// The game with counters and a hook; everything else is the real ZarvoMain.
class GameProbe : public ZarvoMain {
 public:
  // Makes every pass an update pass (runs the engine's TickAction as due), or skips the tick.
  void TickAction() override;
  // Counts the updates made while the object list is filled, and the update of the game over.
  void UpdateObjects(int time) override;
  // Renders, counts passes, then calls afterPass; ends at passLimit.
  void Render() override;

  // Initialise with the game's own title, window size and font, then an empty event queue.
  int Start() {
    const int result = Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    return result;
  }
  // The window's pixels as the last frame presented left them.
  Frame Snapshot() const;

  // The actors by their place on the list, once play has started; throws when the list differs.
  template <typename Actor>
  Actor* At(size_t index) const {
    Actor* actor = index < objects.size() ? dynamic_cast<Actor*>(objects[index]) : nullptr;
    return actor != nullptr ? actor : throw std::logic_error("the object list differs");
  }
  ZarvoScrollBg* Band(int index) const { return At<ZarvoScrollBg>(static_cast<size_t>(index)); }
  ZarvoPlayer* Player() const { return At<ZarvoPlayer>(2); }
  ZarvoBallBase* BallA() const { return At<ZarvoBallA>(3); }
  ZarvoBallBase* BallB() const { return At<ZarvoBallB>(4); }

  bool updating = true;                       // one update in every pass, or none
  int passes = 0;                             // loop passes finished (one Render call each)
  int playUpdates = 0;                        // updates made with the five actors on the list
  int gameOverUpdate = 0;                     // the playUpdates count that set gameOver, 0 before
  int passLimit = 2000;                       // the loop is ended after this many passes
  std::function<void(GameProbe&)> afterPass;  // called at the end of every pass
};

// Runs body with standard output (and standard error with it, when asked) captured; returns the
// bytes written.
std::string Captured(const std::function<void()>& body, bool withErrors = false);

// A run's whole console: the font's line, the start lines with this best score (said on standard
// error between them), tail, the font's end.
std::string Console(int best, const std::string& tail, const std::string& said = "");

// Builds a probe in the current directory, lets setUp push events or set fields, runs MainLoop,
// Deinitialise and destroys the game; returns the console bytes. examine sees the game after the
// loop.
std::string RunGame(const std::function<void(GameProbe&)>& setUp,
                    const std::function<void(GameProbe&)>& examine = nullptr,
                    bool withErrors = false);

// A game in play in a scratch directory holding the font and pictures: PLAY pressed and one pass of
// MainLoop run, with no update yet; the tests then drive the actors directly.
class PlayingGame : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  testsupport::ScratchDirectory dir{true};
  std::unique_ptr<GameProbe> owned = std::make_unique<GameProbe>();
  GameProbe& game = *owned;
};

}  // namespace gametest
