// Cached text lines against rendering and blitting with SDL2_ttf on every call: identical whole
// surfaces at every clipped edge, after evictions, on the background, and at extreme positions.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "support/TestSupport.h"

namespace {

using testsupport::FirstDifference;
using testsupport::PixelsOf;

// What DrawString did before lines were cached: render with the solid renderer, blit, free.
void BlitText(SDL_Surface* target, TTF_Font* font, int x, int y, const char* text,
              uint32_t colour) {
  SDL_Surface* rendered = TTF_RenderText_Solid(
      font, text,
      SDL_Color{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                static_cast<Uint8>(colour), 0});
  ASSERT_NE(rendered, nullptr);
  SDL_Rect at{x, y, 0, 0};
  SDL_BlitSurface(rendered, nullptr, target, &at);
  SDL_FreeSurface(rendered);
}

// Noise, so that pixels the text must leave alone are checked too.
void FillNoise(SDL_Surface* surface, uint32_t seed) {
  std::mt19937 random(seed);
  for (int y = 0; y < surface->h; ++y)
    for (int x = 0; x < surface->w; ++x)
      static_cast<uint32_t*>(surface->pixels)[y * (surface->pitch / 4) + x] =
          static_cast<uint32_t>(random());
}

// Copies every pixel of one surface onto another of the same size, unblended.
void CopyPixels(SDL_Surface* from, SDL_Surface* to) {
  for (int y = 0; y < from->h; ++y)
    std::memcpy(static_cast<uint8_t*>(to->pixels) + y * to->pitch,
                static_cast<const uint8_t*>(from->pixels) + y * from->pitch,
                static_cast<size_t>(from->w) * 4);
}

class PerfText : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::StdoutCapture quiet;
    ASSERT_EQ(engine->Initialise("text", 800, 600, "Cornerstone Regular.ttf", 24), 0);
    ASSERT_NE(engine->defaultFont->handle, nullptr);
    font = engine->defaultFont->handle;
  }
  void TearDown() override {
    testsupport::StdoutCapture quiet;
    engine.reset();
  }

  // Draws through the engine and through SDL on two copies of the same noise; true when equal.
  bool SameAsSdl(SDL_Surface* onto, int x, int y, const char* text, uint32_t colour) {
    testsupport::Surface expected(onto->w, onto->h);
    CopyPixels(onto, expected.surface);
    engine->DrawString(x, y, text, colour, nullptr, onto);
    BlitText(expected.surface, font, x, y, text, colour);
    const std::string difference = FirstDifference(PixelsOf(onto), expected.Pixels(), onto->w);
    if (difference.empty())
      return true;
    ADD_FAILURE() << '"' << text << "\" colour " << std::hex << colour << std::dec << " at " << x
                  << ", " << y << ": " << difference;
    return false;
  }

  testsupport::ScratchDirectory dir{true};
  std::unique_ptr<BaseEngine> engine = std::make_unique<BaseEngine>();
  TTF_Font* font = nullptr;
};

}  // namespace

// Every position where the line crosses an edge of a small surface, first drawn (rendered into
// the cache) and then drawn again from it.
TEST_F(PerfText, CachedLinesMatchSdlAtEveryEdge) {
  const char* const kTexts[] = {"Score : 123", "QUENDAL", "High Score : -5", "g"};
  const uint32_t kColours[] = {0xFFFFFF, 0x123456, 0xFF00FF80};
  testsupport::Surface target(150, 40);
  FillNoise(target.surface, 1);
  int failures = 0;
  for (const char* text : kTexts)
    for (uint32_t colour : kColours) {
      int w = 0, h = 0;
      ASSERT_EQ(TTF_SizeText(font, text, &w, &h), 0);
      const int W = 150, H = 40;
      const int xs[] = {-w, -w + 1, -w / 2, -1, 0, 1, W - w - 1, W - w, W - w + 1, W - 1, W};
      const int ys[] = {-h, -h + 1, -h / 2, -1, 0, H - h, H - 1, H};
      for (int round = 0; round < 2; ++round)
        for (int x : xs)
          for (int y : ys)
            if (failures < 5)
              failures += !SameAsSdl(target.surface, x, y, text, colour);
    }
  // Each line was rendered once, for its first draw; every other draw came from the cache.
  EXPECT_EQ(engine->textCache.RenderCount(), 4u * 3u);
}

// More lines than the cache holds, drawn round and round: evicted lines come back identical.
TEST_F(PerfText, LinesEvictedAndRenderedAgainStayIdentical) {
  testsupport::Surface target(220, 60);
  FillNoise(target.surface, 2);
  int failures = 0;
  for (int round = 0; round < 3; ++round)
    for (int score = 0; score < 2 * TextCache::kEntries && failures < 5; ++score) {
      const std::string line = "Score : " + std::to_string(score * 37 - 100);
      failures += !SameAsSdl(target.surface, score % 7 - 3, score % 5 * 9 - 4, line.c_str(),
                             0xFFFFFF - static_cast<uint32_t>(score));
    }
  EXPECT_EQ(engine->textCache.RenderCount(), 3u * 2u * TextCache::kEntries);
}

// The engine's own surfaces: the default target and the background, as the score display uses
// them; and a line too long for the cache, drawn by SDL directly.
TEST_F(PerfText, EngineSurfacesAndLongLinesMatchSdl) {
  FillNoise(engine->screenSurface, 3);
  FillNoise(engine->backgroundSurface, 4);
  testsupport::Surface expected(800, 600);
  CopyPixels(engine->screenSurface, expected.surface);
  for (int frame = 0; frame < 2; ++frame) {
    engine->DrawString(75, 10, "Score : 7", 0xFFFFFF);
    BlitText(expected.surface, font, 75, 10, "Score : 7", 0xFFFFFF);
    engine->DrawString(790, 590, "Score : 7", 0xFFFFFF);
    BlitText(expected.surface, font, 790, 590, "Score : 7", 0xFFFFFF);
  }
  EXPECT_EQ(FirstDifference(PixelsOf(engine->screenSurface), expected.Pixels(), 800), "");
  SameAsSdl(engine->backgroundSurface, 590, 10, "QUENDAL", 0xFFFFFF);
  SameAsSdl(engine->backgroundSurface, 590, 10, "QUENDAL", 0xFFFFFF);
  const std::string longLine(TextCache::kMaxTextLength + 1, 'W');
  SameAsSdl(engine->backgroundSurface, -30, 570, longLine.c_str(), 0x80FF80);
  EXPECT_EQ(engine->textCache.RenderCount(), 2u);
}

// Positions so far off the surface that SDL's own clipping would overflow: nothing is drawn,
// cached or not.
TEST_F(PerfText, ExtremePositionsDrawNothing) {
  testsupport::Surface target(64, 32);
  FillNoise(target.surface, 5);
  const std::vector<uint32_t> before = PixelsOf(target.surface);
  const int kExtremes[] = {INT_MIN, INT_MIN + 1, -1000000000, INT_MAX - 100, INT_MAX - 1, INT_MAX};
  const std::string longLine(TextCache::kMaxTextLength + 5, 'M');
  for (const char* text : {"Score : 123", longLine.c_str()})
    for (int extreme : kExtremes)
      for (int other : {0, 5, extreme}) {
        engine->DrawString(extreme, other, text, 0xFFFFFF, nullptr, target.surface);
        engine->DrawString(other, extreme, text, 0xFFFFFF, nullptr, target.surface);
      }
  EXPECT_EQ(FirstDifference(PixelsOf(target.surface), before, 64), "");
}
