// The feature pass of the labelling and the hand-out of its records.
#include <algorithm>
#include <new>

#include "foundation/text/TextException.h"
#include "image/kernels/KernelProgress.h"
#include "image/regions/ImageLabeling.h"

namespace ZAV {

void CImageLabeling::CollectFeatures()
{
    if (m_labels.empty())
        ThrowTextException("Invalid Parameter!");
    DeleteFeatureLists();
    // One and a half buckets a label keeps the chains short; the labels
    // handed out bound it, never the pixel count.
    const int64_t buckets = std::max<int64_t>(static_cast<int64_t>(m_nextLabel) * 3 / 2, 1);
    m_features.Resize(static_cast<uint32_t>(buckets));
    CKernelProgress progress(m_sink, m_errorText);
    for (int y = 0; y < m_height; ++y) {
        ReportRow(progress, y);
        for (int x = 0; x < m_width; ++x)
            CountPixel(x, y);
    }
}

void CImageLabeling::CountPixel(int x, int y)
{
    const size_t here = Offset(x, y);
    const int32_t label = m_labels[here];
    if (label == 0)
        return;
    CFeature*& feature = m_features.FindOrInsert(label);
    if (!feature) {
        feature = new (std::nothrow) CFeature;
        if (!feature) {
            m_features.Remove(label);
            ThrowTextException("Out of memory!");
        }
        feature->label = label;
        feature->value = ValueAt(here);
    }
    ++feature->pixelCount;
    for (const Neighbour& n : kNeighbours) {
        if (Inside(x + n.dx, y + n.dy) && m_labels[Offset(x + n.dx, y + n.dy)] != label) {
            ++feature->edgePixelCount;
            break;
        }
    }
    feature->box.AddPoint(x, y);
}

void CImageLabeling::GetFeatureArray(CFeature**& features, int& count)
{
    m_featureArray.clear();
    m_featureArray.reserve(static_cast<size_t>(m_features.GetCount()));
    TFeatureHash::Position position = TFeatureHash::BeforeFirst;
    int32_t label = 0;
    CFeature* feature = nullptr;
    while (m_features.GetNextAssoc(position, label, feature)) {
        CBoundingBox& box = feature->box;
        if (box.left > box.right)
            std::swap(box.left, box.right);
        if (box.top > box.bottom)
            std::swap(box.top, box.bottom);
        m_featureArray.push_back(feature);
    }
    features = m_featureArray.data();
    count = static_cast<int>(m_featureArray.size());
}

void CImageLabeling::DeleteFeatureLists()
{
    TFeatureHash::Position position = TFeatureHash::BeforeFirst;
    int32_t label = 0;
    CFeature* feature = nullptr;
    while (m_features.GetNextAssoc(position, label, feature))
        delete feature;
    m_features.RemoveAll();
    m_featureArray.clear();
}

}  // namespace ZAV
