// Writes a recording: the first line, then one line per event, put in place whole at the end.
#pragma once
#include <string>

#include "engine/replay/RecordedEvent.h"
#include "engine/storage/OutputFile.h"

namespace quendal {

class RecordingWriter {
 public:
  // The first lines of a recording of the version (1 or 2): the format's line and a comment on
  // the columns.
  static std::string Header(int version = 2);
  // The line of one event, with its newline. Keys go by SDL's key name when that name gives the
  // key back and holds no control character nor a space at its ends, otherwise as 0x and the
  // code in hexadecimal; gamepad buttons and axes go by SDL's names for them (only for those
  // SDL names).
  static std::string Line(const RecordedEvent& event);

  // Starts the recording that Close puts in place of path (OutputFile::Open: refused at once
  // where only a regular file or nothing may stand), header first; false with the reason in
  // Error(). A recording never closed leaves path as it was.
  bool Open(const char* path, int version = 2);
  // Appends an event's line; nothing while no recording is open.
  void Write(const RecordedEvent& event);
  // Hands what was written to the system.
  void Flush();
  // Puts the recording in place; false with the reason in Error() when anything written since
  // Open failed to reach it, the old file then left as it was.
  bool Close();

  // Whether a recording is open.
  bool IsOpen() const { return file.IsOpen(); }
  // Why Open or the recording failed.
  const std::string& Error() const { return file.Error(); }

 private:
  OutputFile file;
};

}  // namespace quendal
