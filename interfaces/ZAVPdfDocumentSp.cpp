#include "interfaces/ZAVPdfDocumentSp.h"

#include "foundation/TextException.h"
#include "interfaces/ZAVPdfPage.h"

namespace ZAV {

template <class T>
void IZAVPdfDocumentSpImpl<T>::AddPage(IZAVPdfPageSp* page)
{
    if (!page)
        ThrowTextException("Null pointer provided for page");
    CZAVPtr<IZAVObjectSp> view = page->GetObjectSp();
    State().AddPage(*static_cast<CZAVPdfPage*>(view->GetImplementation()));
}

template class IZAVPdfDocumentSpImpl<CZAVPdfDocumentSp>;

void* CZAVPdfDocumentSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidPdfDocument)
        return static_cast<IZAVPdfDocumentSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVPdfDocumentSp> CreatePdfDocumentSp()
{
    return QueryInterfaceSp<IZAVPdfDocumentSp>(static_cast<IZAVPdfDocumentSp*>(new CZAVPdfDocumentSp));
}

}  // namespace ZAV
