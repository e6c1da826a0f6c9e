// Writing recordings as text, through an output file put in place at the end.
#include "engine/replay/RecordingWriter.h"

#include <SDL.h>

namespace quendal {

std::string RecordingWriter::Header() {
  return std::string(kRecordingHeader) + "\n# updates-done event arguments\n";
}

std::string RecordingWriter::Line(const RecordedEvent& event) {
  std::string line = std::to_string(event.updates) + " " + RecordedEvent::NameOf(event.kind);
  if (RecordedEvent::HasKey(event.kind)) {
    const char* name = SDL_GetKeyName(event.code);
    char hex[16];
    if (name[0] == '\0' || SDL_GetKeyFromName(name) != event.code) {
      SDL_snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(event.code));
      name = hex;
    }
    line += std::string(" ") + name;
  }
  if (RecordedEvent::HasButton(event.kind))
    line += " " + std::to_string(event.code);
  if (RecordedEvent::HasPosition(event.kind))
    line += " " + std::to_string(event.x) + " " + std::to_string(event.y);
  return line + "\n";
}

bool RecordingWriter::Open(const char* path) { return file.Open(path) && file.Write(Header()); }

void RecordingWriter::Write(const RecordedEvent& event) {
  if (file.IsOpen())
    file.Write(Line(event));
}

void RecordingWriter::Flush() { file.Flush(); }

bool RecordingWriter::Close() { return file.Commit(); }

}  // namespace quendal
