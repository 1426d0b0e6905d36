// CImageLabeling: finds the 8-connected regions of an 8- or 24-bit image
// whose neighbouring pixels match within a tolerance, gives each region one
// label and gathers a feature record per label.
//
// Every pixel is labelled, the border included: neighbours outside the image
// are skipped, so a region touching the border is counted whole. Labels of
// the first pass that turn out to meet are joined in a union-find forest;
// a joined group ends with the number -n (n counting on from the first
// pass's labels), a region never joined keeps its first-pass number.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/IProgressNotification.h"
#include "foundation/text/String.h"
#include "image/regions/Feature.h"
#include "image/regions/LabelEquivalences.h"
#include "platform/WinTypes.h"

namespace ZAV {

class CKernelProgress;

class CImageLabeling {
public:
    explicit CImageLabeling(IProgressNotification* sink = nullptr) : m_sink(sink) {}
    ~CImageLabeling();
    CImageLabeling(const CImageLabeling&) = delete;
    CImageLabeling& operator=(const CImageLabeling&) = delete;

    // Depth 8 or 24 ("Invalid colordepth!"), tolerance >= 0 ("Invalid color
    // tolerance!"). Throws CTextException, also "Operation canceled!" when
    // the sink cancels and "Out of memory!" when the label map can't be had.
    void Label(const BYTE* data, int width, int height, int depth, int tolerance);
    // One CFeature per label of the last Label; throws as Label does.
    void CollectFeatures();
    // Every feature of the hash, its box put in order; the array stays owned
    // by this object until the next call.
    void GetFeatureArray(CFeature**& features, int& count);
    void DeleteFeatureLists();

    const String& GetErrorText() const { return m_errorText; }
    // The label of pixel (x, y) after Label.
    int32_t LabelAt(int x, int y) const { return m_labels[Offset(x, y)]; }

private:
    struct Neighbour {
        int dx;
        int dy;
    };
    static const Neighbour kNeighbours[8];

    void CheckArguments(int depth, int tolerance) const;
    void AllocateLabelMap();
    void FirstPass();
    void LabelPixel(int x, int y);
    // The neighbours inside the image that match the pixel, in kNeighbours'
    // order; the count of them.
    int MatchingNeighbours(int x, int y, size_t (&offsets)[8]) const;
    void Relabel();
    void CountPixel(int x, int y);
    void ReportRow(CKernelProgress& progress, int y);

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    size_t Offset(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(m_width) + x; }
    bool Matches(size_t a, size_t b) const;
    int32_t ValueAt(size_t offset) const;
    int32_t TakeNextLabel();

    const BYTE* m_data = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerPixel = 1;
    int m_tolerance = 0;
    std::vector<int32_t> m_labels;
    IProgressNotification* m_sink = nullptr;
    String m_errorText;
    int32_t m_nextLabel = 1;
    CLabelEquivalences m_equivalences;
    TFeatureHash m_features;
    std::vector<CFeature*> m_featureArray;
};

}  // namespace ZAV
