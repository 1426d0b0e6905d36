// Small holders of the DIB bridge.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <memory>

namespace ZAV {

// n bytes, or none for n < 1; freed with the holder.
class CByteBuffer {
public:
    explicit CByteBuffer(int64_t size)
    {
        if (size >= 1) {
            m_bytes.reset(new (std::nothrow) BYTE[static_cast<size_t>(size)]());
            m_size = m_bytes ? size : 0;
        }
    }
    void Free()
    {
        m_bytes.reset();
        m_size = 0;
    }
    int64_t GetSize() const { return m_size; }
    BYTE* GetData() const { return m_bytes.get(); }

private:
    int64_t m_size = 0;
    std::unique_ptr<BYTE[]> m_bytes;
};

// A GDI palette handle shared by reference count: deleted with the last
// holder when owned, left alone when borrowed.
class CSharedPaletteHandle {
public:
    void Own(HPALETTE palette);
    void Borrow(HPALETTE palette);
    void Reset() { m_palette.reset(); }
    HPALETTE Get() const { return m_palette.get(); }

private:
    std::shared_ptr<void> m_palette;
};

}  // namespace ZAV
