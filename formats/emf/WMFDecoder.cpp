#include "formats/emf/WMFDecoder.h"

#include "formats/codec/CodecDataSource.h"
#include "formats/emf/MetafileLoad.h"
#include "formats/emf/WmfFileHeader.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kUnknownSize = 400;

// The first bytes, enough for both headers.
std::vector<uint8_t> ReadHead(IDataSource* source)
{
    if (!source)
        ThrowTextException("Invalid file header!");
    return ReadSourceBytes(*source, kMetafileHeadBytes);
}

}  // namespace

int CWMFDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    const std::vector<uint8_t> head = ReadHead(source);
    const WmfFileHeader header = ReadWmfFileHeader(head.data(), head.size());
    if (info) {
        *info = FilterImageInfo{};
        info->width = header.width;
        info->height = header.height;
        info->bitsPerPixel = 24;
    }
    return 1;
}

int CWMFDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    std::vector<uint8_t> head = ReadHead(source);
    WmfFileHeader header = ReadWmfFileHeader(head.data(), head.size());
    // A file that names no size is converted at 400 x 400.
    if (header.width == 0 || header.height == 0)
        header.width = header.height = kUnknownSize;
    HENHMETAFILE metafile = LoadEnhancedMetafile(*source, head, header);
    RenderEnhancedMetafile(metafile, *GetImage());
    if (depth)
        *depth = 24;
    return 1;
}

}  // namespace ZAV
