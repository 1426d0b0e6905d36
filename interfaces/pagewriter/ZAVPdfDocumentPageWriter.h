// The page writer of the PDF document object: collects what a page holds
// (PageWriterCollect.cpp), checks names and codings as they come, and on
// WritePage turns it into objects of the document (PageWriterWrite.cpp,
// PageWriterContent.cpp, PageWriterImages.cpp).
#pragma once

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <cstdint>
#include <string>

#include "interfaces/pagewriter/PageWriterEntries.h"
#include "interfaces/pagewriter/ZAVPdfPageWriterInterface.h"

namespace ZAVPDF {
class CPDFArray;
class CPDFDictionary;
class CPDFDocument;
}  // namespace ZAVPDF

namespace ZAV {

class CChunkBuffer;
class CZAVPdfDocument;

class CZAVPdfDocumentPageWriter final : public IZAVPdfDocumentPageWriterCpp {
public:
    explicit CZAVPdfDocumentPageWriter(CZAVPdfDocument* owner);
    ~CZAVPdfDocumentPageWriter();
    CZAVPdfDocumentPageWriter(const CZAVPdfDocumentPageWriter&) = delete;
    CZAVPdfDocumentPageWriter& operator=(const CZAVPdfDocumentPageWriter&) = delete;

    void SetDocumentOption(int value) override;
    int GetDocumentOption() override;
    void AddImageAsPage(IZAVImageEditSp* image) override;
    void AddImageArray(IZAVArrayObjectSp* images) override;
    void ResetPage() override;
    void AddFont(const std::string& name, const std::string& baseFont) override;
    void AddText(const _PdfRect* rect, const std::string& text, const std::string& fontName, int foreground,
                 double size) override;
    void AddTextBlock(const CArrayString& lines, const std::string& fontName, int foreground) override;
    void AddLayer(const std::string& name, int allOn, const CArrayString& members) override;
    void AddImageToLayer(const _PdfRect* rect, const std::string& name, const std::string& layerName,
                         IZAVImageEditSp* image) override;
    void AddImageToLayerWithMask(const _PdfRect* rect, const std::string& name, const std::string& layerName,
                                 IZAVImageEditSp* image, const std::string& maskName) override;
    void AddImageWithMask(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image,
                          const std::string& maskName) override;
    void AddImage(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image) override;
    void AddMask(const _PdfRect* rect, const std::string& name, IZAVImageEditSp* image) override;
    void AddUrlLink(const _PdfRect* rect, const std::string& url) override;
    void WritePage() override;
    _PdfRect GetImageRect(IZAVImageEditSp* image) override;
    _PdfRect GetContentRect() override;

    // The same adds for any page picture (the image-edit forms wrap theirs).
    void AddImageToLayer(const _PdfRect* rect, const std::string& name, const std::string& layerName,
                         const CPageImagePtr& image);
    void AddImageToLayerWithMask(const _PdfRect* rect, const std::string& name, const std::string& layerName,
                                 const CPageImagePtr& image, const std::string& maskName);
    void AddImageWithMask(const _PdfRect* rect, const std::string& name, const CPageImagePtr& image,
                          const std::string& maskName);
    void AddImage(const _PdfRect* rect, const std::string& name, const CPageImagePtr& image);
    void AddMask(const _PdfRect* rect, const std::string& name, const CPageImagePtr& image);
    // A finished page of the image's natural size, the image named index.
    void AddImagePage(int32_t index, const CPageImagePtr& image);
    static _PdfRect GetImageRect(CPageImage& image);

    // Only 0-9, A-Z and a-z are kept.
    static std::string NormaliseName(const std::string& name);
    // "%.2f" with a decimal point whatever the locale.
    static std::string FormatReal(double value);
    // Refuses a coding the writer cannot put into a PDF for the image's depth.
    static void CheckImageCoding(CPageImage& image);

private:
    typedef CPageWriterList<CPdfImageEntry> CImageList;

    // Collecting (PageWriterCollect.cpp).
    std::string CheckImageNameFree(const std::string& name);
    std::string CheckMaskName(const std::string& maskName);
    void StoreImage(CImageList& list, const _PdfRect* rect, const std::string& normalisedName,
                    const CPageImagePtr& image, const std::string& maskName, const std::string& layerName);
    void AddImplicitLayer(const std::string& layerName);
    bool HasPlacedContent() const;
    _PdfRect GetPlacementRect(const CPdfImageEntry& entry);

    // Writing (PageWriterWrite.cpp).
    ZAVPDF::CPDFDocument& Document();
    void BeginWrite();
    void WriteLayers();
    void WriteMembershipLayer(CPdfOCGLayersEntry& layer);
    void WriteOCProperties();
    void WriteFontObjects();
    void WriteLinkAnnotations();
    void RaiseVersion(const char* version);
    void WritePageObject(int32_t contentNumber);
    boost::shared_ptr<ZAVPDF::CPDFDictionary> LayerProperties();

    // The content stream (PageWriterContent.cpp).
    int32_t WriteContentStream();
    void WriteTextObject(CChunkBuffer& buffer, const CPdfTextEntry& text);
    void WriteImagePlacement(CChunkBuffer& buffer, const CPdfImageEntry& image);

    // Image XObjects (PageWriterImages.cpp).
    void WriteImageObjects();
    int32_t WriteImageObject(CPdfImageEntry& entry, bool imageMask);
    int32_t LayerObjectNumber(const CPdfImageEntry& entry);
    int32_t MaskObjectNumber(const CPdfImageEntry& entry);

    CZAVPdfDocument* m_owner;
    int32_t m_arrayImageCounter = 0;
    int32_t m_pageStarted = 0;
    int32_t m_objectsAdded = 0;
    CImageList m_masks;
    CImageList m_layerImages;
    CImageList m_contentImages;
    CPageWriterList<CPdfTextEntry> m_textsAbove;
    CPageWriterList<CPdfTextEntry> m_textsBelow;
    CPageWriterList<CPdfFontEntry> m_fonts;
    CPageWriterList<CPdfAnnotsUrlEntry> m_links;
    CPageWriterList<CPdfOCGLayersEntry> m_layers;
    // Every optional-content group made for any page of the document, so
    // that /OCProperties lists them all; kept for the document it was made in.
    boost::shared_ptr<ZAVPDF::CPDFArray> m_documentGroups;
    boost::weak_ptr<ZAVPDF::CPDFDocument> m_groupsDocument;
};

}  // namespace ZAV
