// The displayable object's defaults: the clipped magenta square, the recorded position, the erase.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "engine/BaseEngine.h"
#include "objects/DisplayableObject.h"
#include "support/TestSupport.h"

namespace {

using testsupport::FirstDifference;

constexpr uint32_t kScreen = 0x00123456;
constexpr uint32_t kMagenta = 0x00FF00FF;

// A 64x48 screen and a patterned background lent to a bare engine.
class ObjectsDisplayable : public testing::Test {
 protected:
  ObjectsDisplayable() {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        background.At(x, y) = static_cast<uint32_t>(x << 8 | y);
  }

  // The screen as it was with the rectangle [left, left + width) x [top, top + height) magenta.
  std::vector<uint32_t> WithSquare(std::vector<uint32_t> pixels, int64_t left, int64_t top,
                                   int64_t width, int64_t height) const {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        if (x >= left && x < left + width && y >= top && y < top + height)
          pixels[y * 64 + x] = kMagenta;
    return pixels;
  }

  testsupport::Surface screen{64, 48, kScreen};
  testsupport::Surface background{64, 48};
  BaseEngine engine;
  testsupport::LentSurfaces lent{engine, screen.surface, background.surface};
};

}  // namespace

TEST_F(ObjectsDisplayable, DrawnRightAfterConstructionCoversTheTopLeftNineByNine) {
  DisplayableObject object(&engine);
  const std::vector<uint32_t> before = screen.Pixels();
  object.Draw();
  EXPECT_EQ(FirstDifference(screen.Pixels(), WithSquare(before, 0, 0, 9, 9), 64), "");
  EXPECT_EQ(std::vector<int>({object.previousX, object.previousY}), std::vector<int>({-1, -1}));
  EXPECT_EQ(object.Query(0) + object.Query(-7) + object.Query(INT_MAX), 0);
}

TEST_F(ObjectsDisplayable, DrawTableClipsAndAlwaysRecordsThePosition) {
  struct Case {
    int x, y, offsetX, offsetY, width, height;
  };
  const Case cases[] = {
      {10, 12, 0, 0, 10, 10},       {20, 20, -5, -3, 4, 7},        {60, 44, 0, 0, 10, 10},
      {1000, 10, 0, 0, 10, 10},     {10, -50, 0, 0, 10, 10},       {10, 10, 0, 0, 0, 10},
      {10, 10, 0, 0, 10, -2},       {-9, -9, 0, 0, 10, 10},        {-10, 0, 0, 0, 10, 10},
      {64, 48, -64, -48, 64, 48},   {INT_MAX, INT_MAX, 0, 0, 10, 10},
      {INT_MIN, 0, 0, 0, INT_MAX, 10}, {INT_MAX, 5, INT_MIN, 0, 20, 3},
      {0, 0, INT_MAX, 0, INT_MAX, 5},  {5, 5, 0, 0, INT_MAX, INT_MAX},
      {INT_MAX, INT_MAX, 5, 5, 10, 10}, {INT_MIN, INT_MIN, -5, -5, 10, 10},
      {-20, 40, -INT_MAX, 0, INT_MAX, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " offset " << c.offsetX << ", "
                                    << c.offsetY << " size " << c.width << "x" << c.height);
    SDL_FillRect(screen.surface, nullptr, kScreen);
    DisplayableObject object(&engine);
    object.currentX = c.x;
    object.currentY = c.y;
    object.drawOffsetX = c.offsetX;
    object.drawOffsetY = c.offsetY;
    object.drawWidth = c.width;
    object.drawHeight = c.height;
    const std::vector<uint32_t> before = screen.Pixels();
    object.Draw();
    EXPECT_EQ(FirstDifference(screen.Pixels(),
                              WithSquare(before, int64_t{c.x} + c.offsetX,
                                         int64_t{c.y} + c.offsetY, c.width, c.height),
                              64),
              "");
    EXPECT_EQ(std::vector<int>({object.previousX, object.previousY}),
              std::vector<int>({c.x, c.y}));
    object.Undraw();
    std::vector<uint32_t> erased = screen.Pixels();
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        if (erased[y * 64 + x] == kMagenta)
          ADD_FAILURE() << "magenta left at " << x << ", " << y;
  }
}

TEST_F(ObjectsDisplayable, UndrawRestoresTheBackgroundWhereTheObjectWasLastDrawn) {
  DisplayableObject object(&engine);
  object.currentX = 20;
  object.currentY = 10;
  object.drawOffsetX = -2;
  object.drawOffsetY = 3;
  object.Draw();
  const std::vector<uint32_t> drawn = screen.Pixels();
  object.currentX = 30;
  object.currentY = 15;
  object.Undraw();
  std::vector<uint32_t> expected = drawn;
  for (int y = 13; y < 23; ++y)
    for (int x = 18; x < 28; ++x)
      expected[y * 64 + x] = background.At(x, y);
  EXPECT_EQ(FirstDifference(screen.Pixels(), expected, 64), "");
  EXPECT_EQ(object.previousX, 20);
}
