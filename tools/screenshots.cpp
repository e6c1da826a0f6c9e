// Renders the game headless and writes start.png, play.png and gameover.png, the same bytes every run.
//
// Usage: screenshots <output directory>, run from a directory holding "Cornerstone Regular.ttf" and
// assets/ (the build directory). The game runs in a temporary copy of them, so its best-score file
// never lands beside the real one. No key is pressed: the still-paddle game is the same every time.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_image.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "game/ZarvoMain.h"

namespace fs = std::filesystem;

namespace {

const char* const kRuntimeFiles[] = {"Cornerstone Regular.ttf", "assets/bg.jpg",
                                     "assets/fire_bg_full.jpg"};
constexpr int kPlayUpdates = 100;
constexpr int kUpdateLimit = 5000;

// Saves the screen surface as an opaque PNG: the window shows the colours and ignores the alpha byte.
bool SaveFrame(SDL_Surface* screen, const fs::path& file) {
  SDL_Surface* copy =
      SDL_CreateRGBSurfaceWithFormat(0, screen->w, screen->h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (copy == nullptr)
    return false;
  for (int y = 0; y < screen->h; ++y) {
    const auto* from = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(screen->pixels) +
                                                         static_cast<ptrdiff_t>(y) * screen->pitch);
    auto* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(copy->pixels) +
                                           static_cast<ptrdiff_t>(y) * copy->pitch);
    for (int x = 0; x < screen->w; ++x)
      to[x] = from[x] | 0xFF000000u;
  }
  const bool saved = IMG_SavePNG(copy, file.string().c_str()) == 0;
  SDL_FreeSurface(copy);
  if (saved)
    std::printf("\nWrote %s", file.string().c_str());
  else
    std::fprintf(stderr, "screenshots: cannot write %s: %s\n", file.string().c_str(), SDL_GetError());
  return saved;
}

// One update and one frame, as a pass of the main loop makes them.
void Step(ZarvoMain& game, int update) {
  game.UpdateObjects(update * 15);
  game.Render();
}

// Plays from the start screen to the game over, saving the three frames; false on any failure.
bool Shoot(const fs::path& outDir) {
  ZarvoMain game;
  if (game.Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24) != 0)
    return false;
  game.Render();
  bool saved = SaveFrame(game.screenSurface, outDir / "start.png");
  game.MouseDown(SDL_BUTTON_LEFT, 400, 257);
  int update = 0;
  while (update < kPlayUpdates)
    Step(game, ++update);
  saved = SaveFrame(game.screenSurface, outDir / "play.png") && saved;
  while (!game.gameOver && update < kUpdateLimit)
    Step(game, ++update);
  saved = game.gameOver && SaveFrame(game.screenSurface, outDir / "gameover.png") && saved;
  game.Deinitialise();
  std::printf("\n");
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  std::error_code error;
  const fs::path source = fs::current_path();
  const fs::path outDir = fs::absolute(argv[1]);
  fs::create_directories(outDir, error);
  for (const char* name : kRuntimeFiles)
    if (!fs::is_regular_file(source / name)) {
      std::fprintf(stderr, "screenshots: %s is missing: run me from the build directory\n", name);
      return 1;
    }
  std::string scratch = (fs::temp_directory_path() / "quendal-screenshots-XXXXXX").string();
  if (mkdtemp(scratch.data()) == nullptr) {
    std::fprintf(stderr, "screenshots: cannot make a temporary directory\n");
    return 1;
  }
  fs::create_directories(fs::path(scratch) / "assets", error);
  for (const char* name : kRuntimeFiles)
    fs::copy_file(source / name, fs::path(scratch) / name, error);
  fs::current_path(scratch, error);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  const bool shot = Shoot(outDir);
  fs::current_path(source, error);
  fs::remove_all(scratch, error);
  return shot ? 0 : 1;
}
