// CDespeckle: removes speckles, small uniform regions of an 8- or 24-bit
// image, by repainting each with the nearest colour around it when that
// colour lies within the tolerance. Regions are 4-connected pixels of
// exactly the same value, found by an iterative scan-line flood, so a large
// region is always counted whole however it winds.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/IProgressNotification.h"
#include "foundation/text/String.h"
#include "platform/WinTypes.h"

namespace ZAV {

class CDespeckle {
public:
    explicit CDespeckle(IProgressNotification* sink = nullptr) : m_sink(sink) {}

    // Repaints, in place, every region of at most dotSize pixels whose
    // nearest surrounding colour differs by no more than the tolerance.
    // Throws CTextException for bad arguments and when the visited map can't
    // be had; returns 0 with "Operation canceled!" when the sink cancels.
    int Despeckle(BYTE* data, int width, int height, int depth, int tolerance, int dotSize);

    const String& GetErrorText() const { return m_errorText; }

private:
    struct Span {
        int y;
        int left;
        int right;
    };

    void CheckArguments(const BYTE* data, int width, int height, int depth, int tolerance, int dotSize) const;
    void AllocateVisitedMap();
    // Handles the region at pixel (x, y); true when it was repainted to join
    // a region not yet counted, so the pixel must be looked at again.
    bool ProcessRegion(int x, int y);
    // Counts the region through unvisited pixels, marking it counted; its
    // spans are kept while the count stays within the dot size.
    int64_t CountRegion(int x, int y, std::vector<Span>& spans);
    // The pixel around the spans nearest in colour; false when none differs.
    bool FindNearestNeighbour(const std::vector<Span>& spans, uint32_t colour, int64_t& best,
                              uint64_t& bestDistance) const;
    void ConsiderCandidate(int x, int y, uint32_t colour, int64_t& best, uint64_t& bestDistance) const;
    void PaintSpans(const std::vector<Span>& spans, uint32_t colour);
    void MarkSpans(const std::vector<Span>& spans, BYTE mark);

    int64_t Offset(int x, int y) const { return static_cast<int64_t>(y) * m_width + x; }
    uint32_t ColourAt(int64_t offset) const;
    uint64_t ColourDistance(uint32_t a, uint32_t b) const;

    BYTE* m_data = nullptr;
    std::vector<BYTE> m_visited;
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerPixel = 0;
    int m_tolerance = 0;
    int m_largestDot = 0;
    IProgressNotification* m_sink = nullptr;
    String m_errorText;
};

}  // namespace ZAV
