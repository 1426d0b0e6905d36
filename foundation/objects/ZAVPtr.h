// CZAVPtr: the holder callers keep an interface pointer in. When it owns
// its pointer it holds one reference and releases it when it goes.
#pragma once

#include <cstdint>
#include <utility>

namespace ZAV {

template <class I>
class CZAVPtr {
public:
    // An empty holder.
    CZAVPtr() = default;

    // Takes over a pointer. With owns set the holder adopts a reference the
    // caller already has (as a factory's QueryInterface gave it); no AddRef.
    explicit CZAVPtr(I* pointer, bool owns = true) : m_pointer(pointer), m_owns(owns) {}

    // A copy holds a reference of its own.
    CZAVPtr(const CZAVPtr& other) : m_pointer(other.m_pointer), m_owns(true)
    {
        if (m_pointer)
            m_pointer->AddRef();
    }

    CZAVPtr(CZAVPtr&& other) noexcept : m_pointer(other.m_pointer), m_owns(other.m_owns)
    {
        other.m_pointer = nullptr;
        other.m_owns = true;
    }

    ~CZAVPtr() { Reset(); }

    CZAVPtr& operator=(const CZAVPtr& other)
    {
        Assign(other.m_pointer);
        return *this;
    }

    CZAVPtr& operator=(CZAVPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_pointer = std::exchange(other.m_pointer, nullptr);
            m_owns = std::exchange(other.m_owns, true);
        }
        return *this;
    }

    // Holds the new pointer with a reference of its own: AddRef of the new
    // one first, so assigning the pointer already held is safe, then the
    // old one is released (when it was owned).
    I* Assign(I* pointer)
    {
        if (pointer)
            pointer->AddRef();
        Reset();
        m_pointer = pointer;
        m_owns = true;
        return m_pointer;
    }

    // Releases the owned reference and empties the holder.
    void Reset()
    {
        I* old = std::exchange(m_pointer, nullptr);
        if (old && m_owns)
            old->Release();
        m_owns = true;
    }

    // Gives the pointer (and the reference, when owned) to the caller.
    I* Detach()
    {
        m_owns = true;
        return std::exchange(m_pointer, nullptr);
    }

    I* Get() const { return m_pointer; }
    I* operator->() const { return m_pointer; }
    bool IsEmpty() const { return m_pointer == nullptr; }
    explicit operator bool() const { return m_pointer != nullptr; }
    bool Owns() const { return m_owns; }

private:
    I* m_pointer = nullptr;
    bool m_owns = true;
};

// Asks any interface of an object for the interface I (by I::kInterfaceId);
// the holder owns the reference QueryInterface added. Throws like
// QueryInterface.
template <class I, class From>
CZAVPtr<I> QueryInterfaceSp(From* from)
{
    return CZAVPtr<I>(static_cast<I*>(from->QueryInterface(I::kInterfaceId)), true);
}

}  // namespace ZAV
