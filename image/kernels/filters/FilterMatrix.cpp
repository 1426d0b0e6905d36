#include "image/kernels/filters/FilterMatrix.h"

#include <new>

namespace ZAV {

CFilterMatrix::CFilterMatrix(const int32_t* values, int32_t divisor, int32_t cols, int32_t rows)
    : m_values(values), m_divisor(divisor), m_cols(cols), m_rows(rows)
{
}

const double* CFilterMatrix::Normalize()
{
    Release();
    // Odd sides keep the centre on a pixel; the matrix stays centred.
    if (!m_values || m_divisor == 0 || m_cols < 1 || m_rows < 1 || m_cols % 2 == 0 || m_rows % 2 == 0)
        return nullptr;
    const size_t count = static_cast<size_t>(m_cols) * static_cast<size_t>(m_rows);
    m_normalised.reset(new (std::nothrow) double[count]());
    if (!m_normalised)
        return nullptr;
    for (size_t i = 0; i < count; ++i)
        m_normalised[i] = static_cast<double>(m_values[i]) / m_divisor;
    return m_normalised.get();
}

void CFilterMatrix::Release()
{
    m_normalised.reset();
}

}  // namespace ZAV
