// Palette polarity of bi-level images, the histogram bar chart and tone
// curves for look-up tables.
#include "image/operations/ToneOperations.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/kernels/ToneCurve.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kHistogramEntries = 256;
constexpr uint32_t kBlackEntry = 0x00000000;
constexpr uint32_t kWhiteEntry = 0x00FFFFFF;

int EntryBrightness(uint32_t entry)
{
    return static_cast<int>((entry & 0xFF) + ((entry >> 8) & 0xFF) + ((entry >> 16) & 0xFF));
}

// At least two entries and entry 0 brighter than entry 1.
bool IsInvertedPalette(const CImagePalette& palette)
{
    return palette.GetCount() >= 2 &&
           EntryBrightness(palette.GetEntries()[0]) > EntryBrightness(palette.GetEntries()[1]);
}

}  // namespace

void CZAVImg::SetMinIsBlack()
{
    if (!IsInvertedPalette(m_palette))
        return;
    InvertImage();
    m_palette.SetEntry(0, kBlackEntry);
    m_palette.SetEntry(1, kWhiteEntry);
}

void CZAVImg::SetMinIsWhite()
{
    if (IsInvertedPalette(m_palette))
        return;
    InvertImage();
    m_palette.SetEntry(0, kWhiteEntry);
    m_palette.SetEntry(1, kBlackEntry);
}

void CZAVImg::CreateHistogramImage(const uint32_t* values, int count, int height)
{
    if (count != kHistogramEntries || !values)
        ThrowTextException("Histogram array size has to be 256!");
    const int64_t size = CalcImageSize(kHistogramEntries, height, 8);
    if (height <= 0 || size <= 0)
        ThrowTextException("Invalid Size!");
    CGlobalMemBlock block;
    BYTE* pixels = static_cast<BYTE*>(block.Alloc(GPTR, size));
    std::fill(pixels, pixels + size, BYTE(255));
    const uint32_t largest = *std::max_element(values, values + kHistogramEntries);
    // An all-zero histogram draws no bars: a blank chart, no division by 0.
    const double scale = largest ? static_cast<double>(height) / largest : 0.0;
    for (int column = 0; column < kHistogramEntries; ++column) {
        const int length = std::min(height, static_cast<int>(std::lround(values[column] * scale)));
        for (int row = height - length; row < height; ++row)
            pixels[static_cast<int64_t>(row) * kHistogramEntries + column] = 0;
    }
    Attach(block, size, kHistogramEntries, height, 8);
}

int InterpolateCurve(const int* controlPercent, int controlCount, int* table, int tableSize, int smooth)
{
    std::vector<int> controls(controlPercent, controlPercent + controlCount);
    for (int& control : controls)
        if (control != kUnsetCurveControl)
            control = std::clamp(static_cast<int>(std::lround(control / 100.0 * 255.0)), 0, 255);
    CCurveBuilder builder;
    const int result = smooth ? builder.BuildCurveSmooth(controls.data(), controlCount, table, tableSize)
                              : builder.BuildCurveLinear(controls.data(), controlCount, table, tableSize);
    if (!result)
        ThrowTextException(builder.GetErrorText().GetText());
    // The table stands as built: reversing it would turn an identity curve
    // into an inversion.
    for (int i = 0; i < tableSize; ++i)
        if (table[i] != kUnsetCurveControl)
            table[i] = std::clamp(table[i], 0, 255);
    return 1;
}

}  // namespace ZAV
