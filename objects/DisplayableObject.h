// The base class of everything on the engine's object list: position, covered rectangle, hooks.
#pragma once

class BaseEngine;

// An object drawn, undrawn and updated by the engine's passes; the engine does not own it.
class DisplayableObject {
 public:
  // Keeps the engine (not owned); position and previous position -1, a 10 x 10 rectangle.
  explicit DisplayableObject(BaseEngine* engine);
  virtual ~DisplayableObject();
  // Paints a magenta square over the covered rectangle, clipped to the screen, then records it.
  virtual void Draw();
  // Restores the background over the rectangle covered at the last Draw.
  virtual void Undraw();
  // Advances the object by one tick; the default does nothing.
  virtual void Update(int currentTime);
  // Returns 0.
  virtual int Query(int);

  // Records the current position as the one last drawn.
  void StoreLastPosition();

  BaseEngine* engine;
  int currentX = -1;
  int currentY = -1;
  int previousX = -1;
  int previousY = -1;
  int drawOffsetX = 0;
  int drawOffsetY = 0;
  int drawWidth = 10;
  int drawHeight = 10;
};
