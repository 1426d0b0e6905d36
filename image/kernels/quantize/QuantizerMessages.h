// The quantizers' error routine: codes numbered as in the message table of
// the Independent JPEG Group library, whose quantizers ours follow.
#pragma once

#include "foundation/text/String.h"

namespace ZAV {

constexpr int kQuantizerFewColors = 62;   // "Cannot quantize to fewer than %d colors"
constexpr int kQuantizerManyColors = 63;  // "Cannot quantize to more than %d colors"

// The message of a code with its argument; an unknown code gives
// "Bogus message code %d".
String FormatQuantizerMessage(int code, int argument);

// Throws CTextException(code, prefix + message + "\n").
[[noreturn]] void RaiseQuantizerError(const char* prefix, int code, int argument);

}  // namespace ZAV
