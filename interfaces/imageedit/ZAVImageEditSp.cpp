#include "interfaces/imageedit/ZAVImageEditSp.h"

#include "interfaces/advanced/AdvancedSeams.h"

namespace ZAV {

void* CZAVImageEditSp::GetInterfaceView(int32_t id)
{
    switch (id) {
    case zaviidObject:
        return static_cast<IZAVObjectSp*>(this);
    case zaviidImageEdit:
        return static_cast<IZAVImageEditSp*>(this);
    case zaviidViewLayer:
        return static_cast<IZAVViewLayerSp*>(this);
    case zaviidImageStandard:
        return static_cast<IZAVImageStandardSp*>(this);
    default:
        return nullptr;
    }
}

CZAVPtr<IZAVImageEditSp> CreateImageEditSp()
{
    // Images made through this layer reach the advanced object by the image
    // library's seams.
    RegisterAdvancedImgProcSeams();
    return QueryInterfaceSp<IZAVImageEditSp>(static_cast<IZAVImageEditSp*>(new CZAVImageEditSp()));
}

}  // namespace ZAV
