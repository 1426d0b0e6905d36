#include "formats/tiff/icc/TiffImg.h"

#include <cstring>
#include <new>

#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"

namespace ZAV {

CTiffImg::~CTiffImg()
{
    Close();
}

void CTiffImg::Attach(TIFF* tiff)
{
    Close();
    m_tiff = tiff;
    m_open = true;
    ReadLayout();
}

void CTiffImg::ReadLayout()
{
    uint16_t planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
    TIFFGetField(m_tiff, TIFFTAG_IMAGEWIDTH, &m_width);
    TIFFGetField(m_tiff, TIFFTAG_IMAGELENGTH, &m_height);
    TIFFGetField(m_tiff, TIFFTAG_PHOTOMETRIC, &m_photometric);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_SAMPLESPERPIXEL, &m_samplesPerPixel);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_BITSPERSAMPLE, &m_bitsPerSample);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_ROWSPERSTRIP, &m_rowsPerStrip);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_ORIENTATION, &orientation);
    TIFFGetField(m_tiff, TIFFTAG_XRESOLUTION, &m_xResolution);
    TIFFGetField(m_tiff, TIFFTAG_YRESOLUTION, &m_yResolution);
    if ((m_samplesPerPixel > 1 && planar != PLANARCONFIG_CONTIG) || orientation != ORIENTATION_TOPLEFT) {
        Close();
        ThrowTextException("Unsupported ICC Color Profile TIFF Orientation or Planartype!");
    }
    // A strip of no rows would never advance; one larger than the image
    // holds the whole image.
    if (m_rowsPerStrip == 0 || TIFFIsTiled(m_tiff)) {
        Close();
        ThrowTextException("Invalid TIFF strip layout!");
    }
    if (m_rowsPerStrip > m_height)
        m_rowsPerStrip = m_height;
    m_bytesPerLine = static_cast<size_t>((uint64_t(m_samplesPerPixel) * m_bitsPerSample * m_width + 7) / 8);
    m_stripSize = TIFFStripSize64(m_tiff);
    const uint64_t stripRows = uint64_t(m_bytesPerLine) * m_rowsPerStrip;
    if (m_stripSize <= 0 || m_stripSize > kMaxImageBytes || static_cast<uint64_t>(m_stripSize) < stripRows) {
        Close();
        ThrowTextException("Invalid TIFF strip layout!");
    }
    try {
        m_strip.resize(static_cast<size_t>(m_stripSize));
    } catch (const std::bad_alloc&) {
        Close();
        ThrowTextException("Out of memory allocating strip!");
    }
    m_nextRow = 0;
    m_loadedStrip = -1;
}

int CTiffImg::LoadStrip(uint32_t strip)
{
    const tmsize_t read = TIFFReadEncodedStrip(m_tiff, strip, m_strip.data(), static_cast<tmsize_t>(m_stripSize));
    if (read < 0)
        return static_cast<int>(read);
    // A strip shorter than its rows would leave stale bytes in the rows.
    const uint32_t firstRow = strip * m_rowsPerStrip;
    const uint32_t rows = m_height - firstRow < m_rowsPerStrip ? m_height - firstRow : m_rowsPerStrip;
    if (static_cast<uint64_t>(read) < uint64_t(rows) * m_bytesPerLine)
        return -1;
    m_loadedStrip = strip;
    return 1;
}

int CTiffImg::ReadLine(uint8_t* destination)
{
    if (!m_open || m_nextRow >= m_height)
        return 0;
    const uint32_t strip = m_nextRow / m_rowsPerStrip;
    if (strip != m_loadedStrip) {
        const int loaded = LoadStrip(strip);
        if (loaded < 0)
            return loaded;
    }
    const size_t offset = static_cast<size_t>(m_nextRow % m_rowsPerStrip) * m_bytesPerLine;
    std::memcpy(destination, m_strip.data() + offset, m_bytesPerLine);
    ++m_nextRow;
    return 1;
}

void CTiffImg::Close()
{
    m_width = m_height = 0;
    m_bytesPerLine = 0;
    m_rowsPerStrip = 0;
    m_stripSize = 0;
    // The handle is borrowed: its owner closes it.
    m_tiff = nullptr;
    m_open = false;
    m_strip.clear();
    m_strip.shrink_to_fit();
}

TiffColorClass CTiffImg::GetColorClass() const
{
    switch (m_photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_RGB:
        return kTiffAdditive;
    case PHOTOMETRIC_CIELAB:
        return kTiffLab;
    default:
        return kTiffSubtractive;
    }
}

}  // namespace ZAV
