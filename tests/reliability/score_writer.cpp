// Saves best scores with HighScoreFile::Write: once (exit status 0 when saved, 1 when not, with
// the reason on stderr), or in an endless loop of increasing values for the kill test.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/HighScoreFile.h"

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "once") == 0) {
    errno = 0;
    if (HighScoreFile::Write(argv[2], std::atoi(argv[3])))
      return 0;
    std::fprintf(stderr, "not saved: %s\n", std::strerror(errno));
    return 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "loop") == 0) {
    // Like the game at its start: clear a stale temporary file, then read the record.
    HighScoreFile::RemoveStaleTemporary(argv[2]);
    int value = 0;
    HighScoreFile::Read(argv[2], value);
    for (;;)
      HighScoreFile::Write(argv[2], ++value);
  }
  std::fprintf(stderr, "usage: score_writer once <file> <value> | loop <file>\n");
  return 2;
}
