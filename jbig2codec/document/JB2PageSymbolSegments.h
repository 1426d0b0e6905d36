// New symbol dictionary and text region segments of a file being written,
// each added to the file with the next segment number.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2File.h"
#include "jbig2codec/symbol/JB2SymbolDictionary.h"

namespace ZAV {

// A symbol dictionary segment of page `page` (0: global) referring to the
// given dictionary segments, with its new empty dictionary. *segment holds
// a reference the caller releases.
JB2_Error JB2PageNewSymbolDictionary(JB2File* file, uint32_t page, JB2SegmentHeader* const* referred,
                                     uint32_t referredCount, JB2SegmentHeader** segment,
                                     JB2SymbolDictionary** dictionary, JB2Message* message);

// Where a text region lies and how it is coded.
struct JB2TextRegionPlacement {
    uint32_t page;
    uint32_t width;
    uint32_t height;
    uint32_t x;
    uint32_t y;
    uint8_t combination;  // onto the page: 0 OR, 1 AND, 2 XOR, 3 XNOR, 4 REPLACE
    uint16_t flags;       // the text region flags; with SBREFINE and SBRTEMPLATE 0 nominal AT pixels are written
};

// An immediate text region segment referring to the given dictionary
// segments. *segment holds a reference the caller releases.
JB2_Error JB2PageNewTextRegion(JB2File* file, const JB2TextRegionPlacement* placement,
                               JB2SegmentHeader* const* referred, uint32_t referredCount, JB2SegmentHeader** segment,
                               JB2Message* message);

}  // namespace ZAV
