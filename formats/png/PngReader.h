// CPngReader: libpng's read structures over a data source for one decode,
// destroyed with the reader. Each step raises the decoder's error (code 2,
// libpng's message) when libpng fails inside it.
#pragma once

#include <png.h>

#include <cstdint>

#include "formats/png/PngCallbacks.h"

namespace ZAV {

class IDataSource;

// The facts of the IHDR and pHYs chunks.
struct PngHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    // pHYs values; unit 1 is the metre, 0 (or no chunk) an aspect ratio.
    uint32_t resolutionX = 0;
    uint32_t resolutionY = 0;
    int resolutionUnit = 0;
};

class CPngReader {
public:
    explicit CPngReader(IDataSource* source);
    ~CPngReader();
    CPngReader(const CPngReader&) = delete;
    CPngReader& operator=(const CPngReader&) = delete;

    // Reads the chunks up to the image data.
    PngHeader ReadHeader();
    // Samples per pixel in the file.
    int GetChannels() const { return png_get_channels(m_png, m_info); }
    // The PLTE entries; count 0 when there is none.
    void GetPalette(png_colorp& entries, int& count);

    // The transformations of a decode, then libpng's row layout after them.
    void StripTo8Bits() { png_set_strip_16(m_png); }
    void UnpackPixels() { png_set_packing(m_png); }
    void ExpandGrayTo8Bits() { png_set_expand_gray_1_2_4_to_8(m_png); }
    void ExpandGrayToRgb() { png_set_gray_to_rgb(m_png); }
    // The number of passes the rows are read in.
    int HandleInterlace() { return png_set_interlace_handling(m_png); }
    // Bytes of one row as libpng hands it over after the transformations.
    size_t UpdateRowLayout();

    void ReadRow(png_bytep row);
    void ReadEnd();

private:
    [[noreturn]] void RaiseError();

    PngCallState m_state;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

}  // namespace ZAV
