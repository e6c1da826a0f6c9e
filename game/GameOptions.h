// The game's own command line: help, version and the player's data folder.
#pragma once
#include <string>
#include <vector>

// What the game does with the arguments the engine left to it.
class GameOptions {
 public:
  // Play on; exit with status 0 (Exit), 1 (Failed) or 2 (Usage).
  enum class Outcome { Play, Exit, Failed, Usage };

  // Read before the engine's options: answers --help or --version on stdout (Exit, or Failed when
  // stdout cannot take it) when either
  // comes before any "--", the first of them winning whatever else is given; otherwise moves into
  // the player's folder when --player-folder is given, so every relative path is taken from there.
  static Outcome Start(int argc, char** argv);
  // Checks the arguments the engine left: only --player-folder is the game's; anything else is
  // named on stderr in one line (Usage).
  static Outcome Check(const char* program, const std::vector<std::string>& gameArguments);
  // The help text: what the game is, its options (the engine's too) and its keys.
  static std::string Help();
  // The folder the game keeps the player's files in when started from a desktop menu:
  // $XDG_DATA_HOME/quendal-the-warden, or ~/.local/share/quendal-the-warden; empty without HOME.
  static std::string PlayerFolder();
  // Makes the player's folder if needed and moves into it; on failure says why on stderr and
  // stays in the working directory.
  static void EnterPlayerFolder();
};
