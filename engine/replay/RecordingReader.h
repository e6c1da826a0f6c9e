// Reads a recording, which is untrusted input: every fault is reported with its line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/platform/Gamepads.h"
#include "engine/replay/EventTape.h"

namespace quendal {

// A file is read in pieces and its events kept on a tape, so reading holds the tape (fewer bytes
// than the file: under 2/5 of it, a fifth or less for a played game) and one piece at a time.
class RecordingReader {
 public:
  // The longest line accepted, and the largest file.
  static constexpr size_t kMaxLine = 4096;
  static constexpr size_t kMaxFile = 256u << 20;
  // The highest update number accepted: 10^8 updates of 15 ms, about 17 days of play.
  static constexpr int64_t kMaxUpdates = 100000000;
  // Gamepads held at once; each is numbered by the lowest number free when it was connected.
  static constexpr int kMaxPads = Gamepads::kMaxPads;

  // Parses a recording's bytes. On success Events() holds them (an End event, if any, last);
  // otherwise Error() says "<line>: <message>" and Events() is empty.
  bool Parse(const char* data, size_t size);
  // Reads and parses a regular file, refusing one larger than kMaxFile before reading it; Error()
  // then says "<path>:<line>: <message>", or "<path>: <message>" when the file cannot be read.
  bool ReadFile(const char* path);

  const EventTape& Events() const { return events; }
  // Hands the events over, leaving the reader with none.
  EventTape TakeEvents() { return std::move(events); }
  const std::string& Error() const { return error; }
  // The version of the recording parsed: 1 or 2.
  int Version() const { return version; }

 private:
  // Forgets any earlier reading.
  void Start();
  // Parses the complete lines at the start of data, and with last the rest as the final line;
  // used tells how many bytes were parsed. False with error set.
  bool ParseLines(const char* data, size_t size, bool last, size_t& used);
  // Parses one line after the first; false with error set.
  bool ParseLine(std::string_view line, size_t number);
  // The rest of a line of version 2's own kinds, after its name; false with error set.
  bool ParseVersion2(std::string_view line, size_t& at, size_t number, RecordedEvent& event);
  // False with error set when a field follows at.
  bool Extra(std::string_view line, size_t at, size_t number);
  bool Fail(size_t number, const std::string& message);
  // A key by SDL's name for it, in any case; false when SDL knows no such name.
  bool LookUpKey(std::string_view name, int& code);

  EventTape events;
  std::string error;
  // The lines parsed so far.
  size_t lines = 0;
  // A key's name in lower case, NUL-terminated for SDL.
  std::string keyName;
  // The codes of the names of two or more ASCII characters found so far: at most one per key.
  std::unordered_map<std::string, int> keyCodes;
  int version = 1;
  // The last time line's clock (-1 before any), and the gamepads connected, a bit each.
  long long lastTime = -1;
  uint32_t padsConnected = 0;
};

}  // namespace quendal
