// Finding the files a program reads, and opening them only when they are regular files.
#pragma once
#include <cstdio>
#include <string>

// Opens path for reading (binary) if it names a regular file; never blocks. On failure returns null
// with the reason in SDL_GetError() ("No such file or directory", "not a regular file"); errno is
// kept as the system left it.
std::FILE* OpenRegularFile(const char* path);

// Where to read a data file named relative to the program: name itself when it is absolute or
// something stands there in the working directory, otherwise the same name beside the program
// (SDL's base path) when something stands there, otherwise name.
std::string FindDataFile(const char* name);
