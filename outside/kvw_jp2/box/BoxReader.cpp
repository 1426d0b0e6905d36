#include "outside/kvw_jp2/box/BoxReader.h"

#include <algorithm>

#include "outside/kvw_jp2/box/HeaderBoxes.h"

namespace KVWJP2 {

namespace {

const uint8_t kSignature[12] = {0, 0, 0, 12, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
const uint8_t kCodestreamStart[4] = {0xFF, 0x4F, 0xFF, 0x51};  // SOC then SIZ

struct TopBox {
    uint32_t type = 0;
    uint64_t contentOffset = 0;
    uint64_t contentLength = 0;
    bool toTheEnd = false;
};

// Reads a top-level box header at offset; the contents' last byte must be there.
JP2_Error ReadTopBox(const JP2Source& source, uint64_t offset, TopBox& box)
{
    uint8_t header[16];
    if (!source.ReadExact(offset, header, 8))
        return cJP2_Error_Invalid_File;
    FieldReader reader(header, 8);
    uint64_t length = reader.Read(4);
    box.type = reader.Read(4);
    uint64_t headerSize = 8;
    if (length == 1) {
        if (!source.ReadExact(offset + 8, header + 8, 8))
            return cJP2_Error_Invalid_File;
        FieldReader extended(header + 8, 8);
        length = (uint64_t(extended.Read(4)) << 32) | extended.Read(4);
        headerSize = 16;
    }
    box.contentOffset = offset + headerSize;
    box.toTheEnd = length == 0;
    if (box.toTheEnd)
        return cJP2_Error_OK;
    if (length < headerSize || length - headerSize > UINT32_MAX)
        return cJP2_Error_Invalid_File;
    box.contentLength = length - headerSize;
    if (box.contentLength > 0 && !source.HasByteAt(box.contentOffset + box.contentLength - 1))
        return cJP2_Error_Invalid_File;
    return cJP2_Error_OK;
}

JP2_Error ReadContents(const JP2Source& source, const TopBox& box, Bytes& contents)
{
    if (box.toTheEnd) {
        contents.resize(kMaxMetadataBoxBytes + 1);
        contents.resize(source.ReadAt(box.contentOffset, contents.data(), contents.size()));
        return contents.size() > kMaxMetadataBoxBytes ? cJP2_Error_Too_Large : cJP2_Error_OK;
    }
    if (box.contentLength > kMaxMetadataBoxBytes)
        return cJP2_Error_Too_Large;
    contents.resize(box.contentLength);
    return source.ReadExact(box.contentOffset, contents.data(), contents.size()) ? cJP2_Error_OK
                                                                                 : cJP2_Error_Invalid_File;
}

bool ReadHeaderBox(const BoxView& box, JP2FileModel& model)
{
    return ForEachBox(box.data, box.size, [&](const BoxView& inner) {
        switch (inner.type) {
        case BoxType('i', 'h', 'd', 'r'):
            return ReadImageHeader(inner, model.header);
        case BoxType('b', 'p', 'c', 'c'):
            return ReadBitsPerComponent(inner, model.bpcc);
        case BoxType('c', 'o', 'l', 'r'):
            return ReadColourBox(inner, model.colour);
        case BoxType('p', 'c', 'l', 'r'):
            return ReadPalette(inner, model.palette);
        case BoxType('c', 'm', 'a', 'p'):
            return ReadComponentMap(inner, model);
        case BoxType('c', 'd', 'e', 'f'):
            return ReadChannelDefs(inner, model.channelDefs);
        case BoxType('r', 'e', 's', ' '):
            return ForEachBox(inner.data, inner.size, [&](const BoxView& r) {
                if (r.type == BoxType('r', 'e', 's', 'c'))
                    ReadResolution(r, model.capture);
                if (r.type == BoxType('r', 'e', 's', 'd'))
                    ReadResolution(r, model.display);
                return true;
            });
        default:
            return true;
        }
    });
}

// The boxes read into memory and what becomes of them.
JP2_Error ReadSmallBox(const JP2Source& source, const TopBox& top, JP2FileModel& model, bool& jp2Compatible)
{
    Bytes contents;
    const JP2_Error status = ReadContents(source, top, contents);
    if (status != cJP2_Error_OK)
        return status;
    BoxView box;
    box.type = top.type;
    box.data = contents.data();
    box.size = contents.size();
    bool ok = true;
    switch (top.type) {
    case BoxType('f', 't', 'y', 'p'):
        ok = ReadFileType(box, jp2Compatible);
        break;
    case BoxType('j', 'p', '2', 'h'):
        ok = ReadHeaderBox(box, model);
        break;
    case BoxType('x', 'm', 'l', ' '):
        model.xml.push_back(std::move(contents));
        break;
    case BoxType('j', 'p', '2', 'i'):
        model.ip.push_back(std::move(contents));
        break;
    case BoxType('u', 'u', 'i', 'd'):
        ok = ReadUuid(box, model);
        break;
    case BoxType('u', 'i', 'n', 'f'):
        model.uuidInfos.emplace_back();
        ok = ReadUuidInfo(box, model.uuidInfos.back());
        break;
    }
    return ok ? cJP2_Error_OK : cJP2_Error_Invalid_File;
}

bool IsSmallBox(uint32_t type)
{
    return type == BoxType('f', 't', 'y', 'p') || type == BoxType('j', 'p', '2', 'h') ||
           type == BoxType('x', 'm', 'l', ' ') || type == BoxType('j', 'p', '2', 'i') ||
           type == BoxType('u', 'u', 'i', 'd') || type == BoxType('u', 'i', 'n', 'f');
}

// JPX compositing and layering boxes (T.801 M.11) need more than one codestream.
bool IsCompositing(uint32_t type)
{
    return type == BoxType('j', 'p', 'c', 'h') || type == BoxType('j', 'p', 'l', 'h') ||
           type == BoxType('c', 'o', 'm', 'p');
}

JP2_Error ReadBoxes(const JP2Source& source, JP2FileModel& model)
{
    bool jp2Compatible = false;
    bool haveCodestream = false;
    uint64_t offset = sizeof(kSignature);
    for (uint32_t boxes = 0; source.HasByteAt(offset); ++boxes) {
        TopBox top;
        JP2_Error status = boxes >= kMaxBoxes ? cJP2_Error_Invalid_File : ReadTopBox(source, offset, top);
        if (status != cJP2_Error_OK)
            return status;
        if (boxes == 0 && top.type != BoxType('f', 't', 'y', 'p'))
            return cJP2_Error_Invalid_File;
        if (top.type == BoxType('j', 'p', '2', 'c')) {
            if (haveCodestream)
                return cJP2_Error_Unsupported;
            haveCodestream = true;
            model.codestreamOffset = top.contentOffset;
            model.codestreamLength = top.contentLength;
        } else if (IsCompositing(top.type)) {
            return cJP2_Error_Unsupported;
        } else if (IsSmallBox(top.type) && (status = ReadSmallBox(source, top, model, jp2Compatible)) != 0) {
            return status;
        }
        if (top.toTheEnd)
            break;
        offset = top.contentOffset + top.contentLength;
    }
    if (!jp2Compatible)
        return cJP2_Error_Unsupported;
    return haveCodestream && model.header.present ? cJP2_Error_OK : cJP2_Error_Invalid_File;
}

}  // namespace

JP2_Error ReadFileStructure(const JP2Source& source, JP2FileModel& model)
{
    uint8_t start[sizeof(kSignature)] = {};
    const uint64_t got = source.ReadAt(0, start, sizeof(start));
    if (got >= 4 && std::equal(kCodestreamStart, kCodestreamStart + 4, start)) {
        model.isRaw = true;
        return cJP2_Error_OK;
    }
    if (got < sizeof(kSignature) || !std::equal(kSignature, kSignature + sizeof(kSignature), start))
        return cJP2_Error_Invalid_File;
    return ReadBoxes(source, model);
}

}  // namespace KVWJP2
