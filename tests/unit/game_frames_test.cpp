// Frames of the game compared as pixels: start screen, first play frame, a scoring frame, game over.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/ImageData.h"
#include "game/ZarvoBallBase.h"
#include "game/ZarvoPlayer.h"
#include "game/ZarvoScrollBg.h"
#include "support/TestSupport.h"
#include "unit/game_probe.h"

using gametest::Frame;
using gametest::GameProbe;
using gametest::PushKey;
using gametest::PushMouseDown;
using gametest::RunGame;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kPaddle = 0x996600;
constexpr uint32_t kBallA = 0xFF3366;
constexpr uint32_t kBallB = 0xFFFF00;

// What a play frame should hold.
struct Scene {
  bool scoreLines;
  int score;
  int highScore;
  int ballAX, ballAY, ballBX, ballBY;
  int paddleX;
  int band0, band1;
};

// The header shade of column x.
uint32_t HeaderShade(int x) { return x < 267 ? 0x505050 : (x < 534 ? 0x404040 : 0x707070); }

// Composes the expected frame from its parts in the drawing order of a play frame.
Frame Expected(GameProbe& game, const Scene& scene, const ImageData& band) {
  testsupport::Surface reference(800, 600, 0);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 800; ++x)
      reference.At(x, y) = HeaderShade(x);
  game.DrawString(590, 10, "QUENDAL", kWhite, nullptr, reference.surface);
  for (int start : {scene.band0, scene.band1})
    for (int y = 50; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (x - start >= 0 && x - start < band.width && x - start < 800 && y - 50 < band.height)
          reference.At(x, y) = band.pixels[static_cast<size_t>(y - 50) * band.width + (x - start)];
  for (int y = 541; y <= 569; ++y)
    for (int x = scene.paddleX - 74; x <= scene.paddleX + 74; ++x)
      reference.At(x, y) = kPaddle;
  game.DrawOval(scene.ballAX - 24, scene.ballAY - 24, scene.ballAX + 24, scene.ballAY + 24, kBallA,
                reference.surface);
  game.DrawOval(scene.ballBX - 24, scene.ballBY - 24, scene.ballBX + 24, scene.ballBY + 24, kBallB,
                reference.surface);
  if (scene.scoreLines) {
    game.DrawString(75, 10, ("Score : " + std::to_string(scene.score)).c_str(), kWhite, nullptr,
                    reference.surface);
    game.DrawString(294, 10, ("High Score : " + std::to_string(scene.highScore)).c_str(), kWhite,
                    nullptr, reference.surface);
  }
  return Frame{reference.Pixels()};
}

// "" when the frames agree, else the count of differing pixels and the first of them.
std::string Difference(const Frame& actual, const Frame& expected) {
  int count = 0;
  char first[96] = "";
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      if (actual.At(x, y) != expected.At(x, y) && count++ == 0)
        std::snprintf(first, sizeof first, " first at (%d, %d): %08x, expected %08x", x, y,
                      actual.At(x, y), expected.At(x, y));
  return count == 0 ? "" : std::to_string(count) + " pixels differ;" + first;
}

// White text pixels in the inclusive box.
int WhiteIn(const Frame& frame, int x1, int y1, int x2, int y2) {
  int count = 0;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x)
      count += (frame.At(x, y) & 0xFFFFFF) == kWhite ? 1 : 0;
  return count;
}

// The chosen pixels of a play frame, one line per fault.
std::vector<std::string> ChosenPixels(const Frame& frame, const Scene& scene) {
  std::vector<std::string> faults;
  auto underBall = [&](int x, int y) {
    return (std::abs(x - scene.ballAX) <= 24 && std::abs(y - scene.ballAY) <= 24) ||
           (std::abs(x - scene.ballBX) <= 24 && std::abs(y - scene.ballBY) <= 24);
  };
  auto expect = [&](int x, int y, uint32_t colour, bool equal, const char* what) {
    if (std::string(what).find("ball") == std::string::npos && underBall(x, y))
      return;
    if (((frame.At(x, y) & 0xFFFFFF) == colour) != equal)
      faults.push_back(std::string(what) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
  };
  expect(0, 0, 0x505050, true, "header shade 1");
  expect(266, 49, 0x505050, true, "header shade 1");
  expect(267, 0, 0x404040, true, "header shade 2");
  expect(533, 49, 0x404040, true, "header shade 2");
  expect(534, 0, 0x707070, true, "header shade 3");
  expect(799, 49, 0x707070, true, "header shade 3");
  for (int y = 541; y <= 569; ++y) {
    expect(scene.paddleX - 74, y, kPaddle, true, "paddle left end");
    expect(scene.paddleX, y, kPaddle, true, "paddle middle");
    expect(scene.paddleX + 74, y, kPaddle, true, "paddle right end");
    expect(scene.paddleX - 75, y, kPaddle, false, "beside the paddle's left end");
    expect(scene.paddleX + 75, y, kPaddle, false, "beside the paddle's right end");
  }
  for (int x = scene.paddleX - 74; x <= scene.paddleX + 74; x += 37) {
    expect(x, 540, kPaddle, false, "above the paddle");
    expect(x, 570, kPaddle, false, "below the paddle");
  }
  const int balls[2][2] = {{scene.ballAX, scene.ballAY}, {scene.ballBX, scene.ballBY}};
  const uint32_t colours[2] = {kBallA, kBallB};
  for (int i = 0; i < 2; ++i) {
    const int cx = balls[i][0], cy = balls[i][1];
    const uint32_t colour = colours[i];
    for (auto [dx, dy] : {std::pair{0, 0}, {24, 0}, {-24, 0}, {0, 24}, {0, -24}})
      expect(cx + dx, cy + dy, colour, true, "ball disc");
    for (auto [dx, dy] : {std::pair{24, 24}, {-24, 24}, {24, -24}, {-24, -24}, {25, 0}, {0, -25}})
      expect(cx + dx, cy + dy, colour, false, "outside the ball disc");
  }
  const bool textShown = WhiteIn(frame, 75, 0, 290, 49) > 0 && WhiteIn(frame, 294, 0, 585, 49) > 0;
  if (textShown != scene.scoreLines)
    faults.push_back(scene.scoreLines ? "score lines missing" : "score lines still shown");
  if (!scene.scoreLines && (WhiteIn(frame, 0, 0, 585, 49) != 0))
    faults.push_back("white pixels left of the title");
  if (WhiteIn(frame, 590, 0, 799, 49) == 0)
    faults.push_back("title missing");
  return faults;
}

// The frames of a still-paddle game: the first play frame, the pass of the first point and the game over.
struct PlayFrames {
  Frame start, first, firstPoint, secondPoint, gameOver;
  Frame expectedFirst, expectedFirstPoint, expectedSecondPoint, expectedGameOver;
  int framesAtGameOver = 0, framesAtEnd = 0, score = 0;
};

const Scene kFirstScene{true, 0, 0, 50, 50, 750, 50, 400, 0, 800};
// Update 74: A at (50 + 2.5 * 74, 50 + 3.5 * 74) = (235, 309), B bounced at (394.5, 529).
const Scene kFirstPointScene{true, 1, 0, 235, 309, 395, 529, 400, -148, 652};
// Update 137: A bounced at (392.5, 529) over the paddle; B at (774 - 5.5 * 132, 529 - 6.5 * 63) = (48, 119.5).
const Scene kSecondPointScene{true, 2, 0, 393, 529, 48, 120, 400, -274, 526};
// Update 230: A at (625, 203.5), B missed at (509, 532); the bands at -460 and 340.
const Scene kGameOverScene{false, 2, 0, 625, 204, 509, 532, 400, -460, 340};

// Escape comes 10 updates after the game over, or after escapeAfter updates when that is not 0.
PlayFrames RunStillPaddleGame(std::string& out, int escapeAfter = 0,
                              const Scene& firstScene = kFirstScene) {
  PlayFrames result;
  ImageData band;
  band.LoadImage("assets/fire_bg_full.jpg");
  out = RunGame(
      [&](GameProbe& game) {
        game.ticks = gametest::Ticks::Never;
        game.passLimit = 400;
        game.ZarvoMain::Render();
        result.start = game.Snapshot();
        PushMouseDown(1, 400, 257);
        game.afterPass = [&](GameProbe& probe) {
          if (probe.passes == 1) {
            result.first = probe.Snapshot();
            result.expectedFirst = Expected(probe, firstScene, band);
            probe.ticks = gametest::Ticks::EveryPass;
          }
          if (probe.playUpdates == 74 && result.firstPoint.pixels.empty()) {
            result.firstPoint = probe.Snapshot();
            result.expectedFirstPoint = Expected(probe, kFirstPointScene, band);
          }
          if (probe.playUpdates == 137 && result.secondPoint.pixels.empty()) {
            result.secondPoint = probe.Snapshot();
            result.expectedSecondPoint = Expected(probe, kSecondPointScene, band);
          }
          if (probe.gameOver && result.gameOver.pixels.empty()) {
            result.gameOver = probe.Snapshot();
            result.expectedGameOver = Expected(probe, kGameOverScene, band);
            result.framesAtGameOver = probe.frames;
          }
          if (escapeAfter == 0 ? probe.gameOver && probe.playUpdates == probe.gameOverUpdate + 10
                               : probe.playUpdates == escapeAfter)
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        };
      },
      [&](GameProbe& game) {
        result.framesAtEnd = game.frames;
        result.score = game.score;
      });
  return result;
}

}  // namespace

TEST(GameFrames, StartScreenIsThePicture) {
  testsupport::ScratchDirectory dir(true);
  std::string out;
  PlayFrames frames = RunStillPaddleGame(out, 1);
  ImageData picture;
  ASSERT_TRUE(picture.LoadImage("assets/bg.jpg"));
  ASSERT_EQ(picture.width, 800);
  ASSERT_EQ(picture.height, 600);
  EXPECT_EQ(Difference(frames.start, Frame{std::vector<uint32_t>(picture.pixels.get(),
                                                                 picture.pixels.get() + 800 * 600)}),
            "");
}

TEST(GameFrames, StillPaddleGameFramesAsPixels) {
  testsupport::ScratchDirectory dir(true);
  std::string out;
  PlayFrames frames = RunStillPaddleGame(out);
  EXPECT_EQ(out, gametest::kFontLoaded +
                     "\nGame Opened\nHighest Score Read -> 0\nGame Started\nGame Over\nGame Exit" +
                     gametest::kFontFreed);
  ASSERT_FALSE(frames.gameOver.pixels.empty());
  EXPECT_EQ(ChosenPixels(frames.first, kFirstScene), std::vector<std::string>{});
  EXPECT_EQ(ChosenPixels(frames.firstPoint, kFirstPointScene), std::vector<std::string>{});
  EXPECT_EQ(ChosenPixels(frames.secondPoint, kSecondPointScene), std::vector<std::string>{});
  EXPECT_EQ(ChosenPixels(frames.gameOver, kGameOverScene), std::vector<std::string>{});
  EXPECT_EQ(Difference(frames.first, frames.expectedFirst), "");
  EXPECT_EQ(Difference(frames.firstPoint, frames.expectedFirstPoint), "");
  EXPECT_EQ(Difference(frames.secondPoint, frames.expectedSecondPoint), "");
  EXPECT_EQ(Difference(frames.gameOver, frames.expectedGameOver), "");
  // Ball A crosses into the header, and each ball lies over the paddle when it bounces: drawn on top.
  EXPECT_EQ(frames.first.At(50, 30) & 0xFFFFFF, kBallA);
  EXPECT_EQ(frames.firstPoint.At(395, 550) & 0xFFFFFF, kBallB);
  EXPECT_EQ(frames.secondPoint.At(393, 550) & 0xFFFFFF, kBallA);
  // Nothing is drawn after the game-over frame.
  EXPECT_EQ(frames.framesAtEnd, frames.framesAtGameOver);
}

// After 401 updates the first band has jumped to 798 and the second stands at -2: the picture runs on
// across the window, column x showing the picture's column (x + 2) mod 800.
TEST(GameFrames, WrappedBandShowsNoSeam) {
  testsupport::ScratchDirectory dir(true);
  ImageData band;
  ASSERT_TRUE(band.LoadImage("assets/fire_bg_full.jpg"));
  ASSERT_GE(band.width, 800);
  Frame frame;
  int first = 0, second = 0;
  gametest::Captured([&] {
    GameProbe game;
    if (game.Start() != 0)
      return;
    game.ticks = gametest::Ticks::Never;
    game.passLimit = 1;
    PushMouseDown(1, 400, 257);
    game.MainLoop();
    for (int update = 0; update < 401; ++update) {
      game.Band(0)->Update(0);
      game.Band(1)->Update(0);
    }
    first = game.Band(0)->currentX;
    second = game.Band(1)->currentX;
    game.Render();
    frame = game.Snapshot();
    game.Deinitialise();
  });
  ASSERT_EQ(first, 798);
  ASSERT_EQ(second, -2);
  int differing = 0;
  for (int y = 75; y < 540; ++y)  // below the balls' start places, above the paddle
    for (int x = 0; x < 800; ++x)
      differing += frame.At(x, y) != band.pixels[static_cast<size_t>(y - 50) * band.width + (x + 2) % 800];
  EXPECT_EQ(differing, 0);
}

// A negative best score is shown with its minus sign; the file then gets 0 at the exit.
TEST(GameFrames, NegativeBestScoreLine) {
  testsupport::ScratchDirectory dir(true);
  dir.WriteFile("highScore.txt", "-5\n");
  Scene scene = kFirstScene;
  scene.highScore = -5;
  std::string out;
  PlayFrames frames = RunStillPaddleGame(out, 1, scene);
  EXPECT_EQ(out, gametest::kFontLoaded +
                     "\nGame Opened\nHighest Score Read -> -5\nGame Started\nGame Exit" +
                     gametest::kFontFreed);
  EXPECT_EQ(Difference(frames.first, frames.expectedFirst), "");
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "0\n");
}

// The first pixels of the title are put back over whatever an object drew there in the frame.
TEST(GameFrames, TitlePatchCoversAnObject) {
  testsupport::ScratchDirectory dir(true);
  Frame frame;
  std::vector<uint32_t> patch;
  gametest::Captured([&] {
    GameProbe game;
    if (game.Start() != 0)
      return;
    game.ticks = gametest::Ticks::Never;
    game.passLimit = 1;
    PushMouseDown(1, 400, 257);
    game.MainLoop();
    game.BallA()->currentX = 595;
    game.BallA()->currentY = 30;
    game.needsRedraw = true;
    game.Render();
    frame = game.Snapshot();
    for (int y = 10; y < 40; ++y)
      for (int x = 590; x < 600; ++x)
        patch.push_back(testsupport::PixelAt(game.backgroundSurface, x, y));
    game.Deinitialise();
  });
  ASSERT_EQ(patch.size(), 300u);
  std::vector<uint32_t> shown;
  for (int y = 10; y < 40; ++y)
    for (int x = 590; x < 600; ++x)
      shown.push_back(frame.At(x, y));
  EXPECT_EQ(shown, patch);
  EXPECT_EQ(frame.At(589, 30) & 0xFFFFFF, kBallA);
  EXPECT_EQ(frame.At(600, 30) & 0xFFFFFF, kBallA);
  EXPECT_EQ(frame.At(595, 40) & 0xFFFFFF, kBallA);
  EXPECT_EQ(frame.At(595, 9) & 0xFFFFFF, kBallA);
}

// Without the band picture each band reports it, the band stays black, and the game plays on.
TEST(GameFrames, MissingBandPictureLeavesAPlainBackground) {
  testsupport::ScratchDirectory dir(true);
  std::filesystem::remove("assets/fire_bg_full.jpg");
  std::string out;
  PlayFrames frames = RunStillPaddleGame(out);
  EXPECT_EQ(out, gametest::kFontLoaded +
                     "\nGame Opened\nHighest Score Read -> 0\nGame Started"
                     "Background image not loaded!!!!Background image not loaded!!!!"
                     "\nGame Over\nGame Exit" +
                     gametest::kFontFreed);
  ASSERT_FALSE(frames.gameOver.pixels.empty());
  EXPECT_EQ(ChosenPixels(frames.first, kFirstScene), std::vector<std::string>{});
  EXPECT_EQ(ChosenPixels(frames.gameOver, kGameOverScene), std::vector<std::string>{});
  EXPECT_EQ(Difference(frames.first, frames.expectedFirst), "");
  EXPECT_EQ(Difference(frames.gameOver, frames.expectedGameOver), "");
  EXPECT_EQ(frames.first.At(0, 50), 0u);
  EXPECT_EQ(frames.first.At(799, 599), 0u);
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "2\n");
}

namespace {

// Writes a w x h JPEG of one colour.
void WriteJpeg(const char* name, int width, int height, uint32_t colour) {
  testsupport::Surface picture(width, height, 0xFF000000 | colour);
  IMG_SaveJPG(picture.surface, name, 90);
}

}  // namespace

// A missing, empty, cut-short, foreign or tiny start picture: no message, black where it gives no
// pixels, and the game plays as usual (80 updates: the first point comes on the 74th).
TEST(GameFrames, BrokenStartPictures) {
  testsupport::ScratchDirectory dir(true);
  const std::string good = dir.ReadFile("assets/bg.jpg");
  const std::vector<std::string> kinds = {"missing", "empty", "truncated", "text", "tiny"};
  for (const std::string& kind : kinds) {
    SCOPED_TRACE(kind);
    std::filesystem::remove("assets/bg.jpg");
    std::filesystem::remove("highScore.txt");
    if (kind == "empty")
      dir.WriteFile("assets/bg.jpg", "");
    if (kind == "truncated")
      dir.WriteFile("assets/bg.jpg", good.substr(0, 600));
    if (kind == "text")
      dir.WriteFile("assets/bg.jpg", "not a picture\n");
    if (kind == "tiny")
      WriteJpeg("assets/bg.jpg", 10, 10, 0xFF0000);
    std::string out;
    PlayFrames frames = RunStillPaddleGame(out, 80);
    EXPECT_EQ(out, gametest::kFontLoaded +
                       "\nGame Opened\nHighest Score Read -> 0\nGame Started\nGame Exit" +
                       gametest::kFontFreed);
    EXPECT_EQ(frames.score, 1);
    EXPECT_EQ(dir.ReadFile("highScore.txt"), "1\n");
    EXPECT_EQ(Difference(frames.first, frames.expectedFirst), "");
    EXPECT_EQ(Difference(frames.firstPoint, frames.expectedFirstPoint), "");
    int black = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        black += frames.start.At(x, y) == 0 ? 1 : 0;
    if (kind == "tiny") {
      const uint32_t corner = frames.start.At(5, 5);
      EXPECT_GT((corner >> 16) & 0xFF, 200u);
      EXPECT_LT((corner >> 8) & 0xFF, 60u);
      EXPECT_EQ(frames.start.At(10, 5), 0u);
      EXPECT_EQ(frames.start.At(5, 10), 0u);
      EXPECT_EQ(black, 800 * 600 - 100);
    } else if (kind != "truncated") {
      EXPECT_EQ(black, 800 * 600);
    }
  }
}
