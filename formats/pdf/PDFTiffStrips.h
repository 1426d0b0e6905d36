// The coded body of a one-strip TIFF held in memory, read raw through
// libtiff, so CCITT and LZW data made by the TIFF encoder become the data
// of a PDF image stream.
#pragma once

#include <cstdint>

namespace ZAV {

class IDataSource;

// Writes the strip's bytes (bit order made most significant first when the
// file's FillOrder is 2) to the target. Throws for a file libtiff refuses
// and for a file of more than one strip, whose separately coded strips
// would not make one PDF stream.
void CopyRawTiffStrip(const uint8_t* file, int64_t size, IDataSource& target);

}  // namespace ZAV
