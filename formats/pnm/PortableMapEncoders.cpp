#include "formats/pnm/PortableMapEncoders.h"

#include "formats/codec/CodecDataSource.h"
#include "formats/pnm/PnmTextLines.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

#include <cstdio>
#include <string>
#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeDepth = 0;

void WriteOrFail(IDataSource& target, const std::string& text)
{
    if (!text.empty() && !target.Write(text.data(), text.size()))
        CPicEncoder::ThrowError(kCodeDepth, "Error writing to file!");
}

std::string HeaderText(const PnmFormat& format, bool binary, int width, int height)
{
    char text[64];
    const char* magic = binary ? format.binaryMagic : format.textMagic;
    if (format.hasMaxValue)
        std::snprintf(text, sizeof text, "%s\n%d %d\n255\n", magic, width, height);
    else
        std::snprintf(text, sizeof text, "%s\n%d %d\n", magic, width, height);
    return text;
}

// A 1-bit row with 1 = black: a black-first palette's bits say the
// opposite and are inverted.
std::string BlackOneRow(const BYTE* row, size_t bytes, bool invert)
{
    std::string out(reinterpret_cast<const char*>(row), bytes);
    if (invert)
        for (char& c : out)
            c = static_cast<char>(~static_cast<unsigned char>(c));
    return out;
}

void WritePbmText(IDataSource& target, CZAVImg& image, bool invert)
{
    CPbmTextLines lines;
    BYTE** rows = image.GetLineArray();
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const int bit = (rows[y][x / 8] >> (7 - x % 8)) & 1;
            WriteOrFail(target, lines.AddPixel(invert ? !bit : bit));
        }
        WriteOrFail(target, lines.EndRow());
        ReportSourceProgress(&target, static_cast<double>(y + 1) / image.GetHeight());
    }
    WriteOrFail(target, lines.Rest());
}

void WriteRows(IDataSource& target, CZAVImg& image, const PnmFormat& format, bool binary, bool invert)
{
    BYTE** rows = image.GetLineArray();
    const int width = image.GetWidth();
    const size_t rowBytes =
        format.imageDepth == 1 ? (static_cast<size_t>(width) + 7) / 8 : static_cast<size_t>(width) * format.channels;
    for (int y = 0; y < image.GetHeight(); ++y) {
        if (binary)
            WriteOrFail(target, BlackOneRow(rows[y], rowBytes, format.imageDepth == 1 && invert));
        else
            WriteOrFail(target, format.channels == 3 ? PpmTextRow(rows[y], width) : PgmTextRow(rows[y], width));
        ReportSourceProgress(&target, static_cast<double>(y + 1) / image.GetHeight());
    }
}

}  // namespace

int CPortableMapEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg& image = *GetImage();
    if (!target || !image.HasImage() || image.GetBitsPerPixel() != m_format.imageDepth)
        ThrowError(kCodeDepth, m_format.depthError);
    const bool binary = image.m_portableMapOption != 0;
    WriteOrFail(*target, HeaderText(m_format, binary, image.GetWidth(), image.GetHeight()));
    const bool invert = m_format.imageDepth == 1 && !image.GetPalette().IsInverted();
    if (m_format.imageDepth == 1 && !binary)
        WritePbmText(*target, image, invert);
    else
        WriteRows(*target, image, m_format, binary, invert);
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, 0));
    return 1;
}

}  // namespace ZAV
