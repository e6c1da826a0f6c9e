// The one way the engine and its games write a file: whole, beside the old one, put in its place
// only when complete and synced.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>

#include "engine/storage/Folder.h"

namespace quendal {

// A new version of a file, written under a temporary name of its own beside it and renamed over
// it by Commit. Until then, and whenever anything fails, the old file stays whole; a program
// killed meanwhile leaves only its temporary file, which the next writer of that name removes.
// Every write, sync, close and rename is checked; the first failure is kept and named by Error().
class OutputFile {
 public:
  OutputFile() = default;
  // Abandons a file not committed.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Makes a write past the process's file-size limit fail with "File too large" instead of
  // ending the process (SIGXFSZ ignored). Open and OpenIn call it; a program calls it first
  // thing when its console may be a file.
  static void IgnoreSizeLimitSignal();
  // Rewrites the file name in folder where it stands, for a folder that takes no new file: the
  // new bytes first, then the cut, so an interruption leaves the old bytes or the new ones at its
  // start. False when the file cannot be opened for writing or any step fails.
  static bool WriteInPlace(const Folder& folder, const std::string& name, const std::string& text);

  // Starts the file that is to replace path, links followed. Refuses at once, never blocking,
  // anything at path but a regular file this process may write, and a folder that takes no new
  // file; otherwise, under the folder's lock, removes the temporary files of the name that dead
  // writers left and creates one of its own. False with the reason in Error().
  bool Open(const std::string& path);
  // Starts a new version of name in a folder that the caller opened (and locked, where it must
  // be) and that outlives this object; refuses only what is not a regular file.
  bool OpenIn(const Folder& folder, const std::string& name);
  // Appends bytes; false, and nothing written from then on, once anything has failed.
  bool Write(const void* data, size_t size);
  bool Write(const std::string& text) { return Write(text.data(), text.size()); }
  // Hands the bytes written so far to the system.
  bool Flush();
  // Writes over bytes already written from offset at (a header whose sizes are known only at the
  // end); false, as Write, once anything has failed or when the bytes would pass the end.
  bool WriteAt(off_t at, const void* data, size_t size);
  // Puts the file in place: the rest of the bytes, the old file's mode, owner and group (as far
  // as the process may set them), fsync, close, rename over the old file, fsync of the folder.
  // False with the reason in Error() after removing the temporary file; the old file is then
  // as it was.
  bool Commit();
  // Removes the temporary file; the old file stays as it was.
  void Abandon();

  // Whether a file is started and neither committed nor abandoned.
  bool IsOpen() const { return fd >= 0; }
  // The path given to Open ("" before).
  const std::string& Path() const { return path; }
  // Why the last Open or anything since failed ("No space left on device", "not a regular
  // file"); "" while nothing has.
  const std::string& Error() const { return why; }
  // The errno value of that failure; 0 for a reason of this class's own.
  int ErrorNumber() const { return error; }

 private:
  // Keeps the first failure: the system's reason for error, or text when given. Returns false.
  bool Fail(int number, const char* text = nullptr);

  Folder ownFolder;  // the folder Open opened
  const Folder* folder = nullptr;
  std::string path;
  std::string name;
  std::string temporary;
  std::string buffer;
  int fd = -1;
  off_t offset = 0;  // where the buffer's bytes go in the temporary file
  int error = 0;
  std::string why;
};

}  // namespace quendal
