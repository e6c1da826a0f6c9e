// The folder a file is written in: reached through links, locked against other programs, and
// rid of the temporary files that dead writers left in it.
#pragma once
#include <string>

namespace quendal {

// An open folder, for the calls relative to it. Every writer of this room holds its lock while it
// removes or creates temporary files, and a replacement of a kept file holds it throughout.
class Folder {
 public:
  Folder() = default;
  // Closes the folder, which releases the lock.
  ~Folder();
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  // Follows symbolic links from path to the file they finally name, which may not exist yet;
  // false with the errno value in error when a link cannot be read or they loop.
  static bool Resolve(std::string& path, int& error);
  // The folder part of a path: "." when it has none, "/" for a file in the root.
  static std::string DirectoryOf(const std::string& path);
  // The last name of a path.
  static std::string NameOf(const std::string& path);
  // Whether two paths, links followed, lead to one file: the same existing file (device and
  // inode), or, while neither exists, the same name in the same folder.
  static bool SameFile(const std::string& first, const std::string& second);
  // A temporary name for a new version of name, "<name>.tmp.<process>.<n>", its own in this
  // process.
  static std::string NewTemporaryName(const std::string& name);

  // Opens the folder, only for the calls relative to it when it may not be listed; false with the
  // errno value in Error().
  bool Open(const std::string& path);
  // Takes the lock, waiting up to 3 s (or, without wait, not at all) for another program to
  // release it; false when it did not. Where locks are not supported the folder is used unlocked
  // and this returns true.
  bool Lock(bool wait = true);
  // Releases the lock.
  void Unlock();
  // Removes the temporary files of name that no live writer holds. Only under the lock.
  void RemoveStale(const std::string& name) const;

  // The descriptor for the calls relative to the folder; -1 until Open succeeds.
  int Descriptor() const { return fd; }
  // The errno value of the failed Open.
  int Error() const { return error; }

 private:
  int fd = -1;
  int error = 0;
  bool locked = false;
};

}  // namespace quendal
