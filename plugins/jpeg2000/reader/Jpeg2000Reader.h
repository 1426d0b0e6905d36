// The decoding side of the JPEG 2000 plug-in: drives kvw_jp2's decompression
// and turns the samples it delivers into the host's pixel layout (8 or 24
// bits per pixel, 16 or 48 when more than 8 bits per component stay), with a
// palette, the resolution and the file's metadata as image information.
#pragma once

#include <vector>

#include "formats/filter/FilterSteps.h"
#include "outside/kvw_jp2/kvw_jp2.h"

namespace ZAV {

class CNameVariantPairs;

class Jpeg2000Reader {
public:
    Jpeg2000Reader(CDataSource& source, CNameVariantPairs* properties, int32_t keep8Bits);
    ~Jpeg2000Reader();
    Jpeg2000Reader(const Jpeg2000Reader&) = delete;
    Jpeg2000Reader& operator=(const Jpeg2000Reader&) = delete;

    // The file's facts alone.
    void ReadFacts(FilterImageInfo* info);
    // The whole picture into new global blocks.
    void Load(FilterLoadedPicture& picture);

    // The codec's output callback, through a static trampoline.
    int32_t TakeSamples(const uint8_t* samples, uint32_t component, uint32_t row, uint32_t column, uint32_t count);

private:
    void Describe(FilterImageInfo* info);
    void Start();
    void ReadComponents();
    void ReadColourSpace();
    void ReadYccLayout();
    void MapIccSpace();
    void ChooseComponentsPerPixel();
    void BuildPositionMap();
    void ReadDimensions();
    void ReadResolutions();
    int32_t BitsPerPixel() const;
    void ReportFacts(FilterImageInfo* info);
    void ReportMetadata();
    void AllocatePixels();
    void Decode();
    void PostProcess();
    void ConvertYcc(uint8_t* pixels, uint64_t pixelCount) const;
    void ConvertLab(uint8_t* pixels, uint64_t pixelCount);
    void ConvertCmyk(uint8_t* pixels, uint64_t pixelCount);
    void FinishDepth(uint8_t* pixels, uint64_t pixelCount);
    void ResizePixels(uint64_t bytes);
    void MakePalette(FilterLoadedPicture& picture);
    void End();

    CDataSource& m_source;
    CNameVariantPairs* m_properties;
    int32_t m_keep8Bits;
    JP2_Decomp_Handle m_handle = nullptr;
    int32_t m_components = 0;
    int32_t m_first = 0;
    int32_t m_last = 0;
    int32_t m_perPixel = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_bits = 0;
    int32_t m_signed = 0;
    int32_t m_colourSpace = 0;
    const JP2_Palette* m_palette = nullptr;
    int32_t m_yccMode = 0;
    const JP2_Channel_Def* m_channelDefs = nullptr;
    uint32_t m_channelDefCount = 0;
    std::vector<int32_t> m_positions;
    double m_captureX = 0, m_captureY = 0, m_displayX = 0, m_displayY = 0;
    HGLOBAL m_pixels = nullptr;
    uint64_t m_pixelBytes = 0;
    uint8_t* m_lockedPixels = nullptr;
};

}  // namespace ZAV
