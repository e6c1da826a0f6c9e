// The game's tile grid: cells 267 pixels wide and 50 high, used for the header bar.
#pragma once
#include "objects/TileManager.h"

class ZarvoTileManager : public TileManager {
 public:
  // An empty grid of 267 x 50 cells.
  ZarvoTileManager();
  // Paints the cell's rectangle in the palette colour of its value, always onto backgroundSurface.
  virtual void DrawPaletteTile(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY,
                               int screenX, int screenY);
};
