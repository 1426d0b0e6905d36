#include "plugins/jbig2/writer/Jbig2Writer.h"

#include <new>

#include "foundation/text/TextException.h"
#include "plugins/jbig2/Jbig2Resolution.h"

namespace ZAV {

namespace {

// Palette entries are blue, green, red, reserved.
uint32_t GreyOf(const uint8_t* entry)
{
    return (uint32_t(entry[0]) + entry[1] + entry[2]) / 3;
}

}  // namespace

bool Jbig2RowsNeedInverting(const uint8_t* palette, uint32_t paletteBytes)
{
    if (!palette || paletteBytes < 8)
        return false;
    return GreyOf(palette) < GreyOf(palette + 4);
}

Jbig2Writer::Jbig2Writer(CDataSource& target, const FilterSavePixels& pixels, const Jbig2EncoderSettings& settings)
    : m_target(target), m_pixels(pixels), m_hostSettings(settings)
{
}

Jbig2Writer::~Jbig2Writer()
{
    if (m_document)
        JB2_Document_End(&m_document);
    if (m_compression)
        JB2_Compress_End(&m_compression, nullptr);
}

void Jbig2Writer::Write()
{
    m_invert = Jbig2RowsNeedInverting(m_pixels.palette, m_pixels.paletteBytes);
    m_settings = ValidateJbig2Settings(m_hostSettings);
    CheckPixels();
    m_xResolution = DpiToPixelsPerMetre(m_pixels.info.dpiX);
    m_yResolution = DpiToPixelsPerMetre(m_pixels.info.dpiY);
    try {
        m_line.resize(m_rowBytes);
    } catch (const std::bad_alloc&) {
        ThrowTextException("Memory allocation failure!");
    }
    Start();
    SetProperties();
    CompressRows();
    Export();
}

// The rows are read straight from the host's block: it must hold them all.
void Jbig2Writer::CheckPixels()
{
    const FilterImageInfo& info = m_pixels.info;
    if (info.bitsPerPixel != 1)
        ThrowTextException("Requiresy 1Bit black&white imafedata!");
    const uint64_t needed = ((uint64_t(uint32_t(info.width)) + 7) / 8) * uint32_t(info.height);
    if (info.width <= 0 || info.height <= 0 || !m_pixels.pixels || m_pixels.pixelBytes < needed)
        ThrowTextException("Invalid memory block!");
    m_rowBytes = static_cast<uint32_t>((uint64_t(uint32_t(info.width)) + 7) / 8);
    const uint32_t spareBits = m_rowBytes * 8 - uint32_t(info.width);
    m_lastByteMask = uint8_t(0xFF << spareBits);
}

void Jbig2Writer::Start()
{
    Jbig2MessageList* messages = m_settings.quiet != 0 ? nullptr : &m_messages;
    Jbig2StatusReporter::Check(JB2_Compress_Start(&m_compression, Jbig2StatusReporter::Allocate, nullptr,
                                                  Jbig2StatusReporter::Release, nullptr, Jbig2StatusReporter::Message,
                                                  messages));
}

void Jbig2Writer::SetProperties()
{
    SetProperty(cJB2_Prop_Width, uint32_t(m_pixels.info.width));
    SetProperty(cJB2_Prop_Height, uint32_t(m_pixels.info.height));
    SetProperty(cJB2_Prop_Bitmap_Coder, m_settings.coder);
    SetProperty(cJB2_Prop_Encoding_Mode, m_settings.encodingMode);
    SetProperty(cJB2_Prop_Symbol_Matching_Mode, m_settings.matchingMode);
    if (m_xResolution != 0)
        SetProperty(cJB2_Prop_X_Resolution, m_xResolution);
    if (m_yResolution != 0)
        SetProperty(cJB2_Prop_Y_Resolution, m_yResolution);
    if (m_settings.coder == cJB2_Coder_Arithmetic)
        SetProperty(cJB2_Prop_Generic_Template, m_settings.genericTemplate);
    if (m_settings.matchingMode != cJB2_Matching_None)
        SetProperty(cJB2_Prop_Text_Template, m_settings.symbolTemplate);
    if (m_settings.matchingMode == cJB2_Matching_Efficient)
        SetProperty(cJB2_Prop_Symbol_Matching_Quality, m_settings.matchingQuality);
}

void Jbig2Writer::SetProperty(uint32_t key, uint32_t value)
{
    Jbig2StatusReporter::Check(JB2_Compress_Set_Property(m_compression, key, value));
}

void Jbig2Writer::CompressRows()
{
    const uint32_t height = uint32_t(m_pixels.info.height);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = m_pixels.pixels + uint64_t(y) * m_rowBytes;
        for (uint32_t i = 0; i < m_rowBytes; ++i)
            m_line[i] = m_invert ? uint8_t(~row[i]) : row[i];
        // Bits past the width stay 0, so both polarities of a picture code alike.
        m_line[m_rowBytes - 1] &= m_lastByteMask;
        Jbig2StatusReporter::Check(JB2_Compress_Line(m_compression, m_line.data()));
    }
}

void Jbig2Writer::Export()
{
    Jbig2StatusReporter::Check(JB2_Compress_End(&m_compression, &m_document));
    m_compression = nullptr;
    Jbig2StatusReporter::Check(
        JB2_Document_Export_Document(m_document, Jbig2StatusReporter::Write, &m_target, m_settings.exportFormat));
    Jbig2StatusReporter::Check(JB2_Document_End(&m_document));
    m_document = nullptr;
}

}  // namespace ZAV
