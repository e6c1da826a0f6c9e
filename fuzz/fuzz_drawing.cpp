// Fuzzes the drawing primitives, text, RenderImage and CopyBackgroundPixels with arbitrary int32
// coordinates and sizes onto small surfaces fenced by guard words: nothing may be written outside.
#include <SDL.h>
#include <SDL_ttf.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "engine/ImageData.h"
#include "fuzz/GuardedSurface.h"

namespace {

// Mostly values near the surface, sometimes any int32 (the extremes included).
int Coordinate(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return input.ConsumeIntegral<int32_t>();
    case 1:
      return input.PickValueInArray({INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX - 1, INT32_MAX});
    default:
      return input.ConsumeIntegralInRange(-80, 80);
  }
}

BaseEngine& Engine() {
  static BaseEngine* engine = [] {
    auto* made = new BaseEngine();
    TTF_Init();
    made->fontManager.LoadFonts();
    made->defaultFont =
        made->fontManager.GetFont(QUENDAL_SOURCE_DIR "/assets/Cornerstone Regular.ttf", 12);
    return made;
  }();
  return *engine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  GuardedSurface screen(input.ConsumeIntegralInRange(1, 40), input.ConsumeIntegralInRange(1, 40),
                        input.ConsumeIntegralInRange(0, 3));
  GuardedSurface background(input.ConsumeIntegralInRange(1, 40),
                            input.ConsumeIntegralInRange(1, 40), input.ConsumeIntegralInRange(0, 3));
  ImageData image;
  if (input.ConsumeBool()) {
    image.width = input.ConsumeIntegralInRange(1, 48);
    image.height = input.ConsumeIntegralInRange(1, 48);
    image.pixels.reset(new uint32_t[static_cast<size_t>(image.width) * image.height]);
    for (int i = 0; i < image.width * image.height; ++i)
      image.pixels[static_cast<size_t>(i)] = 0x00FF0000u | static_cast<uint32_t>(i);
  }
  BaseEngine& engine = Engine();
  engine.screenSurface = screen.surface;
  engine.backgroundSurface = background.surface;
  engine.screenWidth = screen.surface->w;
  engine.screenHeight = screen.surface->h;

  for (int step = 0; step < 16 && input.remaining_bytes() > 0; ++step) {
    const int operation = input.ConsumeIntegralInRange(0, 6);
    SDL_Surface* target = input.ConsumeBool() ? background.surface : nullptr;
    const uint32_t colour = input.ConsumeIntegral<uint32_t>();
    const int a = Coordinate(input), b = Coordinate(input), c = Coordinate(input),
              d = Coordinate(input);
    const char* name = "";
    switch (operation) {
      case 0:
        name = "DrawRectangle";
        engine.DrawRectangle(a, b, c, d, colour, target);
        break;
      case 1:
        name = "DrawOval";
        engine.DrawOval(a, b, c, d, colour, target);
        break;
      case 2:
        name = "CopyBackgroundPixels";
        engine.CopyBackgroundPixels(a, b, c, d);
        break;
      case 3:
      case 4: {
        name = "RenderImage";
        const int e = Coordinate(input), f = Coordinate(input);
        image.RenderImage(target != nullptr ? target : screen.surface, a, b, c, d, e, f);
        break;
      }
      case 5: {
        name = "DrawString";
        const std::string text = input.ConsumeRandomLengthString(8);
        engine.DrawString(a, b, text.c_str(), colour, nullptr, target);
        break;
      }
      default:
        name = "FillBackground";
        engine.FillBackground(colour);
        break;
    }
    if (std::getenv("FUZZ_TRACE") != nullptr)
      std::fprintf(stderr, "%s(%d, %d, %d, %d) on %s, screen %dx%d, background %dx%d\n", name, a,
                   b, c, d, target != nullptr ? "background" : "screen", screen.surface->w,
                   screen.surface->h, background.surface->w, background.surface->h);
    if (!screen.Intact() || !background.Intact()) {
      std::fprintf(stderr, "%s wrote outside the surface\n", name);
      std::abort();
    }
  }
  engine.screenSurface = nullptr;
  engine.backgroundSurface = nullptr;
  return 0;
}
