// DrawString, cached or not, against SDL2_ttf's solid rendering and a blit, on guarded surfaces;
// the font table's lookup, growth and console lines.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/BaseEngine.h"
#include "engine/text/FontManager.h"
#include "support/Reference.h"
#include "support/TestSupport.h"

using namespace quendal;

namespace {

using testsupport::Canvas;
using testsupport::DrawCall;
using testsupport::kFont;
using testsupport::StdoutCapture;

// A DrawString call.
DrawCall Text(int x, int y, const std::string& text, uint32_t colour, bool onBackground = false) {
  return {DrawCall::kText, x, y, 0, 0, 0, 0, onBackground, colour, text};
}

}  // namespace

// An engine initialised with the default font at 24 points, destroyed quietly.
class EngineText : public testing::Test {
 protected:
  void SetUp() override {
    StdoutCapture quiet;
    ASSERT_EQ(engine->Initialise("text", 800, 600, kFont, 24), 0);
    ASSERT_NE(engine->defaultFont->handle, nullptr);
  }
  void TearDown() override {
    StdoutCapture quiet;
    engine.reset();
  }

  testsupport::ScratchDirectory dir{true};
  std::unique_ptr<BaseEngine> engine = std::make_unique<BaseEngine>();
};

// Every position where a line crosses an edge, on the screen (the default target), on the
// background, and inside a clip rectangle that starts away from the corner: each line is rendered
// once, for its first draw, and drawn from the cache after.
TEST_F(EngineText, CachedLinesMatchTheModelAtEveryEdge) {
  Canvas canvas(*engine, 150, 40, 2);
  canvas.Noise(1);
  const SDL_Rect clip{7, 3, 120, 30};
  int failures = 0;
  for (const char* text : {"Score : 123", "QUENDAL", "g"})
    for (uint32_t colour : {0xFFFFFFu, 0x123456u, 0xFF00FF80u}) {
      int w = 0, h = 0;
      ASSERT_EQ(TTF_SizeText(engine->defaultFont->handle, text, &w, &h), 0);
      for (int target = 0; target < 3; ++target) {
        SDL_SetClipRect(canvas.screen.surface, target == 2 ? &clip : nullptr);
        SDL_SetClipRect(canvas.screenTwin.surface, target == 2 ? &clip : nullptr);
        for (int x : {INT_MIN, -w, -w + 1, -1, 0, 1, 6, 7, 150 - w, 150 - w + 1, 149, INT_MAX})
          for (int y : {INT_MIN, -h, -h + 1, -1, 0, 2, 3, 40 - h, 39, INT_MAX}) {
            const std::string difference = canvas.Draw(Text(x, y, text, colour, target == 1));
            EXPECT_EQ(difference, "");
            if (!difference.empty() && ++failures == 5)
              return;
          }
      }
    }
  EXPECT_EQ(engine->textCache.RenderCount(), 3u * 3u);
}

// Draws in order (text, colour, font size) and the lines rendered so far: a line is keyed by
// text, colour and font, lines up to the length limit are cached and longer ones are not, and a
// full cache gives up the line drawn longest ago.
TEST_F(EngineText, CacheTable) {
  struct Row {
    std::string text;
    uint32_t colour;
    int size;
    uint64_t renders;
  };
  const std::string longest(63, '.');  // the longest line the cache holds
  const int entries = 16;              // the lines it holds
  std::vector<Row> rows = {{"A", 0xFFFFFF, 24, 1},           {"A", 0xFFFFFF, 24, 1},
                           {"A", 0xFF0000, 24, 2},           {"A", 0xFFFFFF, 30, 3},
                           {longest, 0xFFFFFF, 24, 4},       {longest, 0xFFFFFF, 24, 4},
                           {longest + ".", 0xFFFFFF, 24, 4}, {longest + ".", 0xFFFFFF, 24, 4}};
  for (int line = 0; line < entries - 4; ++line)
    rows.push_back({std::to_string(line), 0xFFFFFF, 24, 5u + line});
  const uint64_t full = entries;
  rows.insert(rows.end(), {{"A", 0xFFFFFF, 24, full},
                           {"B", 0xFFFFFF, 24, full + 1},
                           {"A", 0xFFFFFF, 24, full + 1},
                           {"A", 0xFF0000, 24, full + 2}});
  Canvas canvas(*engine, 800, 60);
  canvas.Noise(2);
  Font* const standard = engine->defaultFont;
  for (size_t i = 0; i < rows.size(); ++i) {
    {
      StdoutCapture quiet;
      engine->defaultFont = rows[i].size == 24 ? standard : engine->fontManager.GetFont(kFont, 30);
    }
    EXPECT_EQ(canvas.Draw(Text(int(i % 3), int(i % 5), rows[i].text, rows[i].colour)), "");
    EXPECT_EQ(engine->textCache.RenderCount(), rows[i].renders) << "row " << i;
  }
  engine->defaultFont = standard;
}

// MeasureString gives the size of the line DrawString renders (Canvas::Draw checks it after each
// draw), the same before the line is cached as after; bytes that are no UTF-8 are Latin-1
// characters. Where nothing is drawn it gives 0 x 0, and without a font the line height is 0.
TEST_F(EngineText, MeasureTable) {
  Canvas canvas(*engine, 200, 40);
  canvas.Noise(4);
  TTF_Font* const font = engine->defaultFont->handle;
  for (const std::string& text : {std::string(""), std::string("Score : 123"), std::string(" "),
                                  std::string("\xC3\x28 \xFF\xFE\x80"), std::string(5000, 'W')}) {
    const BaseEngine::TextSize before = engine->MeasureString(text.c_str());
    int width = 0, height = 0;
    EXPECT_FALSE(engine->textCache.Size(font, text.c_str(), width, height));
    EXPECT_EQ(canvas.Draw(Text(3, 4, text, 0xFFFFFF)), "");
    const BaseEngine::TextSize after = engine->MeasureString(text.c_str());
    EXPECT_EQ(std::vector({before.width, before.height}), std::vector({after.width, after.height}));
    EXPECT_EQ(engine->textCache.Size(font, text.c_str(), width, height),
              !text.empty() && text.size() < 64);
  }
  EXPECT_EQ(engine->GetLineHeight(), 28);  // the font's line skip at 24 points
  Font* missing = nullptr;
  {
    StdoutCapture quiet;
    missing = engine->fontManager.GetFont("missing.ttf", 24);
  }
  const BaseEngine::TextSize none[] = {engine->MeasureString(nullptr),
                                       engine->MeasureString("Score", missing)};
  engine->defaultFont = nullptr;
  for (const BaseEngine::TextSize& size : none)
    EXPECT_EQ(std::vector({size.width, size.height}), std::vector({0, 0}));
  EXPECT_EQ(engine->MeasureString("Score").width + engine->GetLineHeight(), 0);
}

// Empty text, a missing font or no default font draws nothing and says nothing.
TEST_F(EngineText, NothingForEmptyTextOrMissingFont) {
  Font* missing = nullptr;
  {
    StdoutCapture out;
    missing = engine->fontManager.GetFont("missing.ttf", 24);
    EXPECT_EQ(out.Text(), "Loading font: 24 point missing.ttf\nFont loading failed.\n");
  }
  testsupport::GuardedSurface target(100, 48, 0, 0x0000FF);
  StdoutCapture out;
  engine->DrawString(5, 5, "", 0x00FF00, nullptr, target.surface);
  engine->DrawString(5, 5, "Hello", 0x00FF00, missing, target.surface);
  engine->defaultFont = nullptr;
  engine->DrawString(5, 5, "Hello", 0x00FF00, nullptr, target.surface);
  EXPECT_EQ(out.Text(), "");
  EXPECT_EQ(testsupport::PixelsOf(target.surface), std::vector<uint32_t>(100 * 48, 0x0000FF));
}

// Each file and size opens once; the table grows by ten past twenty entries. Entries asked for
// before LoadFonts are recorded unopened (and reported so) and opened by it; later ones open at
// once. Only open fonts are freed, in table order.
TEST(FontTable, LookupGrowthAndLines) {
  testsupport::ScratchDirectory dir(true);
  TTF_Init();
  auto fonts = std::make_unique<FontManager>();
  StdoutCapture out;
  std::vector<Font*> entries;
  std::string expected, freed;
  for (int size = 1; size <= 21; ++size) {
    entries.push_back(fonts->GetFont(kFont, size));
    expected += "Loading font: " + std::to_string(size) +
                " point Cornerstone Regular.ttf\nFont loading failed.\n";
    freed += "Free font: " + std::to_string(size) + " point Cornerstone Regular.ttf\n";
    EXPECT_EQ(fonts->capacity, size <= 20 ? 20 : 30);
  }
  Font* missing = fonts->GetFont("missing.ttf", 24);
  fonts->LoadFonts();
  Font* late = fonts->GetFont(kFont, 24);
  for (int size = 1; size <= 21; ++size) {
    EXPECT_EQ(fonts->GetFont(kFont, size), entries[size - 1]);
    EXPECT_EQ(entries[size - 1]->pointSize, size);
    EXPECT_NE(entries[size - 1]->handle, nullptr);
  }
  EXPECT_NE(entries[0]->handle, entries[1]->handle);
  EXPECT_EQ(fonts->GetFont("missing.ttf", 24), missing);
  EXPECT_EQ(missing->handle, nullptr);
  EXPECT_NE(late->handle, nullptr);
  EXPECT_EQ(fonts->fontCount, 23);
  fonts.reset();
  EXPECT_EQ(out.Text(), expected +
                            "Loading font: 24 point missing.ttf\nFont loading failed.\n"
                            "Loading font: 24 point Cornerstone Regular.ttf\n" +
                            freed + "Free font: 24 point Cornerstone Regular.ttf\n");
}
