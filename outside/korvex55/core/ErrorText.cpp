#include "outside/korvex55/core/ErrorText.h"

#include <algorithm>
#include <cstring>

#include "outside/korvex55/core/Limits.h"

namespace KORVEX55 {

void CopyErrorText(const std::string& text, char* buffer)
{
    const size_t length = std::min(text.size(), static_cast<size_t>(kErrorTextBytes - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace KORVEX55
