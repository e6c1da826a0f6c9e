// Writes a recording: the first line, then one line per event, flushed when asked.
#pragma once
#include <cstdio>
#include <string>

#include "engine/replay/RecordedEvent.h"

namespace quendal {

class RecordingWriter {
 public:
  RecordingWriter() = default;
  ~RecordingWriter();
  RecordingWriter(const RecordingWriter&) = delete;
  RecordingWriter& operator=(const RecordingWriter&) = delete;

  // The first lines of a recording: the format's line and a comment on the columns.
  static std::string Header();
  // The line of one event, with its newline. Keys go by SDL's key name when that name gives the
  // key back and holds no control character nor a space at its ends, otherwise as 0x and the
  // code in hexadecimal.
  static std::string Line(const RecordedEvent& event);

  // Creates (or empties) the file and writes the header; false with errno set on failure.
  bool Open(const char* path);
  // Appends an event's line (written out by Flush or Close).
  void Write(const RecordedEvent& event);
  // Hands what was written to the system.
  void Flush();
  // Flushes and closes; false when anything written since Open failed to reach the file.
  bool Close();

 private:
  std::FILE* file = nullptr;
};

}  // namespace quendal
