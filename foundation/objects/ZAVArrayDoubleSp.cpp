#include "foundation/objects/ZAVArrayDoubleSp.h"

namespace ZAV {

void* CZAVArrayDoubleSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidArrayDouble)
        return static_cast<IZAVArrayDoubleSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVArrayDoubleSp> CreateArrayDoubleSp(const CArraySimple<double, 3>& values)
{
    return QueryInterfaceSp<IZAVArrayDoubleSp>(static_cast<IZAVArrayDoubleSp*>(new CZAVArrayDoubleSp(values)));
}

}  // namespace ZAV
