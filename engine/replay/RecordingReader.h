// Reads a recording, which is untrusted input: every fault is reported with its line.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/replay/RecordedEvent.h"

namespace quendal {

class RecordingReader {
 public:
  // The longest line accepted, and the largest file.
  static constexpr size_t kMaxLine = 4096;
  static constexpr size_t kMaxFile = 256u << 20;

  // Parses a recording's bytes. On success Events() holds them (an End event, if any, last);
  // otherwise Error() says "<line>: <message>" and Events() is empty.
  bool Parse(const char* data, size_t size);
  // Reads and parses a regular file; Error() then says "<path>:<line>: <message>", or
  // "<path>: <message>" when the file cannot be read.
  bool ReadFile(const char* path);

  const std::vector<RecordedEvent>& Events() const { return events; }
  const std::string& Error() const { return error; }

 private:
  // Parses one line after the first; false with error set.
  bool ParseLine(const std::string& line, size_t number);
  bool Fail(size_t number, const std::string& message);

  std::vector<RecordedEvent> events;
  std::string error;
};

}  // namespace quendal
