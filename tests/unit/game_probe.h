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
  // Renders and counts passes; ends at passLimit.
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

  bool updating = true;  // one update in every pass, or none
  int passes = 0;        // loop passes finished (one Render call each)
  int passLimit = 2000;  // the loop is ended after this many passes
};

// Runs body with standard output captured; returns the bytes written.
std::string Captured(const std::function<void()>& body);

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
