// The array-of-objects value object behind IZAVArrayObjectSp: each element
// holds one reference of the object it points to.
#pragma once

#include <cstdint>

#include "foundation/containers/ArraySimple.h"
#include "foundation/objects/ZAVArraySpImpl.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

namespace ZAV {

typedef CArraySimple<CZAVPtr<IZAVObjectSp>, 7> CZAVObjectPtrArray;

class IZAVArrayObjectSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidArrayObject;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // The element with one reference added for the caller's holder. An
    // index outside 0 .. GetSize() - 1 is refused with a CTextException.
    virtual CZAVPtr<IZAVObjectSp> GetAt(int32_t index) = 0;
    // Takes a reference of the object (null empties the element) and
    // releases the one of the element it replaces.
    virtual void SetAt(int32_t index, IZAVObjectSp* object) = 0;
    virtual int32_t GetSize() = 0;
    // Releases every element and makes room for size empty ones.
    virtual void SetSize(int32_t size) = 0;
    // Same count and the same objects in order; two empty arrays are equal.
    virtual bool IsEqual(const CZAVObjectPtrArray& other) = 0;

protected:
    ~IZAVArrayObjectSp() = default;
};

template <class T>
class IZAVArrayObjectSpImpl : public TZAVArraySpView<T, IZAVArrayObjectSp, CZAVObjectPtrArray> {
public:
    CZAVPtr<IZAVObjectSp> GetAt(int32_t index) override { return this->Payload().GetAt(index); }
    void SetAt(int32_t index, IZAVObjectSp* object) override
    {
        // The holder only lends the pointer; the element's assignment takes
        // the reference.
        this->Payload().SetAt(index, CZAVPtr<IZAVObjectSp>(object, false));
    }

protected:
    ~IZAVArrayObjectSpImpl() = default;
};

class CZAVArrayObjectSp final : public CZAVRefCountBase<CZAVArrayObjectSp>,
                                public IZAVObjectSpImpl<CZAVArrayObjectSp>,
                                public IZAVArrayObjectSpImpl<CZAVArrayObjectSp> {
public:
    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_array; }

private:
    CZAVObjectPtrArray m_array;
};

// A new, empty object array.
CZAVPtr<IZAVArrayObjectSp> CreateArrayObjectSp();

}  // namespace ZAV
