// Parsing recordings: the first line, comments, events and their arguments, with limits.
#include "engine/replay/RecordingReader.h"

#include <SDL.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

#include "engine/platform/RegularFile.h"

namespace quendal {

namespace {

// Splits off the next field (separated by spaces or tabs); empty at the end of the line.
std::string NextField(const std::string& line, size_t& at) {
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
    ++at;
  const size_t start = at;
  while (at < line.size() && line[at] != ' ' && line[at] != '\t')
    ++at;
  return line.substr(start, at - start);
}

// A decimal int, with a '-' only when negative values are allowed.
bool ParseInt(const std::string& text, bool allowNegative, int& value) {
  size_t at = allowNegative && !text.empty() && text[0] == '-' ? 1 : 0;
  if (at == text.size() || text.size() - at > 10)
    return false;
  long long parsed = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9')
      return false;
    parsed = parsed * 10 + (text[at] - '0');
  }
  parsed = text[0] == '-' ? -parsed : parsed;
  if (parsed < INT_MIN || parsed > INT_MAX)
    return false;
  value = static_cast<int>(parsed);
  return true;
}

// A key by SDL's name for it, or as 0x and up to 8 hexadecimal digits.
bool ParseKey(const std::string& name, int& code) {
  if (name.size() > 2 && name.size() <= 10 && name[0] == '0' && name[1] == 'x') {
    unsigned long parsed = 0;
    for (size_t at = 2; at < name.size(); ++at) {
      const char digit = name[at];
      const int value = digit >= '0' && digit <= '9'   ? digit - '0'
                        : digit >= 'A' && digit <= 'F' ? digit - 'A' + 10
                        : digit >= 'a' && digit <= 'f' ? digit - 'a' + 10
                                                       : -1;
      if (value < 0)
        return false;
      parsed = parsed * 16 + static_cast<unsigned long>(value);
    }
    code = static_cast<int>(static_cast<uint32_t>(parsed));
    return true;
  }
  code = SDL_GetKeyFromName(name.c_str());
  return code != SDLK_UNKNOWN;
}

const RecordedEvent::Kind kKinds[] = {RecordedEvent::KeyDown,   RecordedEvent::KeyUp,
                                      RecordedEvent::MouseMove, RecordedEvent::MouseDown,
                                      RecordedEvent::MouseUp,   RecordedEvent::Quit,
                                      RecordedEvent::End};

// A field as it may be shown in a message: printable ASCII, cut short.
std::string Shown(const std::string& field) {
  std::string shown;
  for (char c : field.substr(0, 40))
    shown += c >= 32 && c < 127 ? c : '?';
  return shown + (field.size() > 40 ? "..." : "");
}

}  // namespace

bool RecordingReader::Fail(size_t number, const std::string& message) {
  events.clear();
  error = std::to_string(number) + ": " + message;
  return false;
}

bool RecordingReader::Parse(const char* data, size_t size) {
  events.clear();
  error.clear();
  size_t number = 0;
  for (size_t start = 0; start < size || number == 0;) {
    ++number;
    const char* end = size > start
                          ? static_cast<const char*>(std::memchr(data + start, '\n', size - start))
                          : nullptr;
    size_t length = (end != nullptr ? static_cast<size_t>(end - data) : size) - start;
    if (length > kMaxLine)
      return Fail(number, "line longer than " + std::to_string(kMaxLine) + " bytes");
    std::string line = length > 0 ? std::string(data + start, length) : std::string();
    start += length + 1;
    if (line.find('\0') != std::string::npos)
      return Fail(number, "NUL byte in the line");
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (number == 1) {
      if (line != kRecordingHeader)
        return Fail(
            1, "not a recording: the first line must be '" + std::string(kRecordingHeader) + "'");
    } else if (!ParseLine(line, number)) {
      return false;
    }
  }
  return true;
}

bool RecordingReader::ParseLine(const std::string& line, size_t number) {
  size_t at = 0;
  const std::string first = NextField(line, at);
  if (first.empty() || first[0] == '#')
    return true;
  if (!events.empty() && events.back().kind == RecordedEvent::End)
    return Fail(number, "event after 'end'");
  RecordedEvent event;
  if (!ParseInt(first, false, event.updates))
    return Fail(number, "bad update number '" + Shown(first) + "'");
  if (!events.empty() && event.updates < events.back().updates)
    return Fail(number, "update number " + first + " goes back (the line before has " +
                            std::to_string(events.back().updates) + ")");
  const std::string name = NextField(line, at);
  const RecordedEvent::Kind* kind = nullptr;
  for (const RecordedEvent::Kind& candidate : kKinds)
    kind = name == RecordedEvent::NameOf(candidate) ? &candidate : kind;
  if (kind == nullptr)
    return Fail(number, name.empty() ? "missing event" : "unknown event '" + Shown(name) + "'");
  event.kind = *kind;
  if (RecordedEvent::HasKey(event.kind)) {
    // A key name runs to the end of the line and may hold spaces ("Left Shift").
    size_t last = line.find_last_not_of(" \t");
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
      ++at;
    const std::string key =
        at <= last && last != std::string::npos ? line.substr(at, last + 1 - at) : "";
    if (!ParseKey(key, event.code))
      return Fail(number, key.empty() ? "missing key" : "unknown key '" + Shown(key) + "'");
    at = line.size();
  }
  std::vector<int*> numbers;
  if (RecordedEvent::HasButton(event.kind))
    numbers.push_back(&event.code);
  if (RecordedEvent::HasPosition(event.kind)) {
    numbers.push_back(&event.x);
    numbers.push_back(&event.y);
  }
  for (int* value : numbers) {
    const std::string field = NextField(line, at);
    if (field.empty())
      return Fail(number, std::string("missing arguments of '") + name + "'");
    if (!ParseInt(field, value != &event.code, *value) ||
        (value == &event.code && (*value < 1 || *value > 255)))
      return Fail(number, "bad number '" + Shown(field) + "'");
  }
  const std::string extra = NextField(line, at);
  if (!extra.empty())
    return Fail(number, "unexpected '" + Shown(extra) + "' after the event");
  events.push_back(event);
  return true;
}

bool RecordingReader::ReadFile(const char* path) {
  events.clear();
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenRegularFile(path), std::fclose);
  if (file == nullptr) {
    error = std::string(path) + ": " + (errno != 0 ? std::strerror(errno) : "not a regular file");
    return false;
  }
  std::string bytes;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    bytes.append(buffer, got);
    if (bytes.size() > kMaxFile) {
      error = std::string(path) + ": larger than " + std::to_string(kMaxFile >> 20) + " MB";
      return false;
    }
  }
  if (std::ferror(file.get()) != 0) {
    error = std::string(path) + ": " + std::strerror(errno);
    return false;
  }
  if (Parse(bytes.data(), bytes.size()))
    return true;
  error = std::string(path) + ":" + error;
  return false;
}

}  // namespace quendal
