#include "foundation/objects/ZAVVariantSp.h"

namespace ZAV {

void* CZAVVariantSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidVariant)
        return static_cast<IZAVVariantSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVVariantSp> CreateVariantSp(const CZAVVariant& value)
{
    return QueryInterfaceSp<IZAVVariantSp>(static_cast<IZAVVariantSp*>(new CZAVVariantSp(value)));
}

}  // namespace ZAV
