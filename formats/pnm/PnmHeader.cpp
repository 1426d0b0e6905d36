#include "formats/pnm/PnmHeader.h"

#include "formats/codec/FileFacts.h"
#include "formats/pnm/PortableMapParser.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

int ReadNumber(CPortableMapParser& parser, const PnmFormat& format)
{
    parser.SkipWhitespaceAndComments();
    int value = 0;
    if (!parser.ReadUnsigned(&value))
        ThrowTextException(format.headerError);
    return value;
}

bool ReadMagic(CPortableMapParser& parser, const PnmFormat& format)
{
    parser.SkipWhitespaceAndComments();
    if (parser.MatchLiteral(format.textMagic))
        return false;
    if (parser.MatchLiteral(format.binaryMagic))
        return true;
    ThrowTextException(format.headerError);
}

void ReportFacts(CZAVImg& image, const PnmFormat& format, const PnmHeader& header)
{
    CFileFacts facts(image);
    facts.SetText("TYPE", format.typeText);
    facts.SetInt("WIDTH", header.width);
    facts.SetInt("HEIGHT", header.height);
    facts.SetInt("COLORDEPTH", format.channels * (format.imageDepth == 1 ? 1 : 8));
    facts.SetInt("CHANNELS", format.channels);
    facts.SetText("COMPRESSION", header.binary ? "Binary" : "Text");
}

}  // namespace

CDataSource& PnmSource(IDataSource* source, const PnmFormat& format)
{
    CDataSource* data = dynamic_cast<CDataSource*>(source);
    if (!data)
        ThrowTextException(format.headerError);
    return *data;
}

PnmHeader ReadPnmHeader(IDataSource* source, const PnmFormat& format, CZAVImg& image)
{
    CDataSource& data = PnmSource(source, format);
    CPortableMapParser parser(&data);
    PnmHeader header;
    header.binary = ReadMagic(parser, format);
    header.width = ReadNumber(parser, format);
    header.height = ReadNumber(parser, format);
    if (format.hasMaxValue)
        header.maxValue = ReadNumber(parser, format);
    // A maximum of 0 gives no sample scale; netpbm allows at most 65535.
    if (header.width < 1 || header.height < 1 || header.maxValue < 1 || header.maxValue > kPnmMaxSampleValue)
        ThrowTextException(format.headerError);
    if (header.binary) {
        // Exactly one whitespace character ends a binary header, read as it
        // is so that a raster starting with a line-end byte keeps it.
        if (!CPortableMapParser::IsWhitespace(parser.ReadRawByte()))
            ThrowTextException(format.headerError);
    } else {
        parser.SkipWhitespaceAndComments();
    }
    ReportFacts(image, format, header);
    return header;
}

}  // namespace ZAV
