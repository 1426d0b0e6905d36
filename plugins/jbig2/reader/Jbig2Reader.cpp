#include "plugins/jbig2/reader/Jbig2Reader.h"

#include <cstring>

#include "foundation/containers/NameVariantPairs.h"
#include "foundation/text/TextException.h"
#include "jbig2codec/support/JB2Limits.h"
#include "platform/GlobalMem.h"
#include "plugins/jbig2/Jbig2Resolution.h"

namespace ZAV {

namespace {

const char kOutOfMemory[] = "Out of memory.\n";
const char kUnsupportedRegions[] =
    "File contains regions not currently supported by library. Only supported regions will be decoded";

// Two entries of blue, green, red, reserved: pixel 0 white, pixel 1 black.
const uint8_t kWhiteBlack[8] = {255, 255, 255, 255, 0, 0, 0, 255};

JB2_Error OutputTrampoline(const uint8_t* row, uint32_t rowNumber, uint32_t, uint32_t, void* user)
{
    if (!user)
        return cJB2_Error_Output_Failure;
    return static_cast<Jbig2Reader*>(user)->TakeRow(row, rowNumber);
}

}  // namespace

Jbig2Reader::Jbig2Reader(CDataSource& source, CNameVariantPairs* properties)
    : m_source(source), m_properties(properties)
{
}

Jbig2Reader::~Jbig2Reader()
{
    End();
    if (m_lockedPixels)
        GlobalUnlock(m_pixels);
    GlobalFree(m_pixels);
}

void Jbig2Reader::End()
{
    if (m_document)
        JB2_Document_End(&m_document);
    m_document = nullptr;
}

void Jbig2Reader::ReadFacts(FilterImageInfo* info)
{
    Describe(info);
    End();
}

void Jbig2Reader::Load(FilterLoadedPicture& picture)
{
    Describe(&picture.info);
    AllocatePixels();
    Decode();
    GlobalUnlock(m_pixels);
    m_lockedPixels = nullptr;
    picture.pixels = m_pixels;
    picture.pixelBytes = static_cast<uint32_t>(m_pixelBytes);
    m_pixels = nullptr;
    MakePalette(picture);
    End();
}

void Jbig2Reader::Describe(FilterImageInfo* info)
{
    if (m_properties && m_source.GetFileName()[0] != 0)
        m_properties->SetString("FILENAME", m_source.GetFileName());
    Start();
    m_width = Property(cJB2_Prop_Width);
    m_height = Property(cJB2_Prop_Height);
    m_xResolution = Property(cJB2_Prop_X_Resolution);
    m_yResolution = Property(cJB2_Prop_Y_Resolution);
    if (Property(cJB2_Prop_Regions_Supported) == 0)
        m_messages.emplace_back(kUnsupportedRegions);
    m_bytesPerRow = static_cast<uint32_t>((uint64_t(m_width) + 7) / 8);
    ReportFacts(info);
}

void Jbig2Reader::Start()
{
    Jbig2StatusReporter::Check(JB2_Document_Start(&m_document, Jbig2StatusReporter::Allocate, nullptr,
                                                  Jbig2StatusReporter::Release, nullptr, Jbig2StatusReporter::Read,
                                                  &m_source, Jbig2StatusReporter::Message, &m_messages));
}

uint32_t Jbig2Reader::Property(uint32_t key)
{
    uint32_t value = 0;
    Jbig2StatusReporter::Check(JB2_Document_Get_Property(m_document, key, &value));
    return value;
}

void Jbig2Reader::ReportFacts(FilterImageInfo* info)
{
    if (info) {
        info->width = static_cast<int32_t>(m_width);
        info->height = static_cast<int32_t>(m_height);
        info->bitsPerPixel = 1;
        info->dpiX = PixelsPerMetreToDpi(m_xResolution);
        info->dpiY = PixelsPerMetreToDpi(m_yResolution);
    }
    if (!m_properties)
        return;
    m_properties->SetInt("WIDTH", static_cast<int32_t>(m_width));
    m_properties->SetInt("HEIGHT", static_cast<int32_t>(m_height));
    if (info) {
        m_properties->SetInt("DPIX", info->dpiX);
        m_properties->SetInt("DPIY", info->dpiY);
    }
    m_properties->SetInt("COLORDEPTH", 1);
}

// The block is sized from the file's page information: computed in 64 bits
// and held to the codec's own page ceiling, so no file asks for more.
void Jbig2Reader::AllocatePixels()
{
    GlobalFree(m_pixels);
    m_pixels = nullptr;
    const uint64_t bytes = uint64_t(m_bytesPerRow) * m_height;
    if (m_width == 0 || m_height == 0 || m_width > INT32_MAX || m_height > INT32_MAX || bytes > kJB2MaxPageBufferBytes)
        ThrowTextException(kOutOfMemory);
    m_pixels = GlobalAlloc(GHND, bytes);
    m_lockedPixels = m_pixels ? static_cast<uint8_t*>(GlobalLock(m_pixels)) : nullptr;
    if (!m_lockedPixels)
        ThrowTextException(kOutOfMemory);
    m_pixelBytes = bytes;
}

void Jbig2Reader::Decode()
{
    Jbig2StatusReporter::Check(JB2_Document_Decompress_Page(m_document, 1, 1, 0, 0, 0, 0, OutputTrampoline, this));
}

JB2_Error Jbig2Reader::TakeRow(const uint8_t* row, uint32_t rowNumber)
{
    if (!row || !m_lockedPixels || rowNumber >= m_height)
        return cJB2_Error_Output_Failure;
    std::memcpy(m_lockedPixels + uint64_t(rowNumber) * m_bytesPerRow, row, m_bytesPerRow);
    return 0;
}

void Jbig2Reader::MakePalette(FilterLoadedPicture& picture)
{
    HGLOBAL palette = GlobalAlloc(GHND, sizeof(kWhiteBlack));
    void* bytes = palette ? GlobalLock(palette) : nullptr;
    if (!bytes) {
        GlobalFree(palette);
        ThrowTextException("Out of memory!");
    }
    std::memcpy(bytes, kWhiteBlack, sizeof(kWhiteBlack));
    GlobalUnlock(palette);
    picture.palette = palette;
    picture.paletteBytes = sizeof(kWhiteBlack);
}

}  // namespace ZAV
