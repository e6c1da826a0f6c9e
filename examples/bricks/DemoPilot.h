// A pilot that plays the brick breaker through real input events, for demos and headless checks.
#pragma once
#include <cstdint>

class BricksGame;
struct SDL_Surface;

// Plays for a fixed number of updates with the mouse and the arrow keys, then prints the frame's
// checksum (and saves it as a PNG when a file is given) and ends the game.
class DemoPilot {
 public:
  DemoPilot(int updates, const char* screenshot);
  // Called after each update: pushes the events the next pass handles.
  void Steer(BricksGame& game);
  // Called after each Render: finishes once the last update has been drawn.
  void AfterFrame(BricksGame& game);

  // FNV-1a over the surface's pixels, row by row.
  static uint32_t Checksum(SDL_Surface* surface);

 private:
  void Hold(int keyCode);

  int limit;
  const char* screenshot;
  int heldKey = 0;
  bool finished = false;
};
