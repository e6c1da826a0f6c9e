// Opens and closes a window on the display, then loses a 48-byte block of its own: under the
// sanitizer with tests/lsan.supp the leak check must report that block, and only that block.
#include <SDL.h>

#include <cstdlib>

namespace {

void* volatile lost = nullptr;

}  // namespace

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    return 3;
  SDL_DestroyWindow(SDL_CreateWindow("leak", 0, 0, 64, 64, SDL_WINDOW_HIDDEN));
  SDL_Quit();
  lost = std::malloc(48);
  lost = nullptr;
  return 0;
}
