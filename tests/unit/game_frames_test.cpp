// The still-paddle game through MainLoop: its computed checkpoints, the console, the record, and its
// frames compared as pixels, with the pictures in place, missing or tiny (plain buttons then).
//
// Checkpoints worked out by hand (paddle centre 400, 555: a hit needs exactY > 529 with
// exactX - 25 <= 475 and exactX + 25 >= 325; walls at exactX > 774, exactX < 25, exactY < 25):
//   B (750, 50, speed 5.5, 6.5) turns at the right wall at n = 5, meets the paddle line at n = 74 at
//   x 394.5 (hit, point 1), turns at the left wall at n = 142 and the top at n = 152, and comes down
//   at n = 230 at x 509 (left edge 484 > 475: the miss).
//   A (50, 50, speed 2.5, 3.5) meets the paddle line at n = 137 at x 392.5 (hit, point 2) and stands
//   at (625, 203.5) at n = 230. So the game ends on update 230 with 2 points; bands move 2 px each.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/ImageData.h"
#include "game/StartButtons.h"
#include "support/Reference.h"
#include "unit/game_probe.h"

using gametest::Frame;
using gametest::GameProbe;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBallA = 0xFF3366;
constexpr uint32_t kBallB = 0xFFFF00;
const std::string kBandLost = "\nBackground image not loaded!!!!";
constexpr int kBest = -5;  // the record in the file before the game

// The still-paddle game after an update (0: the first play frame, before any update).
struct Checkpoint {
  int update;
  int score;
  bool over;
  double ax, ay, bx, by;  // the balls' exact centres
  int band;               // the first band's x; the second stands 800 to its right
};

const std::vector<Checkpoint> kCheckpoints = {
    {0, 0, false, 50, 50, 750, 50, 0},
    {74, 1, false, 235, 309, 394.5, 529, -148},   // B bounces on the paddle
    {137, 2, false, 392.5, 529, 48, 119.5, -274},  // A bounces on the paddle
    {230, 2, true, 625, 203.5, 509, 532, -460},    // B misses it: game over
};

// The score, the game-over flag and the balls' exact centres of a checkpoint, as one line.
std::string Describe(const Checkpoint& at) {
  std::ostringstream line;
  line << "score " << at.score << (at.over ? ", over" : "") << ", A (" << at.ax << ", " << at.ay
       << "), B (" << at.bx << ", " << at.by << ")";
  return line.str();
}

// The frame of a checkpoint composed from its parts in the drawing order of a play frame: header
// shades and title, the two bands, the paddle, ball A, ball B, then the score lines until the game over.
Frame Expected(GameProbe& game, const Checkpoint& at, const ImageData& band) {
  testsupport::GuardedSurface reference(800, 600, 0, 0);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 800; ++x)
      reference.At(x, y) = x < 267 ? 0x505050 : (x < 534 ? 0x404040 : 0x707070);
  game.DrawString(590, 10, "QUENDAL", kWhite, nullptr, reference.surface);
  for (int start : {at.band, at.band + 800})
    for (int y = 50; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (x - start >= 0 && x - start < band.width && x - start < 800 && y - 50 < band.height)
          reference.At(x, y) = band.pixels[static_cast<size_t>(y - 50) * band.width + (x - start)];
  using Paddle = ZarvoPlayer;
  constexpr int kDisc = ZarvoBallBase::kRadius - 1;
  for (int y = 555 - Paddle::kHalfHeight + 1; y < 555 + Paddle::kHalfHeight; ++y)
    for (int x = 400 - Paddle::kHalfWidth + 1; x < 400 + Paddle::kHalfWidth; ++x)
      reference.At(x, y) = 0x996600;
  for (auto [x, y, colour] : {std::tuple{std::lround(at.ax), std::lround(at.ay), kBallA},
                               {std::lround(at.bx), std::lround(at.by), kBallB}})
    game.DrawOval(x - kDisc, y - kDisc, x + kDisc, y + kDisc, colour, reference.surface);
  if (!at.over) {
    game.DrawString(75, 10, ("Score : " + std::to_string(at.score)).c_str(), kWhite, nullptr,
                    reference.surface);
    game.DrawString(294, 10, ("High Score : " + std::to_string(kBest)).c_str(), kWhite, nullptr,
                    reference.surface);
  }
  return Frame{testsupport::PixelsOf(reference.surface)};
}

// How the start screen differs from black with the start picture's own pixels from the top left
// corner; where the picture does not cover the window, each button has a 2-pixel gold rim and a dark
// red face holding its word's light pixels.
std::string StartProblems(const Frame& start) {
  ImageData picture;
  picture.LoadImage("assets/bg.jpg");
  Frame frame{std::vector<uint32_t>(800 * 600, 0)};
  for (int y = 0; y < std::min(picture.height, 600); ++y)
    for (int x = 0; x < std::min(picture.width, 800); ++x)
      frame.pixels[static_cast<size_t>(y) * 800 + x] =
          picture.pixels[static_cast<size_t>(y) * picture.width + x];
  const bool plain = picture.width < 800 || picture.height < 600;
  int wordPixels = 0;
  for (const StartButton& button : {kPlayButton, kExitButton})
    for (int y = button.top; y <= button.bottom && plain; ++y)
      for (int x = button.left; x <= button.right; ++x) {
        const bool rim =
            std::min({x - button.left, button.right - x, y - button.top, button.bottom - y}) < 2;
        const bool word = !rim && (start.At(x, y) & 0xFFFFFF) == 0xFFF2CE;
        wordPixels += word;
        const uint32_t face = word ? start.At(x, y) : 0x8C2410;
        frame.pixels[static_cast<size_t>(y) * 800 + x] = rim ? 0xF6CE70 : face;
      }
  return testsupport::FirstDifference(start.pixels, frame.pixels, 800) +
         (plain && wordPixels < 100 ? " words missing" : "");
}

// What differs at a checkpoint between the game and the computed state and frame; "" when nothing.
std::string Problems(GameProbe& game, const Checkpoint& at, const ImageData& band) {
  const ZarvoBallBase *a = game.BallA(), *b = game.BallB();
  const std::string state = Describe({at.update, game.score, game.gameOver, a->exactX, a->exactY,
                                      b->exactX, b->exactY, at.band});
  const Frame frame = game.Snapshot();
  std::string problems = state == Describe(at) ? "" : state + " instead of " + Describe(at) + "; ";
  problems += testsupport::FirstDifference(frame.pixels, Expected(game, at, band).pixels, 800);
  if ((frame.At(std::lround(at.ax), std::lround(at.ay)) & 0xFFFFFF) != kBallA ||
      (frame.At(std::lround(at.bx), std::lround(at.by)) & 0xFFFFFF) != kBallB)
    problems += "; a ball's centre lacks its colour";
  return problems;
}

}  // namespace

// No key pressed, a record of -5: the score, the game over and the balls' places come as computed,
// and each checkpoint's frame is the composed one (the best score shown stays -5); presses on both
// buttons during play and after the game over change nothing, no frame is drawn after the game over,
// 2 is saved then and again by Escape. Without a picture the screen stays plain; the game is the same.
TEST(GameFrames, StillPaddleGameTable) {
  struct Case {
    const char* what;
    std::function<void()> damage;
    bool bandShown;
  };
  const std::vector<Case> cases = {
      {"pictures in place", nullptr, true},
      {"no start picture", [] { std::filesystem::remove("assets/bg.jpg"); }, true},
      {"a 10 x 10 red start picture",
       [] {
         IMG_SaveJPG(testsupport::GuardedSurface(10, 10, 0, 0xFFFF0000).surface, "assets/bg.jpg", 90);
       },
       true},
      {"no band picture", [] { std::filesystem::remove("assets/fire_bg_full.jpg"); }, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    testsupport::ScratchDirectory dir(true);
    dir.WriteFile("highScore.txt", std::to_string(kBest) + "\n");
    if (test.damage)
      test.damage();
    ImageData band;
    band.LoadImage("assets/fire_bg_full.jpg");
    Frame start;
    std::vector<std::string> problems;
    int checked = 0, framesAtGameOver = 0, framesAtEnd = 0;
    std::string savedAtGameOver;
    const std::string console = gametest::RunGame(
        [&](GameProbe& game) {
          game.updating = false;
          game.ZarvoMain::Render();
          start = game.Snapshot();
          testsupport::Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
          game.afterPass = [&](GameProbe& probe) {
            probe.updating = true;
            const int update = probe.playUpdates;
            if (checked < 4 && kCheckpoints[checked].update == update) {
              const std::string found = Problems(probe, kCheckpoints[checked++], band);
              if (!found.empty())
                problems.push_back("update " + std::to_string(update) + ": " + found);
            }
            if (update == 10 || (probe.gameOver && update == probe.gameOverUpdate + 5)) {
              testsupport::Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
              testsupport::Push(SDL_MOUSEBUTTONDOWN, 3, 400, 310);
            }
            if (probe.gameOver && update == probe.gameOverUpdate) {
              framesAtGameOver = probe.frames;
              savedAtGameOver = dir.ReadFile("highScore.txt");
              dir.WriteFile("highScore.txt", "junk");
            }
            if (probe.gameOver && update == probe.gameOverUpdate + 10)
              testsupport::Push(SDL_KEYDOWN, SDLK_ESCAPE);
          };
        },
        [&](GameProbe& game) { framesAtEnd = game.frames; });
    const std::string band2 = test.bandShown ? "" : kBandLost + kBandLost;
    EXPECT_EQ(console, gametest::Console(kBest, "\nGame Started" + band2 + "\nGame Over\nGame Exit"));
    EXPECT_EQ(savedAtGameOver, "2\n");
    EXPECT_EQ(dir.ReadFile("highScore.txt"), "2\n") << "written again by Escape";
    EXPECT_EQ(StartProblems(start), "");
    EXPECT_EQ(framesAtEnd, framesAtGameOver) << "frames drawn after the game over";
    EXPECT_EQ(checked, 4);
    EXPECT_EQ(problems, std::vector<std::string>{});
  }
}
