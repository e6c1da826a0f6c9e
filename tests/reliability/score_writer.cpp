// Saves best scores as a game does, through HighScoreFile (or Bricks' BestScore when built with
// BRICKS_WRITER): once (exit status 0 when the file then
// holds the value or more, 1 with the reason on stderr), or a series for the kill loop, each
// completed save printed on its own line and followed by a pause of 1 ms, so that a series spans
// many kills.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#ifdef BRICKS_WRITER
#include "BestScore.h"
using Record = BestScore;
#else
#include "game/HighScoreFile.h"
using Record = HighScoreFile;
#endif

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "once") == 0)
    return Record(argv[2]).Save(std::atoi(argv[3])) ? 0 : 1;
  if (argc == 6 && std::strcmp(argv[1], "loop") == 0) {
    Record record(argv[2]);
    int best = 0;
    record.Load(best);
    for (int value = std::atoi(argv[3]); value <= std::atoi(argv[5]); value += std::atoi(argv[4])) {
      if (!record.Save(value))
        return 1;
      const std::string line = std::to_string(value) + "\n";
      if (::write(1, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return 1;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
  }
  std::fprintf(stderr,
               "usage: score_writer once <file> <value> | loop <file> <first> <step> <last>\n");
  return 2;
}
