// The base interfaces of the library's reference-counted objects (the Sp
// objects) and the table of interface ids. A caller holds an interface
// pointer (in a CZAVPtr), asks the object for another of its interfaces by
// id, and the object deletes itself when its last reference goes.
//
// Every interface starts with the IZAVUnknownSp part and has the
// IZAVQueryInterfaceSp part directly behind it, so from any interface
// pointer both counting and querying are reachable.
#pragma once

#include <cstdint>

namespace ZAV {

// Ids are the same for every Sp class.
enum zavInterfaceId : int32_t {
    zaviidObject = 1,
    zaviidImageStandard = 10,
    zaviidViewLayer = 12,
    zaviidImageEdit = 16,
    zaviidEncoder = 17,
    zaviidRect = 40,
    zaviidArrayDouble = 43,
    zaviidArrayString = 44,
    zaviidArrayByte = 45,
    zaviidVariant = 47,
    zaviidNameVariantPairs = 48,
    zaviidNameValuePairs = 49,
    zaviidArrayObject = 55,
    zaviidCast = 56,
    zaviidAdvancedImgProc = 62,
    zaviidPdfPage = 103,
    zaviidPdfDocument = 104,
};

// Ids of the interface family that no class of this system answers; the
// cast object still asks for them.
constexpr int32_t kReservedInterfaceIds[] = {6, 11, 13, 14, 20, 27, 29, 54, 65, 72, 100};

// Objects are deleted only by their last Release, never through an
// interface pointer, hence the protected non-virtual destructors.
class IZAVUnknownSp {
public:
    // Both return the count after the change.
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
    virtual int32_t GetRefCount() = 0;

protected:
    ~IZAVUnknownSp() = default;
};

class IZAVQueryInterfaceSp {
public:
    // The interface of the same object with that id, one reference added
    // for the caller. An id the object does not answer throws CTextException
    // "Interface not available!" and leaves the count as it was (an object
    // nobody held is destroyed).
    virtual void* QueryInterface(int32_t id) = 0;
    // Changes nothing, never throws.
    virtual bool SupportsInterface(int32_t id) = 0;

protected:
    ~IZAVQueryInterfaceSp() = default;
};

// The object view (id 1), answered by every Sp class but the encoder.
class IZAVObjectSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidObject;

    // The wrapped object (the payload); valid while the object lives,
    // carries no reference.
    virtual void* GetImplementation() = 0;

protected:
    ~IZAVObjectSp() = default;
};

}  // namespace ZAV
