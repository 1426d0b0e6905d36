// Two-pass colour quantizer after the published one of the Independent JPEG
// Group: pass one counts every pixel in a 5/6/5-bit histogram, median cut
// chooses the palette, pass two maps each pixel through an inverse colour
// map filled box by box as it is needed, plainly or with serpentine
// Floyd-Steinberg limited by the error-limit table.
#pragma once

#include "image/kernels/quantize/OnePassQuantizer.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CTwoPassQuantizer {
public:
    CTwoPassQuantizer();

    // At most maxColors (2..256) colours; any dither request is
    // Floyd-Steinberg. Throws CTextException "Error 2-pass quantizer!...".
    void Setup(int maxColors, int ditherMode, int width);
    // Pass one: counts a row of width R, G, B pixels.
    void CountRow(const BYTE* rgb);
    // Median cut over what was counted.
    void ChoosePalette();
    // Pass two: maps a row to palette indices, rows top to bottom.
    void MapRow(const BYTE* rgb, BYTE* out);

    int GetColorCount() const { return m_colorCount; }
    // Component 0 red, 1 green, 2 blue of palette entry index.
    BYTE GetColor(int component, int index) const;

private:
    struct Box {
        int min[3];
        int max[3];
        int64_t volume;
        int64_t cellCount;
    };

    uint16_t& Cell(int c0, int c1, int c2);
    void StartMapping();
    void ShrinkBox(Box& box);
    int SplitBoxes(std::vector<Box>& boxes);
    void AverageColor(const Box& box, int index);
    int FindCachedIndex(int c0, int c1, int c2);
    void FillInverseMapBox(int c0, int c1, int c2);
    void MapRowPlain(const BYTE* rgb, BYTE* out);
    void MapRowFloydSteinberg(const BYTE* rgb, BYTE* out);

    int m_maxColors = 0;
    bool m_dither = false;
    int m_width = 0;
    std::vector<uint16_t> m_histogram;
    bool m_histogramCounts = true;  // false once it serves as the inverse map
    int m_colorCount = 0;
    std::vector<BYTE> m_colormap[3];
    std::vector<int> m_errors;
    std::vector<int> m_errorLimit;  // indexed by error + 255
    bool m_oddRow = false;
};

}  // namespace ZAV
