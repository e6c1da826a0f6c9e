// The object list, its three passes, frame rendering and the background operations.
#include <SDL.h>

#include <cstring>

#include "engine/core/BaseEngine.h"
#include "engine/draw/PixelRows.h"
#include "objects/DisplayableObject.h"

using namespace quendal;

void BaseEngine::AddObject(DisplayableObject* object) {
  if (object != nullptr)
    objects.push_back(object);
}

void BaseEngine::ResetObjectList() {
  ClearObjects();
  objects.clear();
}

// Each pass visits the list as it stood when the pass started and stops once objectsChanged is set.
void BaseEngine::UpdateObjects(int time) {
  objectsChanged = 0;
  for (size_t i = 0, count = objects.size(); i < count; ++i) {
    objects[i]->Update(time);
    if (objectsChanged)
      return;
  }
}

void BaseEngine::UndrawObjects() {
  objectsChanged = 0;
  for (size_t i = 0, count = objects.size(); i < count; ++i) {
    objects[i]->Undraw();
    if (objectsChanged)
      return;
  }
}

void BaseEngine::DrawObjects() {
  objectsChanged = 0;
  for (size_t i = 0, count = objects.size(); i < count; ++i) {
    objects[i]->Draw();
    if (objectsChanged)
      return;
  }
}

bool BaseEngine::LockScreen() {
  if (!SDL_MUSTLOCK(screenSurface))
    return true;
  surfaceLocked = true;
  if (SDL_LockSurface(screenSurface) < 0) {
    surfaceLocked = false;
    return false;
  }
  return true;
}

void BaseEngine::UnlockScreen() {
  if (SDL_MUSTLOCK(screenSurface))
    SDL_UnlockSurface(screenSurface);
  surfaceLocked = false;
}

void BaseEngine::Render() {
  if (screenSurface == nullptr)
    return;
  if (!needsRedraw || frameWouldRepeat) {
    presenter.Refresh(renderer, screenTexture);
    return;
  }
  needsRedraw = false;
  if (needsFullRedraw) {
    needsFullRedraw = false;
    if (!LockScreen())
      return;
    size_t screenBytes = static_cast<size_t>(screenSurface->pitch) * screenSurface->h;
    size_t backgroundBytes = static_cast<size_t>(backgroundSurface->pitch) * backgroundSurface->h;
    std::memcpy(screenSurface->pixels, backgroundSurface->pixels,
                screenBytes < backgroundBytes ? screenBytes : backgroundBytes);
  } else {
    if (!LockScreen())
      return;
    UndrawObjects();
    DrawAfterUndraw();
  }
  DrawUnderlayFirst();
  DrawUnderlaySecond();
  DrawObjects();
  DrawOverlay();
  UnlockScreen();
  presenter.Show(renderer, screenTexture, screenSurface);
}

void BaseEngine::FillBackground(uint32_t colour) {
  SDL_Rect whole{0, 0, screenWidth, screenHeight};
  SDL_FillRect(backgroundSurface, &whole, colour);
}

void BaseEngine::CopyBackgroundPixels(int x, int y, int width, int height) {
  PixelBuffer background = BufferOf(backgroundSurface);
  PixelBuffer screen = BufferOf(screenSurface);
  PixelCopy copy;
  if (ClipCopy(x, y, background.width, background.height, x, y, screen.width, screen.height, width,
               height, copy))
    CopyRows(background.pixels, background.stride, screen, copy);
}
