// Set-up of the benchmarks' surfaces, pictures and game, in a scratch working directory.
#include "bench/BenchWorld.h"

#include <algorithm>
#include <stdexcept>

#include "objects/DisplayableObject.h"

namespace bench {

namespace {

World* current = nullptr;

// An SDL surface holding a copy of the image's pixels, copied verbatim by SDL_BlitSurface.
SDL_Surface* SurfaceOf(const ImageData& image) {
  SDL_Surface* surface = NewSurface(image.width, image.height);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.get() + static_cast<size_t>(y) * image.width, image.width,
                static_cast<uint32_t*>(surface->pixels) + y * (surface->pitch / 4));
  SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_NONE);
  return surface;
}

}  // namespace

SDL_Surface* NewSurface(int width, int height, uint32_t fill) {
  SDL_Surface* surface =
      SDL_CreateRGBSurface(0, width, height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
  if (surface == nullptr)
    throw std::runtime_error(SDL_GetError());
  SDL_FillRect(surface, nullptr, fill);
  return surface;
}

World::World() {
  if (game.Initialise("Quendal The Warden", kWidth, kHeight, "Cornerstone Regular.ttf", 24) != 0)
    throw std::runtime_error("the game did not initialise");
  game.SetState(ZarvoMain::StatePlaying);
  game.objects[0]->currentX = -kFrameScroll;
  game.objects[1]->currentX = kWidth - kFrameScroll;
  std::fflush(stdout);

  if (!startPicture.LoadImage("assets/bg.jpg") || !band.LoadImage("assets/fire_bg_full.jpg"))
    throw std::runtime_error("the pictures did not load");
  startSurface = SurfaceOf(startPicture);
  bandSurface = SurfaceOf(band);
  screen = NewSurface(kWidth, kHeight, 0x203040);
  background = SurfaceOf(startPicture);
  renderer = SDL_CreateSoftwareRenderer(screen);
  if (renderer == nullptr)
    throw std::runtime_error(SDL_GetError());
  engine.screenWidth = kWidth;
  engine.screenHeight = kHeight;
  engine.screenSurface = screen;
  engine.backgroundSurface = background;
}

World::~World() {
  engine.screenSurface = engine.backgroundSurface = nullptr;  // the engine frees its own
  SDL_DestroyRenderer(renderer);
  for (SDL_Surface* surface : {screen, background, startSurface, bandSurface})
    SDL_FreeSurface(surface);
  game.Deinitialise();
}

World& TheWorld() { return *current; }

void SetWorld(World* world) { current = world; }

}  // namespace bench
