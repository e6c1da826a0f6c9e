// The best-score file as the game reads and writes it, through the real MainLoop: plain and hostile
// contents, the save after a game, and odd things in the file's or the temporary file's place.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/HighScoreReference.h"
#include "game/HighScoreFile.h"
#include "unit/game_probe.h"

namespace fs = std::filesystem;
using gametest::GameProbe;
using testsupport::Push;

namespace {

const std::string kMissing = "<missing>", kDirectory = "<directory>", kFifo = "<fifo>";
const char* const kFile = "highScore.txt";
const char* const kTemporary = "highScore.txt.tmp";

// Puts at path what a table names: kMissing, kDirectory, kFifo or the bytes of a file.
void Place(const testsupport::ScratchDirectory& dir, const char* path, const std::string& what) {
  fs::remove_all(path);
  if (what == kDirectory)
    fs::create_directory(path);
  else if (what == kFifo)
    ASSERT_EQ(mkfifo(path, 0644), 0);
  else if (what != kMissing)
    dir.WriteFile(path, what);
}

// What stands at path, named as in the tables (a FIFO is never opened).
std::string Found(const testsupport::ScratchDirectory& dir, const char* path) {
  return fs::is_fifo(path) ? kFifo : fs::is_directory(path) ? kDirectory : dir.ReadFile(path);
}

// The names in the current directory besides the font and the pictures.
std::vector<std::string> OtherFiles() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator("."))
    if (entry.path().filename() != "assets" && entry.path().filename() != "Cornerstone Regular.ttf")
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A short game: the paddle is held right from the start, so ball B misses it on its 74th update (at x
// 394.5, while the paddle spans 645..795); the score is set to 2 on the first pass and Escape follows
// the game over. Returns the console bytes; the game's best score goes to best.
std::string PlayShortGame(int& best) {
  int gameOverUpdate = 0;
  const std::string console = gametest::RunGame(
      [&](GameProbe& game) {
        Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
        Push(SDL_KEYDOWN, SDLK_RIGHT);
        game.afterPass = [&](GameProbe& probe) {
          if (probe.passes == 1)
            probe.score = 2;
          if (probe.gameOver && probe.playUpdates == probe.gameOverUpdate)
            Push(SDL_KEYDOWN, SDLK_ESCAPE);
        };
      },
      [&](GameProbe& game) {
        gameOverUpdate = game.gameOverUpdate;
        best = game.highScore;
      });
  EXPECT_EQ(gameOverUpdate, 74);
  return console;
}

}  // namespace

// What stands at "highScore.txt" -> the best score read, by the last-line rule (the last 100-byte
// fgets read, up to a NUL, as atoi but clamped to the int range), the same as the fuzzers' model.
// Escape on the start screen then writes 0 only over a negative record; nothing else is touched.
TEST(GameHighScore, ReadingTable) {
  struct Case {
    std::string content;
    int best;
  };
  const std::vector<Case> cases = {
      {kMissing, 0}, {"", 0}, {"42", 42}, {"42\n", 42}, {"10\n20\n", 20}, {"5\n7", 7}, {"42\n\n", 0},
      {"   17", 17}, {"\t 8\n", 8}, {"word", 0}, {"12abc", 12}, {"+9", 9}, {"-0", 0}, {"-5\n", -5},
      {"2147483647", INT_MAX}, {"99999999999", INT_MAX}, {std::string(30, '9'), INT_MAX},
      {"-99999999999", INT_MIN}, {"-2147483648\n", INT_MIN}, {"42\r\n", 42}, {"10\r\n20\r\n", 20},
      {"1\r2\r3\r", 1}, {std::string("12\0" "34\n", 6), 12},
      {std::string("5\n\0" "99\n", 6), 0},  // the last read starts with a NUL: nothing read
      {"1\n" + std::string(99, 'x') + "77\n", 77},  // a 101-byte line is read as 99 bytes, then "77\n"
      {std::string(10 << 20, '7') + "\n", INT_MAX}, {std::string(10 << 20, 'x') + "\n5\n", 5},
      {std::string("\xFF\xFE\x01\x80\n\x7F-3\xC0", 10), 0}, {kDirectory, 0},
      {kFifo, 0},  // not opened for a blocking read: the start goes on
  };
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE("content \"" + test.content.substr(0, 40) + "\"");
    if (test.content != kMissing && test.content != kDirectory && test.content != kFifo) {
      int modelled = 0;
      highscorereference::Expected(test.content, modelled);
      EXPECT_EQ(modelled, test.best) << "the fuzzers' model";
    }
    Place(dir, kFile, test.content);
    const std::string console =
        gametest::RunGame([](GameProbe&) { Push(SDL_KEYDOWN, SDLK_ESCAPE); });
    EXPECT_EQ(console, gametest::Console(test.best, "\nGame Exit"));
    EXPECT_EQ(Found(dir, kFile), test.best < 0 ? "0\n" : test.content);
    EXPECT_EQ(OtherFiles(), test.content == kMissing ? std::vector<std::string>{}
                                                     : std::vector<std::string>{kFile});
  }
}

// A game that ends with 2 points, by what stood at the file and at its temporary name before:
// written only over a lower record, never lost when it cannot be written, a stale temporary file
// neither read nor left behind.
TEST(GameHighScore, WritingAfterAGameTable) {
  struct Case {
    std::string before, temporaryBefore, after, temporaryAfter;
  };
  const std::vector<Case> cases = {
      {kMissing, kMissing, "2\n", kMissing},
      {"1", kMissing, "2\n", kMissing},
      {"2", kMissing, "2", kMissing},  // equal: not written
      {"3\n", kMissing, "3\n", kMissing},
      {kDirectory, kMissing, kDirectory, kMissing},  // the rename fails
      {"1\n", kDirectory, "1\n", kDirectory},        // the temporary file cannot be made
      {"4\n", "99\n", "4\n", kMissing},              // cleared at the start, not read
  };
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE("\"" + test.before + "\", temporary \"" + test.temporaryBefore + "\"");
    Place(dir, kFile, test.before);
    Place(dir, kTemporary, test.temporaryBefore);
    int best = 0;
    const std::string console = PlayShortGame(best);
    EXPECT_EQ(console, gametest::Console(best, "\nGame Started\nGame Over\nGame Exit"));
    EXPECT_EQ(Found(dir, kFile), test.after);
    EXPECT_EQ(Found(dir, kTemporary), test.temporaryAfter);
    std::vector<std::string> names;
    for (const auto& [name, what] : {std::pair{kFile, test.after}, {kTemporary, test.temporaryAfter}})
      if (what != kMissing)
        names.push_back(name);
    EXPECT_EQ(OtherFiles(), names);
    Place(dir, kTemporary, kMissing);
  }
}

// The widest values are written whole, as one decimal line.
TEST(GameHighScore, WriteKeepsTheWholeNumber) {
  testsupport::ScratchDirectory dir;
  for (int value : {INT_MIN, INT_MAX}) {
    ASSERT_TRUE(HighScoreFile::Write(kFile, value));
    EXPECT_EQ(dir.ReadFile(kFile), std::to_string(value) + "\n");
  }
}
