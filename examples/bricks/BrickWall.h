// The wall of bricks: a tile grid whose value is the number of hits a brick still takes.
#pragma once
#include "objects/TileManager.h"

// Cells hold 0 (no brick), 1 or 2; the grid is painted onto the background surface.
class BrickWall : public TileManager {
 public:
  static constexpr int kColumns = 10;
  static constexpr int kRows = 6;
  static constexpr int kTop = 80;  // screen y of the first row

  BrickWall();
  // Puts every brick back: the two top rows take two hits, the others one.
  void Build();
  // Paints the whole wall onto the surface.
  void Paint(BaseEngine* engine, SDL_Surface* surface);
  // The first brick overlapping the box (x, y, width, height); false when there is none.
  bool FindBrick(int x, int y, int width, int height, int& mapX, int& mapY) const;
  // Takes one hit off the brick and repaints its cell; returns the bricks left in the wall.
  int Hit(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY);

  // A brick with its row's colour, a lighter top edge and, while it takes two hits, a band.
  void DrawTileAt(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY, int screenX,
                  int screenY) override;

 private:
  int bricksLeft = 0;
};
