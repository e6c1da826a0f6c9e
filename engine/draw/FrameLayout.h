// Where the game's frame goes on a window: the largest whole multiple of its size that fits, centred.
#pragma once

#include "engine/draw/PixelRows.h"

namespace quendal {

class FrameLayout {
 public:
  // The place of a gameWidth x gameHeight frame on an area of areaWidth x areaHeight pixels: the
  // largest whole multiple of the frame that fits, centred; on an area narrower or lower than the
  // frame, the frame scaled down to fit with its aspect kept (at least 1 x 1), centred. The rest of
  // the area is bars. An empty area or frame gives an empty place.
  static FrameLayout Fit(int gameWidth, int gameHeight, int areaWidth, int areaHeight);

  // The game pixel shown under point (x, y) of a window pointsWidth x pointsHeight points large,
  // whose area has more pixels than points under high DPI. True when the point lies on the frame;
  // otherwise false, with gameX, gameY the nearest pixel of the frame's edge. An empty place gives
  // false and the point itself.
  bool ToGame(int x, int y, int pointsWidth, int pointsHeight, int& gameX, int& gameY) const;

  // Whether the frame covers the whole area: no bars.
  bool Covers() const {
    return frame.x == 0 && frame.y == 0 && frame.width == areaWidth && frame.height == areaHeight;
  }
  bool operator==(const FrameLayout& other) const;
  bool operator!=(const FrameLayout& other) const { return !(*this == other); }

  int gameWidth = 0;
  int gameHeight = 0;
  int areaWidth = 0;
  int areaHeight = 0;
  // The whole multiple, or 0 when the frame is scaled down.
  int scale = 0;
  // The frame's place on the area.
  PixelRect frame;
};

}  // namespace quendal
