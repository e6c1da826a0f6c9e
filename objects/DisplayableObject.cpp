// The displayable object's defaults: a magenta square, background restore, no update.
#include "objects/DisplayableObject.h"

#include <cstdint>

#include "engine/BaseEngine.h"
#include "engine/PixelRows.h"

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
  engine->CopyBackgroundPixels(previousX + drawOffsetX, previousY + drawOffsetY, drawWidth,
                               drawHeight);
}

void DisplayableObject::Update(int) {}

int DisplayableObject::Query(int) { return 0; }

void DisplayableObject::StoreLastPosition() {
  previousX = currentX;
  previousY = currentY;
}
