// Engine start-up and shut-down: window, texture, surfaces, key table, font lines and failures.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/BaseEngine.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScratchDirectory;
using testsupport::StdoutCapture;

const char* const kFont = "Cornerstone Regular.ttf";

// Records the set-up and clean-up hooks in the order the engine calls them.
class SetupRecorder : public BaseEngine {
 public:
  int InitialiseGame() override {
    partsReadyForGame = keyStates != nullptr && screenSurface != nullptr &&
                        backgroundSurface != nullptr && screenTexture != nullptr;
    calls.push_back("InitialiseGame");
    return BaseEngine::InitialiseGame();
  }
  int InitialiseObjects() override {
    calls.push_back("InitialiseObjects");
    return BaseEngine::InitialiseObjects();
  }
  void ClearObjects() override {
    calls.push_back("ClearObjects");
    BaseEngine::ClearObjects();
  }
  void SetupBackgroundBuffer() override {
    calls.push_back("SetupBackgroundBuffer");
    BaseEngine::SetupBackgroundBuffer();
  }
  void FillBackground(uint32_t colour) override {
    calls.push_back("FillBackground " + std::to_string(colour));
    BaseEngine::FillBackground(colour);
  }
  void CleanUp() override { calls.push_back(keyStates != nullptr ? "CleanUp keys" : "CleanUp"); }

  std::vector<std::string> calls;
  bool partsReadyForGame = false;
};

// A surface of the window's size in the engine's 32-bit layout, which needs no locking.
void ExpectEngineSurface(SDL_Surface* surface) {
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->w, 800);
  EXPECT_EQ(surface->h, 600);
  EXPECT_EQ(surface->format->BitsPerPixel, 32);
  EXPECT_EQ(surface->format->Rmask, 0x00FF0000u);
  EXPECT_EQ(surface->format->Gmask, 0x0000FF00u);
  EXPECT_EQ(surface->format->Bmask, 0x000000FFu);
  EXPECT_EQ(surface->format->Amask, 0xFF000000u);
  EXPECT_FALSE(SDL_MUSTLOCK(surface));
}

}  // namespace

TEST(EngineLifecycle, InitialiseBuildsWindowTextureSurfacesAndKeyTable) {
  ScratchDirectory dir(true);
  auto owner = std::make_unique<SetupRecorder>();
  SetupRecorder& engine = *owner;
  {
    StdoutCapture out;
    ASSERT_EQ(engine.Initialise("Quendal The Warden", 800, 600, kFont, 24), 0);
    EXPECT_EQ(engine.fontManager.GetFont(kFont, 24), engine.defaultFont);
    EXPECT_EQ(out.Text(), "Loading font: 24 point Cornerstone Regular.ttf\n");
  }
  EXPECT_EQ(engine.screenWidth, 800);
  EXPECT_EQ(engine.screenHeight, 600);
  ExpectEngineSurface(engine.screenSurface);
  ExpectEngineSurface(engine.backgroundSurface);
  EXPECT_NE(engine.screenSurface, engine.backgroundSurface);

  ASSERT_NE(engine.window, nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(engine.window), "Quendal The Warden");
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(engine.window, &x, &y);
  SDL_GetWindowSize(engine.window, &w, &h);
  EXPECT_EQ(std::vector<int>({x, y, w, h}), std::vector<int>({10, 40, 800, 600}));
  ASSERT_NE(engine.renderer, nullptr);
  ASSERT_NE(engine.screenTexture, nullptr);
  Uint32 format = 0;
  int access = 0;
  ASSERT_EQ(SDL_QueryTexture(engine.screenTexture, &format, &access, &w, &h), 0);
  EXPECT_EQ(format, static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888));
  EXPECT_EQ(access, SDL_TEXTUREACCESS_STREAMING);
  EXPECT_EQ(std::vector<int>({w, h}), std::vector<int>({800, 600}));
  SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
  SDL_GetTextureBlendMode(engine.screenTexture, &blend);
  EXPECT_EQ(blend, SDL_BLENDMODE_NONE);

  ASSERT_NE(engine.keyStates, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(engine.keyStates, engine.keyStates + 256),
            std::vector<uint8_t>(256, 0));
  EXPECT_TRUE(engine.partsReadyForGame);
  EXPECT_EQ(engine.calls, std::vector<std::string>({"InitialiseGame", "InitialiseObjects",
                                                    "ClearObjects", "SetupBackgroundBuffer",
                                                    "FillBackground 16776960"}));
  EXPECT_EQ(testsupport::PixelsOf(engine.backgroundSurface),
            std::vector<uint32_t>(800 * 600, 0xFFFF00));
  ASSERT_NE(engine.defaultFont, nullptr);
  EXPECT_NE(engine.defaultFont->handle, nullptr);
  EXPECT_TRUE(engine.needsRedraw && engine.needsFullRedraw);
  EXPECT_EQ(engine.exitCode, -1);

  engine.Deinitialise();
  EXPECT_EQ(engine.calls.back(), "CleanUp keys");
  EXPECT_EQ(engine.keyStates, nullptr);
  StdoutCapture out;
  owner.reset();
  EXPECT_EQ(out.Text(), "Free font: 24 point Cornerstone Regular.ttf\n");
}

TEST(EngineLifecycle, DefaultFontNameTable) {
  struct Case {
    const char* fontFile;
    const char* loadLines;
    bool hasEntry;
  };
  const Case cases[] = {
      {nullptr, "", false},
      {"", "", false},
      {"missing.ttf", "Loading font: 24 point missing.ttf\nFont loading failed.\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fontFile == nullptr ? "null" : c.fontFile);
    ScratchDirectory dir(true);
    auto engine = std::make_unique<BaseEngine>();
    StdoutCapture out;
    ASSERT_EQ(engine->Initialise("t", 800, 600, c.fontFile, 24), 0);
    EXPECT_EQ(out.Text(), c.loadLines);
    ASSERT_EQ(engine->defaultFont != nullptr, c.hasEntry);
    if (c.hasEntry) {
      EXPECT_EQ(engine->defaultFont->handle, nullptr);
    }
    StdoutCapture freed;
    engine.reset();
    EXPECT_EQ(freed.Text(), "");
  }
}

TEST(EngineLifecycle, WindowThatCannotBeCreatedFailsInitialiseAndTheLoop) {
  const int sizes[][2] = {{100000, 600}, {800, 100000}};
  for (const auto& size : sizes) {
    ScratchDirectory dir(true);
    BaseEngine engine;
    StdoutCapture err(2);
    StdoutCapture out;
    EXPECT_EQ(engine.Initialise("t", size[0], size[1], nullptr, 24), 1);
    const std::string error = SDL_GetError();
    EXPECT_EQ(out.Text(), "");
    EXPECT_EQ(err.Text(), "Unable to init SDL: " + error + "\n");
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(engine.window, nullptr);
    EXPECT_EQ(engine.screenSurface, nullptr);
    EXPECT_EQ(engine.keyStates, nullptr);
    EXPECT_EQ(engine.MainLoop(), 1);
    engine.Render();
  }
}

TEST(EngineLifecycle, MainLoopRefusesAnEngineThatWasNotInitialised) {
  BaseEngine engine;
  EXPECT_EQ(engine.MainLoop(), 1);
  engine.Render();
  EXPECT_TRUE(engine.needsRedraw);
}

// SDL_Init itself fails in a fresh process whose video driver does not exist.
TEST(EngineLifecycleDeathTest, UnknownVideoDriverReportsOnStandardErrorAndReturnsOne) {
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto initialiseWithBogusDriver = [] {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    int result = 0;
    bool nothingMade = false;
    {
      BaseEngine engine;
      result = engine.Initialise("t", 800, 600, nullptr, 24);
      nothingMade = engine.window == nullptr && engine.keyStates == nullptr &&
                    engine.MainLoop() == 1 && SDL_WasInit(SDL_INIT_VIDEO) == 0;
    }
    std::fflush(nullptr);
    std::_Exit(result == 1 && nothingMade ? 3 : 4);
  };
  EXPECT_EXIT(initialiseWithBogusDriver(), testing::ExitedWithCode(3),
              "^Unable to init SDL: [^\n]+\n$");
  GTEST_FLAG_SET(death_test_style, style);
}
