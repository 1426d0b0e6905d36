// What a codec may ask of the data source beyond the byte interface: its
// length, the bytes left, and a progress report. Every data source of the
// system is a CDataSource; anything else answers "unknown".
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

class IDataSource;

// The data source's length, or the fallback when it is no CDataSource.
uint64_t GetSourceLength(IDataSource* source, uint64_t fallback);

// True with the bytes between the position and the end when the source
// knows its length.
bool GetSourceRemaining(IDataSource* source, uint64_t& remaining);

// Reports the fraction done (0..1) to the source's progress sink.
void ReportSourceProgress(IDataSource* source, double fraction);

// Everything from the position to the end, at most limit bytes (the rest
// is left unread), for formats whose parts point anywhere in the file (BMP
// offsets) or whose library takes the whole data at once (JBIG-KIT).
std::vector<uint8_t> ReadSourceBytes(IDataSource& source, size_t limit);

}  // namespace ZAV
