// The best-score file: one decimal line, kept through the engine's SafeFile.
#pragma once
#include <cstddef>
#include <string>
#include <utility>

#include "engine/storage/SafeFile.h"

// One record file (the game uses "highScore.txt"), with what this run has said about it.
class HighScoreFile {
 public:
  // Only this many bytes at the end of the file are read to find its last line.
  static constexpr size_t kTailBytes = quendal::SafeFile::kTailBytes;

  // What a reading found: a value, no record (a missing file, or no line with anything on it),
  // or a record that could not be read and so must not be replaced.
  enum class Reading { Value, None, Unknown };

  explicit HighScoreFile(std::string path) : file(std::move(path)) {}

  // Removes temporary files that saves which died left beside the record, then reads it into
  // value (left unchanged without one). An unknown record is said once on stderr and blocks
  // every later save of this object.
  void Load(int& value);
  // Under the folder's lock, reads the record again and replaces it with value only if value
  // beats it. Returns true when the file now holds value or more; otherwise says once on
  // stderr why the save failed. Writes in place, and says so once, where the folder takes no
  // new file but the file can be written.
  bool Save(int value);

  // Reads path's record from its last kTailBytes. Lines end at a newline or a NUL byte; the last
  // line holding anything but white space counts, read as atoi reads it but clamped to the int
  // range; a leading UTF-8 byte-order mark is skipped. None for a missing file or one without
  // such a line; Unknown, with the reason in why, when the file cannot be read or that line may
  // start before its last kTailBytes.
  static Reading Read(const char* path, int& value, std::string& why);

  // The path as given.
  const std::string& Path() const { return file.Path(); }

 private:
  // The reading rule over what a reading of the file found.
  static Reading Interpret(const quendal::SafeFile::Tail& tail, int& value, std::string& why);
  // Prints "<path>: <text>\n" on stderr unless it was the last thing said.
  void Say(const std::string& text);

  quendal::SafeFile file;
  bool known = true;
  std::string said;
};
