// Parsing recordings: the first line, comments, events and their arguments, with limits.
#include "engine/replay/RecordingReader.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>

#include "engine/platform/RegularFile.h"

namespace quendal {

namespace {

// The piece of a file read at a time.
constexpr size_t kPiece = 65536;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits off the next field (separated by spaces or tabs); empty at the end of the line.
std::string_view NextField(std::string_view line, size_t& at) {
  while (at < line.size() && IsBlank(line[at]))
    ++at;
  const size_t start = at;
  while (at < line.size() && !IsBlank(line[at]))
    ++at;
  return line.substr(start, at - start);
}

// A decimal number of at most 10 digits, with a '-' only when negative values are allowed.
bool ParseNumber(std::string_view text, bool allowNegative, long long& value) {
  const bool negative = allowNegative && !text.empty() && text[0] == '-';
  const size_t first = negative ? 1 : 0;
  if (first == text.size() || text.size() - first > 10)
    return false;
  long long parsed = 0;
  for (size_t at = first; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9')
      return false;
    parsed = parsed * 10 + (text[at] - '0');
  }
  value = negative ? -parsed : parsed;
  return true;
}

// A decimal int, with a '-' only when negative values are allowed.
bool ParseInt(std::string_view text, bool allowNegative, int& value) {
  long long parsed = 0;
  if (!ParseNumber(text, allowNegative, parsed) || parsed < INT_MIN || parsed > INT_MAX)
    return false;
  value = static_cast<int>(parsed);
  return true;
}

// A key as 0x and up to 8 hexadecimal digits.
bool ParseHexKey(std::string_view name, int& code) {
  if (name.size() <= 2 || name.size() > 10 || name[0] != '0' || name[1] != 'x')
    return false;
  uint32_t parsed = 0;
  for (char digit : name.substr(2)) {
    const int value = digit >= '0' && digit <= '9'   ? digit - '0'
                      : digit >= 'A' && digit <= 'F' ? digit - 'A' + 10
                      : digit >= 'a' && digit <= 'f' ? digit - 'a' + 10
                                                     : -1;
    if (value < 0)
      return false;
    parsed = parsed * 16 + static_cast<uint32_t>(value);
  }
  code = static_cast<int>(parsed);
  return true;
}

// Each kind of event by its name, measured once.
struct NamedKind {
  RecordedEvent::Kind kind;
  std::string_view name;
};
const NamedKind kKinds[] = {
    {RecordedEvent::KeyDown, RecordedEvent::NameOf(RecordedEvent::KeyDown)},
    {RecordedEvent::KeyUp, RecordedEvent::NameOf(RecordedEvent::KeyUp)},
    {RecordedEvent::MouseMove, RecordedEvent::NameOf(RecordedEvent::MouseMove)},
    {RecordedEvent::MouseDown, RecordedEvent::NameOf(RecordedEvent::MouseDown)},
    {RecordedEvent::MouseUp, RecordedEvent::NameOf(RecordedEvent::MouseUp)},
    {RecordedEvent::Quit, RecordedEvent::NameOf(RecordedEvent::Quit)},
    {RecordedEvent::End, RecordedEvent::NameOf(RecordedEvent::End)},
    {RecordedEvent::FocusLost, RecordedEvent::NameOf(RecordedEvent::FocusLost)},
    {RecordedEvent::Time, RecordedEvent::NameOf(RecordedEvent::Time)},
    {RecordedEvent::Seed, RecordedEvent::NameOf(RecordedEvent::Seed)},
    {RecordedEvent::KeyRepeat, RecordedEvent::NameOf(RecordedEvent::KeyRepeat)},
    {RecordedEvent::Wheel, RecordedEvent::NameOf(RecordedEvent::Wheel)},
    {RecordedEvent::PadAdded, RecordedEvent::NameOf(RecordedEvent::PadAdded)},
    {RecordedEvent::PadRemoved, RecordedEvent::NameOf(RecordedEvent::PadRemoved)},
    {RecordedEvent::PadDown, RecordedEvent::NameOf(RecordedEvent::PadDown)},
    {RecordedEvent::PadUp, RecordedEvent::NameOf(RecordedEvent::PadUp)},
    {RecordedEvent::PadAxis, RecordedEvent::NameOf(RecordedEvent::PadAxis)}};

// A field as it may be shown in a message: printable ASCII, cut short.
std::string Shown(std::string_view field) {
  std::string shown;
  for (char c : field.substr(0, 40))
    shown += c >= 32 && c < 127 ? c : '?';
  return shown + (field.size() > 40 ? "..." : "");
}

std::string LineTooLong() {
  return "line longer than " + std::to_string(RecordingReader::kMaxLine) + " bytes";
}

}  // namespace

bool RecordingReader::Fail(size_t number, const std::string& message) {
  events.Clear();
  error = std::to_string(number) + ": " + message;
  return false;
}

void RecordingReader::Start() {
  events.Clear();
  error.clear();
  lines = 0;
  version = 1;
  lastTime = -1;
  padsConnected = 0;
}

bool RecordingReader::Parse(const char* data, size_t size) {
  Start();
  size_t used = 0;
  return ParseLines(data, size, true, used);
}

bool RecordingReader::ParseLines(const char* data, size_t size, bool last, size_t& used) {
  used = 0;
  while (used < size || (last && lines == 0)) {
    const char* end = size > used
                          ? static_cast<const char*>(std::memchr(data + used, '\n', size - used))
                          : nullptr;
    if (end == nullptr && !last)
      return size - used <= kMaxLine || Fail(lines + 1, LineTooLong());
    ++lines;
    const size_t length = (end != nullptr ? static_cast<size_t>(end - data) : size) - used;
    if (length > kMaxLine)
      return Fail(lines, LineTooLong());
    std::string_view line(data + used, length);
    used += end != nullptr ? length + 1 : length;
    if (line.find('\0') != std::string_view::npos)
      return Fail(lines, "NUL byte in the line");
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (lines == 1) {
      version = line == kRecordingHeader2 ? 2 : 1;
      if (line != kRecordingHeader && version != 2)
        return Fail(1, "not a recording: the first line must be '" + std::string(kRecordingHeader) +
                           "' or '" + kRecordingHeader2 + "'");
    } else if (!ParseLine(line, lines)) {
      return false;
    }
  }
  return true;
}

bool RecordingReader::LookUpKey(std::string_view name, int& code) {
  keyName.assign(name);
  bool ascii = keyName.size() > 1;
  for (char& c : keyName) {
    ascii = ascii && static_cast<unsigned char>(c) < 128;
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  // SDL finds the name of a key that is not a character by searching its table of names.
  const auto known = ascii ? keyCodes.find(keyName) : keyCodes.end();
  code = known != keyCodes.end() ? known->second : SDL_GetKeyFromName(keyName.c_str());
  if (ascii && code != SDLK_UNKNOWN && known == keyCodes.end())
    keyCodes.emplace(keyName, code);
  return code != SDLK_UNKNOWN;
}

bool RecordingReader::ParseLine(std::string_view line, size_t number) {
  size_t at = 0;
  const std::string_view first = NextField(line, at);
  if (first.empty() || first[0] == '#')
    return true;
  if (!events.Empty() && events.Last().kind == RecordedEvent::End)
    return Fail(number, "event after 'end'");
  RecordedEvent event;
  long long updates = 0;
  if (!ParseNumber(first, false, updates))
    return Fail(number, "bad update number '" + Shown(first) + "'");
  if (updates > kMaxUpdates)
    return Fail(number, "update number " + std::string(first) + " past the limit of " +
                            std::to_string(kMaxUpdates));
  event.updates = updates;
  if (!events.Empty() && event.updates < events.Last().updates)
    return Fail(number, "update number " + std::string(first) + " goes back (the line before has " +
                            std::to_string(events.Last().updates) + ")");
  const std::string_view name = NextField(line, at);
  const NamedKind* kind =
      std::find_if(std::begin(kKinds), std::end(kKinds),
                   [name](const NamedKind& named) { return named.name == name; });
  if (kind == std::end(kKinds) || (version == 1 && kind->kind > RecordedEvent::FocusLost))
    return Fail(number, name.empty() ? "missing event" : "unknown event '" + Shown(name) + "'");
  event.kind = kind->kind;
  if (RecordedEvent::IsEngines(event.kind) || RecordedEvent::HasPad(event.kind) ||
      event.kind == RecordedEvent::Wheel)
    return ParseVersion2(line, at, number, event) && Extra(line, at, number);
  if (RecordedEvent::HasKey(event.kind)) {
    // A key name runs to the end of the line and may hold spaces ("Left Shift").
    size_t end = line.size();
    while (end > at && IsBlank(line[end - 1]))
      --end;
    while (at < end && IsBlank(line[at]))
      ++at;
    const std::string_view key = line.substr(at, end - at);
    if (!ParseHexKey(key, event.code) && !LookUpKey(key, event.code))
      return Fail(number, key.empty() ? "missing key" : "unknown key '" + Shown(key) + "'");
    at = line.size();
  }
  int* numbers[3] = {};
  size_t count = 0;
  if (RecordedEvent::HasButton(event.kind))
    numbers[count++] = &event.code;
  if (RecordedEvent::HasPosition(event.kind)) {
    numbers[count++] = &event.x;
    numbers[count++] = &event.y;
  }
  for (size_t index = 0; index < count; ++index) {
    int* value = numbers[index];
    const std::string_view field = NextField(line, at);
    if (field.empty())
      return Fail(number, "missing arguments of '" + std::string(name) + "'");
    if (!ParseInt(field, value != &event.code, *value) ||
        (value == &event.code && (*value < 1 || *value > 255)))
      return Fail(number, "bad number '" + Shown(field) + "'");
  }
  if (!Extra(line, at, number))
    return false;
  events.Append(event);
  return true;
}

bool RecordingReader::Extra(std::string_view line, size_t at, size_t number) {
  const std::string_view extra = NextField(line, at);
  return extra.empty() || Fail(number, "unexpected '" + Shown(extra) + "' after the event");
}

bool RecordingReader::ParseVersion2(std::string_view line, size_t& at, size_t number,
                                    RecordedEvent& event) {
  const std::string name = RecordedEvent::NameOf(event.kind);
  const std::string_view first = NextField(line, at);
  if (first.empty())
    return Fail(number, "missing arguments of '" + name + "'");
  long long value = 0;
  if (RecordedEvent::IsEngines(event.kind)) {
    if (!ParseNumber(first, false, value) || value > UINT32_MAX)
      return Fail(number, "bad " + name + " '" + Shown(first) + "'");
    if (event.kind == RecordedEvent::Seed && !events.Empty())
      return Fail(number, "the seed comes before every other line");
    if (event.kind == RecordedEvent::Time && value < lastTime)
      return Fail(number, "the clock goes back to " + std::to_string(value) +
                              " (the time before is " + std::to_string(lastTime) + ")");
    lastTime = event.kind == RecordedEvent::Time ? value : lastTime;
    event.code = static_cast<int>(static_cast<uint32_t>(value));
    events.Append(event);
    return true;
  }
  if (event.kind == RecordedEvent::Wheel) {
    const std::string_view second = NextField(line, at);
    if (second.empty())
      return Fail(number, "missing arguments of '" + name + "'");
    if (!ParseInt(first, true, event.x))
      return Fail(number, "bad number '" + Shown(first) + "'");
    if (!ParseInt(second, true, event.y))
      return Fail(number, "bad number '" + Shown(second) + "'");
    events.Append(event);
    return true;
  }
  if (!ParseNumber(first, false, value) || value >= kMaxPads)
    return Fail(number, "bad gamepad '" + Shown(first) + "'");
  event.code = static_cast<int>(value);
  const uint32_t bit = 1u << event.code;
  if (event.kind == RecordedEvent::PadAdded) {
    int next = 0;
    while ((padsConnected >> next & 1u) != 0)
      ++next;
    if (event.code != next)
      return Fail(number, "gamepad " + std::to_string(event.code) +
                              " is not the next one connected (that is " + std::to_string(next) +
                              ")");
    padsConnected |= bit;
  } else if ((padsConnected & bit) == 0) {
    return Fail(number, "gamepad " + std::to_string(event.code) + " is not connected");
  }
  if (event.kind == RecordedEvent::PadRemoved)
    padsConnected &= ~bit;
  if (RecordedEvent::HasPadButton(event.kind) || event.kind == RecordedEvent::PadAxis) {
    const bool axis = event.kind == RecordedEvent::PadAxis;
    const std::string control(NextField(line, at));
    event.x = axis ? static_cast<int>(SDL_GameControllerGetAxisFromString(control.c_str()))
                   : static_cast<int>(SDL_GameControllerGetButtonFromString(control.c_str()));
    if (control.empty())
      return Fail(number, "missing arguments of '" + name + "'");
    if (event.x < 0)
      return Fail(number,
                  std::string(axis ? "unknown axis '" : "unknown button '") + Shown(control) + "'");
  }
  if (event.kind == RecordedEvent::PadAxis) {
    const std::string_view field = NextField(line, at);
    if (field.empty())
      return Fail(number, "missing arguments of '" + name + "'");
    if (!ParseInt(field, true, event.y))
      return Fail(number, "bad number '" + Shown(field) + "'");
    if (event.y < SDL_JOYSTICK_AXIS_MIN || event.y > SDL_JOYSTICK_AXIS_MAX)
      return Fail(number, "axis value " + std::to_string(event.y) + " outside -32768..32767");
  }
  events.Append(event);
  return true;
}

bool RecordingReader::ReadFile(const char* path) {
  Start();
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenRegularFile(path), std::fclose);
  if (file == nullptr) {
    error = std::string(path) + ": " + (errno != 0 ? std::strerror(errno) : "not a regular file");
    return false;
  }
  const std::string tooLarge =
      std::string(path) + ": larger than " + std::to_string(kMaxFile >> 20) + " MB";
  struct stat info;
  if (::fstat(::fileno(file.get()), &info) == 0 && static_cast<uint64_t>(info.st_size) > kMaxFile) {
    error = tooLarge;
    return false;
  }
  // A line that does not end in one piece is carried to the front of the next.
  std::unique_ptr<char[]> buffer(new char[kPiece + kMaxLine]);
  size_t held = 0;
  size_t total = 0;
  for (bool last = false; !last;) {
    const size_t wanted = kPiece + kMaxLine - held;
    const size_t got = std::fread(buffer.get() + held, 1, wanted, file.get());
    if (std::ferror(file.get()) != 0) {
      error = std::string(path) + ": " + std::strerror(errno);
      return false;
    }
    total += got;
    if (total > kMaxFile) {
      error = tooLarge;
      return false;
    }
    held += got;
    last = got < wanted;
    size_t used = 0;
    if (!ParseLines(buffer.get(), held, last, used)) {
      error = std::string(path) + ":" + error;
      return false;
    }
    std::memmove(buffer.get(), buffer.get() + used, held - used);
    held -= used;
  }
  return true;
}

}  // namespace quendal
