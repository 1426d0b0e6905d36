// The operations of the JPEG 2000 metadata record an image carries: its
// metadata (fields up to the UUID-info URL) and its region-of-interest
// rectangles are replaced independently.
#pragma once

#include "formats/Jpeg2000MetadataRecord.h"

namespace ZAV {

// Empties every field but the rectangles.
void ClearMetadata(Jpeg2000MetadataRecord& record);
// Empties every field, the rectangles too.
void ClearAllMetadata(Jpeg2000MetadataRecord& record);
// Replaces every field but the rectangles with the source's.
void SetMetadata(Jpeg2000MetadataRecord& record, const Jpeg2000MetadataRecord& source);
// Replaces the rectangles with the values as given (four a rectangle).
void SetRoiRectangles(Jpeg2000MetadataRecord& record, const std::vector<int32_t>& values);

}  // namespace ZAV
