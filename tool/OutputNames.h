// Names of the files a command writes and the list of files it reads.
#pragma once

#include "foundation/text/String.h"

#include <string>
#include <vector>

namespace ZAV {

// Most numbers MakeUniqueFileName tries before it gives up.
constexpr int kMaxUniqueFileNumber = 999;

// The name itself when nothing of that name exists, else the first free
// "folder/base_N.ext" for N from 1 to 999. Anything that exists counts as
// taken, also a file that cannot be read, so nothing is overwritten.
String MakeUniqueFileName(const String& name);

// The output PDF for a file (its extension replaced by "pdf") or a folder
// (a PDF inside it named after the letters and digits of its path), made
// unique.
String MakeOutputName(const String& name);

// True when a file (not a folder) of that name exists; looked up without
// opening it, so the command that reads it opens it once.
bool IsExistingFile(const std::string& name);

// Appends the input: a file itself, or the files of a folder that match the
// ";"-separated masks, part by part (the list is emptied first). A file two
// parts match is listed once, at its first place. "No inputfiles found in
// '%s'!" when the name is neither.
void CollectInputFiles(const String& inputName, const String& fileMask, std::vector<String>& files);

}  // namespace ZAV
