// The image-edit object as a page picture. The image-edit object is not part
// of the library yet: until it is, no caller can hold one, and these refuse.
#include "interfaces/pagewriter/PageImage.h"
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/text/TextException.h"

namespace ZAV {

CPageImagePtr WrapImageEdit(IZAVImageEditSp*)
{
    ThrowTextException("Provided imagearray is no ZAVImageEdit object!");
}

CPageImagePtr QueryPageImage(IZAVObjectSp*)
{
    ThrowTextException("Provided imagearray is no ZAVImageEdit object!");
}

void CZAVPdfDocumentPageWriter::AddImageAsPage(IZAVImageEditSp* image)
{
    AddImagePage(0, WrapImageEdit(image));
}

}  // namespace ZAV
