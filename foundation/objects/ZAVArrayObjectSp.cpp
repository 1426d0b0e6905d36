#include "foundation/objects/ZAVArrayObjectSp.h"

namespace ZAV {

void* CZAVArrayObjectSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidArrayObject)
        return static_cast<IZAVArrayObjectSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVArrayObjectSp> CreateArrayObjectSp()
{
    return QueryInterfaceSp<IZAVArrayObjectSp>(static_cast<IZAVArrayObjectSp*>(new CZAVArrayObjectSp()));
}

}  // namespace ZAV
