// CZAVRefCountBase: the one reference count every view of an Sp object
// shares, and the rules of counting and querying. An Sp class derives, in
// this order, from CZAVRefCountBase<itself>, IZAVObjectSpImpl<itself> (the
// object view) and the implementation template of its own interface; it
// answers the views it has in GetInterfaceView:
//
//     class CZAVRectSp final : public CZAVRefCountBase<CZAVRectSp>,
//                              public IZAVObjectSpImpl<CZAVRectSp>,
//                              public IZAVRectSpImpl<CZAVRectSp> {
//     public:
//         void* GetInterfaceView(int32_t id)
//         {
//             if (id == zaviidObject) return static_cast<IZAVObjectSp*>(this);
//             if (id == zaviidRect) return static_cast<IZAVRectSp*>(this);
//             return nullptr;
//         }
//         void* GetPayload() { return &m_rect; }
//         ...
//     };
//
// Sp classes are final: the last Release deletes through the class itself.
// Objects are made only by their factory: construct with count 0, then
// QueryInterface the class's id into an owning CZAVPtr (QueryInterfaceSp).
#pragma once

#include "foundation/text/TextException.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVPtr.h"

#include <cstdint>
#include <type_traits>

namespace ZAV {

template <class T>
class CZAVRefCountBase {
public:
    CZAVRefCountBase(const CZAVRefCountBase&) = delete;
    CZAVRefCountBase& operator=(const CZAVRefCountBase&) = delete;

    uint32_t InternalAddRef() { return static_cast<uint32_t>(++m_refCount); }

    uint32_t InternalRelease()
    {
        static_assert(std::is_final_v<T>, "an Sp class must be final: its last Release deletes it as itself");
        const int32_t count = --m_refCount;
        if (count == 0) {
            delete static_cast<T*>(this);
            return 0;
        }
        return static_cast<uint32_t>(count);
    }

    int32_t InternalGetRefCount() const { return m_refCount; }

    void* InternalQueryInterface(int32_t id)
    {
        // The reference is taken first and given back on failure, so a
        // caller keeps exactly its own and an object nobody held goes.
        InternalAddRef();
        void* view = static_cast<T*>(this)->GetInterfaceView(id);
        if (!view) {
            InternalRelease();
            ThrowTextException("Interface not available!");
        }
        return view;
    }

    bool InternalSupportsInterface(int32_t id) { return static_cast<T*>(this)->GetInterfaceView(id) != nullptr; }

    // The object view with one reference added, in an owning holder: the way
    // back from any interface to the object (the GetObjectSp slot).
    CZAVPtr<IZAVObjectSp> InternalGetObjectSp()
    {
        return CZAVPtr<IZAVObjectSp>(static_cast<IZAVObjectSp*>(InternalQueryInterface(zaviidObject)), true);
    }

protected:
    CZAVRefCountBase() = default;
    ~CZAVRefCountBase() = default;

private:
    int32_t m_refCount = 0;
};

}  // namespace ZAV
