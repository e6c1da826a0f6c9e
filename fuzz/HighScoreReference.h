// A plain model of the best-score reading rule, kept apart from the game's reader to check it.
#pragma once
#include <algorithm>
#include <climits>
#include <string>

#include "game/HighScoreFile.h"

namespace highscorereference {

// The reading of a file's bytes, found line by line over the whole file, lines ending at a newline
// or a NUL byte: the last line holding anything but white space (a leading UTF-8 byte-order mark
// skipped), its leading white space skipped, then sign and digits up to the first other byte,
// clamped to the int range. None without such a line in a file of at most kTailBytes; Unknown
// when that line, or any such line, could start before the file's last kTailBytes.
inline HighScoreFile::Reading Expected(const std::string& bytes, int& value) {
  using Reading = HighScoreFile::Reading;
  const auto blank = [](char c) { return c == '\0' || c == ' ' || (c >= '\t' && c <= '\r'); };
  const size_t tail = HighScoreFile::kTailBytes;
  const size_t windowStart = bytes.size() > tail ? bytes.size() - tail : 0;
  size_t lineStart = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  size_t lastStart = std::string::npos, lastEnd = 0;
  for (size_t at = lineStart; at <= bytes.size(); ++at) {
    if (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\0')
      continue;
    for (size_t c = lineStart; c < at; ++c)
      if (!blank(bytes[c])) {
        lastStart = lineStart;
        lastEnd = at;
        break;
      }
    lineStart = at + 1;
  }
  // A line is seen by the tail reader when it starts the file or the line end before it is in the
  // tail.
  if (lastStart == std::string::npos)
    return windowStart == 0 ? Reading::None : Reading::Unknown;
  if (windowStart > 0 &&
      (lastStart == 0 || (bytes[lastStart - 1] != '\n' && bytes[lastStart - 1] != '\0') ||
       lastStart - 1 < windowStart))
    return Reading::Unknown;
  size_t at = lastStart;
  while (at < lastEnd && blank(bytes[at]))
    ++at;
  bool negative = false;
  if (at < lastEnd && (bytes[at] == '+' || bytes[at] == '-'))
    negative = bytes[at++] == '-';
  long long magnitude = 0;
  for (; at < lastEnd && bytes[at] >= '0' && bytes[at] <= '9'; ++at)
    magnitude = std::min(magnitude * 10 + (bytes[at] - '0'), 1LL << 32);
  const long long signedValue = negative ? -magnitude : magnitude;
  value = signedValue > INT_MAX   ? INT_MAX
          : signedValue < INT_MIN ? INT_MIN
                                  : static_cast<int>(signedValue);
  return Reading::Value;
}

}  // namespace highscorereference
