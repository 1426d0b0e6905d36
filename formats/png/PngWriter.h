// CPngWriter: libpng's write structures over a data source for one save,
// destroyed with the writer. A step libpng fails in raises code 24 with
// libpng's message, or "Error creating PNG file!" (code 23) when libpng
// jumped back without one.
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdint>

#include "formats/png/PngCallbacks.h"

namespace ZAV {

class CImagePalette;
class IDataSource;

class CPngWriter {
public:
    // Throws "Error creating PNG file!" when libpng makes no structures.
    explicit CPngWriter(IDataSource* target);
    ~CPngWriter();
    CPngWriter(const CPngWriter&) = delete;
    CPngWriter& operator=(const CPngWriter&) = delete;

    void SetHeader(uint32_t width, uint32_t height, int bitDepth, int colorType, int interlace);
    // Bytes of one row of the header set.
    size_t GetRowBytes() const { return png_get_rowbytes(m_png, m_info); }
    // The first count entries as red, green, blue.
    void SetPalette(const CImagePalette& palette, int count);
    void SetTimeNow();
    // Dots per inch as pixels per metre, rounded up; 0 counts as 1.
    void SetResolution(int dpiX, int dpiY);
    void SetFilters(int filters);
    void WriteInfo();
    // 16-bit samples are stored low byte first; PNG wants them high first.
    void SwapBytes() { png_set_swap(m_png); }
    // The number of passes every row is written in.
    int HandleInterlace() { return png_set_interlace_handling(m_png); }
    void WriteRow(const unsigned char* row);
    void WriteChunk(const char* name, const unsigned char* data, size_t length);
    void WriteEnd();

    uint64_t GetBytesWritten() const { return m_state.bytesWritten; }

private:
    template <class Step>
    void Run(Step&& step)
    {
        if (!RunPngStep(m_png, step))
            RaiseError();
    }
    [[noreturn]] void RaiseError();

    PngCallState m_state;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

}  // namespace ZAV
