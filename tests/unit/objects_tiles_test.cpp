// The tile manager: which cells a range paints, where, in which order, and the default greys.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "objects/TileManager.h"
#include "support/TestSupport.h"

namespace {

using testsupport::FirstDifference;

constexpr uint32_t kUnpainted = 0x00ABCDEF;

// A 3x2 map of 7-wide, 5-high cells.
class ObjectsTiles : public testing::Test {
 protected:
  ObjectsTiles() {
    tiles.mapWidth = 3;
    tiles.mapHeight = 2;
    tiles.tiles = new int[6]{5, 0, 5, 15, 15, 2};
  }

  // The grey of cell (mapX, mapY): (value + mapX + mapY) mod 16 steps of 0x101010.
  uint32_t Grey(int mapX, int mapY) const {
    return static_cast<uint32_t>((tiles.tiles[mapY * 3 + mapX] + mapX + mapY) % 16) * 0x101010;
  }

  // The surface after painting cells first..last at (screenX, screenY), by per-pixel lookup.
  std::vector<uint32_t> Reference(int firstX, int firstY, int lastX, int lastY, int screenX,
                                  int screenY) const {
    std::vector<uint32_t> pixels(64 * 48, kUnpainted);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        if (x < screenX || y < screenY)
          continue;
        const int mapX = firstX + (x - screenX) / 7, mapY = firstY + (y - screenY) / 5;
        if (mapX <= lastX && mapY <= lastY)
          pixels[y * 64 + x] = Grey(mapX, mapY);
      }
    return pixels;
  }

  testsupport::Surface surface{64, 48, kUnpainted};
  BaseEngine engine;
  TileManager tiles{5, 7};
};

// Logs the cells that DrawAllTiles hands to DrawTileAt.
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

}  // namespace

TEST_F(ObjectsTiles, RangesPaintTheirCellsFromTheGivenCorner) {
  struct Case {
    int firstX, firstY, lastX, lastY, screenX, screenY;
  };
  const Case cases[] = {
      {0, 0, 2, 1, 0, 0},  {0, 0, 2, 1, 3, 4},   {1, 1, 1, 1, 10, 20}, {0, 0, 0, 0, 0, 0},
      {1, 0, 2, 1, 50, 40}, {2, 0, 1, 1, 0, 0},  {0, 1, 2, 0, 0, 0},   {0, 0, 2, 1, 60, 45},
  };
  tiles.baseScreenX = 30;
  tiles.baseScreenY = 30;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.firstX << "," << c.firstY << " .. " << c.lastX << ","
                                    << c.lastY << " at " << c.screenX << "," << c.screenY);
    SDL_FillRect(surface.surface, nullptr, kUnpainted);
    tiles.DrawAllTiles(&engine, surface.surface, c.firstX, c.firstY, c.lastX, c.lastY, c.screenX,
                       c.screenY);
    EXPECT_EQ(FirstDifference(surface.Pixels(),
                              Reference(c.firstX, c.firstY, c.lastX, c.lastY, c.screenX,
                                        c.screenY),
                              64),
              "");
  }
}

TEST_F(ObjectsTiles, DefaultGreysWrapModuloSixteen) {
  // Value + mapX + mapY: (0,0) 5, (1,0) 1, (2,0) 7, (0,1) 16, (1,1) 17, (2,1) 5.
  const uint32_t expected[2][3] = {{0x505050, 0x101010, 0x707070}, {0x000000, 0x101010, 0x505050}};
  tiles.DrawAllTiles(&engine, surface.surface, 0, 0, 2, 1, 0, 0);
  for (int mapY = 0; mapY < 2; ++mapY)
    for (int mapX = 0; mapX < 3; ++mapX)
      EXPECT_EQ(surface.At(mapX * 7 + 3, mapY * 5 + 2), expected[mapY][mapX])
          << mapX << "," << mapY;
  tiles.tiles[5] = 30;
  tiles.DrawAllTiles(&engine, surface.surface, 2, 1, 2, 1, 0, 0);
  EXPECT_EQ(surface.At(6, 4), 0x101010u);
}

TEST(ObjectsTileOrder, CellsGoColumnByColumnThroughTheVirtualCellPainter) {
  LoggingTiles tiles;
  tiles.baseScreenX = 100;
  tiles.baseScreenY = 200;
  tiles.DrawAllTiles(nullptr, nullptr, 1, 2, 2, 4, 10, 20);
  tiles.DrawTileInGrid(nullptr, nullptr, 3, 1);
  tiles.DrawTile(nullptr, nullptr, 0, 0, -4, -5);
  EXPECT_EQ(tiles.log, std::vector<std::string>({"1,2@10,20", "1,3@10,25", "1,4@10,30",
                                                 "2,2@17,20", "2,3@17,25", "2,4@17,30",
                                                 "3,1@121,205", "0,0@-4,-5"}));
}
