// The engine base class: window, surfaces, event loop, tick, object list, drawing, text and sound.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio/SoundStream.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FramePresenter.h"
#include "engine/replay/RecordedEvent.h"
#include "engine/replay/RecordingWriter.h"
#include "engine/text/FontManager.h"
#include "engine/text/TextCache.h"

union SDL_Event;
struct SDL_Surface;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
class DisplayableObject;

// A game subclasses BaseEngine and overrides its virtual operations; the engine calls them
// virtually everywhere. Coordinates are window pixels; colours are 0x00RRGGBB pixel values.
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
  // Key handlers: keyCode is SDL's key code; the key table is already updated.
  virtual void KeyUp(int keyCode);
  virtual void KeyDown(int keyCode);
  // Mouse handlers in window coordinates; button is SDL's button number.
  virtual void MouseMoved(int x, int y);
  virtual void MouseDown(int button, int x, int y);
  virtual void MouseUp(int button, int x, int y);
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

  // Reads the options every game on the engine takes, before Initialise:
  //   --record FILE      write every input event handed to the game, with the updates before it;
  //   --replay FILE      feed a recording's events in at the same updates instead of live input;
  //   --headless         no window (SDL's dummy video driver);
  //   --fast             a virtual clock: no pass ever waits;
  //   --screenshot FILE  save the last frame drawn as a PNG when the program ends;
  //   --audio-out FILE   write the whole sound stream as a 48 kHz stereo 16-bit WAV file;
  //   --mute             no sound from the audio device (the --audio-out stream is unaffected).
  // --headless also plays to SDL's dummy audio driver unless SDL_AUDIODRIVER names another.
  // A recording to replay is read and checked here. On an unknown option, a missing FILE, a bad
  // recording, a recording or sound file that cannot be created, or a sound file named where
  // something other than a regular file stands, prints one line on stderr and returns false: the
  // program then exits with status 2, before any window opens.
  bool ReadCommandLine(int argc, char** argv);
  // Opens the standard streams, SDL, the fonts, the window, renderer, texture and surfaces, then
  // opens the audio device (without one the game is silent, after a line on stderr), then
  // calls InitialiseGame. Returns 0, or 1 after printing "Unable to init SDL: %s\n" on stderr when
  // any part fails; when no display can be used, the line also names DISPLAY's value. The
  // default font is fontFile at fontSize; an installed engine opens its own font instead when
  // fontFile is null or empty or cannot be opened (at 24 points when fontSize is not positive).
  int Initialise(const char* title, int width, int height, const char* fontFile, int fontSize);
  // Runs passes until a quit event or exitCode leaves -1; returns 0 (at once when it is not -1).
  int MainLoop();
  // One pass: currentTick from the clock, the queued events, TickAction, Render. False when the
  // loop must end: a quit event, or exitCode other than -1 after the pass. Only TickAction waits.
  bool RunPass();
  // Calls CleanUp and releases the key table.
  void Deinitialise();

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
  // The updates TickAction has run.
  int updateCount = 0;
  // The mixer, the audio device and the --audio-out file.
  quendal::SoundStream soundStream;

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
  // Set after each pass's Render while a frame is still asked for (the frame asked for the next
  // one itself, or a game's Render drew none): such a request lets the next tick wait.
  bool frameAskedByFrame = false;
  // Input events handed to the handlers.
  int eventCount = 0;

  // Replays the events due at this pass, ignoring live input but a window close; false when the
  // run must end (a quit, or the recording ran out before the program ended).
  bool ReplayEvents();
  // The end of a run: the recording's last line and close, the screenshot. Runs once.
  void EndRun();
  // Writes screenSurface as an opaque PNG; false after a message on stderr.
  bool SaveScreenshot(const char* file);

  quendal::RecordingWriter recording;
  std::string recordingFile;
  std::vector<quendal::RecordedEvent> replayEvents;
  size_t replayNext = 0;
  std::string replayFile;
  std::string screenshotFile;
  std::string audioOutFile;
  bool headless = false;
  bool runEnded = false;
  quendal::VirtualClock fastClock;
  // Set by RunPass around Render when only the last frame asked for a frame and no event or
  // update came since: the frame would be the same, so none is drawn.
  bool frameWouldRepeat = false;
};
