// The best-score file as the game reads and writes it, through the real MainLoop.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "unit/game_probe.h"

using gametest::GameProbe;
using gametest::PushKey;
using gametest::PushMouseDown;
using gametest::RunGame;

namespace {

const char* const kMissing = "<missing>";

// The console bytes of a run that opens the start screen with this best score and then exits.
std::string OpenAndExit(int best) {
  return gametest::kFontLoaded + "\nGame Opened\nHighest Score Read -> " + std::to_string(best) +
         "\nGame Exit" + gametest::kFontFreed;
}

// The files in the current directory besides the font and the pictures.
std::vector<std::string> OtherFiles() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    if (entry.path().filename() != "assets" && entry.path().filename() != "Cornerstone Regular.ttf")
      names.push_back(entry.path().filename().string());
  return names;
}

// A short game: the paddle is held right from the start, so ball B misses it on its 74th update
// (at x 394.5, while the paddle spans 645..795) and the game ends with the given score; Escape follows.
std::string PlayShortGame(int score, int* gameOverUpdate = nullptr) {
  return RunGame(
      [&](GameProbe& game) {
        PushMouseDown(1, 400, 257);
        PushKey(SDL_KEYDOWN, SDLK_RIGHT);
        game.afterPass = [&](GameProbe& probe) {
          if (probe.passes == 1)
            probe.score = score;
          if (probe.gameOver && probe.playUpdates == probe.gameOverUpdate)
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        };
      },
      [&](GameProbe& game) {
        if (gameOverUpdate != nullptr)
          *gameOverUpdate = game.gameOverUpdate;
      });
}

}  // namespace

// File content -> best score read; Escape on the start screen then writes 0 only over a negative record.
TEST(GameHighScore, ReadingTable) {
  struct Case {
    const char* content;  // kMissing for no file
    int best;
    const char* after;    // the file after Escape
  };
  const std::string longLast = "1\n" + std::string(99, 'x') + "77\n";
  const std::vector<Case> cases = {
      {kMissing, 0, kMissing},
      {"", 0, ""},
      {"42", 42, "42"},
      {"42\n", 42, "42\n"},
      {"10\n20\n", 20, "10\n20\n"},
      {"5\n7", 7, "5\n7"},
      {"42\n\n", 0, "42\n\n"},
      {"   17", 17, "   17"},
      {"\t 8\n", 8, "\t 8\n"},
      {"word", 0, "word"},
      {"12abc", 12, "12abc"},
      {"+9", 9, "+9"},
      {"-0", 0, "-0"},
      {"-5", -5, "0\n"},
      {"-5\n", -5, "0\n"},
      {"2147483647", 2147483647, "2147483647"},
      {"99999999999", 2147483647, "99999999999"},
      {"999999999999999999999999999999", 2147483647, "999999999999999999999999999999"},
      {"-99999999999", -2147483647 - 1, "0\n"},
      {"-2147483648\n", -2147483647 - 1, "0\n"},
      {longLast.c_str(), 77, longLast.c_str()},
  };
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string("content \"") + test.content + "\"");
    std::filesystem::remove("highScore.txt");
    if (std::string(test.content) != kMissing)
      dir.WriteFile("highScore.txt", test.content);
    int best = 12345;
    const std::string out = RunGame([](GameProbe&) { PushKey(SDL_KEYDOWN, SDLK_ESCAPE); },
                                    [&](GameProbe& game) { best = game.highScore; });
    EXPECT_EQ(out, OpenAndExit(test.best));
    EXPECT_EQ(best, test.best);
    EXPECT_EQ(dir.ReadFile("highScore.txt"), test.after);
    const std::vector<std::string> expectedFiles =
        std::string(test.after) == kMissing ? std::vector<std::string>{}
                                            : std::vector<std::string>{"highScore.txt"};
    EXPECT_EQ(OtherFiles(), expectedFiles);
  }
}

// A game that ends with 2 points: what the file holds afterwards, by the record it held before.
TEST(GameHighScore, WritingAfterAGameTable) {
  struct Case {
    const char* content;
    const char* after;
  };
  const std::vector<Case> cases = {
      {kMissing, "2\n"}, {"1", "2\n"}, {"-5\n", "2\n"}, {"2", "2"}, {"2\n", "2\n"}, {"3\n", "3\n"},
  };
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string("content \"") + test.content + "\"");
    std::filesystem::remove("highScore.txt");
    if (std::string(test.content) != kMissing)
      dir.WriteFile("highScore.txt", test.content);
    int gameOverUpdate = 0;
    const std::string out = PlayShortGame(2, &gameOverUpdate);
    EXPECT_NE(out.find("\nGame Started\nGame Over\nGame Exit"), std::string::npos);
    EXPECT_EQ(gameOverUpdate, 74);
    EXPECT_EQ(dir.ReadFile("highScore.txt"), test.after);
    EXPECT_EQ(OtherFiles(), std::vector<std::string>{"highScore.txt"});
  }
}

// 7 over a record of 5 is written at the game over and again by Escape; the best line shows 5 throughout.
TEST(GameHighScore, SevenOverFiveWrittenTwice) {
  testsupport::ScratchDirectory dir(true);
  dir.WriteFile("highScore.txt", "5\n");
  std::string atGameOver;
  int best = 0, score = 0;
  gametest::Frame first, lastPlaying;
  const std::string out = RunGame(
      [&](GameProbe& game) {
        PushMouseDown(1, 400, 257);
        game.afterPass = [&](GameProbe& probe) {
          if (probe.passes == 1) {
            probe.score += 5;
            first = probe.Snapshot();
          }
          if (probe.playUpdates == 229)
            lastPlaying = probe.Snapshot();
          if (probe.gameOver && probe.playUpdates == probe.gameOverUpdate) {
            atGameOver = dir.ReadFile("highScore.txt");
            dir.WriteFile("highScore.txt", "junk");
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
          }
        };
      },
      [&](GameProbe& game) {
        best = game.highScore;
        score = game.score;
      });
  EXPECT_EQ(out, gametest::kFontLoaded +
                     "\nGame Opened\nHighest Score Read -> 5\nGame Started\nGame Over\nGame Exit" +
                     gametest::kFontFreed);
  EXPECT_EQ(score, 7);
  EXPECT_EQ(best, 5);
  EXPECT_EQ(atGameOver, "7\n");
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "7\n");
  ASSERT_FALSE(lastPlaying.pixels.empty());
  int bestLineChanges = 0, scoreLineChanges = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 75; x < 534; ++x)
      (x < 294 ? scoreLineChanges : bestLineChanges) += first.At(x, y) != lastPlaying.At(x, y);
  EXPECT_EQ(bestLineChanges, 0);
  EXPECT_GT(scoreLineChanges, 0);
}

// A save that cannot be written keeps the old record and leaves no temporary file behind.
TEST(GameHighScore, FailedSaveKeepsTheOldRecord) {
  testsupport::ScratchDirectory dir(true);
  dir.WriteFile("highScore.txt", "1\n");
  std::filesystem::create_directory("highScore.txt.tmp");
  const std::string out = PlayShortGame(2);
  EXPECT_NE(out.find("\nGame Over\nGame Exit"), std::string::npos);
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "1\n");
  std::filesystem::remove("highScore.txt.tmp");
  EXPECT_EQ(OtherFiles(), std::vector<std::string>{"highScore.txt"});
}

// A directory in the file's place is neither read nor replaced; the game ends as usual.
TEST(GameHighScore, DirectoryInPlaceOfTheFile) {
  testsupport::ScratchDirectory dir(true);
  std::filesystem::create_directory("highScore.txt");
  const std::string out = PlayShortGame(2);
  EXPECT_EQ(out, gametest::kFontLoaded +
                     "\nGame Opened\nHighest Score Read -> 0\nGame Started\nGame Over\nGame Exit" +
                     gametest::kFontFreed);
  EXPECT_TRUE(std::filesystem::is_directory("highScore.txt"));
  EXPECT_EQ(OtherFiles(), std::vector<std::string>{"highScore.txt"});
}

// A temporary file left by an interrupted save is not taken for the record and is cleared away.
TEST(GameHighScore, LeftoverTemporaryFileIsIgnored) {
  testsupport::ScratchDirectory dir(true);
  dir.WriteFile("highScore.txt", "4\n");
  dir.WriteFile("highScore.txt.tmp", "99\n");
  const std::string out = RunGame([](GameProbe&) { PushKey(SDL_KEYDOWN, SDLK_ESCAPE); });
  EXPECT_EQ(out, OpenAndExit(4));
  EXPECT_EQ(dir.ReadFile("highScore.txt"), "4\n");
  EXPECT_EQ(OtherFiles(), std::vector<std::string>{"highScore.txt"});
}
