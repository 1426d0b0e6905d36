#include "foundation/objects/ZAVCastSp.h"

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

bool Supports(IZAVQueryInterfaceSp* object, int32_t id)
{
    return object != nullptr && object->SupportsInterface(id);
}

// The object's interface of that id in a holder that owns the reference
// QueryInterface added. An interface view starts with its counting part, so
// the view's address is also that of its IZAVUnknownSp part.
template <class I>
CZAVPtr<I> Query(IZAVQueryInterfaceSp* object, int32_t id)
{
    if (object == nullptr)
        ThrowTextException("Interface not available!");
    return CZAVPtr<I>(static_cast<I*>(object->QueryInterface(id)), true);
}

}  // namespace

void* CZAVCastSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidCast)
        return static_cast<IZAVCastSp*>(this);
    return nullptr;
}

bool CZAVCastSp::IsImageEditSp(IZAVQueryInterfaceSp* object) { return Supports(object, zaviidImageEdit); }
bool CZAVCastSp::IsImageStandardSp(IZAVQueryInterfaceSp* object) { return Supports(object, zaviidImageStandard); }
bool CZAVCastSp::IsInterface54(IZAVQueryInterfaceSp* object) { return Supports(object, 54); }
bool CZAVCastSp::IsInterface20(IZAVQueryInterfaceSp* object) { return Supports(object, 20); }
bool CZAVCastSp::IsInterface13(IZAVQueryInterfaceSp* object) { return Supports(object, 13); }
bool CZAVCastSp::IsInterface14(IZAVQueryInterfaceSp* object) { return Supports(object, 14); }
bool CZAVCastSp::IsInterface6(IZAVQueryInterfaceSp* object) { return Supports(object, 6); }
bool CZAVCastSp::IsInterface72(IZAVQueryInterfaceSp* object) { return Supports(object, 72); }
bool CZAVCastSp::IsInterface65(IZAVQueryInterfaceSp* object) { return Supports(object, 65); }
bool CZAVCastSp::IsInterface11(IZAVQueryInterfaceSp* object) { return Supports(object, 11); }
bool CZAVCastSp::IsInterface27(IZAVQueryInterfaceSp* object) { return Supports(object, 27); }
bool CZAVCastSp::IsInterface29(IZAVQueryInterfaceSp* object) { return Supports(object, 29); }
bool CZAVCastSp::IsInterface100(IZAVQueryInterfaceSp* object) { return Supports(object, 100); }
bool CZAVCastSp::IsNameValuePairsSp(IZAVQueryInterfaceSp* object) { return Supports(object, zaviidNameValuePairs); }
bool CZAVCastSp::IsNameVariantPairsSp(IZAVQueryInterfaceSp* object) { return Supports(object, zaviidNameVariantPairs); }
bool CZAVCastSp::IsArrayByteSp(IZAVQueryInterfaceSp* object) { return Supports(object, zaviidArrayByte); }

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToImageStandardSp(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, zaviidImageStandard);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToImageEditSp(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, zaviidImageEdit);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface54(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 54);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface20(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 20);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface13(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 13);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface14(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 14);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface6(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 6);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface72(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 72);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface65(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 65);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface11(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 11);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface27(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 27);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface29(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 29);
}

CZAVPtr<IZAVUnknownSp> CZAVCastSp::ToInterface100(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVUnknownSp>(object, 100);
}

CZAVPtr<IZAVObjectSp> CZAVCastSp::ToObjectSp(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVObjectSp>(object, zaviidObject);
}

CZAVPtr<IZAVNameValuePairsSp> CZAVCastSp::ToNameValuePairsSp(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVNameValuePairsSp>(object, zaviidNameValuePairs);
}

CZAVPtr<IZAVNameVariantPairsSp> CZAVCastSp::ToNameVariantPairsSp(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVNameVariantPairsSp>(object, zaviidNameVariantPairs);
}

CZAVPtr<IZAVArrayByteSp> CZAVCastSp::ToArrayByteSp(IZAVQueryInterfaceSp* object)
{
    return Query<IZAVArrayByteSp>(object, zaviidArrayByte);
}

CZAVPtr<IZAVCastSp> CreateCastSp()
{
    return QueryInterfaceSp<IZAVCastSp>(static_cast<IZAVCastSp*>(new CZAVCastSp()));
}

}  // namespace ZAV
