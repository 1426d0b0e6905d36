#include "foundation/objects/ZAVRectSp.h"

namespace ZAV {

void* CZAVRectSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidRect)
        return static_cast<IZAVRectSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVRectSp> CreateRectSp(const RECT& rect)
{
    return QueryInterfaceSp<IZAVRectSp>(static_cast<IZAVRectSp*>(new CZAVRectSp(rect)));
}

}  // namespace ZAV
