// Tone curves: a table of m entries (256 for a look-up table) built from n
// control values, where -1 marks a control that is not set. The linear form
// joins the set controls with straight segments, the smooth form with cubic
// Bezier segments.
#pragma once

#include <vector>

#include "foundation/text/String.h"

namespace ZAV {

// The value of a control that is not set.
constexpr int kUnsetCurveControl = -1;

struct CCurvePoint {
    double x = 0.0;
    double y = 0.0;
};

class CCurveBuilder {
public:
    // Control i becomes the point (trunc(i * 255 / (n - 1)), value).
    int BuildCurveLinear(const int* controls, int controlCount, int* table, int tableSize);
    // Control i becomes the point (i, value).
    int BuildCurveSmooth(const int* controls, int controlCount, int* table, int tableSize);

    // "Invalid Parameter!" after a 0.
    const String& GetErrorText() const { return m_errorText; }

private:
    int BuildCurve(const int* controls, int controlCount, int* table, int tableSize, bool smooth);
    // The set controls as points; false (with the error text) when there
    // is no table to fill or no control is set.
    bool CollectPoints(const int* controls, int controlCount, bool scaled, int* table, int tableSize,
                       std::vector<CCurvePoint>& points);

    String m_errorText;
};

}  // namespace ZAV
