// What the reader reports besides the pixels: the picture description and
// the image-information properties with the file's metadata boxes.
#include <cmath>
#include <string>

#include "foundation/containers/NameVariantPairs.h"
#include "plugins/jpeg2000/Jpeg2000Texts.h"
#include "plugins/jpeg2000/reader/Jpeg2000Reader.h"

namespace ZAV {

namespace {

const char* ColourInfo(int32_t space)
{
    switch (space) {
    case 10:
        return "Gray";
    case 11:
        return "Palette_Gray";
    case 20:
        return "RGBa";
    case 21:
        return "Palette_RGBa";
    case 30:
        return "RGB_YCCa";
    case 31:
        return "Palette_RGB_YCCa";
    case 40:
        return "ICCa";
    case 41:
        return "Palette_ICCa";
    case 50:
        return "CMYKa";
    case 51:
        return "Palette_CMYKa";
    case 60:
        return "CIE_LABa";
    case 61:
        return "Palette_CIE_LABa";
    default:
        return "";
    }
}

std::string Numbered(const char* kind, uint32_t index)
{
    return kind + std::to_string(index);
}

void SetBytes(CNameVariantPairs& list, const std::string& key, const uint8_t* data, uint32_t size)
{
    CZAVVariant value;
    value.SetBytes(CArraySimple<unsigned char, 1>(data, static_cast<int32_t>(size)));
    list.SetValue(key, value);
}

using CountCall = JP2_Error (*)(JP2_Decomp_Handle, uint32_t*);
using DataCall = JP2_Error (*)(JP2_Decomp_Handle, uint32_t, const uint8_t**, uint32_t*);

// One property of bytes per box of a kind.
void ReportBoxes(JP2_Decomp_Handle handle, CNameVariantPairs& list, const char* kind, CountCall count, DataCall data,
                 const char* dataError)
{
    uint32_t boxes = 0;
    CheckJpeg2000Status(count(handle, &boxes));
    for (uint32_t i = 0; i < boxes; ++i) {
        const uint8_t* bytes = nullptr;
        uint32_t size = 0;
        CheckJpeg2000Status(data(handle, i, &bytes, &size), dataError);
        SetBytes(list, Numbered(kind, i), bytes, size);
    }
}

void ReportUuids(JP2_Decomp_Handle handle, CNameVariantPairs& list)
{
    uint32_t boxes = 0;
    CheckJpeg2000Status(JP2_Decompress_GetUUID_Num(handle, &boxes));
    for (uint32_t i = 0; i < boxes; ++i) {
        JP2_UUID_Text id;
        CheckJpeg2000Status(JP2_Decompress_GetUUID_Id(handle, i, &id), "Internal UUID Id library error (%ld).\n");
        list.SetString(Numbered("UUIDID", i), id.text);
        const uint8_t* bytes = nullptr;
        uint32_t size = 0;
        CheckJpeg2000Status(JP2_Decompress_GetUUID_Data(handle, i, &bytes, &size),
                            "Internal UUID Data library error (%ld).\n");
        SetBytes(list, Numbered("UUID", i), bytes, size);
    }
}

void ReportUuidInfos(JP2_Decomp_Handle handle, CNameVariantPairs& list)
{
    uint32_t boxes = 0;
    CheckJpeg2000Status(JP2_Decompress_GetUUID_Info_Num(handle, &boxes));
    for (uint32_t i = 0; i < boxes; ++i) {
        const JP2_UUID_Text* ids = nullptr;
        uint32_t idCount = 0;
        const char* url = nullptr;
        CheckJpeg2000Status(JP2_Decompress_GetUUID_Info_Data(handle, i, &ids, &idCount, &url),
                            "Internal UUIDInfo Data library error (%ld).\n");
        std::string text;
        for (uint32_t k = 0; k < idCount; ++k)
            text += "{" + std::string(ids[k].text) + "}";
        list.SetString(Numbered("UUIDINFO", i), text + (url ? url : ""));
    }
}

int32_t WholeDpi(double dpi)
{
    return dpi > 0 && dpi < 1e9 ? static_cast<int32_t>(std::lround(dpi)) : 0;
}

}  // namespace

void Jpeg2000Reader::ReportFacts(FilterImageInfo* info)
{
    const bool useCapture = m_captureX >= 2 && m_captureY >= 2;
    if (info) {
        info->width = m_width;
        info->height = m_height;
        info->bitsPerPixel = BitsPerPixel();
        info->dpiX = WholeDpi(useCapture ? m_captureX : m_displayX);
        info->dpiY = WholeDpi(useCapture ? m_captureY : m_displayY);
    }
    if (!m_properties)
        return;
    CNameVariantPairs& list = *m_properties;
    if (info) {
        list.SetInt("WIDTH", info->width);
        list.SetInt("HEIGHT", info->height);
        list.SetInt("DPIX", info->dpiX);
        list.SetInt("DPIY", info->dpiY);
    }
    list.SetInt("COLORDEPTH", m_perPixel * m_bits);
    list.SetInt("BITSPERSAMPLE", m_bits);
    list.SetInt("SAMPLESPERPIXEL", m_perPixel);
    list.SetString("COLORINFO", ColourInfo(m_colourSpace));
    ReportMetadata();
}

void Jpeg2000Reader::ReportMetadata()
{
    CNameVariantPairs& list = *m_properties;
    ReportBoxes(m_handle, list, "XML", JP2_Decompress_GetXML_Num, JP2_Decompress_GetXML_Data,
                "Internal XML Data library error (%ld).\n");
    ReportBoxes(m_handle, list, "IP", JP2_Decompress_GetIP_Num, JP2_Decompress_GetIP_Data,
                "Internal IP Data library error (%ld).\n");
    ReportUuids(m_handle, list);
    ReportBoxes(m_handle, list, "IPTC", JP2_Decompress_GetIPTC_Num, JP2_Decompress_GetIPTC_Data,
                "Internal IPTC Data library error (%ld).\n");
    ReportUuidInfos(m_handle, list);
    ReportBoxes(m_handle, list, "COMMENT", JP2_Decompress_GetCOM_Num, JP2_Decompress_GetCOM_Data, kJp2InternalError);
}

}  // namespace ZAV
