// The process-wide state libtiff's error and warning handlers write to: the
// last error text, the image whose information list receives the messages
// and the counts. libtiff reports through global handlers, so TIFF work runs
// on one thread at a time.
#pragma once

#include <cstddef>

namespace ZAV {

class CZAVImg;

constexpr size_t kTiffErrorTextSize = 1024;

// Empties the error text, zeroes the counts, takes over the image (may be
// null) and installs the handlers of the log flag: with 1 each message is
// also stored in the image's own information list as ERROR%d / WARNING%d.
void ResetTiffHandlerState(CZAVImg* image, int logFlag);

// The last libtiff error, each message ending in ";".
const char* GetTiffLastError();
int GetTiffErrorCount();
int GetTiffWarningCount();

}  // namespace ZAV
