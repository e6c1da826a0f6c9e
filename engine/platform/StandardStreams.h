// Keeping descriptors 0, 1 and 2 taken, so that no file or connection opened later is the console.
#pragma once

namespace quendal {

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed (stdin for reading, the
// other two for writing). Call it before anything opens a file or a connection; ReadCommandLine
// and Initialise call it first.
void OpenStandardStreams();

}  // namespace quendal
