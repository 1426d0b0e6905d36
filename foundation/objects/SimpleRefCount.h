// CSimpleRefCount: a plain use count for objects whose owner decides when
// they go (the count never deletes anything itself).
#pragma once

#include <cstdint>

namespace ZAV {

class CSimpleRefCount {
public:
    CSimpleRefCount() : m_refCount(0) {}

    // Each returns the count after the change.
    int32_t AddRef() { return ++m_refCount; }
    int32_t Release() { return --m_refCount; }
    int32_t GetRefCount() const { return m_refCount; }

protected:
    int32_t m_refCount;
};

}  // namespace ZAV
