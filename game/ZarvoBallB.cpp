// The start values of the ball that starts at the top right.
#include "game/ZarvoBallB.h"

ZarvoBallB::ZarvoBallB(ZarvoMain* game, ZarvoPlayer* player) : ZarvoBallBase(game, player) {
  Start(750.0, 50.0, 5.5, 6.5, 0xFFFF00);
}

ZarvoBallB::~ZarvoBallB() = default;
