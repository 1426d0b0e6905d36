#include "interfaces/imageedit/facets/filter/ZAVImageEditFilter.h"

#include <vector>

#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

void CZAVImageEditFilter::Sharpen(int32_t strength)
{
    m_owner->GetImage().Sharpen(strength);
}

void CZAVImageEditFilter::Blur(int32_t strength)
{
    m_owner->GetImage().Blur(strength);
}

void CZAVImageEditFilter::Median()
{
    m_owner->GetImage().Median();
}

void CZAVImageEditFilter::Soften(int32_t strength)
{
    m_owner->GetImage().Soften(strength);
}

void CZAVImageEditFilter::GaussianBlur()
{
    m_owner->GetImage().GaussianBlur();
}

void CZAVImageEditFilter::ApplyUserMatrix(const CArraySimple<int32_t, 2>& values, int32_t columns, int32_t rows,
                                          int32_t divisor, int32_t strength, int32_t addToSource,
                                          int32_t subtractFromSource)
{
    // A copy of its own, so the caller's array is never read while the
    // image works.
    const std::vector<int32_t> matrix(values.GetData(), values.GetData() + values.GetSize());
    m_owner->GetImage().ApplyUserMatrix(matrix.data(), static_cast<int>(matrix.size()), divisor, columns, rows,
                                        strength, addToSource != 0, subtractFromSource != 0);
}

}  // namespace ZAV
