// The player's best score in Bricks: one decimal line in a file kept through the engine's SafeFile.
#pragma once
#include <string>
#include <utility>

#include "engine/storage/SafeFile.h"

class BestScore {
 public:
  explicit BestScore(std::string path) : file(std::move(path)) {}

  // Reads the number on the file's last line into best (left as it is without one); a file that
  // cannot be read is named on stderr.
  void Load(int& best);
  // Keeps score unless the file, read again under its lock, holds as much or more; false after
  // one line on stderr saying why it was not saved.
  bool Save(int score);

 private:
  quendal::SafeFile file;
};
