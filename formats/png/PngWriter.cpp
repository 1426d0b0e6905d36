#include "formats/png/PngWriter.h"

#include <cmath>
#include <ctime>

#include "formats/codec/PicEncoder.h"
#include "foundation/text/TextException.h"
#include "image/core/ImagePalette.h"

namespace ZAV {

namespace {

constexpr int kJumpWithoutMessageCode = 23;
constexpr int kLibraryErrorCode = 24;
constexpr double kMetresPerInch = 0.0254;

png_uint_32 PixelsPerMetre(int dpi)
{
    const double value = std::ceil(dpi / kMetresPerInch);
    if (value < 1)
        return 1;
    return value > PNG_UINT_31_MAX ? PNG_UINT_31_MAX : static_cast<png_uint_32>(value);
}

}  // namespace

CPngWriter::CPngWriter(IDataSource* target)
{
    m_state.source = target;
    m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &m_state, PngErrorHandler, PngWarningHandler);
    if (m_png)
        m_info = png_create_info_struct(m_png);
    if (!m_png || !m_info) {
        // The destructor does not run for a constructor that throws.
        if (m_png)
            png_destroy_write_struct(&m_png, nullptr);
        ThrowTextException("Error creating PNG file!");
    }
    png_set_write_fn(m_png, &m_state, PngWriteData, PngFlushData);
}

CPngWriter::~CPngWriter()
{
    png_destroy_write_struct(&m_png, &m_info);
}

void CPngWriter::RaiseError()
{
    if (m_state.message[0] == 0)
        CPicEncoder::ThrowError(kJumpWithoutMessageCode, "Error creating PNG file!");
    CPicEncoder::ThrowError(kLibraryErrorCode, m_state.message);
}

void CPngWriter::SetHeader(uint32_t width, uint32_t height, int bitDepth, int colorType, int interlace)
{
    png_structp png = m_png;
    png_infop info = m_info;
    Run([=] {
        png_set_IHDR(png, info, width, height, bitDepth, colorType, interlace, PNG_COMPRESSION_TYPE_BASE,
                     PNG_FILTER_TYPE_BASE);
    });
}

void CPngWriter::SetPalette(const CImagePalette& palette, int count)
{
    png_color colors[PNG_MAX_PALETTE_LENGTH];
    for (int i = 0; i < count && i < PNG_MAX_PALETTE_LENGTH; ++i) {
        uint32_t entry = 0;
        palette.GetEntry(i, entry);
        colors[i].red = PaletteRed(entry);
        colors[i].green = PaletteGreen(entry);
        colors[i].blue = PaletteBlue(entry);
    }
    png_structp png = m_png;
    png_infop info = m_info;
    png_colorp entries = colors;
    Run([=] { png_set_PLTE(png, info, entries, count); });
}

void CPngWriter::SetTimeNow()
{
    png_time now;
    png_convert_from_time_t(&now, std::time(nullptr));
    png_structp png = m_png;
    png_infop info = m_info;
    png_timep stamp = &now;
    Run([=] { png_set_tIME(png, info, stamp); });
}

void CPngWriter::SetResolution(int dpiX, int dpiY)
{
    const png_uint_32 x = PixelsPerMetre(dpiX);
    const png_uint_32 y = PixelsPerMetre(dpiY);
    png_structp png = m_png;
    png_infop info = m_info;
    Run([=] { png_set_pHYs(png, info, x, y, PNG_RESOLUTION_METER); });
}

void CPngWriter::SetFilters(int filters)
{
    png_structp png = m_png;
    Run([=] { png_set_filter(png, PNG_FILTER_TYPE_BASE, filters); });
}

void CPngWriter::WriteInfo()
{
    png_structp png = m_png;
    png_infop info = m_info;
    Run([=] { png_write_info(png, info); });
}

void CPngWriter::WriteRow(const unsigned char* row)
{
    png_structp png = m_png;
    Run([=] { png_write_row(png, row); });
}

void CPngWriter::WriteChunk(const char* name, const unsigned char* data, size_t length)
{
    png_structp png = m_png;
    png_const_bytep type = reinterpret_cast<png_const_bytep>(name);
    Run([=] { png_write_chunk(png, type, data, length); });
}

void CPngWriter::WriteEnd()
{
    png_structp png = m_png;
    Run([=] { png_write_end(png, nullptr); });
}

}  // namespace ZAV
