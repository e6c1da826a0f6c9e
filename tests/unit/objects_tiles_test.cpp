// The tile manager: which cells a range paints, where, in which order, and the default greys.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "objects/TileManager.h"
#include "support/Reference.h"
#include "support/TestSupport.h"

// A 3x2 map of 7-wide, 5-high cells painted over 0xABCDEF; a cell's grey is (value + mapX + mapY)
// mod 16 steps of 0x101010.
TEST(ObjectsTiles, RangesPaintGreyCellsFromTheGivenCorner) {
  const uint32_t kGreys[2][3] = {{0x505050, 0x101010, 0x707070}, {0x000000, 0x101010, 0x505050}};
  const int cases[][6] = {{0, 0, 2, 1, 0, 0}, {0, 0, 2, 1, 3, 4},   {1, 1, 1, 1, 10, 20},
                          {0, 0, 0, 0, 0, 0}, {1, 0, 2, 1, 50, 40}, {2, 0, 1, 1, 0, 0},
                          {0, 1, 2, 0, 0, 0}, {0, 0, 2, 1, 60, 45}};
  BaseEngine engine;
  TileManager tiles(5, 7);
  tiles.mapWidth = 3;
  tiles.mapHeight = 2;
  tiles.tiles = new int[6]{5, 0, 5, 15, 15, 2};
  tiles.baseScreenX = tiles.baseScreenY = 30;
  for (const auto& [firstX, firstY, lastX, lastY, screenX, screenY] : cases) {
    SCOPED_TRACE(testing::Message() << firstX << "," << firstY << " .. " << lastX << "," << lastY
                                    << " at " << screenX << "," << screenY);
    testsupport::GuardedSurface surface(64, 48, 0, 0xABCDEF);
    std::vector<uint32_t> expected = testsupport::PixelsOf(surface.surface);
    for (int y = screenY; y < 48; ++y)
      for (int x = screenX; x < 64; ++x) {
        const int mapX = firstX + (x - screenX) / 7, mapY = firstY + (y - screenY) / 5;
        if (mapX <= lastX && mapY <= lastY)
          expected[y * 64 + x] = kGreys[mapY][mapX];
      }
    tiles.DrawAllTiles(&engine, surface.surface, firstX, firstY, lastX, lastY, screenX, screenY);
    EXPECT_EQ(testsupport::FirstDifference(testsupport::PixelsOf(surface.surface), expected, 64),
              "");
  }
  testsupport::GuardedSurface surface(64, 48, 0, 0);
  tiles.tiles[5] = 30;
  tiles.DrawAllTiles(&engine, surface.surface, 2, 1, 2, 1, 0, 0);
  EXPECT_EQ(surface.At(6, 4), 0x101010u) << "(30 + 2 + 1) mod 16";
}

// Logs the cells that DrawAllTiles, DrawTileInGrid and DrawTile hand to DrawTileAt.
TEST(ObjectsTiles, CellsGoColumnByColumnThroughTheVirtualCellPainter) {
  class LoggingTiles : public TileManager {
   public:
    LoggingTiles() : TileManager(5, 7) {}
    void DrawTileAt(BaseEngine*, SDL_Surface*, int mapX, int mapY, int screenX,
                    int screenY) override {
      log.push_back(std::to_string(mapX) + "," + std::to_string(mapY) + "@" +
                    std::to_string(screenX) + "," + std::to_string(screenY));
    }
    std::vector<std::string> log;
  };
  LoggingTiles tiles;
  tiles.baseScreenX = 100;
  tiles.baseScreenY = 200;
  tiles.DrawAllTiles(nullptr, nullptr, 1, 2, 2, 4, 10, 20);
  tiles.DrawTileInGrid(nullptr, nullptr, 3, 1);
  tiles.DrawTile(nullptr, nullptr, 0, 0, -4, -5);
  EXPECT_EQ(tiles.log,
            std::vector<std::string>({"1,2@10,20", "1,3@10,25", "1,4@10,30", "2,2@17,20",
                                      "2,3@17,25", "2,4@17,30", "3,1@121,205", "0,0@-4,-5"}));
}
