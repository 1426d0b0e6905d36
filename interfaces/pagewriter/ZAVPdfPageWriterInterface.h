// The page writer facet of the PDF document object: a caller starts a page,
// adds fonts, texts, images, masks, layers and links, and writes the page
// into the document, which the document object saves afterwards. Not
// reference counted: valid while its document object lives.
#pragma once

#include <string>

#include "foundation/containers/ArrayString.h"
#include "interfaces/pagewriter/PdfRect.h"

namespace ZAV {

class IZAVArrayObjectSp;
class IZAVImageEditSp;

class IZAVPdfDocumentPageWriterCpp {
public:
    // Nonzero compresses content streams (the default).
    virtual void SetDocumentOption(int value) = 0;
    virtual int GetDocumentOption() = 0;
    // One page of the image's natural size, the image named "0".
    virtual void AddImageAsPage(IZAVImageEditSp* image) = 0;
    // One page per image-edit element, named by its index.
    virtual void AddImageArray(IZAVArrayObjectSp* images) = 0;
    // Starts a page: fonts, images, masks and texts are emptied; links and
    // layers stay for every later page.
    virtual void ResetPage() = 0;
    virtual void AddFont(const std::string& name, const std::string& baseFont) = 0;
    // The rectangle's lower-left corner is where the first line starts.
    virtual void AddText(const _PdfRect* rect, const std::string& text, const std::string& fontName, int foreground,
                         double size) = 0;
    // One text per line, spread over the height of what the page holds,
    // the first line at the top.
    virtual void AddTextBlock(const CArrayString& lines, const std::string& fontName, int foreground) = 0;
    virtual void AddLayer(const std::string& name, int allOn, const CArrayString& members) = 0;
    virtual void AddImageToLayer(const _PdfRect* rect, const std::string& name, const std::string& layerName,
                                 IZAVImageEditSp* image) = 0;
    virtual void AddImageToLayerWithMask(const _PdfRect* rect, const std::string& name, const std::string& layerName,
                                         IZAVImageEditSp* image, const std::string& maskName) = 0;
    virtual void AddImageWithMask(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image,
                                  const std::string& maskName) = 0;
    // A rectangle of zero width places the image at its natural size.
    virtual void AddImage(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image) = 0;
    // A 1-bit image-mask resource of the page.
    virtual void AddMask(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image) = 0;
    virtual void AddUrlLink(const _PdfRect* rect, const std::string& url) = 0;
    // Turns what the page collected into objects and appends the page.
    virtual void WritePage() = 0;
    // {0, 0, width x 72 / x dpi, height x 72 / y dpi}.
    virtual _PdfRect GetImageRect(IZAVImageEditSp* image) = 0;
    // The box around every placed image and text; inverted when empty.
    virtual _PdfRect GetContentRect() = 0;

protected:
    ~IZAVPdfDocumentPageWriterCpp() = default;
};

}  // namespace ZAV
