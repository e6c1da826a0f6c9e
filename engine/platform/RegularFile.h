// Finding the files a program reads, and opening them only when they are regular files.
#pragma once
#include <cstdio>
#include <string>

namespace quendal {

// Opens path for reading if it names a regular file, never blocking: a descriptor, or -1 with the
// reason in why ("No such file or directory", "not a regular file") and errno as open or fstat
// left it (0 when something other than a regular file stands there).
int OpenRegularDescriptor(const char* path, std::string& why);
// The same as a binary stream. On failure returns null with the reason in SDL_GetError(); errno
// is kept as above.
std::FILE* OpenRegularFile(const char* path);

// Where to read a data file named relative to the program: name itself when it is absolute or
// something stands there in the working directory, otherwise the same name beside the program
// (SDL's base path) when something stands there, otherwise name.
std::string FindDataFile(const char* name);

}  // namespace quendal
