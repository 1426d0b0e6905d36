#include "formats/jpeg/JpegDestination.h"

#include <jerror.h>

#include "foundation/datasource/IDataSource.h"

namespace ZAV {

namespace {

constexpr size_t kJpegDestinationBufferSize = 4096;

JpegDestination* DestinationOf(j_compress_ptr compressor)
{
    return reinterpret_cast<JpegDestination*>(compressor->dest);
}

// False when the data source refuses or throws (nothing may be thrown
// through libjpeg).
bool WriteToTarget(JpegDestination& destination, size_t count)
{
    try {
        if (!destination.target->Write(destination.buffer, count))
            return false;
        destination.bytesWritten += count;
        return true;
    } catch (...) {
        return false;
    }
}

void InitDestination(j_compress_ptr compressor)
{
    JpegDestination& destination = *DestinationOf(compressor);
    void* memory = compressor->mem->alloc_small(reinterpret_cast<j_common_ptr>(compressor), JPOOL_IMAGE,
                                                kJpegDestinationBufferSize);
    destination.buffer = static_cast<JOCTET*>(memory);
    destination.base.next_output_byte = destination.buffer;
    destination.base.free_in_buffer = kJpegDestinationBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr compressor)
{
    JpegDestination& destination = *DestinationOf(compressor);
    if (!WriteToTarget(destination, kJpegDestinationBufferSize))
        ERREXIT(compressor, JERR_FILE_WRITE);
    destination.base.next_output_byte = destination.buffer;
    destination.base.free_in_buffer = kJpegDestinationBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr compressor)
{
    JpegDestination& destination = *DestinationOf(compressor);
    const size_t used = kJpegDestinationBufferSize - destination.base.free_in_buffer;
    if (used > 0 && !WriteToTarget(destination, used))
        ERREXIT(compressor, JERR_FILE_WRITE);
}

}  // namespace

void InstallJpegDestination(j_compress_ptr compressor, JpegDestination& destination, IDataSource* target)
{
    destination.base.init_destination = InitDestination;
    destination.base.empty_output_buffer = EmptyOutputBuffer;
    destination.base.term_destination = TermDestination;
    destination.base.next_output_byte = nullptr;
    destination.base.free_in_buffer = 0;
    destination.target = target;
    destination.buffer = nullptr;
    destination.bytesWritten = 0;
    compressor->dest = &destination.base;
}

}  // namespace ZAV
