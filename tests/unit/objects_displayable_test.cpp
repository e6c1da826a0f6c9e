// The displayable object's defaults: the clipped magenta square, the recorded position, the erase.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <utility>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "objects/DisplayableObject.h"
#include "support/Reference.h"
#include "support/TestSupport.h"

// Each object of tests/tables/displayable.tsv is drawn on a noisy screen, moved, and undrawn: the
// square covers position plus offset, clipped, and the erase restores the background where the
// square was, not where the object now is.
TEST(ObjectsDisplayable, DrawAndUndrawTable) {
  BaseEngine engine;
  testsupport::Canvas canvas(engine, 64, 48, 2);
  canvas.Noise(1);
  bool first = true;
  for (const auto& row : testsupport::Table("displayable.tsv", 1)) {
    SCOPED_TRACE(row[0]);
    DisplayableObject object(&engine);
    if (std::exchange(first, false)) {
      EXPECT_EQ(std::vector<int>({object.currentX, object.currentY, object.previousX,
                                  object.previousY, object.drawOffsetX, object.drawOffsetY,
                                  object.drawWidth, object.drawHeight, object.Query(7)}),
                std::vector<int>({-1, -1, -1, -1, 0, 0, 10, 10, 0}));
    }
    std::istringstream(row[0]) >> object.currentX >> object.currentY >> object.drawOffsetX >>
        object.drawOffsetY >> object.drawWidth >> object.drawHeight;
    const int x = object.currentX, y = object.currentY, width = object.drawWidth,
              height = object.drawHeight;
    const int64_t left = int64_t{x} + object.drawOffsetX, top = int64_t{y} + object.drawOffsetY;
    object.Draw();
    if (width > 0 && height > 0)
      testsupport::ReferenceRectangle(canvas.screenTwin.surface, left, top, left + width - 1,
                                      top + height - 1, 0x00FF00FF);
    EXPECT_EQ(canvas.Difference(), "");
    EXPECT_EQ(std::vector<int>({object.previousX, object.previousY}), std::vector<int>({x, y}));
    object.currentX = x / 2 + 7;
    object.currentY = y / 2 + 5;
    object.Undraw();
    testsupport::ReferenceBackgroundCopy(canvas.screenTwin.surface, canvas.backgroundTwin.surface,
                                         left, top, width, height);
    EXPECT_EQ(canvas.Difference(), "");
  }
}
