// Fuzzes the recording reader on arbitrary bytes: whatever it accepts, written back by the writer
// in its version and read again, gives the same events (clock, seed, wheel and gamepad lines too). The first four bytes also name a key code, and a scan
// code: each, written in a line, must read back to itself.
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/replay/RecordingReader.h"
#include "engine/replay/RecordingWriter.h"

using namespace quendal;

namespace {

void KeyReadsBack(int code) {
  const std::string text =
      RecordingWriter::Header() + RecordingWriter::Line({0, RecordedEvent::KeyDown, code});
  RecordingReader reader;
  RecordedEvent event;
  EventTape::Cursor at;
  if (!reader.Parse(text.data(), text.size()) || !reader.Events().Read(at, event) ||
      event.code != code) {
    std::fprintf(stderr, "key 0x%X written as:\n%s\nread back: %s\n", static_cast<unsigned>(code),
                 text.c_str(), reader.Error().c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 4) {
    uint32_t code = 0;
    std::memcpy(&code, data, sizeof code);
    KeyReadsBack(static_cast<int>(code));
    KeyReadsBack(SDL_SCANCODE_TO_KEYCODE(static_cast<SDL_Scancode>(code % SDL_NUM_SCANCODES)));
  }
  RecordingReader first;
  if (!first.Parse(reinterpret_cast<const char*>(data), size))
    return first.Events().Empty() && !first.Error().empty() ? 0 : (std::abort(), 0);
  std::string text = RecordingWriter::Header(first.Version());
  RecordedEvent event;
  for (EventTape::Cursor at; first.Events().Read(at, event);)
    text += RecordingWriter::Line(event);
  RecordingReader second;
  if (!second.Parse(text.data(), text.size()) || second.Events() != first.Events()) {
    std::fprintf(stderr, "written back:\n%s\nread again: %s\n", text.c_str(),
                 second.Error().c_str());
    std::abort();
  }
  return 0;
}
