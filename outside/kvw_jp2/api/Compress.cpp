// The exported compression functions.
#include <cstring>
#include <new>

#include "outside/kvw_jp2/JP2Limits.h"
#include "outside/kvw_jp2/api/CompressHandle.h"

using namespace KVWJP2;

namespace {

JP2_Error AddBytes(JP2_Comp_Handle handle, std::vector<Bytes> KVWJP2::JP2FileOut::*list, const uint8_t* data,
                   uint32_t size)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!data && size)
        return cJP2_Error_Invalid_Argument;
    try {
        (handle->file.*list).emplace_back(data, data + size);
    } catch (const std::bad_alloc&) {
        return cJP2_Error_Out_Of_Memory;
    }
    return cJP2_Error_OK;
}

// The palette's first three columns, as 8-bit values.
JP2_Error TakePalette(JP2_Comp_Rec& handle, const JP2_Palette& palette)
{
    if (palette.entries < 1 || palette.entries > kMaxPaletteEntries || palette.columns != 3 || !palette.column)
        return cJP2_Error_Invalid_Argument;
    PaletteModel& model = handle.file.palette;
    model.entries = palette.entries;
    model.values.assign(3, std::vector<uint32_t>(palette.entries));
    for (uint32_t c = 0; c < 3; ++c) {
        const JP2_Palette_Column& column = palette.column[c];
        if (!column.values || column.bits != 8 || column.isSigned)
            return cJP2_Error_Invalid_Argument;
        std::copy(column.values, column.values + palette.entries, model.values[c].begin());
    }
    model.present = true;
    return cJP2_Error_OK;
}

}  // namespace

extern "C" {

JP2_Error JP2_Compress_Start(JP2_Comp_Handle* handle, JP2_Callback_Alloc alloc, void* allocUser,
                             JP2_Callback_Free release, void* releaseUser, void* outputUser)
{
    if (!handle || !alloc || !release)
        return cJP2_Error_Invalid_Argument;
    *handle = nullptr;
    void* block = alloc(sizeof(JP2_Comp_Rec), allocUser);
    if (!block)
        return cJP2_Error_Out_Of_Memory;
    auto* created = new (block) JP2_Comp_Rec();
    created->release = release;
    created->releaseUser = releaseUser;
    created->outputUser = outputUser;
    *handle = created;
    return cJP2_Error_OK;
}

JP2_Error JP2_Compress_SetProp(JP2_Comp_Handle handle, int32_t id, intptr_t value, int32_t, int32_t)
{
    return handle ? SetCompressProperty(*handle, id, value) : cJP2_Error_Invalid_Handle;
}

JP2_Error JP2_Compress_SetXML_Data(JP2_Comp_Handle handle, const uint8_t* data, uint32_t size)
{
    return AddBytes(handle, &JP2FileOut::xml, data, size);
}

JP2_Error JP2_Compress_SetIP_Data(JP2_Comp_Handle handle, const uint8_t* data, uint32_t size)
{
    return AddBytes(handle, &JP2FileOut::ip, data, size);
}

JP2_Error JP2_Compress_SetIPTC_Data(JP2_Comp_Handle handle, const uint8_t* data, uint32_t size)
{
    return AddBytes(handle, &JP2FileOut::iptc, data, size);
}

JP2_Error JP2_Compress_SetUUID_Data(JP2_Comp_Handle handle, const uint8_t id[16], const uint8_t* data, uint32_t size)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!id || (!data && size))
        return cJP2_Error_Invalid_Argument;
    UuidOut uuid;
    std::memcpy(uuid.id.data(), id, 16);
    uuid.data.assign(data, data + size);
    handle->file.uuids.push_back(std::move(uuid));
    return cJP2_Error_OK;
}

JP2_Error JP2_Compress_SetUUID_Info(JP2_Comp_Handle handle, const uint8_t* ids, uint32_t count, const char* url,
                                    uint32_t urlSize)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    // T.800 I.7.3.1: NU is a 16-bit count.
    if ((!ids && count) || count > 0xFFFF || (!url && urlSize))
        return cJP2_Error_Invalid_Argument;
    UuidInfoOut& info = handle->file.uuidInfo;
    info.present = true;
    info.ids.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        std::memcpy(info.ids[i].data(), ids + 16 * uint64_t(i), 16);
    info.url = url ? std::string(url, strnlen(url, urlSize)) : std::string();
    return cJP2_Error_OK;
}

JP2_Error JP2_Compress_SetROI(JP2_Comp_Handle handle, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (handle->regions.size() >= kMaxRegions)
        return cJP2_Error_Invalid_Argument;
    handle->regions.push_back({x1, y1, x2, y2});
    return cJP2_Error_OK;
}

JP2_Error JP2_Compress_SetROI_Enhance(JP2_Comp_Handle handle, int32_t enhance)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    handle->regionEnhance = enhance;
    return cJP2_Error_OK;
}

JP2_Error JP2_Compress_SetResolution(JP2_Comp_Handle handle, uint32_t dpiY, uint32_t dpiX, int32_t, int32_t,
                                     int32_t which)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (which != 0)
        return cJP2_Error_Invalid_Argument;
    handle->file.dpiY = dpiY;
    handle->file.dpiX = dpiX;
    return cJP2_Error_OK;
}

JP2_Error JP2_Compress_SetPalette(JP2_Comp_Handle handle, const JP2_Palette* palette)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    return palette ? TakePalette(*handle, *palette) : cJP2_Error_Invalid_Argument;
}

JP2_Error JP2_Compress_Image(JP2_Comp_Handle handle)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    try {
        return CompressImage(*handle);
    } catch (const std::bad_alloc&) {
        return cJP2_Error_Out_Of_Memory;
    }
}

JP2_Error JP2_Compress_End(JP2_Comp_Handle handle)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    JP2_Callback_Free release = handle->release;
    void* user = handle->releaseUser;
    handle->~JP2_Comp_Rec();
    release(handle, user);
    return cJP2_Error_OK;
}

}  // extern "C"
