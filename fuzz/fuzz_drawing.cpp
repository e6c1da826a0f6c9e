// Fuzzes the drawing primitives (shapes, outlines, lines, triangles, pixels), text and its measure,
// RenderImage plain, blended and scaled, CopyBackgroundPixels and FillBackground with arbitrary
// int32 coordinates, sizes and scales on small guarded surfaces, against the per-pixel models.
#include <SDL_ttf.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/core/BaseEngine.h"
#include "support/Reference.h"

using namespace quendal;

namespace {

// Mostly values near the surface, sometimes any int32 (the extremes included).
int Coordinate(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return input.ConsumeIntegral<int32_t>();
    case 1:
      return input.PickValueInArray({INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX - 1, INT32_MAX});
    default: return input.ConsumeIntegralInRange(-80, 80);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static BaseEngine* engine = [] {  // one engine for every input, its default font at 12 points
    auto* made = new BaseEngine();
    TTF_Init();
    made->fontManager.LoadFonts();
    made->defaultFont =
        made->fontManager.GetFont(QUENDAL_SOURCE_DIR "/assets/Cornerstone Regular.ttf", 12);
    return made;
  }();
  FuzzedDataProvider input(data, size);
  int sides[6];  // screen and background: width, height, row padding
  for (int i = 0; i < 6; ++i)
    sides[i] = input.ConsumeIntegralInRange(i % 3 == 2 ? 0 : 1, i % 3 == 2 ? 3 : 40);
  testsupport::Canvas canvas(*engine, sides[0], sides[1], sides[2], sides[3], sides[4], sides[5]);
  canvas.Noise(input.ConsumeIntegral<uint32_t>());
  if (input.ConsumeBool())
    canvas.SetImage(input.ConsumeIntegralInRange(1, 48), input.ConsumeIntegralInRange(1, 48), 1);
  for (int step = 0; step < 16 && input.remaining_bytes() > 0; ++step) {
    testsupport::DrawCall call{static_cast<testsupport::DrawCall::Kind>(
        input.ConsumeIntegralInRange<int>(0, testsupport::DrawCall::kBlendedScaledImage))};
    call.onBackground = input.ConsumeBool();
    call.colour = input.ConsumeIntegral<uint32_t>();
    for (int* value : {&call.a, &call.b, &call.c, &call.d, &call.e, &call.f})
      *value = Coordinate(input);
    if (call.kind == testsupport::DrawCall::kText)
      call.text = input.ConsumeRandomLengthString(8);
    if (call.kind >= testsupport::DrawCall::kScaledImage) {
      call.scale = input.ConsumeBool() ? input.ConsumeIntegralInRange(-1, 5) : Coordinate(input);
      call.flip = input.ConsumeIntegralInRange(0, 3);
    }
    const std::string failure = canvas.Draw(call);
    if (!failure.empty()) {
      std::fprintf(stderr, "%s\n", failure.c_str());
      std::abort();
    }
  }
  return 0;
}
