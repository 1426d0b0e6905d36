#include "foundation/window/Global.h"

namespace ZAV {

namespace {

// Made in this order before the program starts, destroyed in reverse.
CGlobal g_global;
CZAVMousePointers g_mousePointers;
CMyToolTip g_toolTip;
CImageList g_imageList;

}  // namespace

CGlobal& Global()
{
    return g_global;
}

CZAVMousePointers& MousePointers()
{
    return g_mousePointers;
}

CMyToolTip& ToolTip()
{
    return g_toolTip;
}

CImageList& ImageList()
{
    return g_imageList;
}

void SetResourceModule(HINSTANCE module)
{
    g_global.resourceModule = module;
    g_mousePointers.SetModule(module);
    g_mousePointers.Load();
}

}  // namespace ZAV
