// The few run-time calls of the Windows C library the code uses, over the
// POSIX C library.
#pragma once

#include <cstdio>

using errno_t = int;

// Opens a file like fopen; *file is null on failure, and the errno value is
// both returned and turned into the last error.
errno_t fopen_s(FILE** file, const char* path, const char* mode);

// Case-insensitive comparisons in the C locale, byte by byte.
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t count);
