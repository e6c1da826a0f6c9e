// Reading a kept file's tail and replacing the file, under its folder's lock, only by better content.
#include "engine/storage/SafeFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/platform/RegularFile.h"
#include "engine/storage/Folder.h"
#include "engine/storage/OutputFile.h"

namespace quendal {

namespace {

SafeFile::Outcome Failed(std::string& why, int error) {
  why = std::strerror(error);
  return SafeFile::Outcome::Failed;
}

}  // namespace

bool SafeFile::Read(const char* path, Tail& tail, std::string& why) {
  tail = Tail();
  const int fd = OpenRegularDescriptor(path, why);
  if (fd < 0) {
    const bool missing = errno == ENOENT;
    if (missing)
      why.clear();
    return missing;
  }
  tail.exists = true;
  const off_t size = ::lseek(fd, 0, SEEK_END);
  const off_t start = std::max<off_t>(size - static_cast<off_t>(kTailBytes), 0);
  tail.bytes.assign(size > 0 ? static_cast<size_t>(size - start) : 0, '\0');
  ssize_t read = size < 0 ? -1 : 1;
  size_t got = 0;
  while (read > 0 && got < tail.bytes.size()) {
    read = ::pread(fd, &tail.bytes[got], tail.bytes.size() - got, start + static_cast<off_t>(got));
    if (read > 0)
      got += static_cast<size_t>(read);
    else if (read < 0 && errno == EINTR)
      read = 1;
  }
  const int cause = errno;
  ::close(fd);
  if (read < 0) {
    why = std::strerror(cause);
    return false;
  }
  tail.bytes.resize(got);
  tail.whole = start == 0;
  return true;
}

bool SafeFile::Load(Tail& tail, std::string& why) const {
  std::string target = path;
  int error = 0;
  Folder folder;
  if (Folder::Resolve(target, error) && folder.Open(Folder::DirectoryOf(target)) && Lock(folder))
    folder.RemoveStale(Folder::NameOf(target));
  return Read(path.c_str(), tail, why);
}

bool SafeFile::Lock(Folder& folder) const {
  const bool locked = folder.Lock(!lockWaitRanOut);
  lockWaitRanOut = lockWaitRanOut || !locked;
  return locked;
}

SafeFile::Outcome SafeFile::Replace(const std::string& text, const Rule& rule,
                                    std::string& why) const {
  std::string target = path;
  int error = 0;
  if (!Folder::Resolve(target, error))
    return Failed(why, error);
  const std::string name = Folder::NameOf(target);
  Folder folder;
  if (!folder.Open(Folder::DirectoryOf(target)))
    return Failed(why, folder.Error());
  if (!Lock(folder)) {
    why = "another program keeps its folder locked";
    return Outcome::Failed;
  }
  Tail now;
  if (!Read(target.c_str(), now, why))
    return Outcome::Failed;
  const Verdict verdict = rule(now, why);
  if (verdict != Verdict::Replace)
    return verdict == Verdict::Keep ? Outcome::Kept : Outcome::Failed;
  OutputFile file;
  if (!file.OpenIn(folder, name)) {
    why = file.Error();
    const int cause = file.ErrorNumber();
    return (cause == EACCES || cause == EPERM || cause == EROFS) &&
                   OutputFile::WriteInPlace(folder, name, text)
               ? Outcome::InPlace
               : Outcome::Failed;
  }
  file.Write(text);
  if (file.Commit())
    return Outcome::Replaced;
  why = file.Error();
  return Outcome::Failed;
}

}  // namespace quendal
