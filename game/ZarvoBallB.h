// The ball that starts at the top right, moving right and down.
#pragma once
#include "game/ZarvoBallBase.h"

class ZarvoBallB : public ZarvoBallBase {
 public:
  // Starts at its corner with its own speed and colour.
  ZarvoBallB(ZarvoMain* game, ZarvoPlayer* player);
  ~ZarvoBallB() override;
};
