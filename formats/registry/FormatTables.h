// The rows the registry starts with and the rows a flag-16 plug-in adds.
#pragma once

#include <cstddef>

namespace ZAV {

struct FormatTableRow {
    int id;
    const char* extensions;
    int loadMode;
    int saveMode;
};

extern const FormatTableRow kBuiltInFormats[];
extern const size_t kBuiltInFormatCount;
extern const FormatTableRow kMagickFormats[];
extern const size_t kMagickFormatCount;

}  // namespace ZAV
