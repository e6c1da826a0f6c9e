// The tile manager's grid painting and its default grey cells.
#include "objects/TileManager.h"

#include "engine/core/BaseEngine.h"

using namespace quendal;

TileManager::TileManager(int tileHeight, int tileWidth)
    : tileHeight(tileHeight), tileWidth(tileWidth) {}

TileManager::~TileManager() {
  delete[] tiles;
  tiles = nullptr;
}

void TileManager::DrawTileAt(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY,
                             int screenX, int screenY) {
  const int value = tiles[mapY * mapWidth + mapX];
  const uint32_t shade = static_cast<uint32_t>(((value + mapX + mapY) % 16 + 16) % 16);
  engine->DrawRectangle(screenX, screenY, screenX + tileWidth - 1, screenY + tileHeight - 1,
                        shade * 0x101010u, surface);
}

void TileManager::DrawTile(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY,
                           int screenX, int screenY) {
  DrawTileAt(engine, surface, mapX, mapY, screenX, screenY);
}

void TileManager::DrawTileInGrid(BaseEngine* engine, SDL_Surface* surface, int mapX, int mapY) {
  DrawTile(engine, surface, mapX, mapY, baseScreenX + mapX * tileWidth,
           baseScreenY + mapY * tileHeight);
}

void TileManager::DrawAllTiles(BaseEngine* engine, SDL_Surface* surface, int firstMapX,
                               int firstMapY, int lastMapX, int lastMapY, int screenX,
                               int screenY) {
  for (int mapX = firstMapX, i = 0; mapX <= lastMapX; ++mapX, ++i)
    for (int mapY = firstMapY, j = 0; mapY <= lastMapY; ++mapY, ++j)
      DrawTileAt(engine, surface, mapX, mapY, screenX + i * tileWidth, screenY + j * tileHeight);
}
