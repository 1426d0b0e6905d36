#include "image/shadow/ShadowBuilders.h"

#include <algorithm>
#include <cstdlib>

namespace ZAV {

namespace {

constexpr int kGrayDepth = 8;
constexpr int kRandomBytes = 256;
constexpr int kPercent = 100;

ShadowImagePtr WorkCopy(IShadowImage& source)
{
    ShadowImagePtr copy = CreateShadowWorkImage();
    copy->CopyFrom(source);
    return copy;
}

}  // namespace

ShadowImagePtr CMaskCreator::Create(IShadowImage& mask)
{
    m_image = WorkCopy(mask);
    m_image->Soften(kMaskGrowthStrength);
    return m_image;
}

ShadowImagePtr CShadowEffects::Build(IShadowImage& preparedMask, const CBaseContour& contour, int effectSize, int noise)
{
    ShadowImagePtr softened = WorkCopy(preparedMask);
    softened->Soften(kSoftenStrength);
    ShadowImagePtr shape = softened;
    if (effectSize >= kMinimumContourSize && effectSize <= kMaximumContourSize) {
        shape = WorkCopy(*softened);
        shape->CreateContourImage(effectSize, contour.GetProfile(), contour.GetCount());
    }
    ShadowImagePtr effect = CreateShadowWorkImage();
    const int width = preparedMask.GetWidth();
    const int height = preparedMask.GetHeight();
    effect->Create(width, height, kGrayDepth);
    effect->FillRectangle(0, 0, width, height, 0);
    effect->OverlayWithMask(*shape, *softened, 0, 0);
    effect->AdvancedFilter(kAdvancedFilterValue);
    AddNoise(*effect, noise);
    m_image = effect;
    return m_image;
}

void CShadowEffects::AddNoise(IShadowImage& image, int noise)
{
    if (noise <= 0)
        return;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((std::rand() & 1) == 0)
                continue;
            const int value = image.GetPixel8(x, y);
            if (value == 0)
                continue;
            const int t = (std::rand() % kRandomBytes) * noise / kPercent;
            // A noise above 100 % could reach past a byte; it stops at white.
            image.SetPixel8(x, y, static_cast<BYTE>(std::min(std::abs(value - t), kRandomBytes - 1)));
        }
    }
}

}  // namespace ZAV
