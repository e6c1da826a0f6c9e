// Text drawing against SDL2_ttf's own rendering, and the font table's lookup, growth and lines.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "engine/FontManager.h"
#include "support/TestSupport.h"

namespace {

using testsupport::FirstDifference;
using testsupport::StdoutCapture;

const char* const kFont = "Cornerstone Regular.ttf";

// What SDL2_ttf's solid renderer and a plain blit put on a surface for this text.
void ReferenceText(SDL_Surface* target, TTF_Font* font, int x, int y, const char* text,
                   uint32_t colour) {
  SDL_Color textColour{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                       static_cast<Uint8>(colour), 0};
  SDL_Surface* rendered = TTF_RenderText_Solid(font, text, textColour);
  ASSERT_NE(rendered, nullptr);
  SDL_Rect at{x, y, 0, 0};
  SDL_BlitSurface(rendered, nullptr, target, &at);
  SDL_FreeSurface(rendered);
}

// An engine initialised with the default font, destroyed quietly.
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

}  // namespace

TEST_F(EngineText, WhiteTextMatchesSolidRenderingAndBlit) {
  struct Case {
    int x, y;
    const char* text;
    uint32_t colour;
  };
  const Case cases[] = {{10, 20, "Hello", 0xFFFFFF},
                        {-12, 590, "Hello", 0xFFFFFF},
                        {760, -8, "Score: 12", 0x00FF80}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    testsupport::Surface actual(800, 600), expected(800, 600);
    engine->DrawString(c.x, c.y, c.text, c.colour, nullptr, actual.surface);
    ReferenceText(expected.surface, engine->defaultFont->handle, c.x, c.y, c.text, c.colour);
    const std::vector<uint32_t> pixels = actual.Pixels();
    EXPECT_EQ(FirstDifference(pixels, expected.Pixels(), 800), "");
    size_t text = 0, stray = 0;
    for (uint32_t pixel : pixels) {
      text += pixel == (0xFF000000 | c.colour);
      stray += pixel != 0 && pixel != (0xFF000000 | c.colour);
    }
    EXPECT_GT(text, 20u);
    EXPECT_EQ(stray, 0u);
  }
  SDL_FillRect(engine->screenSurface, nullptr, 0);
  testsupport::Surface expected(800, 600);
  engine->DrawString(300, 200, "Hello", 0xFFFFFF);
  ReferenceText(expected.surface, engine->defaultFont->handle, 300, 200, "Hello", 0xFFFFFF);
  EXPECT_EQ(FirstDifference(testsupport::PixelsOf(engine->screenSurface), expected.Pixels(), 800),
            "");
}

TEST_F(EngineText, EmptyTextOrMissingFontDrawsNothing) {
  Font* missing = nullptr;
  {
    StdoutCapture out;
    missing = engine->fontManager.GetFont("missing.ttf", 24);
    EXPECT_EQ(out.Text(), "Loading font: 24 point missing.ttf\nFont loading failed.\n");
  }
  testsupport::Surface target(64, 48, 0x0000FF);
  StdoutCapture out;
  engine->DrawString(5, 5, "", 0xFFFFFF, nullptr, target.surface);
  engine->DrawString(5, 5, "Hello", 0xFFFFFF, missing, target.surface);
  engine->defaultFont = nullptr;
  engine->DrawString(5, 5, "Hello", 0xFFFFFF, nullptr, target.surface);
  EXPECT_EQ(out.Text(), "");
  EXPECT_EQ(target.Pixels(), std::vector<uint32_t>(64 * 48, 0x0000FF));
}

// While Render holds a screen surface that must be locked, text is still drawn and the lock kept.
TEST_F(EngineText, DrawsOnALockedSurfaceThatMustBeLockedAndKeepsTheLock) {
  SDL_Surface* own = engine->screenSurface;
  SDL_Surface* encoded = SDL_CreateRGBSurface(0, 800, 600, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  testsupport::Surface scratch(8, 8), expected(800, 600);
  SDL_SetSurfaceRLE(encoded, 1);
  SDL_BlitSurface(encoded, nullptr, scratch.surface, nullptr);
  ASSERT_TRUE(SDL_MUSTLOCK(encoded));
  engine->screenSurface = encoded;
  engine->surfaceLocked = true;
  SDL_LockSurface(encoded);
  engine->DrawString(10, 20, "Hello", 0xFFFFFF);
  EXPECT_EQ(encoded->locked, 1);
  ReferenceText(expected.surface, engine->defaultFont->handle, 10, 20, "Hello", 0xFFFFFF);
  EXPECT_EQ(FirstDifference(testsupport::PixelsOf(encoded), expected.Pixels(), 800), "");
  SDL_UnlockSurface(encoded);
  engine->screenSurface = own;
  SDL_FreeSurface(encoded);
}

TEST(FontTable, SameFileAndSizeOpenOnceAndOtherSizesApart) {
  testsupport::ScratchDirectory dir(true);
  TTF_Init();
  auto fonts = std::make_unique<FontManager>();
  StdoutCapture out;
  fonts->LoadFonts();
  Font* first = fonts->GetFont(kFont, 24);
  Font* again = fonts->GetFont(kFont, 24);
  Font* smaller = fonts->GetFont(kFont, 12);
  Font* missing = fonts->GetFont("missing.ttf", 24);
  EXPECT_EQ(first, again);
  EXPECT_NE(first, smaller);
  EXPECT_NE(first->handle, nullptr);
  EXPECT_NE(smaller->handle, nullptr);
  EXPECT_NE(first->handle, smaller->handle);
  EXPECT_EQ(missing->handle, nullptr);
  EXPECT_EQ(fonts->GetFont("missing.ttf", 24), missing);
  EXPECT_EQ(fonts->fontCount, 3);
  fonts.reset();
  EXPECT_EQ(out.Text(),
            "Loading font: 24 point Cornerstone Regular.ttf\n"
            "Loading font: 12 point Cornerstone Regular.ttf\n"
            "Loading font: 24 point missing.ttf\nFont loading failed.\n"
            "Free font: 24 point Cornerstone Regular.ttf\n"
            "Free font: 12 point Cornerstone Regular.ttf\n");
}

TEST(FontTable, EntriesAddedBeforeLoadFontsOpenThenAndTheTableGrowsByTen) {
  testsupport::ScratchDirectory dir(true);
  TTF_Init();
  auto fonts = std::make_unique<FontManager>();
  StdoutCapture out;
  std::vector<Font*> entries;
  std::string expected;
  for (int size = 1; size <= 21; ++size) {
    entries.push_back(fonts->GetFont(kFont, size));
    expected += "Loading font: " + std::to_string(size) +
                " point Cornerstone Regular.ttf\nFont loading failed.\n";
    EXPECT_EQ(fonts->capacity, size <= 20 ? 20 : 30);
  }
  EXPECT_EQ(fonts->fontCount, 21);
  for (int size = 1; size <= 21; ++size) {
    EXPECT_EQ(fonts->GetFont(kFont, size), entries[size - 1]);
    EXPECT_EQ(entries[size - 1]->pointSize, size);
    EXPECT_EQ(entries[size - 1]->handle, nullptr);
  }
  EXPECT_EQ(out.Text(), expected);
  StdoutCapture loading;
  fonts->LoadFonts();
  for (Font* entry : entries)
    EXPECT_NE(entry->handle, nullptr);
  fonts.reset();
  std::string freed;
  for (int size = 1; size <= 21; ++size)
    freed += "Free font: " + std::to_string(size) + " point Cornerstone Regular.ttf\n";
  EXPECT_EQ(loading.Text(), freed);
}
