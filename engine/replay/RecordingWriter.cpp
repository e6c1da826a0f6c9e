// Writing recordings as text, through an output file put in place at the end.
#include "engine/replay/RecordingWriter.h"

#include <SDL.h>

#include <cstring>

namespace quendal {

namespace {

// Whether a key's name reads back from a line as it is: not empty, no control character (a
// newline would end the line), and no space or tab at its ends (the reader trims them).
bool Readable(const char* name) {
  const size_t length = std::strlen(name);
  if (length == 0 || name[0] == ' ' || name[length - 1] == ' ')
    return false;
  for (size_t at = 0; at < length; ++at)
    if (static_cast<unsigned char>(name[at]) < 0x20 || name[at] == 0x7F)
      return false;
  return true;
}

}  // namespace

std::string RecordingWriter::Header(int version) {
  return std::string(version == 1 ? kRecordingHeader : kRecordingHeader2) +
         "\n# updates-done event arguments\n";
}

std::string RecordingWriter::Line(const RecordedEvent& event) {
  std::string line = std::to_string(event.updates) + " " + RecordedEvent::NameOf(event.kind);
  if (RecordedEvent::HasKey(event.kind)) {
    const char* name = SDL_GetKeyName(event.code);
    char hex[16];
    if (!Readable(name) || SDL_GetKeyFromName(name) != event.code) {
      SDL_snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(event.code));
      name = hex;
    }
    line += std::string(" ") + name;
  }
  if (RecordedEvent::HasButton(event.kind))
    line += " " + std::to_string(event.code);
  if (RecordedEvent::HasPosition(event.kind) || event.kind == RecordedEvent::Wheel)
    line += " " + std::to_string(event.x) + " " + std::to_string(event.y);
  if (RecordedEvent::IsEngines(event.kind))
    line += " " + std::to_string(static_cast<uint32_t>(event.code));
  if (RecordedEvent::HasPad(event.kind))
    line += " " + std::to_string(event.code);
  if (RecordedEvent::HasPadButton(event.kind))
    line += std::string(" ") +
            SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(event.x));
  if (event.kind == RecordedEvent::PadAxis)
    line += std::string(" ") +
            SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(event.x)) + " " +
            std::to_string(event.y);
  return line + "\n";
}

bool RecordingWriter::Open(const char* path, int version) {
  return file.Open(path) && file.Write(Header(version));
}

void RecordingWriter::Write(const RecordedEvent& event) {
  if (file.IsOpen())
    file.Write(Line(event));
}

void RecordingWriter::Flush() { file.Flush(); }

bool RecordingWriter::Close() { return file.Commit(); }

}  // namespace quendal
