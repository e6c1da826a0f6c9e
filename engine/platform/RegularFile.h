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
// (SDL's base path) when something stands there, otherwise the same name in the installed data
// folder (see SetInstalledDataFolder) when something stands there, otherwise name.
std::string FindDataFile(const char* name);
// Names the folder under share/ where an installed program's data lies: FindDataFile then also
// looks in <the program's folder>/../share/<folder>/, so /usr/games/x finds /usr/share/<folder>.
void SetInstalledDataFolder(const char* folder);

}  // namespace quendal
