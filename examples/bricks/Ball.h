// The ball: a picture with a transparent corner, bouncing off the walls, the bricks and the paddle.
#pragma once
#include "BricksSizes.h"
#include "engine/ImageData.h"
#include "objects/DisplayableObject.h"

class BricksGame;

class Ball : public DisplayableObject {
 public:
  explicit Ball(BricksGame* game);
  // Loads the picture found for fileName (FindDataFile); on failure prints "<path>: <reason>" on
  // stderr, and the ball is drawn as a plain disc.
  void LoadPicture(const char* fileName);
  // Sends the ball up from the paddle.
  void Launch();

  void Draw() override;
  // Rides on the paddle while serving, otherwise moves one step and bounces.
  void Update(int) override;

 private:
  // Moves along one axis; a brick in the way is hit and the move is undone and reversed.
  void Step(int& position, int& speed);
  void BounceOffPaddle();

  BricksGame* game;
  ImageData picture;
  int speedX = 0;
  int speedY = 0;
};
