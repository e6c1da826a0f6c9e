// The best-score file through the real MainLoop: what is read from plain, edited and hostile files,
// and what a game's save leaves among links, modes, other games and folders it may not write.
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "unit/game_probe.h"

namespace fs = std::filesystem;
using gametest::GameProbe;
using testsupport::Push;

namespace {

const std::string kMissing = "<missing>";
const std::string kName = "highScore.txt";

// Empties the directory but for the font and the pictures, opens it to everyone, then writes
// content to the file (unless kMissing) and runs the shell command, with the umask 022.
void Prepare(const testsupport::ScratchDirectory& dir, const std::string& content,
             const std::string& command) {
  umask(022);
  for (const auto& entry : fs::directory_iterator("."))
    if (entry.path().filename() != "assets" && entry.path().filename() != "Cornerstone Regular.ttf")
      fs::remove_all(entry.path());
  fs::permissions(".", fs::perms::all);
  if (content != kMissing)
    dir.WriteFile(kName, content);
  if (!command.empty()) {
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
}

// What the directory holds besides the font and the pictures, by name: "name -> target", "name/",
// "name|" (a FIFO), or "name MODE [uid:gid] [links N] "bytes"" (the size past 64 bytes).
std::string Listing(const testsupport::ScratchDirectory& dir) {
  std::vector<std::string> lines;
  for (auto entry = fs::recursive_directory_iterator("."); entry != fs::end(entry); ++entry) {
    const std::string name = entry->path().lexically_relative(".").string();
    struct stat info {};
    if (name == "assets" || name == "Cornerstone Regular.ttf" || lstat(name.c_str(), &info) != 0) {
      entry.disable_recursion_pending();
      continue;
    }
    std::string line = name;
    if (S_ISLNK(info.st_mode) || S_ISDIR(info.st_mode) || S_ISFIFO(info.st_mode)) {
      line += S_ISLNK(info.st_mode)   ? " -> " + fs::read_symlink(name).string()
              : S_ISDIR(info.st_mode) ? "/"
                                      : "|";
    } else {
      char mode[16];
      std::snprintf(mode, sizeof mode, " %o", info.st_mode & 07777);
      line += mode;
      if (info.st_uid != 0 || info.st_gid != 0)
        line += " " + std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid);
      if (info.st_nlink > 1)
        line += " links " + std::to_string(info.st_nlink);
      line += info.st_size > 64 ? " <" + std::to_string(info.st_size) + " bytes>"
                                : " \"" + dir.ReadFile(name) + "\"";
    }
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  std::string all;
  for (const std::string& line : lines)
    all += line + "; ";
  return all;
}

// Runs the game with the file system's permission checks of user nobody when asked (as root the
// modes would stop nothing); returns the console, standard error included.
std::string RunAs(bool nobody, const std::function<void(GameProbe&)>& setUp,
                  const std::function<void(GameProbe&)>& examine = nullptr) {
  if (nobody) {
    setfsgid(65534);
    setfsuid(65534);
  }
  const std::string console = gametest::RunGame(setUp, examine, true);
  setfsuid(0);
  setfsgid(0);
  return console;
}

// A line said on standard error about the file ("" for none).
std::string Said(const std::string& text) { return text.empty() ? "" : kName + ": " + text + "\n"; }

}  // namespace

// What stands at "highScore.txt" (bytes, then a shell command) -> the best score read and what is
// said about it. Only the file's tail is read; a record that cannot be
// read is said and left alone. Escape on the start screen then writes 0 only over a negative
// record.
TEST(GameHighScore, ReadingTable) {
  struct Case {
    std::string content;
    int best;
    std::string said = "", command = "";
    bool nobody = false;
    std::string after = "";
  };
  const std::string notRead = "best score not read: ";
  const std::string cut = notRead + "no line starts in its last 65536 bytes";
  // clang-format off
  const std::vector<Case> cases = {
      {kMissing, 0}, {"", 0}, {"42", 42}, {"42\n", 42}, {"10\n20\n", 20}, {"42\n\n \n\t\r\n", 42},
      {"\xEF\xBB\xBF" "42\r\n", 42}, {"10\r\n20\r\n\r\n", 20}, {std::string("42\n\0\0\0", 6), 42},
      {std::string("12\0" "34\n\0 \n", 9), 34}, {"  17  ", 17}, {"word", 0}, {"12abc\n", 12},
      {"1\r2\r3\r", 1}, {"-5\n", -5, "", "", false, "highScore.txt 644 \"0\n\"; "},
      {"99999999999", INT_MAX}, {std::string(10 << 20, 'x') + "\n5\n", 5},
      {std::string(70000, '7') + "\n", 0, cut}, {"1\n" + std::string(70000, '\0'), 0, cut},
      {kMissing, 42, "", "truncate -s 5G highScore.txt && echo 42 >>highScore.txt"},
      {kMissing, 0, notRead + "not a regular file", "mkdir highScore.txt"},
      {kMissing, 0, notRead + "not a regular file", "mkfifo highScore.txt"},
      {"7\n", 0, notRead + "Permission denied", "chmod 000 highScore.txt", true},
      {kMissing, 0, notRead + "Too many levels of symbolic links",
       "ln -s highScore.txt highScore.txt"},
      {kMissing, 0, "", "ln -s gone/record highScore.txt"},
  };
  // clang-format on
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE("content \"" + test.content.substr(0, 40) + "\", " + test.command);
    Prepare(dir, test.content, test.command);
    const std::string before = Listing(dir);
    const std::string console =
        RunAs(test.nobody, [](GameProbe&) { Push(SDL_KEYDOWN, SDLK_ESCAPE); });
    EXPECT_EQ(console, gametest::Console(test.best, "\nGame Exit", Said(test.said)));
    EXPECT_EQ(Listing(dir), test.after.empty() ? before : test.after);
  }
}

// A game that ends with 2 points, by what stood in the folder (a shell command, run as nobody when
// asked) and what changed during play: the listing after, and what was said at the start and at the
// save. The record is replaced only by a higher score, through links, keeping its mode and owner,
// in place where the folder takes no new file; a failure is said once and leaves no temporary file.
TEST(GameHighScore, SavingAfterAGameTable) {
  struct Case {
    std::string command, after, saidAtStart = "", saidAtSave = "";
    bool nobody = false;
    std::string during = "";
  };
  const std::string one = "printf '1\\n' >highScore.txt", record = one + " && ";
  const std::string two = "highScore.txt 644 \"2\n\"; ";
  const std::vector<Case> cases = {
      {"", two},
      {record + "chmod 664 highScore.txt && chown 65534:65534 highScore.txt",
       "highScore.txt 664 65534:65534 \"2\n\"; "},
      {"printf 2 >highScore.txt", "highScore.txt 644 \"2\"; "},
      {": >highScore.txt", two},
      {"printf '3\\n' >highScore.txt", "highScore.txt 644 \"3\n\"; "},
      {"mkdir highScore.txt", "highScore.txt/; ", "best score not read: not a regular file"},
      {record + "mkdir highScore.txt.tmp && : >highScore.txt.tmp.9.1 && echo >highScore.txt.tmp.x",
       two + "highScore.txt.tmp.x 644 \"\n\"; highScore.txt.tmp/; "},
      {"mkdir sub && echo 1 >sub/record && chmod 600 sub/record && ln -s sub/record highScore.txt",
       "highScore.txt -> sub/record; sub/; sub/record 600 \"2\n\"; "},
      {"ln -s sub/record highScore.txt && mkdir sub",
       "highScore.txt -> sub/record; sub/; sub/record 644 \"2\n\"; "},
      {record + "ln highScore.txt other.txt", two + "other.txt 644 \"1\n\"; "},
      {record + "chmod 000 highScore.txt", "highScore.txt 0 \"1\n\"; ",
       "best score not read: Permission denied", "", true},
      {record + "chmod 666 highScore.txt && chmod 555 .", "highScore.txt 666 \"2\n\"; ", "",
       "best score 2 written in place, the folder takes no new file: Permission denied", true},
      {record + "chmod 555 .", "highScore.txt 644 \"1\n\"; ", "",
       "best score 2 not saved: Permission denied", true},
      {one, "highScore.txt 644 \"9\n\"; ", "", "", false, "echo 9 >highScore.txt"},
      {one, "highScore.txt/; ", "", "best score 2 not saved: not a regular file", false,
       "rm highScore.txt && mkdir highScore.txt"},
  };
  testsupport::ScratchDirectory dir(true);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.command + " / " + test.during);
    Prepare(dir, kMissing, test.command);
    int best = 0, gameOverUpdate = 0;
    const std::string console = RunAs(
        test.nobody,
        [&](GameProbe& game) {
          Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
          Push(SDL_KEYDOWN, SDLK_RIGHT);
          game.afterPass = [&](GameProbe& probe) {
            if (probe.passes == 1) {
              probe.score = 2;
              if (!test.during.empty()) {
                EXPECT_EQ(std::system(test.during.c_str()), 0);
              }
            }
            if (probe.gameOver && probe.playUpdates == probe.gameOverUpdate)
              Push(SDL_KEYDOWN, SDLK_ESCAPE);
          };
        },
        [&](GameProbe& game) {
          gameOverUpdate = game.gameOverUpdate;
          best = game.highScore;
        });
    // The paddle is held right from the start, so ball B misses it on its 74th update.
    EXPECT_EQ(gameOverUpdate, 74);
    EXPECT_EQ(
        console,
        gametest::Console(best, "\nGame Started" + Said(test.saidAtSave) + "\nGame Over\nGame Exit",
                          Said(test.saidAtStart)));
    EXPECT_EQ(Listing(dir), test.after);
  }
}
