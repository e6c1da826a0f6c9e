// Hostile best-score files: FIFO, NUL bytes, a 10 MB line, CR line ends, junk; the reader matches
// the plain model of the last-line rule and a saved record reads back exactly.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "fuzz/HighScoreReference.h"
#include "game/HighScoreFile.h"
#include "game/ZarvoMain.h"
#include "support/TestSupport.h"

namespace {

// Opens the start screen in the current directory, presses Escape, and returns the console bytes.
std::string StartAndEscape() {
  testsupport::StdoutCapture capture;
  {
    ZarvoMain game;
    game.Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event escape{};
    escape.type = SDL_KEYDOWN;
    escape.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&escape);
    game.MainLoop();
    game.Deinitialise();
  }
  return capture.Text();
}

std::string Opened(int best) {
  return "Loading font: 24 point Cornerstone Regular.ttf\n\nGame Opened\nHighest Score Read -> " +
         std::to_string(best) + "\nGame Exit" + "Free font: 24 point Cornerstone Regular.ttf\n";
}

}  // namespace

// Each file content gives the best score of the last-line rule, and the game ends normally.
TEST(ReliabilityHighScore, HostileContentTable) {
  struct Case {
    const char* name;
    std::string content;
    int best;
  };
  const std::vector<Case> cases = {
      {"NUL inside the number", std::string("12\0" "34\n", 6), 12},
      {"NUL first on the last line", std::string("5\n\0" "99\n", 6), 0},
      {"only NUL bytes", std::string(500, '\0'), 0},
      {"CRLF line ends", "42\r\n", 42},
      {"CRLF, two lines", "10\r\n20\r\n", 20},
      {"lone CR line ends", "1\r2\r3\r", 1},
      {"10 MB line of sevens", std::string(10 << 20, '7') + "\n", INT_MAX},
      {"10 MB line, then a short one", std::string(10 << 20, 'x') + "\n5\n", 5},
      {"10 MB of newlines", std::string(10 << 20, '\n'), 0},
      {"binary junk", std::string("\xFF\xFE\x01\x80\n\x7F-3\xC0", 10), 0},
  };
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    int modelled = 0;
    highscorereference::Expected(test.content, modelled);
    ASSERT_EQ(modelled, test.best) << "the table agrees with the model";
    dir.WriteFile("highScore.txt", test.content);
    EXPECT_EQ(StartAndEscape(), Opened(test.best));
    EXPECT_EQ(dir.ReadFile("highScore.txt"), test.content) << "a record is never written over";
  }
}

// A FIFO in the file's place is not opened for a blocking read: the start goes on with 0.
TEST(ReliabilityHighScore, FifoDoesNotHangTheStart) {
  testsupport::ScratchDirectory dir(true);
  ASSERT_EQ(mkfifo("highScore.txt", 0644), 0);
  EXPECT_EQ(StartAndEscape(), Opened(0));
  EXPECT_TRUE(std::filesystem::is_fifo("highScore.txt"));
}

// Generated contents of digits, signs, spaces, NULs, CRs and long lines: the stream reader gives
// the plain model's value for each, and so does the file reader for every tenth.
TEST(ReliabilityHighScore, ReaderMatchesTheModel) {
  testsupport::ScratchDirectory dir;
  std::mt19937 random(20240607);
  const std::string alphabet = std::string("0123456789+- \t\r\nx\v", 18) + std::string(1, '\0');
  for (int round = 0; round < 5000; ++round) {
    std::string content;
    const int length = static_cast<int>(random() % (round % 10 == 0 ? 400 : 40));
    for (int i = 0; i < length; ++i)
      content += alphabet[random() % alphabet.size()];
    SCOPED_TRACE("round " + std::to_string(round));
    int expected = 777;
    const bool expectRead = highscorereference::Expected(content, expected);
    std::FILE* stream = fmemopen(content.data(), content.size(), "r");
    ASSERT_NE(stream, nullptr);
    int fromStream = 777;
    ASSERT_EQ(HighScoreFile::ReadStream(stream, fromStream), expectRead);
    std::fclose(stream);
    ASSERT_EQ(fromStream, expectRead ? expected : 777);
    if (round % 10 != 0)
      continue;
    dir.WriteFile("highScore.txt", content);
    int fromFile = 777;
    ASSERT_EQ(HighScoreFile::Read("highScore.txt", fromFile), expectRead);
    ASSERT_EQ(fromFile, fromStream);
  }
}

// A saved value is one decimal line that reads back the same, with no temporary file left over.
TEST(ReliabilityHighScore, SavedValuesReadBack) {
  testsupport::ScratchDirectory dir;
  for (int value : {INT_MIN, -1, 0, 1, 42, 1000000, INT_MAX}) {
    SCOPED_TRACE(value);
    ASSERT_TRUE(HighScoreFile::Write("highScore.txt", value));
    EXPECT_EQ(dir.ReadFile("highScore.txt"), std::to_string(value) + "\n");
    int read = 12345;
    EXPECT_TRUE(HighScoreFile::Read("highScore.txt", read));
    EXPECT_EQ(read, value);
    EXPECT_FALSE(std::filesystem::exists("highScore.txt.tmp"));
  }
}
