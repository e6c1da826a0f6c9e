// What the benchmarks draw on: engine-format surfaces, the game's pictures and a game in play.
#pragma once
#include <SDL.h>

#include <string>

#include "engine/core/BaseEngine.h"
#include "engine/pictures/ImageData.h"
#include "game/ZarvoMain.h"

namespace bench {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// The row where the scrolling band starts, its height, and the scroll offset of the frame.
constexpr int kBandTop = 50;
constexpr int kBandHeight = 550;
constexpr int kFrameScroll = 300;

// A surface in the engine's format (32 bits, ARGB masks), filled with the colour.
SDL_Surface* NewSurface(int width, int height, uint32_t fill = 0);

// Made once by main in a scratch working directory that holds the font and the pictures.
struct World {
  World();
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // An engine that is not initialised, drawing on the two surfaces below (lent, not owned).
  BaseEngine engine;
  SDL_Surface* screen = nullptr;
  SDL_Surface* background = nullptr;
  // assets/bg.jpg (800x600) and assets/fire_bg_full.jpg (800x550), as images and as SDL surfaces
  // holding the same pixels with blending off, so that SDL_BlitSurface copies them verbatim.
  ImageData startPicture;
  ImageData band;
  SDL_Surface* startSurface = nullptr;
  SDL_Surface* bandSurface = nullptr;
  // SDL's software renderer drawing on screen.
  SDL_Renderer* renderer = nullptr;
  // The real game after Initialise, in play, its bands at scroll offset kFrameScroll.
  ZarvoMain game;
};

// The world made by main.
World& TheWorld();
// Called by main with the world it made (null when done).
void SetWorld(World* world);

}  // namespace bench
