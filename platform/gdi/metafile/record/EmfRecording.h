// The records a metafile DC has taken so far, and the appenders every
// recorded call ends in. Internal to the metafile layer: the graphics
// layer's calls reach it through MetafileDC.h, the WMF conversion directly.
#pragma once

#include "platform/gdi/metafile/MetaDib.h"
#include "platform/gdi/metafile/MetaMapping.h"

#include <cstdint>
#include <vector>

namespace ZAV {
namespace Meta {

struct EmfRecording {
    RECTL frame{};
    bool frameGiven = false;
    SIZEL devicePixels{};
    SIZEL deviceMillimetres{};
    SIZEL deviceMicrometres{};
    std::vector<uint8_t> records;  // every record after the header
    uint32_t count = 0;
    bool hasBounds = false;
    RECT bounds{};  // reference-device pixels, inclusive
    MetaMapping mapping;
    std::vector<MetaMapping> saved;
};

// The fields of the four bitmap records; which are written depends on the type.
struct BlitFields {
    LONG xDest = 0;
    LONG yDest = 0;
    LONG cxDest = 0;
    LONG cyDest = 0;
    LONG xSrc = 0;
    LONG ySrc = 0;
    LONG cxSrc = 0;
    LONG cySrc = 0;
    DWORD rop = SRCCOPY;
    COLORREF bkColor = 0xFFFFFF;
};

// A record of Type, Size and the given 32-bit values.
bool AppendValues(EmfRecording& recording, uint32_t type, std::initializer_list<uint32_t> values);

// A record of Type, Size and the body (padded to a multiple of 4 bytes);
// false when it would pass the layer's ceilings.
bool AppendRecord(EmfRecording& recording, uint32_t type, const std::vector<uint8_t>& body);

// Joins the logical points, as reference-device pixels, to the bounds.
void JoinBounds(EmfRecording& recording, const std::vector<POINT>& points);

// EMR_BITBLT, EMR_STRETCHBLT, EMR_SETDIBITSTODEVICE or EMR_STRETCHDIBITS
// with the DIB (bitsBytes of bits); false when the record would pass the
// layer's ceilings.
bool AppendBitmapRecord(EmfRecording& recording, uint32_t type, const BlitFields& fields, const RecordDib& dib,
                        uint64_t bitsBytes);

// The state records: each updates the recording's mapping as the player will.
bool RecordMapModeChange(EmfRecording& recording, int mode);
bool RecordOriginOrExtent(EmfRecording& recording, uint32_t type, LONG x, LONG y);
bool RecordSave(EmfRecording& recording);
bool RecordRestore(EmfRecording& recording, int level);

}  // namespace Meta
}  // namespace ZAV
