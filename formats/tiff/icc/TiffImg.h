// CTiffImg: reads the rows of an open TIFF directory strip by strip for the
// ICC colour conversion. The handle is borrowed and stays open.
#pragma once

#include <cstdint>
#include <tiffio.h>
#include <vector>

namespace ZAV {

// How a photometric value's samples add up to a colour.
enum TiffColorClass { kTiffAdditive = 0, kTiffSubtractive = 1, kTiffLab = 2 };

class CTiffImg {
public:
    CTiffImg() = default;
    virtual ~CTiffImg();
    CTiffImg(const CTiffImg&) = delete;
    CTiffImg& operator=(const CTiffImg&) = delete;

    // Reads the directory's layout. Throws CTextException for planar or
    // rotated data, a strip layout without rows, or no memory for a strip.
    void Attach(TIFF* tiff);
    // The next row into the destination (bytes per line): 1, 0 when not
    // open or past the last row, negative when its strip cannot be read in
    // full.
    int ReadLine(uint8_t* destination);
    void Close();

    uint32_t GetWidth() const { return m_width; }
    uint32_t GetHeight() const { return m_height; }
    uint16_t GetBitsPerSample() const { return m_bitsPerSample; }
    uint16_t GetPhotometric() const { return m_photometric; }
    uint16_t GetSamplesPerPixel() const { return m_samplesPerPixel; }
    float GetXResolution() const { return m_xResolution; }
    float GetYResolution() const { return m_yResolution; }
    size_t GetBytesPerLine() const { return m_bytesPerLine; }
    TiffColorClass GetColorClass() const;

private:
    void ReadLayout();
    int LoadStrip(uint32_t strip);

    TIFF* m_tiff = nullptr;
    bool m_open = false;
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint16_t m_bitsPerSample = 0;
    uint16_t m_photometric = 0;
    uint16_t m_samplesPerPixel = 0;
    float m_xResolution = 0;
    float m_yResolution = 0;
    size_t m_bytesPerLine = 0;
    uint32_t m_rowsPerStrip = 0;
    int64_t m_stripSize = 0;
    std::vector<uint8_t> m_strip;
    uint32_t m_nextRow = 0;
    int64_t m_loadedStrip = -1;
};

}  // namespace ZAV
