// The paddle that the arrow keys steer along the bottom of the playfield.
#pragma once
#include "objects/DisplayableObject.h"

class ZarvoMain;

class ZarvoPlayer : public DisplayableObject {
 public:
  // The paddle covers its centre plus and minus these, in pixels.
  static constexpr int kHalfWidth = 75;
  static constexpr int kHalfHeight = 15;
  // How far one held arrow key moves it per tick.
  static constexpr double kStep = 10.0;

  // A 150 x 30 paddle centred on (400, 555).
  explicit ZarvoPlayer(ZarvoMain* game);
  // Paints the paddle in 0x996600 on the screen surface.
  void Draw() override;
  // Steps 10 pixels per held arrow key, refusing a step that would reach x 0 or x 800.
  void Update(int currentTime) override;

  // The paddle's width: 150.
  int GetWidth() const { return 2 * kHalfWidth; }
  // The centre, truncated toward zero.
  int GetCentreX() const { return static_cast<int>(exactX); }
  int GetCentreY() const { return static_cast<int>(exactY); }

  ZarvoMain* game;
  double exactX = 400.0;
  double exactY = 555.0;
};
