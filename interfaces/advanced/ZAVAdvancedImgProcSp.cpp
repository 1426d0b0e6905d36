#include "interfaces/advanced/ZAVAdvancedImgProcSp.h"

namespace ZAV {

namespace {

HMODULE g_resourceModule = nullptr;

}  // namespace

HMODULE GetAdvancedImgProcResourceModule()
{
    return g_resourceModule;
}

void SetAdvancedImgProcResourceModule(HMODULE module)
{
    g_resourceModule = module;
}

void* CZAVAdvancedImgProcSp::GetInterfaceView(int32_t id)
{
    switch (id) {
    case zaviidObject:
        return static_cast<IZAVObjectSp*>(this);
    case zaviidAdvancedImgProc:
        return static_cast<IZAVAdvancedImgProcSp*>(this);
    default:
        return nullptr;
    }
}

CZAVPtr<IZAVAdvancedImgProcSp> CreateAdvancedImgProcSp()
{
    return QueryInterfaceSp<IZAVAdvancedImgProcSp>(static_cast<IZAVAdvancedImgProcSp*>(new CZAVAdvancedImgProcSp()));
}

CZAVPtr<IZAVAdvancedImgProcSp> CreateAdvancedImgProcSpForImage(IZAVImageEditSp* imageEdit)
{
    return QueryInterfaceSp<IZAVAdvancedImgProcSp>(
        static_cast<IZAVAdvancedImgProcSp*>(new CZAVAdvancedImgProcSp(imageEdit)));
}

}  // namespace ZAV
