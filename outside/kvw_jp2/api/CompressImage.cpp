#include "outside/kvw_jp2/api/CompressHandle.h"

#include <algorithm>

#include "outside/kvw_jp2/JP2Limits.h"

namespace KVWJP2 {

namespace {

// The integer coding settings, by property id.
struct SettingField {
    int32_t id;
    uint32_t EncoderSettings::*field;
};

const SettingField kSettingFields[] = {
    {cJP2_Prop_Width, &EncoderSettings::width},
    {cJP2_Prop_Height, &EncoderSettings::height},
    {cJP2_Prop_Tile_Width, &EncoderSettings::tileWidth},
    {cJP2_Prop_Tile_Height, &EncoderSettings::tileHeight},
    {cJP2_Prop_Code_Block_Width, &EncoderSettings::codeBlockWidth},
    {cJP2_Prop_Code_Block_Height, &EncoderSettings::codeBlockHeight},
    {cJP2_Prop_Wavelet, &EncoderSettings::wavelet},
    {cJP2_Prop_Levels, &EncoderSettings::levels},
    {cJP2_Prop_Layers, &EncoderSettings::layers},
    {cJP2_Prop_Code_Block_Style, &EncoderSettings::codeBlockStyle},
    {cJP2_Prop_Progression, &EncoderSettings::progression},
};

JP2_Error SetCoding(JP2_Comp_Rec& handle, int32_t id, intptr_t value)
{
    EncoderSettings& s = handle.settings;
    if (id == cJP2_Prop_Target_Size) {
        s.targetSize = static_cast<uint64_t>(value);
        return cJP2_Error_OK;
    }
    for (const SettingField& setting : kSettingFields)
        if (setting.id == id) {
            s.*setting.field = static_cast<uint32_t>(value);
            if (id == cJP2_Prop_Wavelet)
                s.wavelet = value ? 1 : 0;
            return cJP2_Error_OK;
        }
    return cJP2_Error_Unknown_Property;
}

// Whether an argument of an integer property is out of its range.
bool Refused(int32_t id, intptr_t value)
{
    if (value < 0 && id != cJP2_Prop_Input_Callback && id != cJP2_Prop_Input_User && id != cJP2_Prop_Output_Callback &&
        id != cJP2_Prop_Output_User)
        return true;
    return value > INT32_MAX && id != cJP2_Prop_Target_Size && id < cJP2_Prop_Input_Callback;
}

JP2_Error CollectPlanes(JP2_Comp_Rec& handle, std::vector<Bytes>& planes)
{
    const EncoderSettings& s = handle.settings;
    planes.assign(s.components, Bytes(uint64_t(s.width) * s.height));
    for (uint32_t c = 0; c < s.components; ++c)
        for (uint32_t row = 0; row < s.height; ++row)
            if (handle.input(planes[c].data() + uint64_t(row) * s.width, c, row, 0, s.width, handle.inputUser) != 0)
                return cJP2_Error_Callback;
    return cJP2_Error_OK;
}

JP2_Error WriteOut(JP2_Comp_Rec& handle, const Bytes& bytes)
{
    if (bytes.size() > UINT32_MAX)
        return cJP2_Error_Too_Large;
    // Pieces of 1 MiB, so that callers can report progress.
    const size_t piece = size_t(1) << 20;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        const size_t size = std::min(piece, bytes.size() - at);
        if (handle.output(bytes.data() + at, static_cast<uint32_t>(at), static_cast<uint32_t>(size),
                          handle.outputUser) != 0)
            return cJP2_Error_Output;
    }
    return cJP2_Error_OK;
}

// The components and colour transform the colour space and palette ask for.
JP2_Error Describe(JP2_Comp_Rec& handle)
{
    EncoderSettings& s = handle.settings;
    if (s.width == 0 || s.height == 0 || handle.bits != 8 || !handle.input || !handle.output)
        return cJP2_Error_Invalid_Argument;
    const bool palette = handle.file.palette.present;
    if (handle.colourSpace != cJP2_Space_Grey && handle.colourSpace != cJP2_Space_sRGB)
        return cJP2_Error_Invalid_Argument;
    const bool rgb = handle.colourSpace == cJP2_Space_sRGB && !palette;
    s.components = rgb ? 3 : 1;
    s.colourTransform = rgb;
    handle.file.width = s.width;
    handle.file.height = s.height;
    handle.file.components = static_cast<uint16_t>(s.components);
    handle.file.rgb = rgb;
    const uint64_t samples = uint64_t(s.width) * s.height * s.components;
    return samples * 4 > kMaxSampleBufferBytes ? cJP2_Error_Too_Large : cJP2_Error_OK;
}

}  // namespace

JP2_Error SetCompressProperty(JP2_Comp_Rec& handle, int32_t id, intptr_t value)
{
    if (Refused(id, value))
        return cJP2_Error_Invalid_Argument;
    switch (id) {
    case cJP2_Prop_Container:
        handle.container = value ? 1 : 0;
        return cJP2_Error_OK;
    case cJP2_Prop_Bits:
        handle.bits = static_cast<int32_t>(value);
        return value == 8 ? cJP2_Error_OK : cJP2_Error_Unsupported;
    case cJP2_Prop_Colour_Space:
        handle.colourSpace = static_cast<int32_t>(value);
        return cJP2_Error_OK;
    case cJP2_Prop_Input_Callback:
        handle.input = reinterpret_cast<JP2_Callback_Input>(value);
        return cJP2_Error_OK;
    case cJP2_Prop_Input_User:
        handle.inputUser = reinterpret_cast<void*>(value);
        return cJP2_Error_OK;
    case cJP2_Prop_Output_Callback:
        handle.output = reinterpret_cast<JP2_Callback_Write>(value);
        return cJP2_Error_OK;
    case cJP2_Prop_Output_User:
        handle.outputUser = reinterpret_cast<void*>(value);
        return cJP2_Error_OK;
    default:
        return SetCoding(handle, id, value);
    }
}

JP2_Error CompressImage(JP2_Comp_Rec& handle)
{
    JP2_Error status = Describe(handle);
    std::vector<Bytes> planes;
    if (status == cJP2_Error_OK)
        status = CollectPlanes(handle, planes);
    Bytes codestream;
    if (status == cJP2_Error_OK)
        status = EncodeCodestream(handle.settings, planes, codestream, handle.lastError);
    if (status != cJP2_Error_OK)
        return status;
    planes.clear();
    if (handle.container == 0)
        return WriteOut(handle, codestream);
    Bytes file;
    WriteJP2File(handle.file, codestream, file);
    return WriteOut(handle, file);
}

}  // namespace KVWJP2
