// CArraySimple: a fixed-size array that carries a code for its element type,
// so that arrays can cross the library's interfaces and be told apart there.
// Type codes: 1 bytes, 2 32-bit signed integers, 3 reals, 4 std::string,
// 5 16-bit unsigned, 7 interface pointers (CZAVPtr).
//
// Elements live in storage from new T[]; an array that owns its data frees it
// with delete[]. Attach therefore takes only arrays made with new T[].
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/objects/ZAVPtr.h"

namespace ZAV {

// Refuses an index outside the array: reading or writing there would touch
// memory that is not the array's.
[[noreturn]] void ThrowInvalidArrayIndex(int32_t index, int32_t count);

class CArraySimpleBase {
public:
    virtual ~CArraySimpleBase() {}

    int32_t GetTypeCode() const { return m_typeCode; }
    bool OwnsData() const { return m_ownsData != 0; }
    // An array that does not own its data forgets the elements instead of
    // freeing them when it is emptied.
    void SetOwnsData(bool ownsData) { m_ownsData = ownsData ? 1 : 0; }

protected:
    explicit CArraySimpleBase(int32_t typeCode) : m_typeCode(typeCode), m_ownsData(1) {}
    CArraySimpleBase(const CArraySimpleBase&) = default;
    CArraySimpleBase& operator=(const CArraySimpleBase&) = default;

    int32_t m_typeCode;
    int32_t m_ownsData;
};

// Equality of two elements for IsEqual; interface pointers compare by the
// object they hold.
template <class T>
bool ArrayElementsEqual(const T& first, const T& second)
{
    return first == second;
}

template <class I>
bool ArrayElementsEqual(const CZAVPtr<I>& first, const CZAVPtr<I>& second)
{
    return first.Get() == second.Get();
}

template <class T, int TypeCode>
class CArraySimple : public CArraySimpleBase {
public:
    CArraySimple() : CArraySimpleBase(TypeCode), m_data(nullptr), m_count(0) {}

    CArraySimple(int32_t size, int32_t ownsFlag) : CArraySimple()
    {
        m_ownsData = ownsFlag != 0 ? 1 : 0;
        SetSize(size);
    }

    CArraySimple(const T* data, int32_t count) : CArraySimple() { SetData(data, count); }

    explicit CArraySimple(const std::vector<T>& values) : CArraySimple()
    {
        SetData(values.data(), static_cast<int32_t>(values.size()));
    }

    CArraySimple(const CArraySimple& other) : CArraySimple() { Copy(other); }

    CArraySimple& operator=(const CArraySimple& other)
    {
        Copy(other);
        return *this;
    }

    // Moving hands the elements over, so that large arrays (coded pictures)
    // pass from maker to keeper without a copy; the source is left empty.
    CArraySimple(CArraySimple&& other) noexcept : CArraySimple() { TakeFrom(other); }

    CArraySimple& operator=(CArraySimple&& other) noexcept
    {
        if (this != &other) {
            ReleaseElements();
            TakeFrom(other);
        }
        return *this;
    }

    ~CArraySimple() override { ReleaseElements(); }

    virtual int32_t GetSize() const { return m_count; }
    virtual T* GetData() { return m_data; }
    const T* GetData() const { return m_data; }

    virtual void RemoveAll()
    {
        ReleaseElements();
        m_data = nullptr;
        m_count = 0;
    }

    void Clear() { RemoveAll(); }

    // Discards the elements and makes room for size new ones (zeroed, empty
    // or null); the owns flag stays as it is.
    void SetSize(int32_t size)
    {
        RemoveAll();
        if (size >= 1) {
            m_data = new T[static_cast<size_t>(size)]();
            m_count = size;
        }
    }

    void SetData(const T* data, int32_t count)
    {
        if (data == nullptr || count <= 0) {
            RemoveAll();
            return;
        }
        // Copied before the old elements go, so data may point into them.
        T* copy = new T[static_cast<size_t>(count)];
        for (int32_t i = 0; i < count; ++i)
            copy[i] = data[i];
        RemoveAll();
        m_data = copy;
        m_count = count;
    }

    void Copy(const CArraySimple& other)
    {
        if (this == &other)
            return;
        RemoveAll();
        if (other.m_count >= 1) {
            m_data = new T[static_cast<size_t>(other.m_count)];
            m_count = other.m_count;
            for (int32_t i = 0; i < m_count; ++i)
                m_data[i] = other.m_data[i];
        }
    }

    T GetAt(int32_t index) const
    {
        CheckIndex(index);
        return m_data[index];
    }

    void SetAt(int32_t index, const T& value)
    {
        CheckIndex(index);
        m_data[index] = value;
    }

    bool IsEqual(const CArraySimple& other) const
    {
        if (m_count != other.m_count)
            return false;
        for (int32_t i = 0; i < m_count; ++i) {
            if (!ArrayElementsEqual(m_data[i], other.m_data[i]))
                return false;
        }
        return true;
    }

    // Hands the elements to the caller, who frees them with delete[].
    T* Detach()
    {
        T* data = m_data;
        m_data = nullptr;
        m_count = 0;
        m_ownsData = 1;
        return data;
    }

    // Takes over an array made with new T[count].
    void Attach(T* data, int32_t count)
    {
        RemoveAll();
        if (data != nullptr && count > 0) {
            m_data = data;
            m_count = count;
        } else {
            delete[] data;
        }
        m_ownsData = 1;
    }

protected:
    void CheckIndex(int32_t index) const
    {
        if (index < 0 || index >= m_count)
            ThrowInvalidArrayIndex(index, m_count);
    }

private:
    void TakeFrom(CArraySimple& other) noexcept
    {
        m_data = other.m_data;
        m_count = other.m_count;
        m_ownsData = other.m_ownsData;
        other.m_data = nullptr;
        other.m_count = 0;
        other.m_ownsData = 1;
    }

    void ReleaseElements()
    {
        if (m_ownsData != 0)
            delete[] m_data;
    }

    T* m_data;  // null when empty
    int32_t m_count;
};

}  // namespace ZAV
