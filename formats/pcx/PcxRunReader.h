// PcxRunReader: the PCX run-length stream (ZSoft PCX Technical Reference,
// "Decoding .PCX Files") unpacked into one buffer for all rows and planes:
// a byte with both top bits set counts the next byte's repeats in its low
// six bits, any other byte stands for itself. Runs may cross rows.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

class CFileBytes;

// Fills the buffer from the stream at the cursor; the cursor ends after the
// last byte used. Refuses a run that passes the buffer's end (code 7), and
// raises the end-of-data text when the stream stops short.
void ReadPcxRuns(CFileBytes& stream, std::vector<uint8_t>& buffer);

// The most bytes a stream of the given length can unpack to (63 from every
// two bytes): a file that cannot fill its buffer is refused before the
// buffer is had.
uint64_t MaxPcxUnpackedBytes(uint64_t streamBytes);

}  // namespace ZAV
