// The exported decompression functions.
#include <new>

#include "outside/kvw_jp2/api/DecompressHandle.h"
#include "outside/kvw_jp2/box/BoxReader.h"
#include "outside/kvw_jp2/codestream/CommentScan.h"

using namespace KVWJP2;

namespace {

void Destroy(JP2_Decomp_Handle handle)
{
    JP2_Callback_Free release = handle->release;
    void* user = handle->releaseUser;
    handle->~JP2_Decomp_Rec();
    release(handle, user);
}

JP2_Error Open(JP2_Decomp_Rec& handle)
{
    JP2_Error status = ReadFileStructure(handle.source, handle.model);
    if (status != cJP2_Error_OK)
        return status;
    const JP2FileModel& model = handle.model;
    handle.decoder.reset(new (std::nothrow) J2KDecoder(handle.source, model.codestreamOffset, model.codestreamLength));
    if (!handle.decoder)
        return cJP2_Error_Out_Of_Memory;
    if ((status = handle.decoder->ReadHeader()) != cJP2_Error_OK)
        return status;
    if ((status = ScanMainHeaderComments(handle.source, model.codestreamOffset, handle.model.comments)) != 0)
        return status;
    return DescribeFile(handle);
}

// Which component property a request asks for, or a failure.
JP2_Error ComponentProperty(const JP2_Decomp_Rec& handle, int32_t id, int32_t component, int32_t& value)
{
    const J2KDecoder& decoder = *handle.decoder;
    if (component < 0 || uint32_t(component) >= decoder.Components())
        return cJP2_Error_Invalid_Argument;
    const opj_image_comp_t& comp = decoder.Component(component);
    switch (id) {
    case cJP2_Prop_Width:
        value = static_cast<int32_t>(handle.delivery ? decoder.GridWidth() : comp.w);
        return cJP2_Error_OK;
    case cJP2_Prop_Height:
        value = static_cast<int32_t>(handle.delivery ? decoder.GridHeight() : comp.h);
        return cJP2_Error_OK;
    case cJP2_Prop_Bits:
        value = static_cast<int32_t>(comp.prec);
        return cJP2_Error_OK;
    case cJP2_Prop_Signed:
        value = comp.sgnd ? 1 : 0;
        return cJP2_Error_OK;
    default:
        return cJP2_Error_Unknown_Property;
    }
}

template <typename List>
JP2_Error Count(JP2_Decomp_Handle handle, const List& (*list)(const JP2FileModel&), uint32_t* count)
{
    if (!handle || !count)
        return cJP2_Error_Invalid_Argument;
    *count = static_cast<uint32_t>(list(handle->model).size());
    return cJP2_Error_OK;
}

JP2_Error Data(const std::vector<Bytes>* list, uint32_t index, const uint8_t** data, uint32_t* size)
{
    if (!list || !data || !size || index >= list->size())
        return cJP2_Error_Invalid_Argument;
    *data = (*list)[index].data();
    *size = static_cast<uint32_t>((*list)[index].size());
    return cJP2_Error_OK;
}

const std::vector<Bytes>& XmlOf(const JP2FileModel& m)
{
    return m.xml;
}
const std::vector<Bytes>& IpOf(const JP2FileModel& m)
{
    return m.ip;
}
const std::vector<Bytes>& IptcOf(const JP2FileModel& m)
{
    return m.iptc;
}
const std::vector<Bytes>& CommentsOf(const JP2FileModel& m)
{
    return m.comments;
}
const std::vector<UuidBox>& UuidsOf(const JP2FileModel& m)
{
    return m.uuids;
}
const std::vector<UuidInfo>& UuidInfosOf(const JP2FileModel& m)
{
    return m.uuidInfos;
}

}  // namespace

extern "C" {

JP2_Error JP2_Decompress_Start(JP2_Decomp_Handle* handle, JP2_Callback_Alloc alloc, void* allocUser,
                               JP2_Callback_Free release, void* releaseUser, JP2_Callback_Read read, void* readUser)
{
    if (!handle || !alloc || !release || !read)
        return cJP2_Error_Invalid_Argument;
    *handle = nullptr;
    void* block = alloc(sizeof(JP2_Decomp_Rec), allocUser);
    if (!block)
        return cJP2_Error_Out_Of_Memory;
    auto* created = new (block) JP2_Decomp_Rec(read, readUser);
    created->release = release;
    created->releaseUser = releaseUser;
    JP2_Error status;
    try {
        status = Open(*created);
    } catch (const std::bad_alloc&) {
        status = cJP2_Error_Out_Of_Memory;
    }
    if (status != cJP2_Error_OK) {
        Destroy(created);
        return status;
    }
    *handle = created;
    return cJP2_Error_OK;
}

JP2_Error JP2_Decompress_SetProp(JP2_Decomp_Handle handle, int32_t id, intptr_t value)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    switch (id) {
    case cJP2_Prop_Sample_Delivery:
        handle->delivery = value ? 1 : 0;
        return cJP2_Error_OK;
    case cJP2_Prop_Decomp_Output_Callback:
        handle->output = reinterpret_cast<JP2_Callback_Output>(value);
        return cJP2_Error_OK;
    case cJP2_Prop_Decomp_Output_User:
        handle->outputUser = reinterpret_cast<void*>(value);
        return cJP2_Error_OK;
    default:
        return cJP2_Error_Unknown_Property;
    }
}

JP2_Error JP2_Decompress_GetProp(JP2_Decomp_Handle handle, int32_t id, int32_t* value, int32_t, int32_t component)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!value)
        return cJP2_Error_Invalid_Argument;
    switch (id) {
    case cJP2_Prop_Components:
        *value = static_cast<int32_t>(handle->decoder->Components());
        return cJP2_Error_OK;
    case cJP2_Prop_Colour_Space:
        *value = handle->colourSpace;
        return cJP2_Error_OK;
    case cJP2_Prop_Sample_Delivery:
        *value = handle->delivery;
        return cJP2_Error_OK;
    default:
        return ComponentProperty(*handle, id, component, *value);
    }
}

JP2_Error JP2_Decompress_GetChannelDefs(JP2_Decomp_Handle handle, const JP2_Channel_Def** defs, uint32_t* count)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!defs || !count)
        return cJP2_Error_Invalid_Argument;
    *defs = handle->model.channelDefs.empty() ? nullptr : handle->model.channelDefs.data();
    *count = static_cast<uint32_t>(handle->model.channelDefs.size());
    return cJP2_Error_OK;
}

JP2_Error JP2_Decompress_GetPalette(JP2_Decomp_Handle handle, const JP2_Palette** palette)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!palette)
        return cJP2_Error_Invalid_Argument;
    *palette = handle->model.palette.present ? &handle->palette : nullptr;
    return handle->model.palette.present ? cJP2_Error_OK : cJP2_Error_Not_Available;
}

JP2_Error JP2_Decompress_GetICC(JP2_Decomp_Handle handle, const uint8_t** profile, uint32_t* size)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!profile || !size)
        return cJP2_Error_Invalid_Argument;
    const Bytes& icc = handle->model.colour.icc;
    *profile = icc.empty() ? nullptr : icc.data();
    *size = static_cast<uint32_t>(icc.size());
    return icc.empty() ? cJP2_Error_Not_Available : cJP2_Error_OK;
}

JP2_Error JP2_Decompress_GetLAB(JP2_Decomp_Handle handle, uint32_t values[6])
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!values || handle->colourSpace / 10 * 10 != cJP2_Space_CIELab)
        return cJP2_Error_Invalid_Argument;
    const std::vector<uint32_t>& ep = handle->model.colour.labParams;
    if (ep.size() >= 6) {
        std::copy(ep.begin(), ep.begin() + 6, values);
        return cJP2_Error_OK;
    }
    // T.801 M.11.7.4.1: the defaults for a component precision p.
    const uint32_t p = handle->decoder->Component(0).prec;
    const uint32_t defaults[6] = {100, 0, 170, 1u << (p - 1), 200, (1u << (p - 2)) + (1u << (p - 3))};
    std::copy(defaults, defaults + 6, values);
    return cJP2_Error_OK;
}

JP2_Error JP2_Decompress_GetResolution(JP2_Decomp_Handle handle, double* x, double* y, int32_t* unit, int32_t,
                                       int32_t which)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!x || !y)
        return cJP2_Error_Invalid_Argument;
    const Resolution& resolution = which ? handle->model.display : handle->model.capture;
    *x = resolution.x;
    *y = resolution.y;
    if (unit)
        *unit = 1;
    return cJP2_Error_OK;
}

JP2_Error JP2_Decompress_Image(JP2_Decomp_Handle handle)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    if (!handle->output || handle->decoded)
        return cJP2_Error_Invalid_Argument;
    handle->decoded = true;
    try {
        const JP2_Error status = handle->decoder->Decode();
        if (status != cJP2_Error_OK)
            return status;
        return handle->decoder->Deliver(handle->delivery != 0, handle->output, handle->outputUser);
    } catch (const std::bad_alloc&) {
        return cJP2_Error_Out_Of_Memory;
    }
}

JP2_Error JP2_Decompress_End(JP2_Decomp_Handle handle)
{
    if (!handle)
        return cJP2_Error_Invalid_Handle;
    Destroy(handle);
    return cJP2_Error_OK;
}

JP2_Error JP2_Decompress_GetXML_Num(JP2_Decomp_Handle handle, uint32_t* count)
{
    return Count(handle, XmlOf, count);
}

JP2_Error JP2_Decompress_GetXML_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data, uint32_t* size)
{
    return Data(handle ? &handle->model.xml : nullptr, index, data, size);
}

JP2_Error JP2_Decompress_GetIP_Num(JP2_Decomp_Handle handle, uint32_t* count)
{
    return Count(handle, IpOf, count);
}

JP2_Error JP2_Decompress_GetIP_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data, uint32_t* size)
{
    return Data(handle ? &handle->model.ip : nullptr, index, data, size);
}

JP2_Error JP2_Decompress_GetIPTC_Num(JP2_Decomp_Handle handle, uint32_t* count)
{
    return Count(handle, IptcOf, count);
}

JP2_Error JP2_Decompress_GetIPTC_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data, uint32_t* size)
{
    return Data(handle ? &handle->model.iptc : nullptr, index, data, size);
}

JP2_Error JP2_Decompress_GetCOM_Num(JP2_Decomp_Handle handle, uint32_t* count)
{
    return Count(handle, CommentsOf, count);
}

JP2_Error JP2_Decompress_GetCOM_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data, uint32_t* size)
{
    return Data(handle ? &handle->model.comments : nullptr, index, data, size);
}

JP2_Error JP2_Decompress_GetUUID_Num(JP2_Decomp_Handle handle, uint32_t* count)
{
    return Count(handle, UuidsOf, count);
}

JP2_Error JP2_Decompress_GetUUID_Id(JP2_Decomp_Handle handle, uint32_t index, JP2_UUID_Text* id)
{
    if (!handle || !id || index >= handle->model.uuids.size())
        return cJP2_Error_Invalid_Argument;
    *id = handle->model.uuids[index].id;
    return cJP2_Error_OK;
}

JP2_Error JP2_Decompress_GetUUID_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data, uint32_t* size)
{
    if (!handle || !data || !size || index >= handle->model.uuids.size())
        return cJP2_Error_Invalid_Argument;
    *data = handle->model.uuids[index].data.data();
    *size = static_cast<uint32_t>(handle->model.uuids[index].data.size());
    return cJP2_Error_OK;
}

JP2_Error JP2_Decompress_GetUUID_Info_Num(JP2_Decomp_Handle handle, uint32_t* count)
{
    return Count(handle, UuidInfosOf, count);
}

JP2_Error JP2_Decompress_GetUUID_Info_Data(JP2_Decomp_Handle handle, uint32_t index, const JP2_UUID_Text** ids,
                                           uint32_t* idCount, const char** url)
{
    if (!handle || !ids || !idCount || !url || index >= handle->model.uuidInfos.size())
        return cJP2_Error_Invalid_Argument;
    const UuidInfo& info = handle->model.uuidInfos[index];
    *ids = info.ids.empty() ? nullptr : info.ids.data();
    *idCount = static_cast<uint32_t>(info.ids.size());
    *url = info.url.c_str();
    return cJP2_Error_OK;
}

JP2_Error JP2_General_CheckICC(const uint8_t* profile, uint32_t size, uint32_t* colourSpace, uint32_t* profileClass,
                               uint32_t* version)
{
    // ICC.1 7.2: the header is 128 bytes; version at 8, class at 12, data colour space at 16.
    if (!profile || size < 128 || !colourSpace || !profileClass || !version)
        return cJP2_Error_Invalid_Argument;
    auto field = [profile](uint32_t at) {
        return (uint32_t(profile[at]) << 24) | (uint32_t(profile[at + 1]) << 16) | (uint32_t(profile[at + 2]) << 8) |
               profile[at + 3];
    };
    *version = field(8);
    *profileClass = field(12);
    *colourSpace = field(16);
    return cJP2_Error_OK;
}

}  // extern "C"
