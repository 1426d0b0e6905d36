// libjpeg's destination manager over a data source: a buffer of 4096
// bytes from libjpeg's image pool, written out whenever it is full and the
// used part at the end. A failed write is libjpeg's write error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace ZAV {

class IDataSource;

struct JpegDestination {
    // First, so the pointer libjpeg holds to it is the manager's own.
    jpeg_destination_mgr base;
    IDataSource* target;
    JOCTET* buffer;
    uint64_t bytesWritten;
};

// Fills the manager and makes it the compressor's destination.
void InstallJpegDestination(j_compress_ptr compressor, JpegDestination& destination, IDataSource* target);

}  // namespace ZAV
