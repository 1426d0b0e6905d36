// The slots the four array objects share (GetObjectSp, GetSize, SetSize,
// IsEqual), over the object's CArraySimple payload. Every index that comes
// through an array interface is checked by the payload, which refuses an
// index outside 0 .. size - 1 with a CTextException.
#pragma once

#include <cstdint>

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"

namespace ZAV {

template <class T, class I, class Array>
class TZAVArraySpView : public TZAVSpView<T, I> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    int32_t GetSize() override { return Payload().GetSize(); }
    void SetSize(int32_t size) override { Payload().SetSize(size); }
    bool IsEqual(const Array& other) override { return Payload().IsEqual(other); }

protected:
    ~TZAVArraySpView() = default;
    Array& Payload() { return *static_cast<Array*>(this->SpObject()->GetPayload()); }
};

}  // namespace ZAV
