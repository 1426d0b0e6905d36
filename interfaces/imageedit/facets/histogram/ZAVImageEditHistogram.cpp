#include "interfaces/imageedit/facets/histogram/ZAVImageEditHistogram.h"

#include <vector>

#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

constexpr int32_t kDefaultChartHeight = 100;
// Charts stand one pixel row apart.
constexpr int32_t kChartGap = 1;
constexpr double kOpaque = 100.0;
constexpr int kFastOverlay = 1;
// The chart is grey: its colour conversion needs no dithering or palette.
constexpr int32_t kNoDithering = 0;
constexpr int32_t kNoPaletteFlag = 0;

struct CImageHistograms {
    std::vector<uint32_t> gray, red, green, blue;
};

CImageHistograms HistogramsOf(CZAVImg& image)
{
    CImageHistograms histograms;
    int entries = 0;
    image.GetHistogram(histograms.gray, histograms.red, histograms.green, histograms.blue, entries);
    return histograms;
}

CArraySimple<int32_t, 2> ToArray(const std::vector<uint32_t>& counts)
{
    // An image holds fewer than 2^31 bytes (the image ceiling), so every
    // count fits 32 bits.
    return CArraySimple<int32_t, 2>(std::vector<int32_t>(counts.begin(), counts.end()));
}

// Draws one chart at (0, top) of the image, through a work object released
// on every path; gives the chart's height.
int32_t DrawChart(CZAVImageEdit& target, const std::vector<uint32_t>& counts, int32_t height, int32_t top)
{
    CZAVPtr<IZAVImageEditSp> work = CreateImageEditSp();
    CZAVInt32Array values = ToArray(counts);
    work->CreateHistogramImage(values, height);
    if (target.GetImage().GetBitsPerPixel() == 24)
        work->GetColor()->ConvertBitDepth(24, kNoDithering, kNoPaletteFlag);
    target.OverlayBlended(work.Get(), 0, top, kOpaque, kFastOverlay);
    return work->GetHeight();
}

}  // namespace

CArraySimple<int32_t, 2> CZAVImageEditHistogram::GetGrayHistogram()
{
    return ToArray(HistogramsOf(m_owner->GetImage()).gray);
}

void CZAVImageEditHistogram::GetHistograms(CArraySimple<int32_t, 2>& gray, CArraySimple<int32_t, 2>& red,
                                           CArraySimple<int32_t, 2>& green, CArraySimple<int32_t, 2>& blue)
{
    const CImageHistograms histograms = HistogramsOf(m_owner->GetImage());
    gray = ToArray(histograms.gray);
    red = ToArray(histograms.red);
    green = ToArray(histograms.green);
    blue = ToArray(histograms.blue);
}

void CZAVImageEditHistogram::DrawHistograms(int32_t height, int32_t allChannels)
{
    const int32_t chartHeight = height > 0 ? height : kDefaultChartHeight;
    const CImageHistograms histograms = HistogramsOf(m_owner->GetImage());
    std::vector<const std::vector<uint32_t>*> charts = {&histograms.gray};
    if (allChannels != 0 && m_owner->GetImage().GetBitsPerPixel() == 24)
        charts.insert(charts.end(), {&histograms.red, &histograms.green, &histograms.blue});
    int32_t top = 0;
    for (const std::vector<uint32_t>* counts : charts)
        top += DrawChart(*m_owner, *counts, chartHeight, top) + kChartGap;
}

}  // namespace ZAV
