// A plain model of the best-score reading rule, kept apart from the game's reader to check it.
#pragma once
#include <climits>
#include <string>

namespace highscorereference {

// The value the last-line rule gives for a file's bytes: the last 100-byte fgets read (at most 99
// bytes, ending after a newline) up to its first NUL, converted like atoi but clamped to the int
// range. False when that text is empty (no bytes, or a read that starts with a NUL).
inline bool Expected(const std::string& bytes, int& value) {
  std::string last;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = start;
    while (end < bytes.size() && end - start < 99) {
      ++end;
      if (bytes[end - 1] == '\n')
        break;
    }
    last = bytes.substr(start, end - start);
    start = end;
  }
  const size_t nul = last.find('\0');
  if (nul != std::string::npos)
    last.resize(nul);
  if (last.empty())
    return false;
  size_t at = 0;
  while (at < last.size() && (last[at] == ' ' || (last[at] >= '\t' && last[at] <= '\r')))
    ++at;
  bool negative = false;
  if (at < last.size() && (last[at] == '+' || last[at] == '-')) {
    negative = last[at] == '-';
    ++at;
  }
  long long magnitude = 0;
  for (; at < last.size() && last[at] >= '0' && last[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + (last[at] - '0');
    if (magnitude > 1LL << 32)
      magnitude = 1LL << 32;
  }
  const long long signedValue = negative ? -magnitude : magnitude;
  value = signedValue > INT_MAX ? INT_MAX
          : signedValue < INT_MIN ? INT_MIN
                                  : static_cast<int>(signedValue);
  return true;
}

}  // namespace highscorereference
