#include "plugins/jpeg2000/writer/Jpeg2000Writer.h"

#include <cstdlib>
#include <cstring>

#include "foundation/text/TextException.h"
#include "plugins/jpeg2000/Jpeg2000Texts.h"

namespace ZAV {

namespace {

// Region rectangles the metadata record may carry.
constexpr size_t kMaxRegionRectangles = 16;
// The settings value that leaves the wavelet to the target size.
constexpr int32_t kWaveletNotSet = 99;

void* Allocate(uint32_t size, void*)
{
    return std::malloc(size);
}

int32_t Release(void* block, void*)
{
    std::free(block);
    return 0;
}

int32_t WriteToTarget(const uint8_t* buffer, uint32_t offset, uint32_t size, void* user)
{
    auto* target = static_cast<CDataSource*>(user);
    if (!target)
        return -29;
    return target->Seek(offset, 0) && target->Write(buffer, size) ? 0 : -3;
}

int32_t InputTrampoline(uint8_t* destination, uint32_t component, uint32_t row, uint32_t column, uint32_t count,
                        void* user)
{
    if (!user)
        return -2;
    return static_cast<const Jpeg2000Writer*>(user)->FillSamples(destination, component, row, column, count);
}

}  // namespace

Jpeg2000Writer::Jpeg2000Writer(CDataSource& target, const FilterSavePixels& pixels,
                               const Jpeg2000WriteSettings& settings)
    : m_target(target), m_pixels(pixels), m_settings(settings)
{
}

Jpeg2000Writer::~Jpeg2000Writer()
{
    if (m_handle)
        JP2_Compress_End(m_handle);
}

void Jpeg2000Writer::Write()
{
    Describe();
    CheckJpeg2000Status(JP2_Compress_Start(&m_handle, Allocate, nullptr, Release, nullptr, &m_target));
    SetMetadata();
    SetRegions();
    JP2_Compress_SetResolution(m_handle, static_cast<uint32_t>(std::max(0, m_pixels.info.dpiY)),
                               static_cast<uint32_t>(std::max(0, m_pixels.info.dpiX)), 0, 0, 0);
    SetPicture();
    SetColourSpace();
    SetCoding();
    SetProp(cJP2_Prop_Output_User, reinterpret_cast<intptr_t>(&m_target));
    SetProp(cJP2_Prop_Output_Callback, reinterpret_cast<intptr_t>(WriteToTarget));
    SetProp(cJP2_Prop_Input_User, reinterpret_cast<intptr_t>(this));
    SetProp(cJP2_Prop_Input_Callback, reinterpret_cast<intptr_t>(InputTrampoline));
    CheckJpeg2000Status(JP2_Compress_Image(m_handle));
    const JP2_Comp_Handle handle = m_handle;
    m_handle = nullptr;
    CheckJpeg2000Status(JP2_Compress_End(handle));
}

void Jpeg2000Writer::Describe()
{
    const FilterImageInfo& info = m_pixels.info;
    if (info.bitsPerPixel != 8 && info.bitsPerPixel != 24)
        ThrowTextException("Jpeg2000 Export library supports 8 and 24 bit image data only!");
    m_components = info.bitsPerPixel == 24 ? 3 : 1;
    const uint64_t needed =
        uint64_t(uint32_t(std::max(0, info.width))) * uint32_t(std::max(0, info.height)) * m_components;
    if (info.width <= 0 || info.height <= 0 || !m_pixels.pixels || m_pixels.pixelBytes < needed)
        ThrowTextException("Invalid memory block!");
    m_targetSize = Jpeg2000TargetSize(m_settings, info.width, info.height, m_components);
    m_wavelet = m_settings.values[2];
    if (m_wavelet == kWaveletNotSet)
        m_wavelet = m_targetSize ? 1 : 0;
}

void Jpeg2000Writer::SetMetadata()
{
    const Jpeg2000MetadataRecord* record = m_settings.metadata;
    if (!record)
        return;
    auto size = [](const std::vector<uint8_t>& bytes) { return static_cast<uint32_t>(bytes.size()); };
    if (!record->xmlData.empty())
        CheckJpeg2000Status(JP2_Compress_SetXML_Data(m_handle, record->xmlData.data(), size(record->xmlData)),
                            "Internal XML Metadata library error (%ld).\n");
    if (!record->ipData.empty())
        CheckJpeg2000Status(JP2_Compress_SetIP_Data(m_handle, record->ipData.data(), size(record->ipData)),
                            "Internal IP Metadata library error (%ld).\n");
    if (!record->iptcData.empty())
        CheckJpeg2000Status(JP2_Compress_SetIPTC_Data(m_handle, record->iptcData.data(), size(record->iptcData)),
                            "Internal IPTC Metadata library error (%ld).\n");
    if (!record->uuidData.empty() || !record->uuidId.empty())
        CheckJpeg2000Status(JP2_Compress_SetUUID_Data(m_handle, ParseJpeg2000Uuid(record->uuidId).data(),
                                                      record->uuidData.data(), size(record->uuidData)),
                            "Internal UUID Metadata library error (%ld).\n");
    if (!record->uuidInfoIds.empty() || !record->uuidInfoUrl.empty()) {
        std::vector<uint8_t> ids;
        for (const std::string& text : record->uuidInfoIds) {
            const std::array<uint8_t, 16> id = ParseJpeg2000Uuid(text);
            ids.insert(ids.end(), id.begin(), id.end());
        }
        CheckJpeg2000Status(JP2_Compress_SetUUID_Info(
                                m_handle, ids.data(), static_cast<uint32_t>(record->uuidInfoIds.size()),
                                record->uuidInfoUrl.c_str(), static_cast<uint32_t>(record->uuidInfoUrl.size() + 1)),
                            "Internal UUIDInfo Metadata library error (%ld).\n");
    }
}

void Jpeg2000Writer::SetRegions()
{
    const Jpeg2000MetadataRecord* record = m_settings.metadata;
    if (!record)
        return;
    const std::vector<int32_t>& values = record->roiRectangles;
    const size_t rectangles = values.size() / 4;
    if (rectangles > kMaxRegionRectangles)
        ThrowTextException("There are 16 ROI Enhance Rectangles allowed");
    for (size_t r = 0; r < rectangles; ++r)
        CheckJpeg2000Status(
            JP2_Compress_SetROI(m_handle, values[4 * r], values[4 * r + 1], values[4 * r + 2], values[4 * r + 3]),
            "Internal ROI Rectangle library error (%ld).\n");
    CheckJpeg2000Status(JP2_Compress_SetROI_Enhance(m_handle, static_cast<int32_t>(rectangles * 4)),
                        "Internal ROI enhance library error (%ld).\n");
}

void Jpeg2000Writer::SetPicture()
{
    SetProp(cJP2_Prop_Container, m_settings.values[0]);
    SetProp(cJP2_Prop_Height, m_pixels.info.height);
    SetProp(cJP2_Prop_Width, m_pixels.info.width);
    SetProp(cJP2_Prop_Bits, 8);
}

void Jpeg2000Writer::SetColourSpace()
{
    if (m_components == 3) {
        SetProp(cJP2_Prop_Colour_Space, cJP2_Space_sRGB);
        return;
    }
    // Without a palette, or with the grey ramp, an 8-bit picture is grey.
    if (!m_pixels.palette || IsGreyRamp(m_pixels.palette, m_pixels.paletteBytes)) {
        SetProp(cJP2_Prop_Colour_Space, cJP2_Space_Grey);
        return;
    }
    SetProp(cJP2_Prop_Colour_Space, cJP2_Space_sRGB);
    const uint32_t entries = m_pixels.paletteBytes / 4;
    std::vector<uint32_t> columns[3];
    for (uint32_t i = 0; i < entries; ++i)
        for (int c = 0; c < 3; ++c)
            columns[c].push_back(m_pixels.palette[4 * i + 2 - c]);  // host entries are blue, green, red
    JP2_Palette_Column column[3] = {};
    for (int c = 0; c < 3; ++c) {
        column[c].values = columns[c].data();
        column[c].bits = 8;
    }
    const JP2_Palette palette = {entries, 3, column};
    CheckJpeg2000Status(JP2_Compress_SetPalette(m_handle, &palette));
}

void Jpeg2000Writer::SetCoding()
{
    const int32_t* v = m_settings.values;
    SetProp(cJP2_Prop_Wavelet, m_wavelet);
    SetProp(cJP2_Prop_Levels, 5);
    SetProp(cJP2_Prop_Layers, v[1]);
    SetProp(cJP2_Prop_Code_Block_Style, v[4]);
    SetProp(cJP2_Prop_Progression, v[3]);
    const int32_t optional[4][2] = {{cJP2_Prop_Tile_Width, v[5]},
                                    {cJP2_Prop_Tile_Height, v[6]},
                                    {cJP2_Prop_Code_Block_Width, v[7]},
                                    {cJP2_Prop_Code_Block_Height, v[8]}};
    for (const auto& property : optional)
        if (property[1] != 0)
            SetProp(property[0], property[1]);
    if (m_targetSize)
        SetProp(cJP2_Prop_Target_Size, static_cast<intptr_t>(m_targetSize));
}

void Jpeg2000Writer::SetProp(int32_t id, intptr_t value)
{
    CheckJpeg2000Status(JP2_Compress_SetProp(m_handle, id, value, -1, -1));
}

int32_t Jpeg2000Writer::FillSamples(uint8_t* destination, uint32_t component, uint32_t row, uint32_t column,
                                    uint32_t count) const
{
    const uint64_t width = uint32_t(m_pixels.info.width);
    if (row >= uint32_t(m_pixels.info.height) || column > width || count > width - column || component >= m_components)
        return -2;
    const uint8_t* rowStart = m_pixels.pixels + uint64_t(row) * width * m_components;
    if (m_components == 1) {
        std::memcpy(destination, rowStart + column, count);
        return 0;
    }
    for (uint32_t j = 0; j < count; ++j)
        destination[j] = rowStart[(column + j) * 3 + component];
    return 0;
}

}  // namespace ZAV
