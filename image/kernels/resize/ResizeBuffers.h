// Working rows of the resize kernels: doubles for one interpolated row, and
// bytes that can be filled with one value. Both report a failed allocation
// through IsValid instead of throwing.
#pragma once

#include "platform/WinTypes.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace ZAV {

// n zeroed values; none for n < 1.
template <class T>
class CZeroedBuffer {
public:
    explicit CZeroedBuffer(int64_t n)
        : m_count(n > 0 ? n : 0), m_values(m_count ? new (std::nothrow) T[m_count]() : nullptr)
    {
    }
    bool IsValid() const { return m_count == 0 || m_values; }
    int64_t GetCount() const { return m_count; }
    T* GetData() { return m_values.get(); }
    T& operator[](int64_t i) { return m_values[i]; }

private:
    int64_t m_count;
    std::unique_ptr<T[]> m_values;
};

class CDoubleBuffer : public CZeroedBuffer<double> {
public:
    using CZeroedBuffer<double>::CZeroedBuffer;
};

class CByteFillBuffer : public CZeroedBuffer<BYTE> {
public:
    using CZeroedBuffer<BYTE>::CZeroedBuffer;
    void Fill(BYTE value)
    {
        if (GetData())
            std::memset(GetData(), value, static_cast<size_t>(GetCount()));
    }
};

}  // namespace ZAV
