// Document key texts held once per process. Every object carries the key
// text of its document; a pointer to the one copy here is a quarter of the
// size of a string of its own, on each of the many small objects a file
// holds.
#pragma once

#include <string>

namespace ZAVPDF {

// The one copy of text, which stays in place until the process ends.
const std::string* InternKeyText(const std::string& text);

}  // namespace ZAVPDF
