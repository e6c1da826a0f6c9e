// The displayable object's defaults: a magenta square, background restore, no update.
#include "objects/DisplayableObject.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "engine/core/BaseEngine.h"
#include "engine/draw/PixelRows.h"

using namespace quendal;

namespace {

// Position plus offset without overflow, held at the ends of the int range: a corner past an end
// lies as far off every surface as the true one.
int OffsetCorner(int position, int offset) {
  return static_cast<int>(std::clamp<int64_t>(int64_t{position} + offset, INT_MIN, INT_MAX));
}

}  // namespace

DisplayableObject::DisplayableObject(BaseEngine* engine) : engine(engine) {}

DisplayableObject::~DisplayableObject() = default;

void DisplayableObject::Draw() {
  PixelBuffer screen = BufferOf(engine->screenSurface);
  const int64_t left = int64_t{currentX} + drawOffsetX;
  const int64_t top = int64_t{currentY} + drawOffsetY;
  PixelRect rect;
  if (drawWidth > 0 && drawHeight > 0 &&
      ClipBox(left, top, left + drawWidth - 1, top + drawHeight - 1, screen.width, screen.height,
              rect))
    FillRows(screen, rect, 0x00FF00FF);
  StoreLastPosition();
}

void DisplayableObject::Undraw() {
  engine->CopyBackgroundPixels(OffsetCorner(previousX, drawOffsetX),
                               OffsetCorner(previousY, drawOffsetY), drawWidth, drawHeight);
}

void DisplayableObject::Update(int) {}

int DisplayableObject::Query(int) { return 0; }

void DisplayableObject::StoreLastPosition() {
  previousX = currentX;
  previousY = currentY;
}
