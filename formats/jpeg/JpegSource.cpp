#include "formats/jpeg/JpegSource.h"

#include <cstring>

#include <jerror.h>

#include "foundation/datasource/IDataSource.h"

namespace ZAV {

namespace {

constexpr size_t kJpegSourceBufferSize = 4096;

struct JpegSource {
    // First, so the pointer libjpeg holds to it is the manager's own.
    jpeg_source_mgr base;
    IDataSource* source;
    JOCTET buffer[kJpegSourceBufferSize];
    // No byte read yet since the decode began.
    boolean startOfFile;
};

JpegSource* SourceOf(j_decompress_ptr decompressor)
{
    return reinterpret_cast<JpegSource*>(decompressor->src);
}

// Up to the buffer's size from the data source; -1 when it throws
// (nothing may be thrown through libjpeg).
long ReadFromSource(JpegSource& manager)
{
    try {
        size_t count = kJpegSourceBufferSize;
        const unsigned char* bytes = manager.source->ReadAvailable(count);
        std::memcpy(manager.buffer, bytes, count);
        return static_cast<long>(count);
    } catch (...) {
        return -1;
    }
}

void InitSource(j_decompress_ptr decompressor)
{
    SourceOf(decompressor)->startOfFile = TRUE;
}

boolean FillInputBuffer(j_decompress_ptr decompressor)
{
    JpegSource& manager = *SourceOf(decompressor);
    long count = ReadFromSource(manager);
    if (count < 0)
        ERREXIT(decompressor, JERR_FILE_READ);
    if (count == 0) {
        if (manager.startOfFile)
            ERREXIT(decompressor, JERR_INPUT_EMPTY);
        WARNMS(decompressor, JWRN_JPEG_EOF);
        manager.buffer[0] = 0xFF;
        manager.buffer[1] = JPEG_EOI;
        count = 2;
    }
    manager.base.next_input_byte = manager.buffer;
    manager.base.bytes_in_buffer = static_cast<size_t>(count);
    manager.startOfFile = FALSE;
    return TRUE;
}

void SkipInputData(j_decompress_ptr decompressor, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr& base = SourceOf(decompressor)->base;
    while (count > static_cast<long>(base.bytes_in_buffer)) {
        count -= static_cast<long>(base.bytes_in_buffer);
        FillInputBuffer(decompressor);
    }
    base.next_input_byte += count;
    base.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr)
{
}

}  // namespace

void InstallJpegSource(j_decompress_ptr decompressor, IDataSource* source)
{
    void* memory = decompressor->mem->alloc_small(reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT,
                                                  sizeof(JpegSource));
    JpegSource* manager = static_cast<JpegSource*>(memory);
    manager->source = source;
    manager->startOfFile = TRUE;
    manager->base.init_source = InitSource;
    manager->base.fill_input_buffer = FillInputBuffer;
    manager->base.skip_input_data = SkipInputData;
    manager->base.resync_to_restart = jpeg_resync_to_restart;
    manager->base.term_source = TermSource;
    manager->base.next_input_byte = nullptr;
    manager->base.bytes_in_buffer = 0;
    decompressor->src = &manager->base;
}

}  // namespace ZAV
