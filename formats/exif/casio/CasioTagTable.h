// The tags of a Casio type-2 maker note the reader names, as data.
#pragma once

#include <cstddef>

namespace ZAV {

// A value text and what it means for the tag.
struct CasioValueMeaning {
    const char* value;
    const char* meaning;
};

struct CasioTagRow {
    int tag;
    const char* name;
    const CasioValueMeaning* meanings;
    size_t meaningCount;
    bool setsPreviewPosition;
};

// The row of a tag, null for one the note reader does not know.
const CasioTagRow* FindCasioTagRow(int tag);

}  // namespace ZAV
