// The brick breaker: a game on the engine with a wall of bricks, a paddle and a ball.
#pragma once
#include <cstdint>

#include "Ball.h"
#include "BestScore.h"
#include "BrickWall.h"
#include "Paddle.h"
#include "engine/BaseEngine.h"

class DemoPilot;

class BricksGame : public BaseEngine {
 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;
  static constexpr int kHeaderHeight = 40;
  static constexpr uint32_t kBackground = 0x101828;
  static constexpr int kLives = 3;
  static constexpr int kPointsPerHit = 10;
  enum State { kServing, kPlaying, kWon, kLost };

  // The pilot, when given, plays the game and ends it (not owned).
  explicit BricksGame(DemoPilot* pilot = nullptr);
  // Hands the game to a pilot (not owned) before Initialise.
  void SetPilot(DemoPilot* demoPilot) { pilot = demoPilot; }

  // Called by the ball: a brick was hit, or the ball fell past the paddle.
  void BrickHit(int mapX, int mapY);
  void BallLost();

  int InitialiseGame() override;
  int InitialiseObjects() override;
  void SetupBackgroundBuffer() override;
  void KeyDown(int keyCode) override;
  void MouseMoved(int x, int y) override;
  void MouseDown(int button, int x, int y) override;
  void UpdateObjects(int time) override;
  void DrawOverlay() override;
  void Render() override;
  // Keeps the best score when the game ends however it ends (Escape, the window closed).
  void CleanUp() override;

  State state = kServing;
  int score = 0;
  int lives = kLives;
  // The best score on record, read at the start; the demo neither reads nor keeps one.
  int bestScore = 0;
  int updates = 0;
  BrickWall wall;
  Paddle paddle{this};
  Ball ball{this};

 private:
  // Space or a click: launches a served ball, or starts a new game once this one is over.
  void Go();
  // Prints one progress line and flushes it.
  static void Say(const char* format, int value);
  // Saves score in bricksBest.txt when it beats the best one; not for the demo's pilot.
  void KeepBest();

  DemoPilot* pilot;
  BestScore best;
};
