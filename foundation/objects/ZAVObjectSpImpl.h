// The implementation templates of the Sp objects. TZAVSpView gives an
// interface view the counting and querying slots, all forwarded to the one
// count of the object (T derives from CZAVRefCountBase<T>); an interface's
// own implementation template (for example IZAVRectSpImpl<T>) derives from
// TZAVSpView<T, IZAVRectSp> and adds the interface's slots.
#pragma once

#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVRefCountBase.h"

#include <cstdint>

namespace ZAV {

template <class T, class I>
class TZAVSpView : public I {
public:
    uint32_t AddRef() override { return SpObject()->InternalAddRef(); }
    uint32_t Release() override { return SpObject()->InternalRelease(); }
    int32_t GetRefCount() override { return SpObject()->InternalGetRefCount(); }
    void* QueryInterface(int32_t id) override { return SpObject()->InternalQueryInterface(id); }
    bool SupportsInterface(int32_t id) override { return SpObject()->InternalSupportsInterface(id); }

protected:
    T* SpObject() { return static_cast<T*>(this); }
    ~TZAVSpView() = default;
};

// The object view: GetImplementation gives T's payload (T::GetPayload).
template <class T>
class IZAVObjectSpImpl : public TZAVSpView<T, IZAVObjectSp> {
public:
    void* GetImplementation() override { return this->SpObject()->GetPayload(); }

protected:
    ~IZAVObjectSpImpl() = default;
};

}  // namespace ZAV
