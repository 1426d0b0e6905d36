#include "interfaces/ZAVPdfPageSp.h"

namespace ZAV {

void* CZAVPdfPageSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidPdfPage)
        return static_cast<IZAVPdfPageSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVPdfPageSp> CreatePdfPageSp(const CZAVPdfPage& page)
{
    return QueryInterfaceSp<IZAVPdfPageSp>(static_cast<IZAVPdfPageSp*>(new CZAVPdfPageSp(page)));
}

}  // namespace ZAV
