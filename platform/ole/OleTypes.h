// The few COM pieces the code was designed with: interface ids, the
// reference-counted base interface and result codes.
#pragma once

#include "platform/WinTypes.h"

#include <atomic>

using ULONG = uint32_t;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
using IID = GUID;

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}

// The published identifiers of the interfaces used.
constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT CTL_E_INVALIDPICTURE = static_cast<HRESULT>(0x800A01E1u);

inline bool SUCCEEDED(HRESULT hr)
{
    return hr >= 0;
}
inline bool FAILED(HRESULT hr)
{
    return hr < 0;
}

struct IUnknown {
    virtual HRESULT QueryInterface(const IID& iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

namespace ZAV {
namespace Ole {

// Reference counting for one interface I; the object deletes itself when
// the last reference goes.
template <class I>
class RefCounted : public I {
public:
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT QueryInterface(const IID& iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!(iid == IID_IUnknown) && !(iid == OwnIid()))
            return E_NOINTERFACE;
        AddRef();
        *out = static_cast<I*>(this);
        return S_OK;
    }

protected:
    virtual const IID& OwnIid() const = 0;

private:
    std::atomic<ULONG> m_refs{1};
};

}  // namespace Ole
}  // namespace ZAV
