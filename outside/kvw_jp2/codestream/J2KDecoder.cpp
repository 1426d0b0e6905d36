#include "outside/kvw_jp2/codestream/J2KDecoder.h"

#include <vector>

#include "outside/kvw_jp2/JP2Limits.h"

namespace KVWJP2 {

// The opj_stream reads through the caller's read callback, relative to the codestream's start.
struct J2KStreamAccess {
    static OPJ_SIZE_T Read(void* buffer, OPJ_SIZE_T size, void* user)
    {
        auto* decoder = static_cast<J2KDecoder*>(user);
        const uint64_t left = decoder->m_length - decoder->m_position;
        const uint64_t want = size < left ? size : left;
        const uint64_t got =
            decoder->m_source.ReadAt(decoder->m_offset + decoder->m_position, static_cast<uint8_t*>(buffer), want);
        decoder->m_position += got;
        return got == 0 ? static_cast<OPJ_SIZE_T>(-1) : static_cast<OPJ_SIZE_T>(got);
    }
    static OPJ_OFF_T Skip(OPJ_OFF_T count, void* user)
    {
        auto* decoder = static_cast<J2KDecoder*>(user);
        const uint64_t left = decoder->m_length - decoder->m_position;
        if (count < 0 || uint64_t(count) > left)
            return -1;
        decoder->m_position += count;
        return count;
    }
    static OPJ_BOOL Seek(OPJ_OFF_T offset, void* user)
    {
        auto* decoder = static_cast<J2KDecoder*>(user);
        if (offset < 0 || uint64_t(offset) > decoder->m_length)
            return OPJ_FALSE;
        decoder->m_position = offset;
        return OPJ_TRUE;
    }
};

// Finds the size of data whose end is not recorded: doubling, then halving.
static uint64_t MeasureToTheEnd(const JP2Source& source, uint64_t offset)
{
    uint64_t low = 0;  // bytes known to be there
    uint64_t high = 1;
    while (high <= UINT32_MAX && source.HasByteAt(offset + high - 1)) {
        low = high;
        high *= 2;
    }
    while (high - low > 1) {
        const uint64_t middle = low + (high - low) / 2;
        (source.HasByteAt(offset + middle - 1) ? low : high) = middle;
    }
    return low;
}

J2KDecoder::J2KDecoder(const JP2Source& source, uint64_t offset, uint64_t length)
    : m_source(source), m_offset(offset), m_length(length ? length : MeasureToTheEnd(source, offset))
{
}

J2KDecoder::~J2KDecoder()
{
    if (m_image)
        opj_image_destroy(m_image);
    if (m_stream)
        opj_stream_destroy(m_stream);
    if (m_codec)
        opj_destroy_codec(m_codec);
}

// T.800 A.5.1: SIZ follows SOC. Its sizes are checked before OpenJPEG, which
// sets up every tile while reading the main header.
JP2_Error J2KDecoder::PrecheckSiz() const
{
    uint8_t siz[4 + 2 + 32 + 2];
    if (!m_source.ReadExact(m_offset + 2, siz, sizeof(siz)) || siz[0] != 0xFF || siz[1] != 0x51)
        return cJP2_Error_Invalid_Codestream;
    auto field = [&siz](size_t at) {
        return (uint32_t(siz[at]) << 24) | (uint32_t(siz[at + 1]) << 16) | (uint32_t(siz[at + 2]) << 8) | siz[at + 3];
    };
    const uint32_t xsiz = field(6), ysiz = field(10), xosiz = field(14), yosiz = field(18);
    const uint32_t xtsiz = field(22), ytsiz = field(26), xtosiz = field(30), ytosiz = field(34);
    const uint32_t components = (uint32_t(siz[38]) << 8) | siz[39];
    if (xsiz <= xosiz || ysiz <= yosiz || xtsiz == 0 || ytsiz == 0 || xtosiz > xosiz || ytosiz > yosiz ||
        components == 0)
        return cJP2_Error_Invalid_Codestream;
    if (uint64_t(xsiz - xosiz) * (ysiz - yosiz) * components * 4 > kMaxSampleBufferBytes)
        return cJP2_Error_Too_Large;
    const uint64_t tiles =
        ((uint64_t(xsiz) - xtosiz + xtsiz - 1) / xtsiz) * ((uint64_t(ysiz) - ytosiz + ytsiz - 1) / ytsiz);
    return tiles * kMinTilePartBytes > m_length ? cJP2_Error_Invalid_Codestream : cJP2_Error_OK;
}

JP2_Error J2KDecoder::ReadHeader()
{
    const JP2_Error status = PrecheckSiz();
    if (status != cJP2_Error_OK)
        return status;
    m_codec = opj_create_decompress(OPJ_CODEC_J2K);
    m_stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
    if (!m_codec || !m_stream)
        return cJP2_Error_Out_Of_Memory;
    opj_stream_set_user_data(m_stream, this, nullptr);
    opj_stream_set_user_data_length(m_stream, m_length);
    opj_stream_set_read_function(m_stream, J2KStreamAccess::Read);
    opj_stream_set_skip_function(m_stream, J2KStreamAccess::Skip);
    opj_stream_set_seek_function(m_stream, J2KStreamAccess::Seek);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    PrepareCodec(m_codec, m_messages);
    if (!opj_setup_decoder(m_codec, &parameters) || !opj_read_header(m_stream, m_codec, &m_image) || !m_image)
        return cJP2_Error_Invalid_Codestream;
    return CheckSizes();
}

JP2_Error J2KDecoder::CheckSizes() const
{
    if (m_image->numcomps == 0 || m_image->numcomps > kMaxComponents || m_image->x1 <= m_image->x0 ||
        m_image->y1 <= m_image->y0)
        return cJP2_Error_Invalid_Codestream;
    for (uint32_t c = 0; c < m_image->numcomps; ++c) {
        const opj_image_comp_t& comp = m_image->comps[c];
        if (comp.prec > kMaxBitsPerSample)
            return cJP2_Error_Unsupported;
        if (comp.prec == 0 || comp.dx == 0 || comp.dy == 0)
            return cJP2_Error_Invalid_Codestream;
    }
    const uint64_t bytes = uint64_t(GridWidth()) * GridHeight() * m_image->numcomps * 4;
    return bytes > kMaxSampleBufferBytes ? cJP2_Error_Too_Large : cJP2_Error_OK;
}

JP2_Error J2KDecoder::Decode()
{
    if (!opj_decode(m_codec, m_stream, m_image) || !opj_end_decompress(m_codec, m_stream))
        return cJP2_Error_Invalid_Codestream;
    for (uint32_t c = 0; c < m_image->numcomps; ++c)
        if (!m_image->comps[c].data)
            return cJP2_Error_Invalid_Codestream;
    return cJP2_Error_OK;
}

static uint32_t CeilDiv(uint32_t a, uint32_t b)
{
    return static_cast<uint32_t>((uint64_t(a) + b - 1) / b);
}

// Index of the component sample covering grid position (T.800 B.2): clamped to the component.
static uint32_t CoveringSample(uint32_t gridStart, uint32_t position, uint32_t step, uint32_t firstSample,
                               uint32_t samples)
{
    const uint64_t index = (uint64_t(gridStart) + position) / step;
    if (index < firstSample)
        return 0;
    return index - firstSample < samples ? static_cast<uint32_t>(index - firstSample) : samples - 1;
}

static void StoreSample(int32_t value, const opj_image_comp_t& comp, uint8_t* at)
{
    const int64_t low = comp.sgnd ? -(int64_t(1) << (comp.prec - 1)) : 0;
    const int64_t high = comp.sgnd ? (int64_t(1) << (comp.prec - 1)) - 1 : (int64_t(1) << comp.prec) - 1;
    const int64_t clamped = value < low ? low : (value > high ? high : value);
    const uint32_t raw = static_cast<uint32_t>(clamped);
    if (comp.prec > 8) {
        at[0] = static_cast<uint8_t>(raw >> 8);
        at[1] = static_cast<uint8_t>(raw);
    } else {
        at[0] = static_cast<uint8_t>(raw);
    }
}

JP2_Error J2KDecoder::DeliverComponent(uint32_t c, bool fullGrid, JP2_Callback_Output output, void* user) const
{
    const opj_image_comp_t& comp = m_image->comps[c];
    const uint32_t bytes = (comp.prec + 7) / 8;
    const uint32_t width = fullGrid ? GridWidth() : comp.w;
    const uint32_t height = fullGrid ? GridHeight() : comp.h;
    std::vector<uint8_t> row(uint64_t(width) * bytes);
    const uint32_t firstX = CeilDiv(m_image->x0, comp.dx), firstY = CeilDiv(m_image->y0, comp.dy);
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t sy = fullGrid ? CoveringSample(m_image->y0, y, comp.dy, firstY, comp.h) : y;
        const OPJ_INT32* samples = comp.data + uint64_t(sy) * comp.w;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t sx = fullGrid ? CoveringSample(m_image->x0, x, comp.dx, firstX, comp.w) : x;
            StoreSample(samples[sx], comp, row.data() + uint64_t(x) * bytes);
        }
        if (output(row.data(), c, y, 0, width, user) != 0)
            return cJP2_Error_Callback;
    }
    return cJP2_Error_OK;
}

JP2_Error J2KDecoder::Deliver(bool fullGrid, JP2_Callback_Output output, void* user) const
{
    for (uint32_t c = 0; c < m_image->numcomps; ++c) {
        const JP2_Error status = DeliverComponent(c, fullGrid, output, user);
        if (status != cJP2_Error_OK)
            return status;
    }
    return cJP2_Error_OK;
}

}  // namespace KVWJP2
