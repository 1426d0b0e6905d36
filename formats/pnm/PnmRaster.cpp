#include "formats/pnm/PnmRaster.h"

#include "formats/codec/FileBytes.h"
#include "formats/pnm/PortableMapParser.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

#include <cstring>
#include <vector>

namespace ZAV {

namespace {

constexpr int kMaxOneByteSample = 255;

// Sample v of 0..maximum as the nearest of 0..255, as netpbm's pamdepth
// rounds it.
std::vector<uint8_t> ScaleTable(int maxValue)
{
    std::vector<uint8_t> table(static_cast<size_t>(maxValue) + 1);
    for (int v = 0; v <= maxValue; ++v)
        table[static_cast<size_t>(v)] = static_cast<uint8_t>((int64_t(v) * 255 + maxValue / 2) / maxValue);
    return table;
}

int SampleBytes(const PnmHeader& header)
{
    return header.maxValue > kMaxOneByteSample ? 2 : 1;
}

int64_t FileRowBytes(const PnmFormat& format, const PnmHeader& header)
{
    if (format.imageDepth == 1)
        return (int64_t(header.width) + 7) / 8;
    return int64_t(header.width) * format.channels * SampleBytes(header);
}

void ReadBinaryRows(CDataSource& source, const PnmFormat& format, const PnmHeader& header, CZAVImg& image)
{
    const size_t fileRow = static_cast<size_t>(FileRowBytes(format, header));
    const size_t samples = static_cast<size_t>(header.width) * format.channels;
    const std::vector<uint8_t> scale = ScaleTable(header.maxValue);
    const bool wide = SampleBytes(header) == 2;
    BYTE** lines = image.GetLineArray();
    for (int y = 0; y < header.height; ++y) {
        const unsigned char* in = source.ReadBlock(fileRow);
        if (format.imageDepth == 1) {
            std::memcpy(lines[y], in, fileRow);
            continue;
        }
        for (size_t i = 0; i < samples; ++i) {
            const int v = wide ? (in[2 * i] << 8) | in[2 * i + 1] : in[i];
            if (v > header.maxValue)
                ThrowTextException(format.dataError);
            lines[y][i] = scale[static_cast<size_t>(v)];
        }
    }
}

// Plain PBM: one digit a pixel, white space between digits optional.
void ReadTextBits(CPortableMapParser& parser, const PnmFormat& format, const PnmHeader& header, CZAVImg& image)
{
    BYTE** lines = image.GetLineArray();
    for (int y = 0; y < header.height; ++y) {
        for (int x = 0; x < header.width; ++x) {
            parser.SkipWhitespace();
            const char c = parser.NextChar();
            if (c != '0' && c != '1')
                ThrowTextException(format.dataError);
            if (c == '1')
                lines[y][x / 8] = static_cast<BYTE>(lines[y][x / 8] | (0x80 >> (x % 8)));
        }
    }
}

void ReadTextSamples(CPortableMapParser& parser, const PnmFormat& format, const PnmHeader& header, CZAVImg& image)
{
    const std::vector<uint8_t> scale = ScaleTable(header.maxValue);
    const size_t samples = static_cast<size_t>(header.width) * format.channels;
    BYTE** lines = image.GetLineArray();
    for (int y = 0; y < header.height; ++y) {
        for (size_t i = 0; i < samples; ++i) {
            parser.SkipWhitespace();
            int v = 0;
            if (!parser.ReadUnsigned(&v) || v > header.maxValue)
                ThrowTextException(format.dataError);
            lines[y][i] = scale[static_cast<size_t>(v)];
        }
    }
}

}  // namespace

void CheckPnmRasterFits(CDataSource& source, const PnmFormat& format, const PnmHeader& header)
{
    const uint64_t length = source.GetLength();
    const uint64_t position = source.GetPosition();
    const uint64_t remaining = position < length ? length - position : 0;
    uint64_t needed = static_cast<uint64_t>(FileRowBytes(format, header)) * static_cast<uint64_t>(header.height);
    if (!header.binary) {
        // A text sample is at least a digit, and all but the last need a
        // separator; plain PBM digits need none.
        const uint64_t samples = uint64_t(header.width) * header.height * format.channels;
        needed = format.imageDepth == 1 ? samples : 2 * samples - 1;
    }
    if (needed > remaining)
        CFileBytes::ThrowEndOfData();
}

void ReadPnmRaster(CDataSource& source, const PnmFormat& format, const PnmHeader& header, CZAVImg& image)
{
    if (header.binary) {
        ReadBinaryRows(source, format, header, image);
        return;
    }
    CPortableMapParser parser(&source);
    if (format.imageDepth == 1)
        ReadTextBits(parser, format, header, image);
    else
        ReadTextSamples(parser, format, header, image);
}

}  // namespace ZAV
