// The run-length coded bitmaps of the BMP format (RLE8 and RLE4): runs of
// one value, escapes (end of line, end of bitmap, delta) and absolute runs.
#include "image/core/ImageLimits.h"
#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

constexpr BYTE kEscapeEndOfLine = 0;
constexpr BYTE kEscapeEndOfBitmap = 1;
constexpr BYTE kEscapeDelta = 2;

// The decoding position and the output. Row 0 is the bottom image row.
class RleWriter {
public:
    RleWriter(BYTE* out, int width, int height, int bytesPerPixel, int colourCount, const uint32_t* palette)
        : m_out(out), m_width(width), m_height(height), m_bpp(bytesPerPixel), m_colours(colourCount),
          m_palette(palette)
    {
    }

    // False once a pixel would land above the top row.
    bool Put(int index)
    {
        if (m_row >= m_height)
            return false;
        if (m_x < m_width) {
            if (m_colours > 0 && index >= m_colours)
                index = m_colours - 1;
            BYTE* pixel = m_out + (static_cast<int64_t>(m_height - 1 - m_row) * m_width + m_x) * m_bpp;
            if (m_bpp == 1) {
                *pixel = static_cast<BYTE>(index);
            } else {
                const uint32_t entry = m_palette[index];
                pixel[0] = static_cast<BYTE>(entry >> 16);
                pixel[1] = static_cast<BYTE>(entry >> 8);
                pixel[2] = static_cast<BYTE>(entry);
            }
        }
        ++m_x;  // pixels past the row end are cut off
        return true;
    }
    void EndOfLine()
    {
        m_x = 0;
        ++m_row;
    }
    void Move(int dx, int dy)
    {
        m_x += dx;
        m_row += dy;
    }

private:
    BYTE* m_out;
    int m_width;
    int m_height;
    int m_bpp;
    int m_colours;
    const uint32_t* m_palette;
    int m_x = 0;
    int m_row = 0;
};

int NibbleAt(const BYTE* bytes, int i)
{
    return i % 2 == 0 ? bytes[i / 2] >> 4 : bytes[i / 2] & 0x0F;
}

// Returns false when a pixel went above the top row.
bool Decode(const BYTE* bits, size_t length, bool rle4, RleWriter& writer)
{
    size_t pos = 0;
    while (pos + 2 <= length) {
        const BYTE count = bits[pos];
        const BYTE value = bits[pos + 1];
        pos += 2;
        if (count) {
            for (int i = 0; i < count; ++i)
                if (!writer.Put(rle4 ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value))
                    return false;
            continue;
        }
        if (value == kEscapeEndOfLine) {
            writer.EndOfLine();
        } else if (value == kEscapeEndOfBitmap) {
            return true;
        } else if (value == kEscapeDelta) {
            if (pos + 2 > length)
                return true;
            writer.Move(bits[pos], bits[pos + 1]);
            pos += 2;
        } else {
            const size_t bytes = rle4 ? (value + 1u) / 2 : value;
            const size_t available = length - pos < bytes ? length - pos : bytes;
            const int pixels = rle4 ? static_cast<int>(available * 2 < value ? available * 2 : value)
                                    : static_cast<int>(available);
            for (int i = 0; i < pixels; ++i)
                if (!writer.Put(rle4 ? NibbleAt(bits + pos, i) : bits[pos + i]))
                    return false;
            pos += bytes + (bytes % 2);  // absolute runs keep 16-bit alignment
        }
    }
    return true;  // data ending before the end-of-bitmap escape end decoding as it would
}

}  // namespace

HGLOBAL CImgKernels::DecodeRleDib(const BYTE* bits, size_t length, int targetBits, const BITMAPINFOHEADER& header,
                                  int colourCount, const uint32_t* palette)
{
    ClearErrorText();
    if (targetBits != 8 && targetBits != 24)
        return FailCode(zavkeUnsupportedTargetDepth), nullptr;
    const bool rle8 = header.biCompression == BI_RLE8 && header.biBitCount == 8;
    const bool rle4 = header.biCompression == BI_RLE4 && header.biBitCount == 4;
    if (!rle8 && !rle4)
        return FailCode(zavkeCompressionMismatch), nullptr;
    if (!bits || !palette || header.biWidth < 1 || header.biHeight == 0 || header.biHeight == INT32_MIN)
        return Fail(kTextInvalidParameter), nullptr;
    const int width = header.biWidth;
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const int bpp = targetBits / 8;
    const int64_t size = static_cast<int64_t>(width) * height * bpp;
    HGLOBAL out = IsWithinImageCeiling(size) ? GlobalAlloc(GPTR, static_cast<size_t>(size)) : nullptr;
    if (!out)
        return Fail(kTextOutOfMemory), nullptr;
    if (bpp == 3)  // pixels no run reaches show palette entry 0
        FillRect24(static_cast<BYTE*>(out), width, height, 0, 0, width, height,
                   RGB(static_cast<BYTE>(palette[0] >> 16), static_cast<BYTE>(palette[0] >> 8),
                       static_cast<BYTE>(palette[0])));
    RleWriter writer(static_cast<BYTE*>(out), width, height, bpp, colourCount, palette);
    if (!Decode(bits, length, rle4, writer))
        SetErrorCode(zavkeRleBeyondTop);
    return out;
}

}  // namespace ZAV
