// A band of "assets/fire_bg_full.jpg" under the header that scrolls 2 pixels left per tick.
#pragma once
#include "engine/ImageData.h"
#include "objects/DisplayableObject.h"

class ZarvoMain;

class ZarvoScrollBg : public DisplayableObject {
 public:
  // Starts at x startX, y 50; copies its picture from loaded when that holds one, otherwise loads
  // it, printing "Background image not loaded!!!!" if that fails.
  ZarvoScrollBg(ZarvoMain* game, int startX, const ImageData* loaded = nullptr);
  // Copies the picture's own pixels over the band at the current position, clipped to the screen.
  void Draw() override;
  // Moves 2 pixels left, jumping to the right once it has left the screen.
  void Update(int currentTime) override;

  ZarvoMain* game;
  ImageData image;
};
