// Bricks' best score: its reading rule, and its saving through the engine's SafeFile.
#include "BestScore.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// The number on the last line holding anything in the tail, as a score (negative ones are 0);
// false without such a line.
bool LastNumber(const quendal::SafeFile::Tail& tail, int& number) {
  const size_t end = tail.bytes.find_last_not_of(" \t\r\n");
  if (end == std::string::npos)
    return false;
  const size_t start = tail.bytes.find_last_of('\n', end);
  const long value =
      std::strtol(tail.bytes.c_str() + (start == std::string::npos ? 0 : start + 1), nullptr, 10);
  number = static_cast<int>(std::clamp<long>(value, 0, INT_MAX));
  return true;
}

}  // namespace

void BestScore::Load(int& best) {
  quendal::SafeFile::Tail tail;
  std::string why;
  if (file.Load(tail, why))
    LastNumber(tail, best);
  else
    std::fprintf(stderr, "%s: best score not read: %s\n", file.Path().c_str(), why.c_str());
}

bool BestScore::Save(int score) {
  using Verdict = quendal::SafeFile::Verdict;
  std::string why;
  const auto beats = [score](const quendal::SafeFile::Tail& now, std::string&) {
    int best = 0;
    return LastNumber(now, best) && best >= score ? Verdict::Keep : Verdict::Replace;
  };
  if (file.Replace(std::to_string(score) + "\n", beats, why) != quendal::SafeFile::Outcome::Failed)
    return true;
  std::fprintf(stderr, "%s: best score %d not saved: %s\n", file.Path().c_str(), score,
               why.c_str());
  return false;
}
