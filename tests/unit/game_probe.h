// Helpers for the game's tests: a ZarvoMain run by the real MainLoop with a hook after each pass.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/ZarvoMain.h"

class ZarvoBallBase;
class ZarvoPlayer;
class ZarvoScrollBg;

namespace gametest {

// The console lines of the engine's font table around every run.
inline const std::string kFontLoaded = "Loading font: 24 point Cornerstone Regular.ttf\n";
inline const std::string kFontFreed = "Free font: 24 point Cornerstone Regular.ttf\n";

// How the probe paces the update tick.
enum class Ticks {
  RealTime,   // the engine's own 15 ms tick
  EveryPass,  // one update in every pass of the loop
  Never       // no update at all
};

// A full copy of the screen surface: 800 x 600 pixels, row by row.
struct Frame {
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * 800 + x]; }
};

// The game with counters and a hook; everything else is the real ZarvoMain.
class GameProbe : public ZarvoMain {
 public:
  // Paces the tick, then runs the engine's TickAction.
  void TickAction() override;
  // Counts the updates made while the object list is filled, and the update of the game over.
  void UpdateObjects(int time) override;
  // Renders, counts frames actually drawn and passes, then calls afterPass; ends at passLimit.
  void Render() override;

  // Initialise with the game's own title, window size and font.
  int Start();
  // A copy of the screen surface.
  Frame Snapshot() const;

  // Typed access to the five actors (valid once play has started).
  ZarvoScrollBg* Band(int index) const;
  ZarvoPlayer* Player() const;
  ZarvoBallBase* BallA() const;
  ZarvoBallBase* BallB() const;

  Ticks ticks = Ticks::EveryPass;            // the pacing of updates
  int passes = 0;                            // loop passes finished (one Render call each)
  int frames = 0;                            // passes whose Render drew a frame
  int playUpdates = 0;                       // updates made with the five actors on the list
  int gameOverUpdate = 0;                    // the playUpdates count that set gameOver, 0 before
  int passLimit = 2000;                      // the loop is ended after this many passes
  std::function<void(GameProbe&)> afterPass;  // called at the end of every pass
};

// Event pushers: a mouse press, a key press or release, a window close request.
void PushMouseDown(int button, int x, int y);
void PushKey(uint32_t type, int keyCode);
void PushQuit();

// Runs body with standard output captured and returns the bytes written.
std::string Captured(const std::function<void()>& body);

// Builds a probe in the current directory, lets setUp push events or set fields, runs MainLoop,
// Deinitialise and destroys the game; returns the console bytes. examine sees the game after the loop.
std::string RunGame(const std::function<void(GameProbe&)>& setUp,
                    const std::function<void(GameProbe&)>& examine = nullptr);

}  // namespace gametest
