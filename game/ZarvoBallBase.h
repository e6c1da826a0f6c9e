// A ball that bounces off the left, right and top edges and off the player's paddle.
#pragma once
#include <cstdint>

#include "objects/DisplayableObject.h"

class ZarvoMain;
class ZarvoPlayer;

class ZarvoBallBase : public DisplayableObject {
 public:
  // The ball's reach from its centre to the edge of the square it covers, in pixels.
  static constexpr int kRadius = 25;

  // A 50 x 50 ball of the game, bouncing on the player (neither is owned).
  ZarvoBallBase(ZarvoMain* game, ZarvoPlayer* player);
  // Paints a disc 49 pixels across centred on the ball.
  void Draw() override;
  // Moves, bounces off the edges, then scores on the paddle or ends the game beside it.
  void Update(int currentTime) override;

  ZarvoMain* game;
  uint32_t colour = 0;
  double speedX = 0.0;
  double speedY = 0.0;
  double exactX = 0.0;
  double exactY = 0.0;
  ZarvoPlayer* player;

 protected:
  // Places the ball at a start position with its speed and colour.
  void Start(double x, double y, double stepX, double stepY, uint32_t fill);
};
