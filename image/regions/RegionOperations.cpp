// The image object's region operations: removal of small dots and the labelling of
// connected regions.
#include "foundation/text/TextException.h"
#include "image/kernels/SmallDotRemoval.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"
#include "image/regions/ImageLabeling.h"

namespace ZAV {

namespace {

CRegionRecord ToRecord(const CFeature& feature)
{
    CRegionRecord record;
    record.label = feature.label;
    record.value = feature.value;
    record.pixelCount = feature.pixelCount;
    record.edgePixelCount = feature.edgePixelCount;
    record.spareCount = feature.spareCount;
    record.left = feature.box.left;
    record.top = feature.box.top;
    record.right = feature.box.right;
    record.bottom = feature.box.bottom;
    return record;
}

}  // namespace

// Runs on a copy, so a cancel or a failure leaves the pixels as they were.
void CZAVImg::Despeckle(int tolerance, int dotSize)
{
    const int depth = m_bitsPerPixel;
    if (depth == 1)
        ThrowTextException("Requires 8bpp grayscale or 24bpp Image!");
    if (depth != 8 && depth != 24)
        ThrowTextException("Unsupported color format!");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    CDespeckle dotRemoval(GetNotification());
    const int result = dotRemoval.Despeckle(copy.GetData<BYTE>(), m_width, m_height, depth, tolerance, dotSize);
    if (!result)
        ThrowTextException(dotRemoval.GetErrorText().GetText());
    operation.Install(copy, m_width, m_height, depth);
}

void CZAVImg::LabelConnectedComponents(int tolerance, CRegionList& regions)
{
    regions.clear();
    const int depth = m_bitsPerPixel;
    if (depth == 1)
        ThrowTextException("Requires 8bpp grayscale Image!");
    if (depth != 8)
        ThrowTextException("Unsupported color format!");
    const BYTE* pixels = static_cast<const BYTE*>(GetImageDataChecked());
    CImageLabeling labeling(GetNotification());
    labeling.Label(pixels, m_width, m_height, 8, tolerance);
    labeling.CollectFeatures();
    CFeature** features = nullptr;
    int count = 0;
    labeling.GetFeatureArray(features, count);
    regions.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        regions.push_back(ToRecord(*features[i]));
}

}  // namespace ZAV
