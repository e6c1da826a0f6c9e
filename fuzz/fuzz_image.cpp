// Fuzzes picture loading on arbitrary bytes: no crash, no leak, no giant allocation, a refusal
// with a one-line reason, and a loaded picture always holds exactly width * height pixels that
// can be drawn.
#include <SDL.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/pictures/ImageData.h"
#include "support/Reference.h"
#include "support/TestSupport.h"

using namespace quendal;

using testsupport::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("picture.jpg", 0);
  Check(fd >= 0 && ftruncate(fd, 0) == 0, "memfd");
  Check(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size), "memfd write");
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);

  ImageData image;
  SDL_ClearError();
  const bool loaded = image.LoadImage(path);
  Check(loaded == image.IsLoaded(), "result and contents agree");
  if (!loaded) {
    Check(image.width == 0 && image.height == 0, "a failed load leaves the image empty");
    const char* reason = SDL_GetError();
    Check(*reason != 0 && std::strchr(reason, '\n') == nullptr,
          "a refusal leaves a one-line reason");
    return 0;
  }
  Check(image.width > 0 && image.height > 0, "a loaded picture has a size");
  Check(image.width <= ImageData::kMaxSide && image.height <= ImageData::kMaxSide, "side limit");
  Check(int64_t{image.width} * image.height <= ImageData::kMaxPixels, "pixel limit");
  // Reading every pixel lets ASan prove the array holds width * height values.
  uint32_t mix = 0;
  for (int64_t i = 0, count = int64_t{image.width} * image.height; i < count; ++i)
    mix ^= image.pixels[static_cast<size_t>(i)];
  testsupport::GuardedSurface target(32, 16, 1, mix);
  image.RenderImage(target.surface, 0, 0, 0, 0, image.width, image.height);
  image.RenderImage(target.surface, image.width - 1, image.height - 1, 31, 15, 8, 8);
  Check(target.Intact(), "the copies stay inside the surface");
  return 0;
}
