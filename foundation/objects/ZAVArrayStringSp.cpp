#include "foundation/objects/ZAVArrayStringSp.h"

namespace ZAV {

void* CZAVArrayStringSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidArrayString)
        return static_cast<IZAVArrayStringSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVArrayStringSp> CreateArrayStringSp(const CArrayString& values)
{
    return QueryInterfaceSp<IZAVArrayStringSp>(static_cast<IZAVArrayStringSp*>(new CZAVArrayStringSp(values)));
}

}  // namespace ZAV
