// The game's tile grid and its palette painting.
#include "game/ZarvoTileManager.h"

#include "engine/BaseEngine.h"

ZarvoTileManager::ZarvoTileManager() : TileManager(50, 267) {}

void ZarvoTileManager::DrawPaletteTile(BaseEngine* engine, SDL_Surface*, int mapX, int mapY,
                                       int screenX, int screenY) {
  engine->DrawRectangle(screenX, screenY, screenX + tileWidth - 1, screenY + tileHeight - 1,
                        BaseEngine::GetColour(tiles[mapY * mapWidth + mapX]),
                        engine->backgroundSurface);
}
