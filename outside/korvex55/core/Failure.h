// How an operation fails: it throws a Failure with a status and a text; the
// entry point (EntryPoint.h) catches it, stores the text for KORV_GetError and
// returns the status. Nothing is thrown across the C interface.
#pragma once

#include <string>

#include "outside/korvex55/core/Status.h"

namespace KORVEX55 {

struct Failure {
    Status status;
    std::string text;
};

[[noreturn]] void Fail(Status status, std::string text);

// printf-style formatting into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace KORVEX55
