// The start values of the ball that starts at the top left.
#include "game/ZarvoBallA.h"

ZarvoBallA::ZarvoBallA(ZarvoMain* game, ZarvoPlayer* player) : ZarvoBallBase(game, player) {
  Start(50.0, 50.0, 2.5, 3.5, 0xFF3366);
}

ZarvoBallA::~ZarvoBallA() = default;
