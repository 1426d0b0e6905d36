// Files and folders: existence, size, whole-file reads and writes, temporary
// names, folder listings and module paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/text/String.h"
#include "platform/WinTypes.h"

namespace ZAV {

// True when the file opens for reading; a folder is not a file.
bool FileExists(const char* name);
bool FileExists(const std::string& name);
// True when the path names something (a trailing separator is ignored).
bool PathExists(const char* path);
bool IsFolder(const char* path);

// Throws "Can't delete file '%s'!" with the system's reason on failure.
void DeleteFileChecked(const char* name);

// 0 when the file cannot be opened.
uint64_t GetFileSizeByName(const char* name);

// The whole file in a new buffer (free it with delete[]) with a zero byte
// behind the data. False, with no buffer, when the file cannot be opened or
// read whole, or is larger than a buffer may be.
bool ReadFileToBuffer(const char* name, unsigned char*& buffer, size_t& size);
// True when the file was created and every byte written.
bool WriteBufferToFile(const void* buffer, size_t size, const char* name);

// The temporary folder, ending in its separator.
String GetTempFolder();
// A new, empty file in the temporary folder; its name.
String MakeTempFileName(const char* prefix);

// The file's lines without their line ends (each cut at its first LF and its
// first CR), whole whatever their length. Throws "Cannot open file '%s'!".
void ReadTextFileLines(const char* name, std::vector<String>& lines, bool keepEmpty);

// The entries of a folder that match the mask ("*.jpg;*.gif"), as full paths
// in name order: files, and with wantFolders also folders. The list is
// emptied first when clear is set. A folder that cannot be read gives
// nothing; a listing that breaks off throws "Error enumerating files!".
void EnumerateFiles(const char* folder, const char* mask, std::vector<String>& found, bool clear,
                    bool wantFolders = false, bool wantFiles = true);

// The full file name of a module; null is the program itself.
String GetModulePath(HMODULE module);
// Its folder, ending in a separator.
String GetModuleDirectory(HMODULE module);

}  // namespace ZAV
