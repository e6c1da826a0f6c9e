// Building, painting and breaking the wall of bricks.
#include "BrickWall.h"

#include "BricksGame.h"
#include "engine/BaseEngine.h"

namespace {
// One colour per row, top to bottom, with the lighter shade of its top edge.
constexpr uint32_t kRowColours[BrickWall::kRows] = {0xC83C3C, 0xE07830, 0xE0B830,
                                                    0x58B848, 0x3890D0, 0x8058C8};
constexpr uint32_t kRowEdges[BrickWall::kRows] = {0xF08080, 0xF8B070, 0xF8E090,
                                                  0x98E088, 0x80C8F8, 0xB898F0};
constexpr uint32_t kBand = 0xF4F0E8;
}  // namespace

BrickWall::BrickWall() : TileManager(24, 80) {
  mapWidth = kColumns;
  mapHeight = kRows;
  tiles = new int[kColumns * kRows];
  baseScreenY = kTop;
  Build();
}

void BrickWall::Build() {
  for (int i = 0; i < kColumns * kRows; ++i)
    tiles[i] = i < 2 * kColumns ? 2 : 1;
  bricksLeft = kColumns * kRows;
}

void BrickWall::Paint(BaseEngine* engine, SDL_Surface* surface) {
  DrawAllTiles(engine, surface, 0, 0, kColumns - 1, kRows - 1, baseScreenX, baseScreenY);
}

bool BrickWall::FindBrick(int x, int y, int width, int height, int& mapX, int& mapY) const {
  for (int row = 0; row < kRows; ++row)
    for (int column = 0; column < kColumns; ++column) {
      const int left = baseScreenX + column * tileWidth, top = baseScreenY + row * tileHeight;
      if (tiles[row * kColumns + column] > 0 && x < left + tileWidth && left < x + width &&
          y < top + tileHeight && top < y + height) {
        mapX = column;
        mapY = row;
        return true;
      }
    }
  return false;
}

int BrickWall::Hit(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY) {
  if (--tiles[mapY * kColumns + mapX] == 0)
    --bricksLeft;
  DrawTileInGrid(engine, surface, mapX, mapY);
  return bricksLeft;
}

void BrickWall::DrawTileAt(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY,
                           int screenX, int screenY) {
  const int right = screenX + tileWidth - 1, bottom = screenY + tileHeight - 1;
  engine->DrawRectangle(screenX, screenY, right, bottom, BricksGame::kBackground, surface);
  const int value = tiles[mapY * kColumns + mapX];
  if (value == 0)
    return;
  engine->DrawRectangle(screenX + 2, screenY + 2, right - 2, bottom - 2, kRowColours[mapY],
                        surface);
  engine->DrawRectangle(screenX + 2, screenY + 2, right - 2, screenY + 4, kRowEdges[mapY], surface);
  if (value > 1)
    engine->DrawRectangle(screenX + 8, screenY + 10, right - 8, screenY + 13, kBand, surface);
}
