// The object list and its passes, Render's flags, hooks and locking, and the background copy.
#include <gtest/gtest.h>

#include <SDL.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/BaseEngine.h"
#include "objects/DisplayableObject.h"
#include "support/TestSupport.h"

namespace {

using Log = std::vector<std::string>;
using testsupport::FirstDifference;
using testsupport::PixelsOf;

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

// Logs the render hooks and passes, marking with '*' those that ran with surfaceLocked set.
class RenderRecorder : public BaseEngine {
 public:
  void UndrawObjects() override { Note("undraw-pass", [this] { BaseEngine::UndrawObjects(); }); }
  void DrawObjects() override { Note("draw-pass", [this] { BaseEngine::DrawObjects(); }); }
  void DrawAfterUndraw() override { Note("after-undraw", [] {}); }
  void DrawUnderlayFirst() override { Note("underlay-1", [] {}); }
  void DrawUnderlaySecond() override { Note("underlay-2", [] {}); }
  void DrawOverlay() override {
    Note("overlay", [] {});
    if (overlayAsksForFrame)
      needsRedraw = true;
  }

  Log log;
  bool overlayAsksForFrame = false;

 private:
  void Note(const char* name, const std::function<void()>& pass) {
    log.push_back(std::string(name) + (surfaceLocked ? "*" : ""));
    pass();
  }
};

const Log kFullFrame = {"underlay-1", "underlay-2", "draw-pass", "overlay"};
const Log kPartialFrame = {"undraw-pass", "after-undraw", "underlay-1",
                           "underlay-2",  "draw-pass",    "overlay"};

// A background whose every pixel differs from its neighbours.
void PaintPattern(SDL_Surface* surface) {
  for (int y = 0; y < surface->h; ++y)
    for (int x = 0; x < surface->w; ++x)
      static_cast<uint32_t*>(surface->pixels)[y * (surface->pitch / 4) + x] =
          static_cast<uint32_t>(x * 0x010305 + y * 0x070100) & 0xFFFFFF;
}

// An initialised recording engine.
class EngineRender : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(engine.Initialise("render", 800, 600, nullptr, 24), 0); }

  testsupport::ScratchDirectory dir{true};
  RenderRecorder engine;
};

}  // namespace

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
  Log log;
  Probe object(&engine, &log, "A");
  engine.AddObject(&object);
  engine.AddObject(&object);
  engine.ResetObjectList();
  EXPECT_EQ(engine.clears, 1);
  EXPECT_TRUE(engine.objects.empty());
}

TEST_F(EngineRender, FlagsDecideWhetherAndHowAFrameIsBuilt) {
  PaintPattern(engine.backgroundSurface);
  SDL_FillRect(engine.screenSurface, nullptr, 0x123456);
  engine.needsRedraw = false;
  engine.Render();
  EXPECT_EQ(engine.log, Log());
  EXPECT_TRUE(engine.needsFullRedraw);
  EXPECT_EQ(PixelsOf(engine.screenSurface), std::vector<uint32_t>(800 * 600, 0x123456));

  engine.needsRedraw = true;
  engine.Render();
  EXPECT_EQ(engine.log, kFullFrame);
  EXPECT_FALSE(engine.needsRedraw || engine.needsFullRedraw);
  EXPECT_EQ(
      FirstDifference(PixelsOf(engine.screenSurface), PixelsOf(engine.backgroundSurface), 800), "");

  engine.log.clear();
  engine.Render();
  EXPECT_EQ(engine.log, Log());

  engine.overlayAsksForFrame = true;
  engine.needsRedraw = true;
  engine.Render();
  EXPECT_EQ(engine.log, kPartialFrame);
  EXPECT_TRUE(engine.needsRedraw);
  EXPECT_FALSE(engine.needsFullRedraw);
  EXPECT_FALSE(engine.surfaceLocked);
}

// A partial redraw erases each square where it was drawn and draws it where it is now; the rest
// of the previous frame stays, including squares that reach past the edges.
TEST_F(EngineRender, PartialRedrawErasesMovedSquaresFromTheBackground) {
  PaintPattern(engine.backgroundSurface);
  DisplayableObject inside(&engine), corner(&engine), edge(&engine);
  struct Move {
    DisplayableObject* object;
    int fromX, fromY, toX, toY;
  };
  const Move moves[] = {{&inside, 100, 100, 105, 103}, {&corner, 795, -5, -5, 595},
                        {&edge, 400, 596, 400, 606}};
  for (const Move& move : moves) {
    move.object->currentX = move.fromX;
    move.object->currentY = move.fromY;
    engine.AddObject(move.object);
  }
  engine.Render();
  for (const Move& move : moves) {
    move.object->currentX = move.toX;
    move.object->currentY = move.toY;
  }
  static_cast<uint32_t*>(engine.screenSurface->pixels)[300 * 800 + 400] = 0xABCDEF;
  engine.needsRedraw = true;
  engine.log.clear();
  engine.Render();
  EXPECT_EQ(engine.log, kPartialFrame);

  std::vector<uint32_t> expected = PixelsOf(engine.backgroundSurface);
  expected[300 * 800 + 400] = 0xABCDEF;
  for (const Move& move : moves)
    for (int y = move.toY; y < move.toY + 10; ++y)
      for (int x = move.toX; x < move.toX + 10; ++x)
        if (x >= 0 && x < 800 && y >= 0 && y < 600)
          expected[y * 800 + x] = 0xFF00FF;
  EXPECT_EQ(FirstDifference(PixelsOf(engine.screenSurface), expected, 800), "");
}

// A screen surface that must be locked is locked around the hooks and objects, and only then.
TEST_F(EngineRender, LockIsHeldAroundHooksOnlyWhenTheSurfaceNeedsIt) {
  engine.Render();
  engine.needsRedraw = true;
  engine.Render();
  EXPECT_EQ(engine.log.size(), kFullFrame.size() + kPartialFrame.size());
  for (const std::string& entry : engine.log)
    EXPECT_EQ(entry.find('*'), std::string::npos) << entry;

  SDL_Surface* own = engine.screenSurface;
  SDL_Surface* encoded = SDL_CreateRGBSurface(0, 800, 600, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  testsupport::Surface scratch(8, 8);
  SDL_SetSurfaceRLE(encoded, 1);
  SDL_BlitSurface(encoded, nullptr, scratch.surface, nullptr);
  ASSERT_TRUE(SDL_MUSTLOCK(encoded));
  engine.screenSurface = encoded;
  engine.log.clear();
  engine.needsRedraw = engine.needsFullRedraw = true;
  engine.Render();
  engine.needsRedraw = true;
  engine.Render();
  engine.screenSurface = own;
  EXPECT_EQ(encoded->locked, 0);
  SDL_FreeSurface(encoded);
  EXPECT_FALSE(engine.surfaceLocked);
  EXPECT_EQ(engine.log, Log({"underlay-1*", "underlay-2*", "draw-pass*", "overlay*",
                             "undraw-pass*", "after-undraw*", "underlay-1*", "underlay-2*",
                             "draw-pass*", "overlay*"}));
}

TEST(EngineBackgroundCopy, CopyIsClippedToBothSurfaces) {
  struct Case {
    int x, y, width, height;
  };
  const Case cases[] = {
      {5, 6, 10, 7},        {-3, -4, 10, 10},     {60, 40, 10, 10},      {-20, 10, 200, 3},
      {10, -20, 3, 200},    {64, 0, 5, 5},        {0, 48, 5, 5},         {-5, 0, 5, 5},
      {0, -5, 5, 5},        {3, 3, 0, 9},         {3, 3, 9, 0},          {3, 3, -4, 9},
      {0, 0, 64, 48},       {INT_MIN, 0, INT_MAX, 10}, {-10, 0, INT_MAX, 10},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {0, INT_MIN, 5, INT_MAX},
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {-1, -1, INT_MAX, INT_MAX},
      {63, 47, INT_MAX, INT_MAX},
  };
  for (const int width : {64, 800}) {
    const int height = width * 3 / 4;
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << width << ": " << c.x << ", " << c.y << ", " << c.width
                                      << ", " << c.height);
      testsupport::Surface screen(width, height, 0x00AA00), background(width, height);
      PaintPattern(background.surface);
      BaseEngine engine;
      testsupport::LentSurfaces lent(engine, screen.surface, background.surface);
      engine.CopyBackgroundPixels(c.x, c.y, c.width, c.height);
      std::vector<uint32_t> expected(static_cast<size_t>(width) * height, 0x00AA00);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          if (x >= c.x && x < int64_t{c.x} + c.width && y >= c.y && y < int64_t{c.y} + c.height)
            expected[y * width + x] = background.At(x, y);
      EXPECT_EQ(FirstDifference(screen.Pixels(), expected, width), "");
    }
  }
}
