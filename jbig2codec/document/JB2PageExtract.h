// Taking pages out of a file object: one page with the segments it refers
// to as a document of its own, and whether the pages stand in page order.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2File.h"

namespace ZAV {

// A new file object with page `page` (from 0) and the segments it refers to,
// renumbered from 0, ending with end of page and end of file.
JB2_Error JB2FileExtractPage(JB2File* file, uint32_t page, JB2File** out, JB2Message* message);

// True when the segments of each page stand after those of every page before
// it, as a reader that takes pages in file order needs them.
bool JB2FilePagesInOrder(const JB2File* file);

}  // namespace ZAV
