// Replacing a file's whole content so that its name never holds half of it:
// the bytes go to a new file beside it, which is renamed over the name only
// once everything is on disk.
#pragma once

#include <string>
#include <sys/types.h>

// 0 on success, else the errno of the step that failed; on failure the name
// keeps what it held before and no temporary file is left. The new file gets
// the mode (less the umask).
int ReplaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode);
