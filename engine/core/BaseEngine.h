// The engine base class: window, surfaces, event loop, tick, object list, drawing and text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/platform/Clock.h"
#include "engine/platform/FramePresenter.h"
#include "engine/platform/FullscreenToggle.h"
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
  // Key handlers: keyCode is SDL's key code; the key table is already updated. F11 and
  // Alt+Enter (press and release) are the engine's, toggling fullscreen: they reach no handler.
  virtual void KeyUp(int keyCode);
  virtual void KeyDown(int keyCode);
  // Mouse handlers in game pixels, whatever the window's size; button is SDL's button number. A
  // motion or press on the bars around the frame reaches no handler; a release there comes at the
  // nearest pixel of the frame's edge.
  virtual void MouseMoved(int x, int y);
  virtual void MouseDown(int button, int x, int y);
  virtual void MouseUp(int button, int x, int y);
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
  // to replay is held to RecordingReader's limits. The outputs replace their files only when whole, at the end of the run;
  // one that cannot be saved is named on stderr and the program exits with status 1. From here
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
  // and texture (none where frames go to the window's own surface) and the surfaces, then calls
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

  // Whether the key is held; valid between Initialise and Deinitialise.
  bool IsKeyPressed(int keyCode) const;
  // Folds an SDL key code into 0..255 (codes below 128 index themselves, negative ones give 0).
  static int KeyCodeToIndex(int keyCode);

  // Appends an object (not owned); null is ignored.
  void AddObject(DisplayableObject* object);
  // Calls ClearObjects, then empties the list whatever the override did.
  void ResetObjectList();
  // Copies a rectangle of backgroundSurface to the same place on screenSurface, clipped to both.
  void CopyBackgroundPixels(int x, int y, int width, int height);

  // Fills the ellipse inscribed in the inclusive box, corners in any order, clipped to the
  // surface (null means screenSurface). A box of zero width or height draws nothing.
  void DrawOval(int x1, int y1, int x2, int y2, uint32_t colour, SDL_Surface* surface = nullptr);
  // Fills the inclusive box, corners in any order, clipped to the surface (null: screenSurface).
  void DrawRectangle(int x1, int y1, int x2, int y2, uint32_t colour,
                     SDL_Surface* surface = nullptr);
  // The palette colour of index 0..40; 0xCCCCCC for any other index.
  static uint32_t GetColour(int index);
  // Draws text with its top-left corner at (x, y), clipped to the surface (null: screenSurface)
  // with the font (null: defaultFont). A missing font or empty text draws nothing.
  void DrawString(int x, int y, const char* text, uint32_t colour, Font* font = nullptr,
                  SDL_Surface* surface = nullptr);

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

 protected:
  // Handles one pass's queue; returns false when a quit event was met.
  bool HandleEvents();
  // Hands one event to its handler (keys and mouse) or to the presenter (window); false for a quit.
  bool Dispatch(const SDL_Event& event);
  // Locks screenSurface when it must be locked; false (with surfaceLocked clear) if that fails.
  bool LockScreen();
  void UnlockScreen();

  quendal::SdlClock sdlClock;
  quendal::FramePresenter presenter;

 private:
  // Reads the command line; arguments not taken are left in gameArguments, or refused when null.
  bool ReadOptions(int argc, char** argv, std::vector<std::string>* gameArguments);
  // Set after each pass's Render while a frame is still asked for (the frame asked for the next
  // one itself, or a game's Render drew none): such a request lets the next tick wait.
  bool frameAskedByFrame = false;
  // Input events handed to the handlers.
  int64_t eventCount = 0;

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
