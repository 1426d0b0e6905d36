// Small text services: 16-bit wide text to narrow, comparison ignoring case
// and the current time as text.
#pragma once

#include <string>

#include "foundation/text/String.h"
#include "platform/WinTypes.h"

namespace ZAV {

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;

// The zero-terminated 16-bit text converted into buffer (bufferSize bytes,
// zero included). The system's code page and CP_UTF8 both give UTF-8 here; a
// lone surrogate becomes U+FFFD. Null when a pointer is null, the code page
// is another, or the text does not fit.
char* WideToMultiByte(char* buffer, const WCHAR* wide, int bufferSize, UINT codePage);

bool IsEqualNoCase(const std::string& a, const std::string& b);

// strftime of the local time now.
String FormatCurrentTime(const char* format);

}  // namespace ZAV
