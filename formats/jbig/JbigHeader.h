// The bi-level image header (BIH, ITU-T T.82 6.2.2) at the start of a JBIG
// file, read and checked before JBIG-KIT sees the data: JBIG-KIT allocates
// its planes from these fields alone and stops the process when the heap
// refuses.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

struct JbigHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    int planes = 0;
};

// The header of the data. A height left open (all ones, T.85) takes the
// value of the data's NEWLEN marker, which is patched into the header as
// JBIG-KIT expects. Throws CTextException "Invalid Jbig data!", the JBIG
// decoder error of the marker search, or "Jbig image too large!".
JbigHeader ReadJbigHeader(std::vector<uint8_t>& data);

// "JBIG Decoder error (code): 'text'" with JBIG-KIT's text of the code.
[[noreturn]] void ThrowJbigError(int code);

}  // namespace ZAV
