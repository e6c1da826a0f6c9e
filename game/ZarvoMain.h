// The game: states, input, start and play screens, score display and the best score on record.
#pragma once
#include <memory>

#include "engine/BaseEngine.h"
#include "game/HighScoreFile.h"
#include "game/ZarvoTileManager.h"

class DisplayableObject;
class ImageData;
struct StartButton;

class ZarvoMain : public BaseEngine {
 public:
  static constexpr int StatePlaying = 0;
  static constexpr int StateStart = 1;
  static constexpr int StateExit = 2;
  static constexpr int StateGameOver = 3;
  // The game's sounds, by the moment each marks.
  enum Cue { CuePaddle, CueWall, CuePoint, CueLoss, CueButton, CueCount };

  // Tells the engine that the game keeps "highScore.txt", so no output is written over it.
  ZarvoMain();
  // Releases the tile grid and the five actors made when play started.
  ~ZarvoMain() override;
  // Escape (27) enters the exit state from every other state; M mutes or unmutes the sound; other
  // keys do nothing.
  void KeyDown(int keyCode) override;
  // On the start screen, any mouse button inside kPlayButton starts play, inside kExitButton exits;
  // either sounds the button.
  void MouseDown(int button, int x, int y) override;
  // A gamepad's A or Start on the start screen presses PLAY.
  void GamepadButton(int pad, int button, bool down) override;
  // The sounds loaded, score and best score 0, the start picture in the background, then the start
  // state.
  int InitialiseGame() override;
  // Puts the two backgrounds, the player and the two balls on the list; returns 5.
  int InitialiseObjects() override;
  // Black background, with "assets/bg.jpg" over it on the start screen; where the picture does not
  // cover the window, plain buttons are drawn over their rectangles.
  void SetupBackgroundBuffer() override;
  // During play: the score lines on the screen, the title in the background, a full redraw asked.
  void DrawOverlay() override;

  // Stores the state, then enters it (messages, screens, saving); the exit steps run once a run.
  void SetState(int newState);
  // Plays the cue's sound at full volume.
  void PlayCue(Cue cue);
  // One more point, shown and sounded at once.
  void IncrementScore();
  // Paints the three grey header tiles onto backgroundSurface.
  void SetupHeaderBar();
  // Saves score to "highScore.txt" when it beats the best score read at the start and the one
  // there now.
  void SaveHighScore();
  // Loads the picture found for fileName (FindDataFile); on failure prints "<path>: <reason>" on
  // stderr and returns false, leaving the picture empty.
  static bool LoadPicture(ImageData& picture, const char* fileName);

  bool gameOver = false;
  int score = 0;
  int highScore = 0;
  ZarvoTileManager tileManager;
  int state = StateStart;
  // Each cue's sound, loaded from assets/ by InitialiseGame (silent when its file is refused).
  Sound cues[CueCount];

 private:
  // The exit steps, unless already in the exit state: save, "\nGame Exit", and end the loop after
  // this pass.
  void EnterExit();
  // PLAY pressed by a click, a key or a gamepad: its sound, then play.
  void PressPlay();
  // A button without the start picture: gold rim, dark red face, its word in the game's font.
  void DrawPlainButton(const StartButton& button);
  // Reads "highScore.txt" into highScore and prints it.
  void ReadHighScore();

  std::unique_ptr<DisplayableObject> actors[5];
  HighScoreFile record{"highScore.txt"};
};
