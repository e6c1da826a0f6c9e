// The rule that places the frame on a window, and window points back to game pixels through it.
#include "engine/draw/FrameLayout.h"

#include <algorithm>
#include <cstdint>

namespace quendal {

FrameLayout FrameLayout::Fit(int gameWidth, int gameHeight, int areaWidth, int areaHeight) {
  FrameLayout layout;
  layout.gameWidth = gameWidth;
  layout.gameHeight = gameHeight;
  layout.areaWidth = areaWidth;
  layout.areaHeight = areaHeight;
  if (gameWidth <= 0 || gameHeight <= 0 || areaWidth <= 0 || areaHeight <= 0)
    return layout;
  layout.scale = std::min(areaWidth / gameWidth, areaHeight / gameHeight);
  int64_t width = int64_t{gameWidth} * layout.scale, height = int64_t{gameHeight} * layout.scale;
  if (layout.scale == 0 && int64_t{areaWidth} * gameHeight <= int64_t{areaHeight} * gameWidth) {
    width = areaWidth;
    height = std::max<int64_t>(1, int64_t{areaWidth} * gameHeight / gameWidth);
  } else if (layout.scale == 0) {
    width = std::max<int64_t>(1, int64_t{areaHeight} * gameWidth / gameHeight);
    height = areaHeight;
  }
  layout.frame = {static_cast<int>((areaWidth - width) / 2),
                  static_cast<int>((areaHeight - height) / 2), static_cast<int>(width),
                  static_cast<int>(height)};
  return layout;
}

bool FrameLayout::ToGame(int x, int y, int pointsWidth, int pointsHeight, int& gameX,
                         int& gameY) const {
  gameX = x;
  gameY = y;
  if (frame.width <= 0 || frame.height <= 0 || pointsWidth <= 0 || pointsHeight <= 0)
    return false;
  // One axis: the point's pixel of the area, then the game pixel shown there (clamped to the edge).
  const auto axis = [](int point, int points, int pixels, int start, int size, int game, int& to) {
    const int64_t onArea = point < 0         ? -1
                           : point >= points ? pixels
                                             : NearestSource(point, points, pixels);
    const int64_t pixel = onArea - start;
    to = NearestSource(std::clamp<int64_t>(pixel, 0, size - 1), size, game);
    return pixel >= 0 && pixel < size;
  };
  const bool insideX = axis(x, pointsWidth, areaWidth, frame.x, frame.width, gameWidth, gameX);
  const bool insideY = axis(y, pointsHeight, areaHeight, frame.y, frame.height, gameHeight, gameY);
  return insideX && insideY;
}

bool FrameLayout::operator==(const FrameLayout& other) const {
  return gameWidth == other.gameWidth && gameHeight == other.gameHeight &&
         areaWidth == other.areaWidth && areaHeight == other.areaHeight &&
         frame.x == other.frame.x && frame.y == other.frame.y && frame.width == other.frame.width &&
         frame.height == other.frame.height;
}

}  // namespace quendal
