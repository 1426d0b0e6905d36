// The one codec error text of the process: a library's error callback (the
// PNG decoder's) writes its message here, and the image object's load and
// save failures add it to their own. Every decoder construction and every
// built-in save empties it.
#pragma once

#include <cstddef>

namespace ZAV {

constexpr size_t kCodecErrorTextSize = 1024;

// The buffer of kCodecErrorTextSize bytes, always zero-terminated.
char* GetCodecErrorText();

// Copies the text in, cut to fit.
void SetCodecErrorText(const char* text);

}  // namespace ZAV
