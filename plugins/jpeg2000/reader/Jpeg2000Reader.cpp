#include "plugins/jpeg2000/reader/Jpeg2000Reader.h"

#include <cstdlib>

#include "foundation/text/TextException.h"
#include "platform/GlobalMem.h"
#include "plugins/jpeg2000/Jpeg2000Texts.h"

namespace ZAV {

namespace {

void* Allocate(uint32_t size, void*)
{
    return std::malloc(size);
}

int32_t Release(void* block, void*)
{
    std::free(block);
    return 0;
}

uint32_t ReadFromSource(uint8_t* buffer, uint32_t offset, uint32_t size, void* user)
{
    auto* source = static_cast<CDataSource*>(user);
    if (!source->Seek(offset, 0))
        return 0;
    return static_cast<uint32_t>(source->Read(buffer, size));
}

bool IsPaletteSpace(int32_t space)
{
    return space % 10 == 1 && space >= 11 && space <= 61;
}

}  // namespace

Jpeg2000Reader::Jpeg2000Reader(CDataSource& source, CNameVariantPairs* properties, int32_t keep8Bits)
    : m_source(source), m_properties(properties), m_keep8Bits(keep8Bits)
{
}

Jpeg2000Reader::~Jpeg2000Reader()
{
    End();
    if (m_lockedPixels)
        GlobalUnlock(m_pixels);
    GlobalFree(m_pixels);
}

void Jpeg2000Reader::End()
{
    if (m_handle)
        JP2_Decompress_End(m_handle);
    m_handle = nullptr;
}

void Jpeg2000Reader::ReadFacts(FilterImageInfo* info)
{
    Describe(info);
    End();
}

void Jpeg2000Reader::Describe(FilterImageInfo* info)
{
    Start();
    ReadComponents();
    ReadColourSpace();
    ChooseComponentsPerPixel();
    BuildPositionMap();
    ReadDimensions();
    ReadResolutions();
    ReportFacts(info);
}

void Jpeg2000Reader::Start()
{
    const JP2_Error status =
        JP2_Decompress_Start(&m_handle, Allocate, nullptr, Release, nullptr, ReadFromSource, &m_source);
    if (status == cJP2_Error_Unsupported)
        ThrowTextException("File contains as yet unsupported JPEG 2000 features.\n");
    CheckJpeg2000Status(status);
    // Subsampled components come on the full grid, so YCbCr pictures meet the reader as 4:4:4.
    CheckJpeg2000Status(JP2_Decompress_SetProp(m_handle, cJP2_Prop_Sample_Delivery, 1));
}

void Jpeg2000Reader::ReadComponents()
{
    CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Components, &m_components, 0, 0));
    m_first = 0;
    m_last = m_components - 1;
    CheckJpeg2000Status(JP2_Decompress_GetChannelDefs(m_handle, &m_channelDefs, &m_channelDefCount));
}

void Jpeg2000Reader::ReadColourSpace()
{
    CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Colour_Space, &m_colourSpace, 0, 0));
    if (IsPaletteSpace(m_colourSpace)) {
        const JP2_Error status = JP2_Decompress_GetPalette(m_handle, &m_palette);
        CheckJpeg2000Status(status ? status : (m_palette ? 0 : cJP2_Error_Not_Available));
        int32_t indexBits = 0;
        CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Bits, &indexBits, 0, 0));
        if (indexBits != 8 || m_components != 1)
            ThrowTextException("Unsupported color palette format!");
    }
    if (m_colourSpace == cJP2_Space_sYCC)
        ReadYccLayout();
    if (m_colourSpace / 10 == cJP2_Space_ICC / 10)
        MapIccSpace();
}

void Jpeg2000Reader::ReadYccLayout()
{
    int32_t w[3] = {}, h[3] = {};
    for (int32_t c = 0; c < 3; ++c) {
        int32_t isSigned = 1;
        if (c >= m_components || JP2_Decompress_GetProp(m_handle, cJP2_Prop_Width, &w[c], 0, c) != 0 ||
            JP2_Decompress_GetProp(m_handle, cJP2_Prop_Height, &h[c], 0, c) != 0 ||
            JP2_Decompress_GetProp(m_handle, cJP2_Prop_Signed, &isSigned, 0, c) != 0 || isSigned || w[c] == 0 ||
            h[c] == 0)
            ThrowTextException("Unsupported YCbCr channel format!");
    }
    m_yccMode = 0;
    if (w[0] == w[1] && h[0] == h[1]) {
        if (h[2] == h[0])
            m_yccMode = w[2] == w[0] ? 1 : (w[2] == 2 * w[0] ? 2 : (w[2] == 4 * w[0] ? 3 : 0));
        else if (h[2] == 2 * h[0] || w[2] == 2 * w[0])
            m_yccMode = 4;
    }
    if (m_yccMode == 0)
        ThrowTextException("Unsupported YCbCr color format!");
}

void Jpeg2000Reader::MapIccSpace()
{
    const uint8_t* profile = nullptr;
    uint32_t size = 0, signature = 0, profileClass = 0, version = 0;
    CheckJpeg2000Status(JP2_Decompress_GetICC(m_handle, &profile, &size));
    CheckJpeg2000Status(JP2_General_CheckICC(profile, size, &signature, &profileClass, &version));
    const int32_t paletteStep = m_colourSpace % 10;
    // ICC.1 7.2.6: the data colour space signature.
    if (signature == 0x434D594B)  // "CMYK"
        m_colourSpace = cJP2_Space_CMYK;
    else if (signature == 0x47524159 || signature == 0x59436272)  // "GRAY", "YCbr"
        m_colourSpace = cJP2_Space_Grey;
    else if (signature == 0x4C616220)  // "Lab "
        m_colourSpace = cJP2_Space_CIELab;
    else if (signature == 0x52474220)  // "RGB "
        m_colourSpace = cJP2_Space_sRGB;
    else
        ThrowTextException("Image is based on an ICC colorspace which is not supported\n");
    m_colourSpace += paletteStep;
}

void Jpeg2000Reader::ChooseComponentsPerPixel()
{
    if (m_palette) {
        m_perPixel = 1;
        m_last = 0;
        return;
    }
    switch (m_colourSpace) {
    case cJP2_Space_Grey:
        m_perPixel = 1;  // further channels are dropped
        m_last = 0;
        return;
    case cJP2_Space_sRGB:
    case cJP2_Space_sYCC:
    case cJP2_Space_CIELab:
        m_perPixel = 3;
        break;
    case cJP2_Space_CMYK:
        m_perPixel = 4;  // delivered as RGB after decoding
        break;
    default:
        ThrowJpeg2000Text("Unsupported colorspace %ld.", m_colourSpace);
    }
    if (m_components < m_perPixel)
        ThrowTextException("File contains channels with different dimensions and/or bit-depths!");
    m_last = m_perPixel - 1;
}

void Jpeg2000Reader::BuildPositionMap()
{
    m_positions.resize(m_components);
    for (int32_t k = 0; k < m_components; ++k)
        m_positions[k] = k;
    if (m_channelDefCount == 0)
        return;
    std::vector<int32_t> positions(m_components, m_components);  // past the pixel: dropped
    int32_t next = 0;
    for (uint32_t i = 0; i < m_channelDefCount; ++i) {
        const JP2_Channel_Def& def = m_channelDefs[i];
        if (def.type == 0 && def.association >= 1 && def.channel < m_components) {
            positions[def.channel] = def.association - 1;
            next = std::max(next, int32_t(def.association));
        }
    }
    for (uint16_t type : {uint16_t(1), uint16_t(3)})
        for (int32_t association = 0; association <= m_components; ++association)
            for (uint32_t i = 0; i < m_channelDefCount; ++i) {
                const JP2_Channel_Def& def = m_channelDefs[i];
                const bool opacity = def.type == 1 || def.type == 2;
                if ((type == 1 ? opacity : def.type == 3) && def.association == association &&
                    def.channel < m_components)
                    positions[def.channel] = next++;
            }
    m_positions = positions;
}

void Jpeg2000Reader::ReadDimensions()
{
    CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Bits, &m_bits, 0, m_first));
    CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Signed, &m_signed, 0, m_first));
    CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Width, &m_width, 0, m_first));
    CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Height, &m_height, 0, m_first));
    for (int32_t c = m_first + 1; c <= m_last; ++c) {
        int32_t bits = 0, isSigned = 0, width = 0, height = 0;
        CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Bits, &bits, 0, c));
        CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Signed, &isSigned, 0, c));
        CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Width, &width, 0, c));
        CheckJpeg2000Status(JP2_Decompress_GetProp(m_handle, cJP2_Prop_Height, &height, 0, c));
        if (bits != m_bits || isSigned != m_signed || width != m_width || height != m_height)
            ThrowTextException("File contains channels with different dimensions and/or bit-depths!");
    }
}

void Jpeg2000Reader::ReadResolutions()
{
    int32_t unit = 0;
    JP2_Error status = JP2_Decompress_GetResolution(m_handle, &m_captureX, &m_captureY, &unit, 0, 0);
    if (status == 0)
        status = JP2_Decompress_GetResolution(m_handle, &m_displayX, &m_displayY, &unit, 0, 1);
    // A resolution that cannot be read leaves the picture readable.
    (void)status;
}

int32_t Jpeg2000Reader::BitsPerPixel() const
{
    const bool wide = m_bits > 8 && m_keep8Bits == 0 && !m_palette;
    if (m_palette || m_colourSpace == cJP2_Space_Grey)
        return wide ? 16 : 8;
    return wide ? 48 : 24;
}

}  // namespace ZAV
