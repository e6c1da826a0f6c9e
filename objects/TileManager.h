// The base class of tile grids: a map of integer values painted as a grid of equal rectangles.
#pragma once
#include <cstdint>

class BaseEngine;
struct SDL_Surface;

// Owns its tiles array (freed in the destructor); whoever replaces tiles frees the old array.
class TileManager {
 public:
  // An empty map with the given cell size.
  TileManager(int tileHeight, int tileWidth);
  virtual ~TileManager();
  TileManager(const TileManager&) = delete;
  TileManager& operator=(const TileManager&) = delete;

  // Paints cell (mapX, mapY) at (screenX, screenY): a grey of (value + mapX + mapY) mod 16 steps.
  virtual void DrawTileAt(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY, int screenX,
                          int screenY);
  // Paints the cell at the given position through DrawTileAt.
  virtual void DrawTile(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY, int screenX,
                        int screenY);
  // Paints the cell at its place in the grid (from baseScreenX, baseScreenY) through DrawTile.
  virtual void DrawTileInGrid(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY);

  // Paints the inclusive range of cells, cell (firstMapX, firstMapY) at (screenX, screenY),
  // through DrawTileAt; the caller keeps the range inside the map.
  void DrawAllTiles(BaseEngine* engine, SDL_Surface* surface, int firstMapX, int firstMapY,
                    int lastMapX, int lastMapY, int screenX, int screenY);

  int* tiles = nullptr;
  int mapWidth = 0;
  int mapHeight = 0;
  int baseScreenX = 0;
  int baseScreenY = 0;
  int tileHeight;
  int tileWidth;
};
