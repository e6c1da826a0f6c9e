// A game written against the engine's first installed layout: it includes only the headers games
// included then and declares, at global scope, classes whose names the engine also uses inside.
#include <SDL.h>

#include <cstdio>

#include "engine/BaseEngine.h"
#include "engine/ImageData.h"
#include "objects/DisplayableObject.h"
#include "objects/TileManager.h"

class Clock {
 public:
  int ticks = 0;
};
class Font {};
class TextCache {};
class Random {
 public:
  unsigned Next() { return state = state * 1103515245u + 12345u; }
  unsigned state = 1;
};

class Tiles : public TileManager {
 public:
  Tiles() : TileManager(20, 20) {}
};

// Counts its updates on its own clock and draws a marker with the engine's hooks.
class OwnNames : public BaseEngine {
 public:
  void SetupBackgroundBuffer() override { FillBackground(0x204060); }
  void DrawOverlay() override {
    DrawRectangle(10, 10, 10 + timer.ticks % 50, 20, GetColour(random.Next() % 41));
    Font* font = defaultFont;
    DrawString(10, 30, "own names", 0xFFFFFF, font);
  }
  void UpdateObjects(int time) override {
    BaseEngine::UpdateObjects(time);
    ++timer.ticks;
    needsRedraw = true;
  }
  Clock timer;
  Random random;
  Tiles tiles;
  ImageData picture;
  TextCache unused;
};

int main(int argc, char** argv) {
  OwnNames game;
  if (!game.ReadCommandLine(argc, argv))
    return 2;
  if (game.Initialise("Own names", 200, 100, nullptr, 12) != 0)
    return 1;
  const int status = game.MainLoop();
  game.Deinitialise();
  std::printf("updates: %d\n", game.timer.ticks);
  return status;
}
