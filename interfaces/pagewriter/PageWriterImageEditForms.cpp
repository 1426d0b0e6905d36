// The image-edit forms of the adds: each picture is wrapped once, and the
// wrapper holds the caller's image until the next ResetPage.
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/text/TextException.h"

namespace ZAV {

void CZAVPdfDocumentPageWriter::AddImageToLayer(const _PdfRect* rect, const std::string& name,
                                                const std::string& layerName, IZAVImageEditSp* image)
{
    AddImageToLayer(rect, name, layerName, WrapImageEdit(image));
}

void CZAVPdfDocumentPageWriter::AddImageToLayerWithMask(const _PdfRect* rect, const std::string& name,
                                                        const std::string& layerName, IZAVImageEditSp* image,
                                                        const std::string& maskName)
{
    AddImageToLayerWithMask(rect, name, layerName, WrapImageEdit(image), maskName);
}

void CZAVPdfDocumentPageWriter::AddImageWithMask(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image,
                                                 const std::string& maskName)
{
    AddImageWithMask(rect, name, WrapImageEdit(image), maskName);
}

void CZAVPdfDocumentPageWriter::AddImage(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image)
{
    AddImage(rect, name, WrapImageEdit(image));
}

void CZAVPdfDocumentPageWriter::AddMask(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image)
{
    AddMask(rect, name, WrapImageEdit(image));
}

_PdfRect CZAVPdfDocumentPageWriter::GetImageRect(IZAVImageEditSp* image)
{
    return GetImageRect(*WrapImageEdit(image));
}

void CZAVPdfDocumentPageWriter::AddImageArray(IZAVArrayObjectSp* images)
{
    if (images == nullptr)
        ThrowTextException("Null pointer provided for image array");
    const int32_t count = images->GetSize();
    for (int32_t i = 0; i < count; ++i) {
        CZAVPtr<IZAVObjectSp> element = images->GetAt(i);
        AddImagePage(i, QueryPageImage(element.Get()));
    }
}

}  // namespace ZAV
