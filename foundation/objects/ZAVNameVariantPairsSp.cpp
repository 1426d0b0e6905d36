#include "foundation/objects/ZAVNameVariantPairsSp.h"

#include "foundation/text/TextException.h"

namespace ZAV {

const CZAVVariant& VariantOfSp(IZAVVariantSp* variant, CZAVPtr<IZAVObjectSp>& objectView)
{
    // Only a variant object's payload is a CZAVVariant: any other object's
    // would be read as the wrong type.
    if (variant == nullptr || !variant->SupportsInterface(zaviidVariant))
        ThrowTextException("Interface not available!");
    objectView = QueryInterfaceSp<IZAVObjectSp>(variant);
    return *static_cast<const CZAVVariant*>(objectView->GetImplementation());
}

void* CZAVNameVariantPairsSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidNameVariantPairs)
        return static_cast<IZAVNameVariantPairsSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVNameVariantPairsSp> CreateNameVariantPairsSp(const CNameVariantPairs& pairs)
{
    return QueryInterfaceSp<IZAVNameVariantPairsSp>(
        static_cast<IZAVNameVariantPairsSp*>(new CZAVNameVariantPairsSp(pairs)));
}

}  // namespace ZAV
