#include "formats/png/PngReader.h"

#include "formats/FormatLimits.h"
#include "formats/codec/PicDecoder.h"

namespace ZAV {

namespace {

// The code every libpng failure of a decode is raised with.
constexpr int kPngReadErrorCode = 2;

// The ancillary chunks the decoder reads (resolution, transparency); libpng
// skips every other one unread.
constexpr png_byte kKeptAncillaryChunks[] = "pHYs\0tRNS\0";
constexpr int kKeptAncillaryChunkCount = 2;

// libpng only warns about a chunk longer than its ceiling (a benign error
// when reading) and then buffers it whole: so the chunks the decoder has no
// use for are skipped, and the ceilings bound what libpng keeps of the rest.
void LimitChunks(png_structp png)
{
    png_set_chunk_malloc_max(png, kMaxPngAncillaryChunkBytes);
    png_set_chunk_cache_max(png, kMaxPngCachedChunks);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_AS_DEFAULT, kKeptAncillaryChunks, kKeptAncillaryChunkCount);
}

}  // namespace

CPngReader::CPngReader(IDataSource* source)
{
    m_state.source = source;
    m_state.publishErrors = true;
    m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &m_state, PngErrorHandler, PngWarningHandler);
    if (m_png)
        m_info = png_create_info_struct(m_png);
    if (!m_png || !m_info) {
        // The destructor does not run for a constructor that throws.
        if (m_png)
            png_destroy_read_struct(&m_png, nullptr, nullptr);
        CPicDecoder::ThrowError(kPngReadErrorCode, "Error creating PNG read structures!");
    }
    png_set_read_fn(m_png, &m_state, PngReadData);
    LimitChunks(m_png);
}

CPngReader::~CPngReader()
{
    if (m_png)
        png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr);
}

void CPngReader::RaiseError()
{
    CPicDecoder::ThrowError(kPngReadErrorCode, m_state.message);
}

PngHeader CPngReader::ReadHeader()
{
    png_structp png = m_png;
    png_infop info = m_info;
    if (!RunPngStep(png, [png, info] { png_read_info(png, info); }))
        RaiseError();
    PngHeader header;
    png_get_IHDR(m_png, m_info, &header.width, &header.height, &header.bitDepth, &header.colorType, &header.interlace,
                 nullptr, nullptr);
    png_get_pHYs(m_png, m_info, &header.resolutionX, &header.resolutionY, &header.resolutionUnit);
    return header;
}

void CPngReader::GetPalette(png_colorp& entries, int& count)
{
    entries = nullptr;
    count = 0;
    if (!png_get_PLTE(m_png, m_info, &entries, &count))
        count = 0;
}

size_t CPngReader::UpdateRowLayout()
{
    png_structp png = m_png;
    png_infop info = m_info;
    if (!RunPngStep(png, [png, info] { png_read_update_info(png, info); }))
        RaiseError();
    return png_get_rowbytes(m_png, m_info);
}

void CPngReader::ReadRow(png_bytep row)
{
    png_structp png = m_png;
    if (!RunPngStep(png, [png, row] { png_read_row(png, row, nullptr); }))
        RaiseError();
}

void CPngReader::ReadEnd()
{
    png_structp png = m_png;
    if (!RunPngStep(png, [png] { png_read_end(png, nullptr); }))
        RaiseError();
}

}  // namespace ZAV
