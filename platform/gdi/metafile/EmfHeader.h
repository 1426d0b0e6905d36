// EMR_HEADER, the first record of every enhanced metafile ([MS-EMF]
// EMR_HEADER with its two header extensions): read with every size checked,
// and written.
#pragma once

#include "platform/gdi/metafile/MetaBytes.h"

#include <cstddef>
#include <cstdint>

namespace ZAV {
namespace Meta {

// The header at the start of the data, or false: the record is not a
// header, is cut short, claims more bytes than there are, has no device or
// millimetre size, or a frame whose pixels are empty or past the ceiling.
bool ReadEnhHeader(const uint8_t* data, size_t size, ENHMETAHEADER& header);

// The 108-byte header record.
void WriteEnhHeader(RecordWriter& out, const ENHMETAHEADER& header);

// Each frame edge in reference-device pixels: the 0.01 mm value times the
// device's pixels over its hundredths of millimetres, truncated.
RECT FrameInPixels(const ENHMETAHEADER& header);

}  // namespace Meta
}  // namespace ZAV
