// Working rows of the resize kernels: doubles for one interpolated row, and
// bytes that can be filled with one value. Both report a failed allocation
// through IsValid instead of throwing.
#pragma once

#include "platform/WinTypes.h"

#include <cstring>
#include <memory>
#include <new>

namespace ZAV {

class CDoubleBuffer {
public:
    // n doubles, zeroed; none for n < 1.
    explicit CDoubleBuffer(int64_t n)
        : m_count(n > 0 ? n : 0), m_values(m_count ? new (std::nothrow) double[m_count]() : nullptr)
    {
    }
    bool IsValid() const { return m_count == 0 || m_values; }
    int64_t GetCount() const { return m_count; }
    double* GetData() { return m_values.get(); }
    double& operator[](int64_t i) { return m_values[i]; }

private:
    int64_t m_count;
    std::unique_ptr<double[]> m_values;
};

class CByteFillBuffer {
public:
    explicit CByteFillBuffer(int64_t n)
        : m_count(n > 0 ? n : 0), m_bytes(m_count ? new (std::nothrow) BYTE[m_count]() : nullptr)
    {
    }
    bool IsValid() const { return m_count == 0 || m_bytes; }
    int64_t GetCount() const { return m_count; }
    BYTE* GetData() { return m_bytes.get(); }
    void Fill(BYTE value)
    {
        if (m_bytes)
            std::memset(m_bytes.get(), value, static_cast<size_t>(m_count));
    }

private:
    int64_t m_count;
    std::unique_ptr<BYTE[]> m_bytes;
};

}  // namespace ZAV
