// The game's help text, its version and the move into the player's folder.
#include "game/GameOptions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/BaseEngine.h"

namespace {

constexpr const char* kFolderName = "quendal-the-warden";
constexpr const char* kPlayerFolder = "--player-folder";

// Makes path and the folders above it that are missing.
bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    struct stat info;
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
      return false;
    if (::stat(part.c_str(), &info) != 0)
      return false;
    if (!S_ISDIR(info.st_mode)) {
      errno = ENOTDIR;
      return false;
    }
    if (slash == std::string::npos)
      return true;
  }
}

}  // namespace

GameOptions::Outcome GameOptions::Start(int argc, char** argv) {
  bool playerFolder = false;
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    const bool help = std::strcmp(argv[i], "--help") == 0;
    if (help || std::strcmp(argv[i], "--version") == 0) {
      const std::string text =
          help ? Help() : std::string("Quendal The Warden ") + QUENDAL_VERSION + "\n";
      if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0)
        return Outcome::Exit;
      std::fprintf(stderr, "%s: standard output: %s\n", argv[0], std::strerror(errno));
      return Outcome::Failed;
    }
    playerFolder = playerFolder || std::strcmp(argv[i], kPlayerFolder) == 0;
  }
  if (playerFolder)
    EnterPlayerFolder();
  return Outcome::Play;
}

GameOptions::Outcome GameOptions::Check(const char* program,
                                        const std::vector<std::string>& gameArguments) {
  for (const std::string& argument : gameArguments)
    if (argument != kPlayerFolder) {
      std::fprintf(stderr, "%s: unknown option '%s' (--help lists the options)\n", program,
                   argument.c_str());
      return Outcome::Usage;
    }
  return Outcome::Play;
}

std::string GameOptions::Help() {
  return std::string("Quendal The Warden: steer the paddle, send every ball back up.\n\n") +
         "Usage: quendal [OPTION]...\n\n"
         "Two balls bounce around a band of fire. Each bounce on the paddle scores a point; a\n"
         "ball that slips past it ends the game. The best score is kept in highScore.txt in the\n"
         "folder the game runs in.\n\n"
         "Options:\n" +
         BaseEngine::OptionsHelp() +
         "  --player-folder    run in the player's own data folder, made on first start\n"
         "                     ($XDG_DATA_HOME/quendal-the-warden), as the menu entry does\n"
         "  --help             print this help and exit\n"
         "  --version          print the version and exit\n\n"
         "Keys:\n"
         "  Left, Right        move the paddle (a gamepad's d-pad or left stick too)\n"
         "  Enter, Space       press PLAY on the start screen (a gamepad's A or Start too)\n"
         "  M                  sound on or off\n"
         "  P                  pause or go on (leaving the window pauses too)\n"
         "  Escape             quit, saving the best score\n"
         "  F11, Alt+Enter     fullscreen on or off\n\n"
         "Mouse:\n"
         "  PLAY, EXIT         the start screen's buttons\n\n"
         "Gamepad:\n"
         "  left stick, d-pad  move the paddle\n"
         "  A, Start           press PLAY on the start screen\n";
}

std::string GameOptions::PlayerFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (data != nullptr && data[0] == '/')
    return std::string(data) + "/" + kFolderName;
  return home != nullptr && home[0] == '/' ? std::string(home) + "/.local/share/" + kFolderName
                                           : "";
}

void GameOptions::EnterPlayerFolder() {
  const std::string folder = PlayerFolder();
  if (folder.empty()) {
    std::fprintf(stderr, "no player folder: HOME is not set; playing in the working directory\n");
    return;
  }
  if (!MakeFolders(folder) || ::chdir(folder.c_str()) != 0)
    std::fprintf(stderr, "%s: %s; playing in the working directory\n", folder.c_str(),
                 std::strerror(errno));
}
