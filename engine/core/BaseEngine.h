// The engine base class: window, surfaces, event loop, tick, object list, drawing, text and sound.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio/SoundStream.h"
#include "engine/core/Random.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FramePresenter.h"
#include "engine/platform/FullscreenToggle.h"
#include "engine/platform/Gamepads.h"
#include "engine/replay/EventTape.h"
#include "engine/replay/RecordedEvent.h"
#include "engine/replay/RecordingWriter.h"
#include "engine/storage/OutputFile.h"
#include "engine/text/FontManager.h"
#include "engine/text/TextCache.h"

union SDL_Event;
struct SDL_Surface;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
class DisplayableObject;

// A game subclasses BaseEngine and overrides its virtual operations; the engine calls them
// virtually everywhere. Coordinates are game pixels (the window shows the frame scaled to fit);
// colours are 0x00RRGGBB pixel values.
class BaseEngine {
 public:
  // The font table's types, named here so that a game's own code reaches them unqualified.
  using Font = quendal::Font;
  using FontManager = quendal::FontManager;
  using Sound = quendal::Sound;

  // Sets the fields to their start values; touches no SDL.
  BaseEngine();
  // Empties the object list without deleting the objects and closes the fonts.
  virtual ~BaseEngine();
  BaseEngine(const BaseEngine&) = delete;
  BaseEngine& operator=(const BaseEngine&) = delete;

  // Empties the object list (objects are not deleted) and sets objectsChanged.
  virtual void ClearObjects();
  // currentTick + timeOffset.
  virtual int GetTime();
  // Key handlers: keyCode is SDL's key code; the key table is already updated, and keyRepeat is
  // set while KeyDown runs for a held key's repeat. F11 and Alt+Enter (press and release) are
  // the engine's, toggling fullscreen: they reach no handler.
  virtual void KeyUp(int keyCode);
  virtual void KeyDown(int keyCode);
  // Mouse handlers in game pixels, whatever the window's size; button is SDL's button number. A
  // motion or press on the bars around the frame reaches no handler; a release there comes at the
  // nearest pixel of the frame's edge.
  virtual void MouseMoved(int x, int y);
  virtual void MouseDown(int button, int x, int y);
  virtual void MouseUp(int button, int x, int y);
  // The wheel turned: dy > 0 away from the player, dx > 0 to the right, whatever the system's
  // scrolling direction. Empty by default.
  virtual void MouseWheel(int dx, int dy);
  // Gamepad handlers, empty by default. pad numbers a gamepad for as long as it stays connected:
  // the lowest number free when it came (0 for the first); button and axis are SDL's
  // SDL_GameControllerButton and SDL_GameControllerAxis, value from -32768 to 32767 (triggers 0
  // up). The state queries below are already updated. A gamepad that goes away first releases
  // what it held (its buttons up, its axes to 0), then reports itself disconnected.
  virtual void GamepadConnected(int pad, bool connected);
  virtual void GamepadButton(int pad, int button, bool down);
  virtual void GamepadAxis(int pad, int axis, int value);
  // The window lost the focus, or was minimised or hidden (a recorded input: "focuslost"); does
  // nothing by default.
  virtual void WindowLeft();
  // The game's set-up, called last by Initialise; the default sets up objects and background.
  virtual int InitialiseGame();
  // Called first by Deinitialise.
  virtual void CleanUp();
  // Builds the object list; the default empties it.
  virtual int InitialiseObjects();
  // Paints backgroundSurface; the default fills it yellow.
  virtual void SetupBackgroundBuffer();
  // Runs UpdateObjects(currentTick) once currentTick has reached nextTickTime, then sets
  // nextTickTime 15 ms on: a late pass runs one update. When no update is due it first waits on
  // the clock until nextTickTime or an event and reads currentTick again; it does not wait while
  // exitCode is set or a frame asked for since the last Render is pending. A due time more than
  // 15 ms ahead (the clock went back) is brought to 15 ms ahead, so the game never freezes.
  virtual void TickAction();
  // Render hooks, empty by default: after the undraw of a partial redraw, before and after objects.
  virtual void DrawAfterUndraw();
  virtual void DrawUnderlaySecond();
  virtual void DrawOverlay();
  virtual void DrawUnderlayFirst();
  // Builds and presents a frame when needsRedraw is set (a full one when needsFullRedraw is set).
  virtual void Render();
  // Passes over the object list in order; a pass stops when objectsChanged is set after a call.
  virtual void UndrawObjects();
  virtual void DrawObjects();
  virtual void UpdateObjects(int time);
  // Fills the whole backgroundSurface with the colour.
  virtual void FillBackground(uint32_t colour);

  // Reads the options every game on the engine takes (OptionsHelp lists them), before Initialise.
  // A recording to replay is read and checked here, and the files to write are started
  // (OutputFile): each is refused unless a regular file or nothing stands there that the program
  // may write, and when it is a file the game keeps (KeepFile), the recording replayed or the
  // other output. On an unknown option, a missing FILE, a bad recording or a refused output,
  // prints one line on stderr and returns false: the program then exits with status 2, before
  // any window opens. A FILE that is empty or starts with "--" counts as missing, and a recording
  // to replay is held to RecordingReader's limits. --audio-out FILE writes the whole sound stream
  // as a 48 kHz stereo 16-bit WAV file, --mute silences the audio device only, and --headless
  // also plays to SDL's dummy audio driver unless SDL_AUDIODRIVER names another. The outputs
  // replace their files only when whole, at the end of the run; one that cannot be saved is named on stderr and the program exits with status 1. From here
  // on a write past the file-size limit is an error, not the end of the program.
  bool ReadCommandLine(int argc, char** argv);
  // The same for a game with options of its own: the arguments the engine does not take, and all
  // after "--", are left in gameArguments in their order for the game to read.
  bool ReadCommandLine(int argc, char** argv, std::vector<std::string>& gameArguments);
  // The engine's options, a line each ("  --fast  ...\n"), for a game's help text.
  static const char* OptionsHelp();
  // Names a file the game keeps (its best score, say), so that ReadCommandLine never writes an
  // output over it; call it before ReadCommandLine.
  void KeepFile(const std::string& path);
  // Opens the standard streams, SDL, the fonts, the window (resizable, at (10, 40)), its renderer
  // and texture (none where frames go to the window's own surface) and the surfaces, then
  // InitialiseGame. A --scale whose window fits no display is brought down to the largest that
  // fits, saying so in one line on stderr. Returns 0, or 1 after printing "Unable to init SDL:
  // %s\n" on stderr when any part fails; when no display can be used, the line also names
  // DISPLAY's value. --scale and --fullscreen do nothing headless. The default font is fontFile
  // at fontSize; an installed engine opens its own font instead when fontFile is null or empty or
  // cannot be opened (at 24 points when fontSize is not positive).
  int Initialise(const char* title, int width, int height, const char* fontFile, int fontSize);
  // Runs passes until a quit event or exitCode leaves -1 (none when it is not -1 already), ends
  // the run (the recording and the screenshot put in place), then returns ExitStatus().
  int MainLoop();
  // 0, or 1 once an output the program was asked for could not be saved: the recording or the
  // screenshot of the command line, or a SaveScreenshot.
  int ExitStatus() const { return outputLost ? 1 : 0; }
  // One pass: currentTick from the clock, the queued events, TickAction, Render. False when the
  // loop must end: a quit event, or exitCode other than -1 after the pass. Only TickAction waits.
  bool RunPass();
  // Calls CleanUp and releases the key table.
  void Deinitialise();

  // After Initialise, saves the last frame drawn as an opaque PNG that replaces file whole
  // (OutputFile); false after "<file>: not saved: <reason>" on stderr, which makes ExitStatus() 1.
  bool SaveScreenshot(const char* file);
  // Loads the sound found for fileName (FindDataFile). On failure prints "<path>: <reason>" on
  // stderr and returns false, the sound left silent.
  bool LoadSound(Sound& sound, const char* fileName);
  // Starts the sound at volume 0..1 on one of 16 voices (see quendal::Mixer::Play). The stream is
  // mixed after each update, 720 frames (15 ms at 48 kHz) a time: a sound started during update N
  // begins at sample N x 720 of the stream, one started by input handled after update N at
  // (N + 1) x 720.
  void PlaySound(const Sound& sound, float volume = 1.0f);
  // Silences every sound playing.
  void StopSounds();
  // The volume of the whole mix, 0..1; 1 at first.
  void SetMasterVolume(float volume);
  // Silences the audio device's output, or brings it back; the --audio-out stream is unaffected.
  void SetMuted(bool muted);
  bool IsMuted() const;

  // Whether the key is held; valid between Initialise and Deinitialise.
  bool IsKeyPressed(int keyCode) const;
  // Folds an SDL key code into 0..255 (codes below 128 index themselves, negative ones give 0).
  static int KeyCodeToIndex(int keyCode);
  // Whether the key is held now, for every SDL key code (modifiers and keypad included): the
  // exact key, not its entry of the 256-entry table.
  bool IsKeyHeld(int keyCode) const;
  // Whether the key went down (repeats aside), or up, since the last update ran; forgotten as
  // each update's UpdateObjects returns.
  bool WasKeyPressed(int keyCode) const;
  bool WasKeyReleased(int keyCode) const;
  // Gamepad state by pad number: false or 0 for a pad not connected.
  bool IsGamepadConnected(int pad) const { return gamepads.IsConnected(pad); }
  bool IsGamepadButtonHeld(int pad, int button) const;
  // An axis's value as the last event gave it.
  int GamepadAxisValue(int pad, int axis) const { return gamepads.AxisValue(pad, axis); }
  // An axis's value with the dead zone taken out: 0 while its size is below gamepadDeadZone.
  int GamepadStick(int pad, int axis) const;

  // Appends an object (not owned); null is ignored.
  void AddObject(DisplayableObject* object);
  // Calls ClearObjects, then empties the list whatever the override did.
  void ResetObjectList();
  // Copies a rectangle of backgroundSurface to the same place on screenSurface, clipped to both.
  void CopyBackgroundPixels(int x, int y, int width, int height);

  // Fills the ellipse inscribed in the inclusive box, corners in any order, clipped to the
  // surface (null means screenSurface). A box of zero width or height draws nothing.
  void DrawOval(int x1, int y1, int x2, int y2, uint32_t colour, SDL_Surface* surface = nullptr);
  // Draws the border of what DrawOval fills: its pixels with a neighbour above, below, left or
  // right outside it. Clipped as DrawOval.
  void DrawOvalOutline(int x1, int y1, int x2, int y2, uint32_t colour,
                       SDL_Surface* surface = nullptr);
  // Fills the inclusive box, corners in any order, clipped to the surface (null: screenSurface).
  void DrawRectangle(int x1, int y1, int x2, int y2, uint32_t colour,
                     SDL_Surface* surface = nullptr);
  // Draws the one-pixel border of the box DrawRectangle fills; clipped the same way.
  void DrawRectangleOutline(int x1, int y1, int x2, int y2, uint32_t colour,
                            SDL_Surface* surface = nullptr);
  // Draws the line from (x1, y1) to (x2, y2), both ends included, clipped to the surface (null:
  // screenSurface). A line at least as wide as tall has one pixel a column, in the row nearest the
  // true line; a taller one has one pixel a row, in the nearest column. Halfway, the lower row or
  // the column to the right wins, so either end may come first.
  void DrawLine(int x1, int y1, int x2, int y2, uint32_t colour, SDL_Surface* surface = nullptr);
  // Fills the triangle with these corners, in any order: the pixels whose centres lie inside it or
  // on its edges, clipped to the surface (null: screenSurface). Corners on one line fill the
  // pixels on the segment between the outer two.
  void DrawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour,
                    SDL_Surface* surface = nullptr);
  // Sets the pixel (x, y) when it lies on the surface (null: screenSurface).
  void DrawPixel(int x, int y, uint32_t colour, SDL_Surface* surface = nullptr);
  // The palette colour of index 0..40; 0xCCCCCC for any other index.
  static uint32_t GetColour(int index);
  // Draws text with its top-left corner at (x, y), clipped to the surface (null: screenSurface)
  // with the font (null: defaultFont). A missing font or empty text draws nothing. Each byte is
  // one character (Latin-1).
  void DrawString(int x, int y, const char* text, uint32_t colour, Font* font = nullptr,
                  SDL_Surface* surface = nullptr);
  // The width and height of the line DrawString draws for this text and font.
  struct TextSize {
    int width = 0;
    int height = 0;
  };
  // The size of the rectangle DrawString covers with the text in the font (null: defaultFont),
  // clipping aside: 0 x 0 where it draws nothing (no font, null or empty text). A line DrawString
  // drew lately is answered from the text cache, others from SDL2_ttf without rendering.
  TextSize MeasureString(const char* text, Font* font = nullptr);
  // The distance from one line's top to the next's in the font (null: defaultFont); 0 without one.
  int GetLineHeight(Font* font = nullptr) const;

  int exitCode = -1;
  uint8_t* keyStates = nullptr;
  int screenWidth = 0;
  int screenHeight = 0;
  SDL_Surface* screenSurface = nullptr;
  SDL_Surface* backgroundSurface = nullptr;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* screenTexture = nullptr;
  int currentTick = 0;
  int timeOffset = 0;
  bool needsRedraw = true;
  bool needsFullRedraw = true;
  int nextTickTime = 0;
  int mouseDownX = 0;
  int mouseDownY = 0;
  int mouseUpX = 0;
  int mouseUpY = 0;
  int mouseX = 0;
  int mouseY = 0;
  Font* defaultFont = nullptr;
  int objectsChanged = 0;
  std::vector<DisplayableObject*> objects;
  FontManager fontManager;
  bool surfaceLocked = false;
  // Lines already rendered by DrawString, drawn again without SDL2_ttf.
  quendal::TextCache textCache;
  // The loop's time source (not owned); the engine's own SDL clock unless a game or test sets one.
  quendal::Clock* clock = &sdlClock;
  // The updates TickAction has run (64 bits: no run lasts long enough to overflow it).
  int64_t updateCount = 0;
  // The mixer, the audio device and the --audio-out file.
  quendal::SoundStream soundStream;
  // Set while KeyDown runs for a repeat of a held key.
  bool keyRepeat = false;
  // Stick values nearer 0 than this read as 0 through GamepadStick.
  int gamepadDeadZone = 8000;
  // The engine's dice, seeded once a run: by --seed, by the recording replayed (0 when it names
  // no seed), or afresh; a recording keeps the seed, so its replay draws the same numbers.
  quendal::Random random{quendal::Random::FreshSeed()};

 protected:
  // Handles one pass's queue, axis motions last, merged a value an axis; returns false when a
  // quit event was met.
  bool HandleEvents();
  // Hands one event to its handler (keys, mouse, wheel, gamepads in pad numbers) or to the
  // presenter (window); false for a quit.
  bool Dispatch(const SDL_Event& event);
  // Locks screenSurface when it must be locked; false (with surfaceLocked clear) if that fails.
  bool LockScreen();
  void UnlockScreen();

  quendal::SdlClock sdlClock;
  quendal::FramePresenter presenter;
  quendal::Gamepads gamepads;

 private:
  // Reads the command line; arguments not taken are left in gameArguments, or refused when null.
  bool ReadOptions(int argc, char** argv, std::vector<std::string>* gameArguments);
  // Set after each pass's Render while a frame is still asked for (the frame asked for the next
  // one itself, or a game's Render drew none): such a request lets the next tick wait.
  bool frameAskedByFrame = false;
  // Input events handed to the handlers.
  int64_t eventCount = 0;

  // Gives the game the clock of an event handled or, with update, of an update: in a replay of a
  // version 2 recording the recorded one, else currentTick; records it when it is not the one
  // expected (the last clock given, or for an update the due time when that is later).
  void StampTime(bool update);
  // The clock the game was last given, the due time of the next update on the game's clock, and
  // the replayed clock given by a time line not yet used.
  int gameTime = 0;
  int expectedTick = 0;
  int replayedTime = 0;
  bool timeGiven = false;
  // Whether the game's clock comes from the recording replayed (version 2).
  bool replayTime = false;
  // The pass's clock, which paces the updates while the game's clock is replayed.
  int passTick = 0;
  // The version the recording is written in: a replay of a version 1 recording keeps 1.
  int recordingVersion = 2;
  // Keys held, and keys pressed and released since the last update (SDL key codes).
  std::vector<int> heldKeys;
  std::vector<int> pressedKeys;
  std::vector<int> releasedKeys;
  // Records and hands a gamepad event to the state and its handler; false when it is not applied.
  void DispatchPad(const SDL_Event& event);
  // Keeps the held, pressed and released keys of a key event.
  void NoteKey(const SDL_Event& event);

  // Takes the engine's own keys (F11, Alt+Enter: fullscreen on and off) and their releases; true
  // for an event taken.
  bool TakeWindowKey(const SDL_Event& event);
  // Brings a mouse event's window point to game pixels; false when it falls on the bars and must
  // reach no handler.
  bool ToGamePixels(SDL_Event& event);
  // The scale the window opens at: the one asked for, or the largest whose window fits a display.
  int OpeningScale();
  // Replays the events due at this pass, ignoring live input but a window close; false when the
  // run must end (a quit, or the recording ran out before the program ended).
  bool ReplayEvents();
  // Set once a replay has handled the events of the update its end line names: that pass draws
  // its frame without another update and ends the run.
  bool replayOver = false;
  // The end of a run: the recording's last line and close, the screenshot. Runs once.
  void EndRun();
  // Why an output may not be written (a kept file, the recording replayed, and for the screenshot
  // the recording's file), or null when it may.
  const char* OutputClash(const std::string& file) const;
  // Writes screenSurface as an opaque PNG into the started file and puts it in place; false
  // after saying why on stderr.
  bool WriteScreenshot(quendal::OutputFile& file);
  // Says on stderr that the output was not saved, and why; ExitStatus() becomes 1.
  void NotSaved(const std::string& file, const std::string& why);

  quendal::RecordingWriter recording;
  std::string recordingFile;
  quendal::EventTape replayEvents;
  // Just past the last event replayed.
  quendal::EventTape::Cursor replayNext;
  std::string replayFile;
  std::string screenshotFile;
  std::string audioOutFile;
  quendal::OutputFile screenshot;
  std::vector<std::string> keptFiles;
  bool outputLost = false;
  bool headless = false;
  int windowScale = 1;
  bool fullscreen = false;
  // The key whose press was taken by TakeWindowKey: its release is taken too.
  int takenKey = 0;
  quendal::FullscreenToggle fullscreenToggle;
  bool runEnded = false;
  quendal::VirtualClock fastClock;
  // Set by RunPass around Render when only the last frame asked for a frame and no event or
  // update came since: the frame would be the same, so none is drawn.
  bool frameWouldRepeat = false;
};
