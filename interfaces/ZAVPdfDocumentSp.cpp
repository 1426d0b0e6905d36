#include "interfaces/ZAVPdfDocumentSp.h"

#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfPage.h"

namespace ZAV {

template <class T>
const CZAVPdfPage& IZAVPdfDocumentSpImpl<T>::PageRecord(IZAVPdfPageSp* page, CZAVPtr<IZAVObjectSp>& view)
{
    if (!page)
        ThrowTextException("Null pointer provided for page");
    view = page->GetObjectSp();
    return *static_cast<CZAVPdfPage*>(view->GetImplementation());
}

template <class T>
void IZAVPdfDocumentSpImpl<T>::AddPage(IZAVPdfPageSp* page)
{
    CZAVPtr<IZAVObjectSp> view;
    State().AddPage(PageRecord(page, view));
}

template <class T>
void IZAVPdfDocumentSpImpl<T>::AppendPageToFile(const std::string& fileName, IZAVPdfPageSp* page)
{
    CZAVPtr<IZAVObjectSp> view;
    State().AppendPageToFile(fileName, PageRecord(page, view));
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
