// The operations that hand their arguments to the image, or to the advanced
// image-processing object when the image asks for it.
#include "interfaces/imageedit/facets/processing/ZAVImageEditImageProcessing.h"

#include <vector>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/routes/AdvancedRoutes.h"

namespace ZAV {

namespace {

constexpr int32_t kLookupTableEntries = 256;
// label, value, pixel count, edge pixel count, spare count, left, top,
// right, bottom.
constexpr int32_t kValuesPerRegion = 9;

CArraySimple<double, 3> RegionValues(const CRegionList& regions)
{
    std::vector<double> values;
    values.reserve(regions.size() * kValuesPerRegion);
    for (const CRegionRecord& region : regions) {
        const double record[kValuesPerRegion] = {double(region.label),
                                                 double(region.value),
                                                 double(region.pixelCount),
                                                 double(region.edgePixelCount),
                                                 double(region.spareCount),
                                                 region.left,
                                                 region.top,
                                                 region.right,
                                                 region.bottom};
        values.insert(values.end(), record, record + kValuesPerRegion);
    }
    return CArraySimple<double, 3>(values);
}

}  // namespace

void CZAVImageEditImageProcessing::Resize(int32_t width, int32_t height, int32_t interpolate)
{
    if (UsesAdvancedImgProc(*m_owner))
        return ResizeThroughAdvanced(*m_owner, width, height, interpolate);
    m_owner->GetImage().Resize(width, height, interpolate != 0);
}

void CZAVImageEditImageProcessing::Rotate(double degrees)
{
    if (UsesAdvancedImgProc(*m_owner))
        return RotateThroughAdvanced(*m_owner, degrees);
    m_owner->GetImage().Rotate(degrees);
}

void CZAVImageEditImageProcessing::RotateWithResolution(double degrees)
{
    m_owner->GetImage().RotateWithResolution(degrees);
}

void CZAVImageEditImageProcessing::FlipHorizontal()
{
    if (UsesAdvancedImgProc(*m_owner))
        return FlipHorizontalThroughAdvanced(*m_owner);
    m_owner->GetImage().FlipHorizontal();
}

void CZAVImageEditImageProcessing::FlipVertical()
{
    if (UsesAdvancedImgProc(*m_owner))
        return FlipVerticalThroughAdvanced(*m_owner);
    m_owner->GetImage().FlipVertical();
}

void CZAVImageEditImageProcessing::AdjustBrightnessContrast(double brightness, double contrast)
{
    m_owner->GetImage().AdjustBrightnessContrast(brightness, contrast);
}

void CZAVImageEditImageProcessing::InvertImage()
{
    if (UsesAdvancedImgProc(*m_owner))
        return InvertThroughAdvanced(*m_owner);
    m_owner->GetImage().InvertImage();
}

void CZAVImageEditImageProcessing::CreateContourImage(int32_t size, const CArraySimple<unsigned char, 1>& profile)
{
    m_owner->GetImage().CreateContourImage(size, profile.GetData(), profile.GetSize());
}

void CZAVImageEditImageProcessing::ApplyLookupTable(const CArraySimple<unsigned char, 1>& table)
{
    // The image reads 256 entries whatever it is given.
    if (table.GetSize() != kLookupTableEntries)
        ThrowTextException("Invalid lookuptable size! 256 entries expected.");
    m_owner->GetImage().ApplyLookupTable(table.GetData());
}

void CZAVImageEditImageProcessing::AutoLevels(double lowPercent, double highPercent)
{
    m_owner->GetImage().AutoLevels(lowPercent, highPercent);
}

void CZAVImageEditImageProcessing::AutoContrast(double lowPercent, double highPercent)
{
    m_owner->GetImage().AutoContrast(lowPercent, highPercent);
}

void CZAVImageEditImageProcessing::AdaptiveThreshold(int32_t windowWidth, int32_t windowHeight, int32_t offset)
{
    m_owner->GetImage().AdaptiveThreshold(windowWidth, windowHeight, offset);
}

void CZAVImageEditImageProcessing::Despeckle(int32_t tolerance, int32_t dotSize)
{
    m_owner->GetImage().Despeckle(tolerance, dotSize);
}

CZAVPtr<IZAVArrayDoubleSp> CZAVImageEditImageProcessing::LabelConnectedComponents(int32_t tolerance)
{
    CRegionList regions;
    m_owner->GetImage().LabelConnectedComponents(tolerance, regions);
    return CreateArrayDoubleSp(RegionValues(regions));
}

}  // namespace ZAV
