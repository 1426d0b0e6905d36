// The encoding side of the JPEG 2000 plug-in: drives kvw_jp2's compression
// for 8-bit and 24-bit pictures with the settings last given by
// JPEG2000Settings, including the metadata record's boxes and rectangles.
#pragma once

#include <array>
#include <vector>

#include "formats/filter/FilterSteps.h"
#include "outside/kvw_jp2/kvw_jp2.h"

namespace ZAV {

// The save settings as the writer applies them.
struct Jpeg2000WriteSettings {
    int32_t values[9];
    double rate;
    double bitRate;
    int32_t fileSize;
    const Jpeg2000MetadataRecord* metadata;
};

// The target size in bytes the settings ask for, 0 for none; throws on
// settings that exclude each other or are negative.
uint64_t Jpeg2000TargetSize(const Jpeg2000WriteSettings& settings, uint32_t width, uint32_t height,
                            uint32_t components);

// 16 bytes from 32 hexadecimal digits; any other text gives zeros.
std::array<uint8_t, 16> ParseJpeg2000Uuid(const std::string& text);

// True when the palette is the 256-entry grey ramp (entry i = i, i, i).
bool IsGreyRamp(const uint8_t* palette, uint32_t paletteBytes);

class Jpeg2000Writer {
public:
    Jpeg2000Writer(CDataSource& target, const FilterSavePixels& pixels, const Jpeg2000WriteSettings& settings);
    ~Jpeg2000Writer();
    Jpeg2000Writer(const Jpeg2000Writer&) = delete;
    Jpeg2000Writer& operator=(const Jpeg2000Writer&) = delete;

    void Write();

    // The codec's input callback, through a static trampoline.
    int32_t FillSamples(uint8_t* destination, uint32_t component, uint32_t row, uint32_t column, uint32_t count) const;

private:
    void Describe();
    void SetMetadata();
    void SetRegions();
    void SetPicture();
    void SetColourSpace();
    void SetCoding();
    void SetProp(int32_t id, intptr_t value);

    CDataSource& m_target;
    const FilterSavePixels& m_pixels;
    const Jpeg2000WriteSettings& m_settings;
    JP2_Comp_Handle m_handle = nullptr;
    uint32_t m_components = 0;
    uint64_t m_targetSize = 0;
    int32_t m_wavelet = 0;
};

}  // namespace ZAV
