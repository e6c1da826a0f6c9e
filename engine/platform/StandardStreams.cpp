// Filling closed standard descriptors with /dev/null at start.
#include "engine/platform/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quendal {

void OpenStandardStreams() {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
      continue;
    // The lowest free descriptor is the closed one, since the ones below it are open by now.
    const int opened = ::open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
    if (opened > descriptor) {
      ::dup2(opened, descriptor);
      ::close(opened);
    }
  }
}

}  // namespace quendal
