// The array-of-doubles value object behind IZAVArrayDoubleSp.
#pragma once

#include <cstdint>

#include "foundation/containers/ArraySimple.h"
#include "foundation/objects/ZAVArraySpImpl.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

namespace ZAV {

class IZAVArrayDoubleSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidArrayDouble;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // An index outside 0 .. GetSize() - 1 is refused with a CTextException.
    virtual double GetAt(int32_t index) = 0;
    virtual void SetAt(int32_t index, double value) = 0;
    virtual int32_t GetSize() = 0;
    // Discards every element and makes room for size new ones.
    virtual void SetSize(int32_t size) = 0;
    // Same count and equal elements in order; two empty arrays are equal.
    virtual bool IsEqual(const CArraySimple<double, 3>& other) = 0;

protected:
    ~IZAVArrayDoubleSp() = default;
};

template <class T>
class IZAVArrayDoubleSpImpl : public TZAVArraySpView<T, IZAVArrayDoubleSp, CArraySimple<double, 3>> {
public:
    double GetAt(int32_t index) override { return this->Payload().GetAt(index); }
    void SetAt(int32_t index, double value) override { this->Payload().SetAt(index, value); }

protected:
    ~IZAVArrayDoubleSpImpl() = default;
};

class CZAVArrayDoubleSp final : public CZAVRefCountBase<CZAVArrayDoubleSp>,
                                public IZAVObjectSpImpl<CZAVArrayDoubleSp>,
                                public IZAVArrayDoubleSpImpl<CZAVArrayDoubleSp> {
public:
    explicit CZAVArrayDoubleSp(const CArraySimple<double, 3>& values) : m_array(values) {}

    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_array; }

private:
    CArraySimple<double, 3> m_array;
};

// A new array object holding a copy of the values.
CZAVPtr<IZAVArrayDoubleSp> CreateArrayDoubleSp(const CArraySimple<double, 3>& values);

}  // namespace ZAV
