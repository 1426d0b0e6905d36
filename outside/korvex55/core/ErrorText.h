// Copying a failure's text into the caller's buffer of KORV_GetError.
#pragma once

#include <string>

namespace KORVEX55 {

// At most kErrorTextBytes - 1 bytes of the text, then a terminating zero.
void CopyErrorText(const std::string& text, char* buffer);

}  // namespace KORVEX55
