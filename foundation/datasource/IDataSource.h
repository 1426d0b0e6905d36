// The byte interface that every reader and writer of the system uses.
#pragma once

#include <cstddef>

namespace ZAV {

class CDataSource;

class IDataSource {
public:
    // Exactly count bytes in the data source's read buffer, valid until the
    // next block read; an early end of the data throws code 11.
    virtual const unsigned char* ReadBlock(size_t count) = 0;
    // Up to count bytes; count becomes the number read.
    virtual const unsigned char* ReadAvailable(size_t& count) = 0;
    // One, two and four bytes in stream order, no conversion.
    virtual const unsigned char* ReadByte() = 0;
    virtual const unsigned char* ReadWord() = 0;
    virtual const unsigned char* ReadDWord() = 0;

    virtual bool Write(const void* data, size_t count) = 0;
    // Write that throws code 30 "Error writing to file!" when it fails.
    virtual void WriteChecked(const void* data, size_t count) = 0;
    virtual void WriteByte(unsigned char byte) = 0;

    virtual ~IDataSource() {}
};

}  // namespace ZAV
