// The best-score file through the real MainLoop: what is read from plain, edited and hostile files,
// and what a game's save leaves among links, modes, other games and folders it may not write.
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
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

// A line said on standard error ("" for none).
std::string Said(const std::string& text) { return text.empty() ? "" : text + "\n"; }

}  // namespace

// Escape on the start screen, by what stood at highScore.txt: the best score read, what is said
// and what is left (tests/tables/record_reading.tsv).
TEST(GameHighScore, ReadingTable) {
  testsupport::ScratchDirectory dir(true);
  for (auto row : testsupport::Table("record_reading.tsv")) {
    row.resize(6);
    const auto& [content, command, user, best, said, after] =
        std::tie(row[0], row[1], row[2], row[3], row[4], row[5]);
    SCOPED_TRACE("content \"" + content.substr(0, 40) + "\", " + command);
    Prepare(dir, content, command);
    const std::string before = Listing(dir);
    const std::string console =
        RunAs(user == "nobody", [](GameProbe&) { Push(SDL_KEYDOWN, SDLK_ESCAPE); });
    EXPECT_EQ(console, gametest::Console(std::stoi(best), "\nGame Exit", Said(said)));
    EXPECT_EQ(Listing(dir), after.empty() ? before : after);
  }
}

// A game that ends with 2 points, by what stood in the folder and what changed during play: the
// listing after and what was said at the start and at the save (tests/tables/record_saving.tsv).
TEST(GameHighScore, SavingAfterAGameTable) {
  testsupport::ScratchDirectory dir(true);
  for (auto row : testsupport::Table("record_saving.tsv")) {
    row.resize(6);
    const auto& [command, after, saidAtStart, saidAtSave, user, during] =
        std::tie(row[0], row[1], row[2], row[3], row[4], row[5]);
    SCOPED_TRACE(command + " / " + during);
    Prepare(dir, kMissing, command);
    int best = 0, gameOverUpdate = 0;
    const std::string console = RunAs(
        user == "nobody",
        [&](GameProbe& game) {
          Push(SDL_MOUSEBUTTONDOWN, 1, 400, 257);
          Push(SDL_KEYDOWN, SDLK_RIGHT);
          game.afterPass = [&](GameProbe& probe) {
            if (probe.passes == 1) {
              probe.score = 2;
              if (!during.empty()) {
                EXPECT_EQ(std::system(during.c_str()), 0);
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
    EXPECT_EQ(console, gametest::Console(
                           best, "\nGame Started" + Said(saidAtSave) + "\nGame Over\nGame Exit",
                           Said(saidAtStart)));
    EXPECT_EQ(Listing(dir), after);
  }
}
