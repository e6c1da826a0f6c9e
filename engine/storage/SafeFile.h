// A small file a game keeps across runs (a best score, settings): read from its tail, and replaced
// whole under its folder's lock only when the game's rule says the new content beats what is
// there at that moment.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <utility>

#include "engine/storage/Folder.h"

namespace quendal {

// The path may be a symbolic link: links are followed to the file they name, which is the one
// replaced. Other programs saving into the same file through this class never lose the better
// content, and a save killed at any moment leaves the old file or the new one, never a mix.
class SafeFile {
 public:
  // Only this many bytes at the end of the file are read.
  static constexpr size_t kTailBytes = 65536;

  // What a reading found: the file's last kTailBytes or fewer, whether they start the file, and
  // whether there is a file at all.
  struct Tail {
    std::string bytes;
    bool whole = false;
    bool exists = false;
  };
  // A rule's answer: put the new content in, keep the file as it is (the save counts as done), or
  // refuse (the save fails, with the rule's reason).
  enum class Verdict { Replace, Keep, Refuse };
  // Judges the new content against the file as it is now; sets why when it refuses.
  using Rule = std::function<Verdict(const Tail& now, std::string& why)>;
  // How a replacement ended: Replaced and Kept leave the file holding content at least as good,
  // InPlace too (written where it stands, the folder taking no new file: why says why not);
  // Failed leaves the old file as it was, with the reason in why.
  enum class Outcome { Replaced, Kept, InPlace, Failed };

  explicit SafeFile(std::string path) : path(std::move(path)) {}

  // Reads the tail of a regular file without ever blocking on anything else. A missing file is a
  // reading (exists false); false with the reason in why when the file cannot be read.
  static bool Read(const char* path, Tail& tail, std::string& why);

  // The path as given.
  const std::string& Path() const { return path; }
  // Removes the temporary files that saves which died left beside the file, then reads it.
  bool Load(Tail& tail, std::string& why) const;
  // Under the folder's lock, reads the file again and asks the rule; on Replace writes text under
  // a temporary name, syncs it and renames it over the file (OutputFile), keeping its mode and
  // owner. Where the folder takes no new file but the file may be written, writes it in place.
  // Waits at most 3 s for another program's lock.
  Outcome Replace(const std::string& text, const Rule& rule, std::string& why) const;

 private:
  // Takes the folder's lock, waiting for it only until a wait of this file's has once run out, so
  // a program holding the lock for good costs one wait a run.
  bool Lock(Folder& folder) const;

  std::string path;
  mutable bool lockWaitRanOut = false;
};

}  // namespace quendal
