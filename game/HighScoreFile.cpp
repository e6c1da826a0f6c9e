// The best score's rules: what counts as its last line, what beats what, and what is said.
#include "game/HighScoreFile.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool IsLineEnd(char c) { return c == '\n' || c == '\0'; }
bool IsBlank(char c) { return c == '\0' || c == ' ' || (c >= '\t' && c <= '\r'); }

// Whether the line [line, end) starts, after blanks, with what atoi reads as a number.
bool HoldsNumber(const char* line, const char* end) {
  while (line < end && IsBlank(*line))
    ++line;
  line += line < end && (*line == '+' || *line == '-') ? 1 : 0;
  return line < end && *line >= '0' && *line <= '9';
}

// The value atoi would give for the text, clamped to the int range instead of overflowing.
int ParseNumber(const char* text) {
  const long value = std::strtol(text, nullptr, 10);
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// The reading rule over the last bytes of a file (atStart: they start the file).
HighScoreFile::Reading ReadTail(const char* bytes, size_t size, bool atStart, int& value) {
  using Reading = HighScoreFile::Reading;
  const char* begin = bytes;
  const char* end = bytes + size;
  if (!atStart) {
    while (begin < end && !IsLineEnd(*begin))
      ++begin;
    begin += begin < end ? 1 : 0;
  } else if (size >= 3 && std::memcmp(bytes, kByteOrderMark, 3) == 0) {
    begin += 3;
  }
  while (end > begin && IsBlank(end[-1]))
    --end;
  if (end == begin)
    return atStart ? Reading::None : Reading::Unknown;
  const char* line = end;
  while (line > begin && !IsLineEnd(line[-1]))
    --line;
  // The last line that holds a number counts, so a note or an end-of-file byte edited in after
  // the record is never read as 0; with no such line, the last line is read as atoi reads it.
  for (const char* stop = end; stop > begin && !HoldsNumber(line, end);) {
    const char* earlier = stop;
    while (earlier > begin && !IsLineEnd(earlier[-1]))
      --earlier;
    if (HoldsNumber(earlier, stop)) {
      line = earlier;
      end = stop;
    }
    stop = earlier > begin ? earlier - 1 : begin;
  }
  while (IsBlank(*line))
    ++line;
  value = ParseNumber(std::string(line, end).c_str());
  return Reading::Value;
}

}  // namespace

HighScoreFile::Reading HighScoreFile::Interpret(const quendal::SafeFile::Tail& tail, int& value,
                                                std::string& why) {
  if (!tail.exists)
    return Reading::None;
  const Reading reading = ReadTail(tail.bytes.data(), tail.bytes.size(), tail.whole, value);
  if (reading == Reading::Unknown)
    why = "no line starts in its last " + std::to_string(kTailBytes) + " bytes";
  return reading;
}

HighScoreFile::Reading HighScoreFile::Read(const char* path, int& value, std::string& why) {
  quendal::SafeFile::Tail tail;
  return quendal::SafeFile::Read(path, tail, why) ? Interpret(tail, value, why) : Reading::Unknown;
}

void HighScoreFile::Load(int& value) {
  quendal::SafeFile::Tail tail;
  std::string why;
  if (!file.Load(tail, why) || Interpret(tail, value, why) == Reading::Unknown) {
    known = false;
    Say("best score not read: " + why);
  }
}

bool HighScoreFile::Save(int value) {
  if (!known)
    return false;
  using Verdict = quendal::SafeFile::Verdict;
  using Outcome = quendal::SafeFile::Outcome;
  // Under the lock, the record there now: a higher or equal one stays, an unknown one is kept.
  const auto beats = [value](const quendal::SafeFile::Tail& now, std::string& why) {
    int current = 0;
    const Reading reading = Interpret(now, current, why);
    return reading == Reading::Unknown                     ? Verdict::Refuse
           : reading == Reading::Value && current >= value ? Verdict::Keep
                                                           : Verdict::Replace;
  };
  std::string why;
  const std::string what = "best score " + std::to_string(value);
  const Outcome outcome = file.Replace(std::to_string(value) + "\n", beats, why);
  if (outcome == Outcome::Failed) {
    Say(what + " not saved: " + why);
    return false;
  }
  if (outcome == Outcome::InPlace)
    Say(what + " written in place, the folder takes no new file: " + why);
  return true;
}

void HighScoreFile::Say(const std::string& text) {
  if (text == said)
    return;
  said = text;
  std::fprintf(stderr, "%s: %s\n", file.Path().c_str(), text.c_str());
}
