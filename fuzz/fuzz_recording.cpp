// Fuzzes the recording reader on arbitrary bytes: whatever it accepts, written back by the writer
// and read again, gives the same events.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/replay/RecordingReader.h"
#include "engine/replay/RecordingWriter.h"

using namespace quendal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordingReader first;
  if (!first.Parse(reinterpret_cast<const char*>(data), size))
    return first.Events().Empty() && !first.Error().empty() ? 0 : (std::abort(), 0);
  std::string text = RecordingWriter::Header();
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
