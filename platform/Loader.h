// Shared libraries: the Windows loader calls over dlopen. Library names
// ending in ".dll" (any case) name the ".so" file of the same base name; a
// bare name is looked for beside the program first, then where the system
// looks.
#pragma once

#include "platform/WinTypes.h"

#include <string>

// The module, or null with the last error ERROR_MOD_NOT_FOUND.
HMODULE LoadLibraryA(const char* fileName);

// The exported symbol, or null with the last error ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddress(HMODULE module, const char* procName);

// TRUE when the module was closed.
BOOL FreeLibrary(HMODULE module);

// The full path of a module (null for the program) into buffer, cut to
// size - 1 characters; returns the length written, 0 on failure.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

// The file name LoadLibraryA opens for a name: ".dll" becomes ".so".
std::string MapLibraryFileName(const char* fileName);
