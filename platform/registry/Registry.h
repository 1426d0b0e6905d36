// The registry calls the program's context-menu verbs use, over a store of
// our own: one readable text file holding the keys under HKEY_CLASSES_ROOT
// and their values. The file lies at $ZAVPDF_REGISTRY when that is set, else
// at $XDG_CONFIG_HOME/ZAVPdf/registry, else at ~/.config/ZAVPdf/registry.
// Every change rewrites the whole file through a temporary file beside it
// and a rename, so a reader never sees half a store.
//
// Key and value names compare ignoring case and keep the case they were
// created with. A store whose file does not exist yet holds the classes a
// desktop always has: "*", "Folder" and ".pdf" (the last with an empty
// unnamed value, as on a system where no application claims PDF files).
//
// Every call returns ERROR_SUCCESS or an error code, and on failure also
// sets the thread's last error to that code so that callers can report it
// (ERROR_FILE_NOT_FOUND for a missing key or value, ERROR_MORE_DATA for a
// buffer that is too small, ERROR_ACCESS_DENIED for a key that still has
// subkeys, ERROR_BADDB for a store file that cannot be read as one).
#pragma once

#include "platform/LastError.h"
#include "platform/WinTypes.h"

#include <string>

struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = DWORD;

// The root of the file classes; the only root the store has.
extern const HKEY HKEY_CLASSES_ROOT;

// Access rights are accepted and not enforced: the store is the user's own file.
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_SZ = 1;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key below key ("" or null opens key itself again).
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);

// Opens the key below key, creating it and every missing key on the way.
// disposition (may be null) tells which happened. className and security
// have no meaning here.
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* className, DWORD options, REGSAM access,
                     const void* security, HKEY* result, DWORD* disposition);

// Reads a value (null or "" is the unnamed value). type and data may be null;
// *dataSize is the buffer's size on entry and the value's size on return.
// A buffer too small gives ERROR_MORE_DATA and the size needed.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);

// Writes a value, replacing one of the same name. A REG_SZ value is stored
// as given: callers pass the text with its terminating zero.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);

LONG RegDeleteValueA(HKEY key, const char* valueName);

// Deletes the key below key with its values; a key that has subkeys is
// refused with ERROR_ACCESS_DENIED.
LONG RegDeleteKeyA(HKEY key, const char* subKey);

// Closing a root key does nothing.
LONG RegCloseKey(HKEY key);

// The store's file name as the environment gives it now.
std::string GetRegistryStorePath();
