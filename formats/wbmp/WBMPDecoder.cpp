#include "formats/wbmp/WBMPDecoder.h"

#include "formats/codec/CodecDataSource.h"
#include "formats/codec/FileBytes.h"
#include "formats/wbmp/WbmpHeader.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeWbmp = 0;
constexpr int kCodeMemory = 10;

IDataSource& Checked(IDataSource* source)
{
    if (!source)
        CPicDecoder::ThrowError(kCodeWbmp, "Unsupported WBMP type");
    return *source;
}

}  // namespace

int CWBMPDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    const WbmpHeader header = ReadWbmpHeader(Checked(source), *GetImage());
    if (info) {
        *info = FilterImageInfo{};
        info->width = header.width;
        info->height = header.height;
        info->bitsPerPixel = 1;
        CZAVImgBase::ConvertResolution(0, 0, kResolutionUnitInch, info->dpiX, info->dpiY);
    }
    return 1;
}

int CWBMPDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    IDataSource& data = Checked(source);
    const WbmpHeader header = ReadWbmpHeader(data, *GetImage());
    const size_t rowBytes = (static_cast<size_t>(header.width) + 7) / 8;
    // Rows the data cannot hold would be made of nothing but the header:
    // a few bytes asking for up to 128 MB of pixels.
    uint64_t remaining = 0;
    if (GetSourceRemaining(source, remaining) && remaining < uint64_t(rowBytes) * header.height)
        CFileBytes::ThrowEndOfData();
    CZAVImg& image = *GetImage();
    image.SetResolution(0, 0, kResolutionUnitInch);
    if (!image.Create(header.width, header.height, 1))
        ThrowError(kCodeMemory, image.GetErrorText().GetText());
    image.GetPalette().CreateBlackWhite();
    BYTE** lines = image.GetLineArray();
    // A source of unknown length that ends early keeps the rows it gave.
    for (int y = 0; y < header.height; ++y) {
        size_t count = rowBytes;
        const unsigned char* row = data.ReadAvailable(count);
        if (count == 0)
            break;
        std::memcpy(lines[y], row, count);
        if (count < rowBytes)
            break;
    }
    if (depth)
        *depth = 1;
    return 1;
}

}  // namespace ZAV
