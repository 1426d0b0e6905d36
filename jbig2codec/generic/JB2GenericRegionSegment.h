// What the generic region decoder and encoder share about a generic region
// segment: the length of its header fields and the checks of its type and size.
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

// Region information (17 bytes) and the generic region flags byte.
constexpr uint32_t kJB2GenericHeaderFieldsLength = kJB2RegionInfoLength + 1;

// Flags and region size (GBW, GBH), each checked before a buffer is sized by it.
JB2_Error JB2GenericRegionReadSize(JB2SegmentHeader* segment, uint8_t* flags, uint32_t* width, uint32_t* height,
                                   JB2Message* message);
// Only immediate generic regions are coded; warns about any other segment.
bool JB2GenericRegionIsCoded(JB2SegmentHeader* segment, JB2Message* message);

}  // namespace ZAV
