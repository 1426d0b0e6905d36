// The cast object behind IZAVCastSp: tests and converts interface pointers
// of any Sp object by id. It asks the object it is given, never itself: the
// Is slots through SupportsInterface (never throwing), the To slots through
// QueryInterface (an id the object does not answer throws "Interface not
// available!" and leaves its count as it was).
#pragma once

#include <cstdint>

#include "foundation/objects/ZAVArrayByteSp.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVNameValuePairsSp.h"
#include "foundation/objects/ZAVNameVariantPairsSp.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

namespace ZAV {

// Every interface has the query part, so any interface pointer of an Sp
// object converts to IZAVQueryInterfaceSp*. A null object is "not" for the
// Is slots and throws "Interface not available!" in the To slots.
class IZAVCastSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidCast;

    virtual bool IsImageEditSp(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsImageStandardSp(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface54(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface20(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface13(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface14(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface6(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface72(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface65(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface11(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface27(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface29(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsInterface100(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsNameValuePairsSp(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsNameVariantPairsSp(IZAVQueryInterfaceSp* object) = 0;
    virtual bool IsArrayByteSp(IZAVQueryInterfaceSp* object) = 0;

    // The image interfaces belong to the image layer above this library and
    // the reserved ids have no interface type at all: these results are held
    // by their counting part, which every interface starts with, so a caller
    // that knows the interface converts the pointer with static_cast.
    virtual CZAVPtr<IZAVUnknownSp> ToImageStandardSp(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToImageEditSp(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface54(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface20(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface13(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface14(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface6(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface72(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface65(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface11(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface27(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface29(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVUnknownSp> ToInterface100(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVObjectSp> ToObjectSp(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVNameValuePairsSp> ToNameValuePairsSp(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVNameVariantPairsSp> ToNameVariantPairsSp(IZAVQueryInterfaceSp* object) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> ToArrayByteSp(IZAVQueryInterfaceSp* object) = 0;

protected:
    ~IZAVCastSp() = default;
};

class CZAVCastSp final : public CZAVRefCountBase<CZAVCastSp>,
                         public IZAVObjectSpImpl<CZAVCastSp>,
                         public TZAVSpView<CZAVCastSp, IZAVCastSp> {
public:
    void* GetInterfaceView(int32_t id);
    // The cast object wraps nothing.
    void* GetPayload() { return nullptr; }

    bool IsImageEditSp(IZAVQueryInterfaceSp* object) override;
    bool IsImageStandardSp(IZAVQueryInterfaceSp* object) override;
    bool IsInterface54(IZAVQueryInterfaceSp* object) override;
    bool IsInterface20(IZAVQueryInterfaceSp* object) override;
    bool IsInterface13(IZAVQueryInterfaceSp* object) override;
    bool IsInterface14(IZAVQueryInterfaceSp* object) override;
    bool IsInterface6(IZAVQueryInterfaceSp* object) override;
    bool IsInterface72(IZAVQueryInterfaceSp* object) override;
    bool IsInterface65(IZAVQueryInterfaceSp* object) override;
    bool IsInterface11(IZAVQueryInterfaceSp* object) override;
    bool IsInterface27(IZAVQueryInterfaceSp* object) override;
    bool IsInterface29(IZAVQueryInterfaceSp* object) override;
    bool IsInterface100(IZAVQueryInterfaceSp* object) override;
    bool IsNameValuePairsSp(IZAVQueryInterfaceSp* object) override;
    bool IsNameVariantPairsSp(IZAVQueryInterfaceSp* object) override;
    bool IsArrayByteSp(IZAVQueryInterfaceSp* object) override;

    CZAVPtr<IZAVUnknownSp> ToImageStandardSp(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToImageEditSp(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface54(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface20(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface13(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface14(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface6(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface72(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface65(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface11(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface27(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface29(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVUnknownSp> ToInterface100(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVObjectSp> ToObjectSp(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVNameValuePairsSp> ToNameValuePairsSp(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVNameVariantPairsSp> ToNameVariantPairsSp(IZAVQueryInterfaceSp* object) override;
    CZAVPtr<IZAVArrayByteSp> ToArrayByteSp(IZAVQueryInterfaceSp* object) override;
};

// A new cast object.
CZAVPtr<IZAVCastSp> CreateCastSp();

}  // namespace ZAV
