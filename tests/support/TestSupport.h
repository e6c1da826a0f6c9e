// Shared test helpers: pixel lists, a scratch working directory, console capture and event pushes.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The font the game and the tests use, as named in the working directory.
inline constexpr const char* kFont = "Cornerstone Regular.ttf";

// Every pixel of any 32-bit surface, row by row.
std::vector<uint32_t> PixelsOf(SDL_Surface* surface);

// "" when the two pixel lists (rows of width pixels) are equal, otherwise how many pixels differ
// and the first difference with its coordinates.
std::string FirstDifference(const std::vector<uint32_t>& actual,
                            const std::vector<uint32_t>& expected, int width);

// Makes a fresh empty directory and enters it; on destruction returns and removes it.
// With withRuntimeFiles, the font, pictures and sounds of the source tree are copied in first.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(bool withRuntimeFiles = false);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

 private:
  std::string path;
  std::string previous;
};

// Captures everything written to standard output (or to another descriptor, 2 for standard error)
// between construction and Text().
class StdoutCapture {
 public:
  explicit StdoutCapture(int descriptor = 1);
  ~StdoutCapture();
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;
  // Stops capturing (once) and returns the bytes written.
  std::string Text();

 private:
  int capturedFd;
  int savedFd;
  std::string file;
  bool done = false;
  std::string text;
};

// Pushes an SDL event: a key event with its key code, a mouse event with its button (code) and
// position, or a bare event of the type.
void Push(uint32_t type, int code = 0, int x = 0, int y = 0);

// The source tree's path (for the committed assets).
std::string SourceDir();

// The fuzzers' check: prints "failed: <what>" on stderr and aborts unless the condition holds.
void Check(bool condition, const char* what);

// The rows of the table tests/tables/NAME, each split at tabs into exactly `columns` fields (the
// missing last ones empty); blank lines and lines that start with '#' are skipped. Throws when
// there is no row.
std::vector<std::vector<std::string>> Table(const std::string& name, size_t columns);

}  // namespace testsupport
