// The array-of-strings value object behind IZAVArrayStringSp.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/ArrayString.h"
#include "foundation/objects/ZAVArraySpImpl.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

namespace ZAV {

class IZAVArrayStringSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidArrayString;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // An index outside 0 .. GetSize() - 1 is refused with a CTextException.
    virtual std::string GetAt(int32_t index) = 0;
    virtual void SetAt(int32_t index, const std::string& value) = 0;
    virtual int32_t GetSize() = 0;
    // Discards every element and makes room for size new ones.
    virtual void SetSize(int32_t size) = 0;
    // Same count and equal elements in order; two empty arrays are equal.
    virtual bool IsEqual(const CArrayString& other) = 0;

protected:
    ~IZAVArrayStringSp() = default;
};

template <class T>
class IZAVArrayStringSpImpl : public TZAVArraySpView<T, IZAVArrayStringSp, CArrayString> {
public:
    std::string GetAt(int32_t index) override { return this->Payload().GetAt(index); }
    void SetAt(int32_t index, const std::string& value) override { this->Payload().SetAt(index, value); }

protected:
    ~IZAVArrayStringSpImpl() = default;
};

class CZAVArrayStringSp final : public CZAVRefCountBase<CZAVArrayStringSp>,
                                public IZAVObjectSpImpl<CZAVArrayStringSp>,
                                public IZAVArrayStringSpImpl<CZAVArrayStringSp> {
public:
    explicit CZAVArrayStringSp(const CArrayString& values) : m_array(values) {}

    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_array; }

private:
    CArrayString m_array;
};

// A new array object holding a copy of the strings.
CZAVPtr<IZAVArrayStringSp> CreateArrayStringSp(const CArrayString& values);

}  // namespace ZAV
