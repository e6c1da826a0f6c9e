// The game: states, input, start and play screens, score display and the best score on record.
#pragma once
#include <memory>

#include "engine/BaseEngine.h"
#include "engine/replay/EventTape.h"
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
  // Escape (27) enters the exit state from every other state; P pauses and resumes play; M mutes
  // or unmutes the sound; Enter or Space on the start screen presses PLAY. A key during the demo
  // only ends it (Escape then quits as well).
  void KeyDown(int keyCode) override;
  // On the start screen, any mouse button inside kPlayButton starts play, inside kExitButton exits;
  // either sounds the button; a press during the demo only ends it.
  void MouseDown(int button, int x, int y) override;
  // Motion counts as input: the start screen's idle time starts again.
  void MouseMoved(int x, int y) override;
  // Pauses play (not the demo) when the player leaves the window; P resumes it.
  void WindowLeft() override;
  // Runs the demo's events due, then, unless paused, the actors; on the start screen, starts the
  // demo once kIdleUpdates have passed without input.
  void UpdateObjects(int time) override;
  // A gamepad's A or Start on the start screen presses PLAY; Start in play pauses and resumes; a
  // button during the demo only ends it.
  void GamepadButton(int pad, int button, bool down) override;
  // The sounds loaded, score and best score 0, the start picture in the background, then the start state.
  int InitialiseGame() override;
  // Puts the two backgrounds, the player and the two balls on the list; returns 5.
  int InitialiseObjects() override;
  // Black background, with "assets/bg.jpg" over it on the start screen; where the picture does not
  // cover the window, plain buttons are drawn over their rectangles.
  void SetupBackgroundBuffer() override;
  // During play: the score lines on the screen, the title in the background, a full redraw asked.
  void DrawOverlay() override;

  // Pauses or resumes play: while paused no actor moves and "PAUSED" shows over the frozen frame.
  // Outside play it does nothing.
  void TogglePause();
  // Ends the demo, if one is showing: back to the idle start screen, as the game opened.
  void StopDemo();
  // Whether sounds must stay silent: paused, or showing the demo.
  bool Quiet() const { return paused || demo; }

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

  // The updates without input after which the start screen shows the demo (30 s).
  static constexpr int64_t kIdleUpdates = 2000;

  bool gameOver = false;
  int score = 0;
  int highScore = 0;
  ZarvoTileManager tileManager;
  int state = StateStart;
  // Each cue's sound, loaded from assets/ by InitialiseGame (silent when its file is refused).
  Sound cues[CueCount];
  bool paused = false;
  // Set while the demo plays: its game prints nothing, saves nothing and takes no live input.
  bool demo = false;

 private:
  // The exit steps, unless already in the exit state: save, "\nGame Exit", and end the loop after
  // this pass.
  void EnterExit();
  // Draws label and value as a header line in white at (left, 10), kept clear of right.
  void DrawClipped(int left, int right, const char* label, int value);
  // PLAY pressed by a click, a key or a gamepad: its sound, then play.
  void PressPlay();
  // A panel over the rectangle on the surface: gold rim, dark red face, its word in the game's
  // font (start buttons without the start picture, and the labels over play).
  void DrawPanel(const StartButton& panel, SDL_Surface* surface);
  // Prints a console line, unless the demo plays.
  void Say(const char* text) const;
  // Game keys and mouse presses, as from the player or the demo.
  void HandleKey(int keyCode);
  void HandlePress(int x, int y);
  // Reads the demo recording (FindDataFile) and starts its game; stays on the start screen when
  // it cannot be read.
  void StartDemo();
  // Hands the demo's events of this update to the game; the end of the recording ends it.
  void FeedDemo();
  // Reads "highScore.txt" into highScore and prints it.
  void ReadHighScore();

  std::unique_ptr<DisplayableObject> actors[5];
  // The update of the last input, from which the start screen's idle time counts.
  int64_t idleSince = 0;
  // The demo's events, where their reading stands, and the updates its game has run.
  quendal::EventTape demoEvents;
  quendal::EventTape::Cursor demoNext;
  int64_t demoUpdates = 0;
  HighScoreFile record{"highScore.txt"};
};
