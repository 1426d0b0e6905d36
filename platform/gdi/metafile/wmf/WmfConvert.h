// What converting one old-style record gives, and the drawing records'
// conversion ([MS-WMF] drawing, object and state records into their
// enhanced forms). Internal to the WMF conversion.
#pragma once

#include "platform/gdi/metafile/record/EmfRecording.h"
#include "platform/gdi/metafile/wmf/WmfRecords.h"

#include <vector>

namespace ZAV {
namespace Meta {

enum class Outcome { Converted, Unsupported, Broken };

// Converted when the enhanced record was appended, Broken when it was not.
inline Outcome Check(bool converted)
{
    return converted ? Outcome::Converted : Outcome::Broken;
}

// The old-style object table: objects take the lowest free index, and
// index i becomes the enhanced table's i + 1.
struct WmfObjectTable {
    std::vector<bool> used;
};

bool IsWmfDrawingRecord(uint16_t function);
Outcome ConvertDrawingRecord(EmfRecording& recording, WmfObjectTable& objects, const WmfRecord& record);

}  // namespace Meta
}  // namespace ZAV
