// The displayable object's defaults: the clipped magenta square, the recorded position, the erase.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "engine/BaseEngine.h"
#include "objects/DisplayableObject.h"
#include "support/Reference.h"

// Each object is drawn on a noisy screen, moved, and undrawn: the square covers position plus
// offset, clipped, and the erase restores the background where the square was, not where the
// object now is. The first row is the object as constructed.
TEST(ObjectsDisplayable, DrawAndUndrawTable) {
  struct Case {
    int x, y, offsetX, offsetY, width, height;
  };
  // clang-format off
  const Case cases[] = {
      {-1, -1, 0, 0, 10, 10},         {10, 12, 0, 0, 10, 10},        {20, 20, -5, -3, 4, 7},
      {20, 10, -2, 3, 10, 10},        {60, 44, 0, 0, 10, 10},        {1000, 10, 0, 0, 10, 10},
      {10, -50, 0, 0, 10, 10},        {10, 10, 0, 0, 0, 10},         {10, 10, 0, 0, 10, -2},
      {-9, -9, 0, 0, 10, 10},         {-10, 0, 0, 0, 10, 10},        {64, 48, -64, -48, 64, 48},
      {INT_MAX, INT_MAX, 0, 0, 10, 10}, {INT_MIN, 0, 0, 0, INT_MAX, 10},
      {INT_MAX, 5, INT_MIN, 0, 20, 3}, {0, 0, INT_MAX, 0, INT_MAX, 5},
      {5, 5, 0, 0, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, 5, 5, 10, 10},
      {INT_MIN, INT_MIN, -5, -5, 10, 10}, {-20, 40, -INT_MAX, 0, INT_MAX, 5},
  };
  // clang-format on
  BaseEngine engine;
  testsupport::Canvas canvas(engine, 64, 48, 2);
  canvas.Noise(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    DisplayableObject object(&engine);
    if (&c == cases) {
      EXPECT_EQ(std::vector<int>({object.currentX, object.currentY, object.previousX,
                                  object.previousY, object.drawOffsetX, object.drawOffsetY,
                                  object.drawWidth, object.drawHeight, object.Query(7)}),
                std::vector<int>({-1, -1, -1, -1, 0, 0, 10, 10, 0}));
    }
    object.currentX = c.x;
    object.currentY = c.y;
    object.drawOffsetX = c.offsetX;
    object.drawOffsetY = c.offsetY;
    object.drawWidth = c.width;
    object.drawHeight = c.height;
    const int64_t left = int64_t{c.x} + c.offsetX, top = int64_t{c.y} + c.offsetY;
    object.Draw();
    if (c.width > 0 && c.height > 0)
      testsupport::ReferenceRectangle(canvas.screenTwin.surface, left, top, left + c.width - 1,
                                      top + c.height - 1, 0x00FF00FF);
    EXPECT_EQ(canvas.Difference(), "");
    EXPECT_EQ(std::vector<int>({object.previousX, object.previousY}), std::vector<int>({c.x, c.y}));
    object.currentX = c.x / 2 + 7;
    object.currentY = c.y / 2 + 5;
    object.Undraw();
    testsupport::ReferenceBackgroundCopy(canvas.screenTwin.surface, canvas.backgroundTwin.surface,
                                         left, top, c.width, c.height);
    EXPECT_EQ(canvas.Difference(), "");
  }
}
