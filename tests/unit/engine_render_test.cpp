// The object list and its passes, and Render's flags, hooks, locking and partial redraw.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "engine/draw/FrameLayout.h"
#include "objects/DisplayableObject.h"
#include "support/Recorder.h"
#include "support/Reference.h"

namespace {

using testsupport::Log;

// An object that logs its calls under a name and runs an optional action after each.
class Probe : public DisplayableObject {
 public:
  Probe(BaseEngine* engine, Log* log, std::string name)
      : DisplayableObject(engine), log(log), name(std::move(name)) {}
  void Update(int time) override { Note("update " + std::to_string(time)); }
  void Draw() override { Note("draw"); }
  void Undraw() override { Note("undraw"); }

  std::function<void()> action;

 private:
  void Note(const std::string& what) {
    log->push_back(name + " " + what);
    if (action)
      action();
  }
  Log* log;
  std::string name;
};

const Log kFullFrame = {"render full", "underlay-1", "underlay-2", "draw-pass", "overlay"};
const Log kPartialFrame = {"render part", "undraw-pass", "after-undraw", "underlay-1",
                           "underlay-2",  "draw-pass",   "overlay"};

}  // namespace

// An initialised recorder that logs the render hooks.
class EngineRender : public testsupport::RecorderTest {
 protected:
  void SetUp() override {
    RecorderTest::SetUp();
    engine.hooks = true;
  }
};

TEST(EngineObjects, PassesStopWhenTheListChanges) {
  BaseEngine engine;
  Log log;
  Probe first(&engine, &log, "A"), second(&engine, &log, "B"), third(&engine, &log, "C");
  engine.AddObject(&first);
  engine.AddObject(nullptr);
  engine.AddObject(&second);
  EXPECT_EQ(engine.objects, std::vector<DisplayableObject*>({&first, &second}));
  EXPECT_EQ(engine.objectsChanged, 0);

  engine.objectsChanged = 1;  // set between passes: cleared before the next pass visits anything
  engine.DrawObjects();
  engine.UndrawObjects();
  first.action = [&] {
    engine.ClearObjects();
    engine.AddObject(&third);
  };
  engine.UpdateObjects(7);
  first.action = nullptr;
  engine.UpdateObjects(8);
  third.action = [&] { engine.objectsChanged = 1; };
  engine.AddObject(&second);
  engine.DrawObjects();
  engine.UndrawObjects();
  EXPECT_EQ(log, Log({"A draw", "B draw", "A undraw", "B undraw", "A update 7", "C update 8",
                      "C draw", "C undraw"}));
  engine.ResetObjectList();
  engine.objectsChanged = 1;
  engine.UpdateObjects(9);
  EXPECT_EQ(engine.objectsChanged, 0);
  EXPECT_EQ(log.size(), 8u);
}

TEST(EngineObjects, ResetObjectListEmptiesEvenWhenClearObjectsDoesNot) {
  class KeepingEngine : public BaseEngine {
   public:
    void ClearObjects() override { ++clears; }
    int clears = 0;
  };
  KeepingEngine engine;
  DisplayableObject object(&engine);
  engine.AddObject(&object);
  engine.ResetObjectList();
  EXPECT_EQ(engine.clears, 1);
  EXPECT_TRUE(engine.objects.empty());
}

// No frame without needsRedraw; a full one copies the background; a frame asked for by the overlay
// is a partial one on the next Render. Nothing is locked on a surface that needs no lock.
TEST_F(EngineRender, FlagsDecideWhetherAndHowAFrameIsBuilt) {
  testsupport::Canvas canvas(engine, 800, 600);
  canvas.Noise(1);
  engine.needsRedraw = false;
  engine.Render();
  EXPECT_EQ(engine.log, Log({"render idle"}));
  EXPECT_TRUE(engine.needsFullRedraw);
  EXPECT_EQ(canvas.Difference(), "");

  engine.log.clear();
  engine.needsRedraw = true;
  engine.Render();
  EXPECT_EQ(engine.log, kFullFrame);
  EXPECT_FALSE(engine.needsRedraw || engine.needsFullRedraw);
  testsupport::ReferenceBackgroundCopy(canvas.screenTwin.surface, canvas.backgroundTwin.surface, 0,
                                       0, 800, 600);
  EXPECT_EQ(canvas.Difference(), "");

  engine.log.clear();
  engine.overlayAsksForFrame = true;
  engine.needsRedraw = true;
  engine.Render();
  EXPECT_EQ(engine.log, kPartialFrame);
  EXPECT_TRUE(engine.needsRedraw && !engine.needsFullRedraw && !engine.surfaceLocked);
}

// A partial redraw erases each square where it was drawn and draws it where it is now; the rest
// of the previous frame stays, including squares that reach past the edges.
TEST_F(EngineRender, PartialRedrawErasesMovedSquaresFromTheBackground) {
  testsupport::Canvas canvas(engine, 800, 600);
  canvas.Noise(2);
  DisplayableObject objects[3] = {DisplayableObject(&engine), DisplayableObject(&engine),
                                  DisplayableObject(&engine)};
  const int moves[3][4] = {{100, 100, 105, 103}, {795, -5, -5, 595}, {400, 596, 400, 606}};
  for (int i = 0; i < 3; ++i) {
    objects[i].currentX = moves[i][0];
    objects[i].currentY = moves[i][1];
    engine.AddObject(&objects[i]);
  }
  engine.Render();
  canvas.screen.At(400, 300) = 0xABCDEF;
  engine.needsRedraw = true;
  engine.log.clear();
  for (int i = 0; i < 3; ++i) {
    objects[i].currentX = moves[i][2];
    objects[i].currentY = moves[i][3];
  }
  engine.Render();
  EXPECT_EQ(engine.log, kPartialFrame);
  // Expected: the background, the pixel set between the frames, the squares where they are now.
  SDL_Surface* twin = canvas.screenTwin.surface;
  testsupport::ReferenceBackgroundCopy(twin, canvas.backgroundTwin.surface, 0, 0, 800, 600);
  canvas.screenTwin.At(400, 300) = 0xABCDEF;
  for (int i = 0; i < 3; ++i)
    testsupport::ReferenceRectangle(twin, moves[i][2], moves[i][3], moves[i][2] + 9,
                                    moves[i][3] + 9, 0xFF00FF);
  EXPECT_EQ(canvas.Difference(), "");
}

// A screen surface that must be locked is locked around the hooks and objects, then unlocked.
TEST_F(EngineRender, LockIsHeldAroundHooksWhenTheSurfaceNeedsIt) {
  SDL_Surface* own = engine.screenSurface;
  testsupport::EncodedSurface encoded(800, 600);
  engine.screenSurface = encoded.surface;
  engine.Render();
  engine.needsRedraw = true;
  engine.Render();
  engine.screenSurface = own;
  EXPECT_EQ(encoded.surface->locked, 0);
  EXPECT_FALSE(engine.surfaceLocked);
  EXPECT_EQ(engine.log, Log({"render full", "underlay-1*", "underlay-2*", "draw-pass*", "overlay*",
                             "render part", "undraw-pass*", "after-undraw*", "underlay-1*",
                             "underlay-2*", "draw-pass*", "overlay*"}));
}

// Each frame reaches the window whole: one of noise, another where every row changed, then one
// where only the first and the last rows did.
TEST_F(EngineRender, FramesReachTheWindowWhole) {
  testsupport::Canvas canvas(engine, 800, 600);
  std::vector<uint32_t> shown(800 * 600);
  for (int frame = 1; frame <= 3; ++frame) {
    if (frame < 3)
      canvas.Noise(frame);
    canvas.background.At(5, 0) = canvas.background.At(7, 599) = 0x123456 * frame;
    engine.needsRedraw = engine.needsFullRedraw = true;
    engine.Render();
    ASSERT_EQ(SDL_RenderReadPixels(engine.renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.data(),
                                   800 * 4),
              0);
    std::vector<uint32_t> expected = testsupport::PixelsOf(canvas.background.surface);
    for (size_t i = 0; i < shown.size(); ++i) {
      shown[i] &= 0xFFFFFF;
      expected[i] &= 0xFFFFFF;
    }
    EXPECT_EQ(testsupport::FirstDifference(shown, expected, 800), "") << "frame " << frame;
  }
}

// Each row of tests/tables/layout.tsv. A frame placed by its row is drawn by ScaleRows in two
// parts; every pixel of the area then shows what a press there reaches: the game pixel under it,
// or the bar's colour.
TEST(FrameLayoutTable, PlaceDrawingAndPointsAgree) {
  for (const auto& row : testsupport::Table("layout.tsv", 5)) {
    SCOPED_TRACE(row[0] + " on " + row[1] + " " + row[2] + " " + row[3]);
    int game[2], area[2], points[2] = {0, 0}, point[2] = {0, 0};
    std::sscanf(row[0].c_str(), "%dx%d", &game[0], &game[1]);
    std::sscanf(row[1].c_str(), "%dx%d", &area[0], &area[1]);
    std::sscanf(row[2].c_str(), "%dx%d", &points[0], &points[1]);
    std::sscanf(row[3].c_str(), "%d,%d", &point[0], &point[1]);
    const quendal::FrameLayout layout =
        quendal::FrameLayout::Fit(game[0], game[1], area[0], area[1]);
    std::ostringstream got;
    if (row[2] != "-") {
      int x = 0, y = 0;
      const bool onFrame = layout.ToGame(point[0], point[1], points[0], points[1], x, y);
      got << x << " " << y << " " << onFrame;
      EXPECT_EQ(got.str(), row[4]);
      continue;
    }
    const quendal::PixelRect& f = layout.frame;
    got << f.x << " " << f.y << " " << f.width << " " << f.height << " " << layout.scale;
    EXPECT_EQ(got.str(), row[4]);
    std::vector<uint32_t> source(static_cast<size_t>(game[0]) * game[1]);
    for (size_t i = 0; i < source.size(); ++i)
      source[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    std::vector<uint32_t> target(static_cast<size_t>(area[0]) * area[1], 0xFF000000u);
    const quendal::PixelBuffer from{source.data(), game[0], game[1], game[0]};
    const quendal::PixelBuffer to{target.data(), area[0], area[1], area[0]};
    quendal::ScaleRows(from, game[1] / 2, game[1], to, f);
    quendal::ScaleRows(from, 0, game[1] / 2, to, f);
    int wrong = 0;
    for (int y = 0; y < area[1]; ++y)
      for (int x = 0; x < area[0]; ++x) {
        int gameX = 0, gameY = 0;
        const bool onFrame = layout.ToGame(x, y, area[0], area[1], gameX, gameY);
        const uint32_t want =
            onFrame ? source[static_cast<size_t>(gameY) * game[0] + gameX] : 0xFF000000u;
        wrong += target[static_cast<size_t>(y) * area[0] + x] != want;
      }
    EXPECT_EQ(wrong, 0);
  }
}
