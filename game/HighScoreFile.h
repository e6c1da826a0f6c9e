// The best-score file: one decimal line, read by its last line and replaced atomically.
#pragma once
#include <cstdio>

// Reads and writes the file named by the caller (the game uses "highScore.txt").
class HighScoreFile {
 public:
  // The value of the last line (atoi rule, clamped to the int range) of a regular file.
  // Returns false, leaving value unchanged, when the file is missing, not a regular file,
  // unreadable or empty. Never blocks on a FIFO.
  static bool Read(const char* path, int& value);
  // The last-line rule over a stream: feeds 100-byte fgets reads; false when nothing was read.
  static bool ReadStream(std::FILE* stream, int& value);
  // The value atoi would give for the text, clamped to the int range instead of overflowing.
  static int ParseNumber(const char* text);
  // Writes "<value>\n" to a temporary file beside path, flushes and fsyncs it, renames it over
  // path and fsyncs the directory. On any failure the temporary file is removed, path keeps its
  // old contents, and false is returned.
  static bool Write(const char* path, int value);
  // Removes a temporary file left by a save that was interrupted.
  static void RemoveStaleTemporary(const char* path);
  // The temporary file's name for path: path followed by ".tmp".
  static void TemporaryName(const char* path, char* out, size_t size);
};
