// The player's paddle along the bottom, steered by the arrow keys or the mouse.
#pragma once
#include "objects/DisplayableObject.h"

class BricksGame;

class Paddle : public DisplayableObject {
 public:
  static constexpr int kWidth = 100;
  static constexpr int kHeight = 14;
  static constexpr int kTop = 560;

  explicit Paddle(BricksGame* game);
  // Centres the paddle on screen x, kept inside the window.
  void CentreOn(int x);
  int Centre() const { return currentX + kWidth / 2; }

  void Draw() override;
  // Moves 8 pixels per update while an arrow key is held.
  void Update(int) override;

 private:
  BricksGame* game;
};
