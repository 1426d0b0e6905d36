// CExifEntry: one directory entry of an EXIF block as the five texts a
// caller sees (group, tag, name, description, value).
#pragma once

#include <cstdint>

#include "foundation/text/String.h"

namespace ZAV {

// Groups besides the main chain's 0, 1, 2 ... (0 the main image, 1 the
// thumbnail directory).
constexpr int32_t kExifGroupSubIfd = 255;
constexpr int32_t kExifGroupInteroperability = 256;
constexpr int32_t kExifGroupMakerNote = 2000;
constexpr int32_t kExifGroupReadableComment = 2001;

struct CExifEntry {
    int32_t group = 0;
    int32_t tag = 0;
    String name;
    String description;
    String value;
};

}  // namespace ZAV
