// Opening a file for reading only when it is a regular file, so a FIFO or a device cannot block.
#pragma once
#include <cstdio>

// Opens path for reading (binary) if it names a regular file; null otherwise. Never blocks.
std::FILE* OpenRegularFile(const char* path);
