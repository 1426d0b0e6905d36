#include "formats/wbmp/WbmpHeader.h"

#include "formats/codec/FileFacts.h"
#include "formats/codec/PicDecoder.h"
#include "foundation/datasource/IDataSource.h"

namespace ZAV {

namespace {

constexpr int kCodeWbmp = 0;
constexpr uint8_t kMoreBytes = 0x80;
constexpr uint8_t kValueBits = 0x7F;
// Three groups of seven bits hold every side up to 32000 and more; a
// longer number can only be out of range.
constexpr int kMaxIntegerBytes = 3;

// The value, or -1 when it runs longer than any valid side.
int ReadInteger(IDataSource& source)
{
    int value = 0;
    for (int i = 0; i < kMaxIntegerBytes; ++i) {
        const uint8_t byte = *source.ReadByte();
        value = (value << 7) | (byte & kValueBits);
        if (!(byte & kMoreBytes))
            return value;
    }
    return -1;
}

int ReadSide(IDataSource& source)
{
    const int side = ReadInteger(source);
    if (side < 1 || side > kWbmpMaxSide)
        CPicDecoder::ThrowError(kCodeWbmp, "Invalid WBMP type");
    return side;
}

}  // namespace

WbmpHeader ReadWbmpHeader(IDataSource& source, CZAVImg& image)
{
    if (*source.ReadByte() != 0)
        CPicDecoder::ThrowError(kCodeWbmp, "Unsupported WBMP type");
    source.ReadByte();  // fixed header: no extension headers in type 0
    WbmpHeader header;
    header.width = ReadSide(source);
    header.height = ReadSide(source);
    CFileFacts facts(image);
    facts.SetText("TYPE", "Wireless Bitmap (WBMP)");
    facts.SetInt("WIDTH", header.width);
    facts.SetInt("HEIGHT", header.height);
    facts.SetInt("COLORDEPTH", 1);
    facts.SetInt("CHANNELS", 1);
    return header;
}

void AppendWbmpInteger(uint32_t value, std::vector<uint8_t>& out)
{
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & kValueBits);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<uint8_t>(groups[--count] | kMoreBytes));
    out.push_back(groups[0]);
}

}  // namespace ZAV
