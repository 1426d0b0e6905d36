// Replacing a file's whole content so that its name never holds half of it:
// the bytes go to a new file beside it, which is renamed over the name only
// once everything is on disk.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

// 0 on success, else the errno of the step that failed; on failure the name
// keeps what it held before and no temporary file is left. The new file gets
// the mode (less the umask).
int ReplaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode);

// The same for content too large to gather first: writeContent gets the
// new file's descriptor and returns 0 or the errno of its failure. An
// exception from it passes on after the new file is removed.
int ReplaceFileAtomically(const std::string& path, const std::function<int(int fd)>& writeContent, mode_t mode);

// A new file beside the path under a name no other writer of this process
// or another one is using (the process id and a counter), created
// exclusively with the mode (less the umask). Returns its descriptor and
// sets tempName, or -1 with errno set.
int CreateTemporaryBeside(const std::string& path, mode_t mode, std::string& tempName);
