// The ball that starts at the top left, moving right and down.
#pragma once
#include "game/ZarvoBallBase.h"

class ZarvoBallA : public ZarvoBallBase {
 public:
  // Starts at its corner with its own speed and colour.
  ZarvoBallA(ZarvoMain* game, ZarvoPlayer* player);
  ~ZarvoBallA() override;
};
