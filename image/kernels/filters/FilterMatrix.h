// A caller's convolution matrix: cols x rows integer coefficients, each
// divided by the divisor. Normalize turns it into doubles once per call.
#pragma once

#include <cstdint>
#include <memory>

namespace ZAV {

class CFilterMatrix {
public:
    // The values are not copied: they must outlive the matrix.
    CFilterMatrix(const int32_t* values, int32_t divisor, int32_t cols, int32_t rows);
    ~CFilterMatrix() { Release(); }
    CFilterMatrix(const CFilterMatrix&) = delete;
    CFilterMatrix& operator=(const CFilterMatrix&) = delete;

    // Frees any earlier normalised array and builds values[i] / divisor.
    // Null for an even (or non-positive) width or height, a divisor of 0 or
    // no values.
    const double* Normalize();
    void Release();

    int32_t GetCols() const { return m_cols; }
    int32_t GetRows() const { return m_rows; }
    const double* GetNormalized() const { return m_normalised.get(); }

private:
    const int32_t* m_values;
    int32_t m_divisor;
    int32_t m_cols;
    int32_t m_rows;
    std::unique_ptr<double[]> m_normalised;
};

}  // namespace ZAV
