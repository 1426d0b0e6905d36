// Collecting a page: the adds check names and codings before anything is
// stored, so a refused add leaves the page as it was.
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocument.h"
#include "pdf/document/PDFDocument.h"

#include <cmath>

namespace ZAV {

namespace {

// The capacity hints of the lists; links are few.
constexpr uint32_t kListCapacity = 100;
constexpr uint32_t kLinkListCapacity = 10;
// The text block's type is never larger than this (points).
constexpr int kMaxTextBlockFontSize = 4;
// Line spacing relative to the font size.
constexpr double kLeadingFactor = 1.2;

[[noreturn]] void ThrowWithName(const char* format, const std::string& name)
{
    String text;
    text.Format(format, name.c_str());
    ThrowTextException(text.GetText());
}

const _PdfRect& RequireRect(const _PdfRect* rect)
{
    if (rect == nullptr)
        ThrowTextException("Null pointer provided for rectangle");
    return *rect;
}

}  // namespace

CZAVPdfDocumentPageWriter::CZAVPdfDocumentPageWriter(CZAVPdfDocument* owner)
    : m_owner(owner), m_masks(kListCapacity), m_layerImages(kListCapacity), m_contentImages(kListCapacity),
      m_textsAbove(kListCapacity), m_textsBelow(kListCapacity), m_fonts(kListCapacity), m_links(kLinkListCapacity),
      m_layers(kListCapacity)
{
}

CZAVPdfDocumentPageWriter::~CZAVPdfDocumentPageWriter() = default;

void CZAVPdfDocumentPageWriter::SetDocumentOption(int value)
{
    m_owner->SetDocumentOption(value);
}

int CZAVPdfDocumentPageWriter::GetDocumentOption()
{
    return m_owner->GetDocumentOption();
}

void CZAVPdfDocumentPageWriter::ResetPage()
{
    m_masks.Clear();
    m_layerImages.Clear();
    m_contentImages.Clear();
    m_textsAbove.Clear();
    m_textsBelow.Clear();
    m_fonts.Clear();
    m_pageStarted = 1;
    m_objectsAdded = 0;
}

void CZAVPdfDocumentPageWriter::AddFont(const std::string& name, const std::string& baseFont)
{
    const std::string fontName = NormaliseName(name);
    if (m_fonts.Contains(fontName))
        ThrowWithName("Font '%s' already available. Please use a different name!", fontName);
    // A font alone draws nothing, so it does not make the page writable.
    auto entry = std::make_shared<CPdfFontEntry>();
    entry->name = fontName;
    entry->baseFont = baseFont;
    m_fonts.Add(fontName, entry);
}

void CZAVPdfDocumentPageWriter::AddText(const _PdfRect* rect, const std::string& text, const std::string& fontName,
                                        int foreground, double size)
{
    const _PdfRect& place = RequireRect(rect);
    const std::string font = NormaliseName(fontName);
    if (!m_fonts.Contains(font))
        ThrowWithName("Font not available. Please add the font '%s' using the function AddFont!", font);
    m_objectsAdded = 1;
    auto entry = std::make_shared<CPdfTextEntry>();
    entry->rect = place;
    entry->text = text;
    entry->fontName = font;
    entry->size = size;
    CPageWriterList<CPdfTextEntry>& list = foreground != 0 ? m_textsAbove : m_textsBelow;
    list.Add(std::to_string(list.GetSize() + 1), entry);
}

bool CZAVPdfDocumentPageWriter::HasPlacedContent() const
{
    return m_layerImages.GetSize() > 0 || m_contentImages.GetSize() > 0 || m_textsAbove.GetSize() > 0 ||
           m_textsBelow.GetSize() > 0;
}

void CZAVPdfDocumentPageWriter::AddTextBlock(const CArrayString& lines, const std::string& fontName, int foreground)
{
    const int32_t count = lines.GetSize();
    if (count == 0)
        return;
    // The bands divide what the page holds; an empty page has no height.
    if (!HasPlacedContent())
        ThrowTextException("No content available for the text block!");
    const _PdfRect box = GetContentRect();
    const double band = std::fabs(box.y2 - box.y1) / count;
    const double size = std::min(std::trunc(band / kLeadingFactor), static_cast<double>(kMaxTextBlockFontSize));
    // Lines run from the top down, as they are read.
    for (int32_t i = 0; i < count; ++i) {
        const _PdfRect rect = {box.x1, box.y2 - (i + 1) * band, box.x2, box.y2 - i * band};
        AddText(&rect, lines.GetAt(i), fontName, foreground, size);
    }
}

void CZAVPdfDocumentPageWriter::AddLayer(const std::string& name, int allOn, const CArrayString& members)
{
    auto entry = std::make_shared<CPdfOCGLayersEntry>();
    entry->kind = CPdfOCGLayersEntry::kMembership;
    entry->allOn = allOn;
    entry->name = name;
    entry->members = members;
    m_layers.Set(name, entry);
}

void CZAVPdfDocumentPageWriter::AddUrlLink(const _PdfRect* rect, const std::string& url)
{
    const _PdfRect& place = RequireRect(rect);
    auto entry = std::make_shared<CPdfAnnotsUrlEntry>();
    entry->key = std::to_string(m_links.GetSize());
    entry->rect = place;
    entry->url = url;
    m_links.Add(entry->key, entry);
}

std::string CZAVPdfDocumentPageWriter::CheckImageNameFree(const std::string& name)
{
    // Masks and images share one name space.
    const std::string normalised = NormaliseName(name);
    if (m_masks.Contains(normalised) || m_layerImages.Contains(normalised) || m_contentImages.Contains(normalised))
        ThrowWithName("Image '%s' already available. Please use a different name!", normalised);
    return normalised;
}

std::string CZAVPdfDocumentPageWriter::CheckMaskName(const std::string& maskName)
{
    const std::string normalised = NormaliseName(maskName);
    if (!m_masks.Contains(normalised) && !m_layerImages.Contains(normalised) && !m_contentImages.Contains(normalised))
        ThrowWithName("Mask image not available. Please add the mask '%s' using the function AddMask!", normalised);
    return normalised;
}

void CZAVPdfDocumentPageWriter::StoreImage(CImageList& list, const _PdfRect* rect, const std::string& normalisedName,
                                           const CPageImagePtr& image, const std::string& maskName,
                                           const std::string& layerName)
{
    const _PdfRect& place = RequireRect(rect);
    if (!image)
        ThrowTextException("Null pointer provided for image");
    CheckImageCoding(*image);
    m_objectsAdded = 1;
    auto entry = std::make_shared<CPdfImageEntry>();
    entry->rect = place;
    entry->name = normalisedName;
    entry->layerName = layerName;
    entry->image = image;
    entry->maskName = maskName;
    list.Add(normalisedName, entry);
}

void CZAVPdfDocumentPageWriter::AddImplicitLayer(const std::string& layerName)
{
    if (m_layers.Contains(layerName))
        return;
    auto layer = std::make_shared<CPdfOCGLayersEntry>();
    layer->name = layerName;
    m_layers.Add(layerName, layer);
}

void CZAVPdfDocumentPageWriter::AddImage(const _PdfRect* rect, const std::string& name, const CPageImagePtr& image)
{
    const std::string normalised = CheckImageNameFree(name);
    StoreImage(m_contentImages, rect, normalised, image, std::string(), std::string());
}

void CZAVPdfDocumentPageWriter::AddImageWithMask(const _PdfRect* rect, const std::string& name,
                                                 const CPageImagePtr& image, const std::string& maskName)
{
    const std::string mask = CheckMaskName(maskName);
    const std::string normalised = CheckImageNameFree(name);
    StoreImage(m_contentImages, rect, normalised, image, mask, std::string());
}

void CZAVPdfDocumentPageWriter::AddMask(const _PdfRect* rect, const std::string& name, const CPageImagePtr& image)
{
    const std::string normalised = CheckImageNameFree(name);
    if (image && image->GetBitsPerPixel() != 1)
        ThrowTextException("Mask imagedata has to be black&white!");
    StoreImage(m_masks, rect, normalised, image, std::string(), std::string());
}

void CZAVPdfDocumentPageWriter::AddImageToLayer(const _PdfRect* rect, const std::string& name,
                                                const std::string& layerName, const CPageImagePtr& image)
{
    const std::string normalised = CheckImageNameFree(name);
    StoreImage(m_layerImages, rect, normalised, image, std::string(), layerName);
    AddImplicitLayer(layerName);
}

void CZAVPdfDocumentPageWriter::AddImageToLayerWithMask(const _PdfRect* rect, const std::string& name,
                                                        const std::string& layerName, const CPageImagePtr& image,
                                                        const std::string& maskName)
{
    const std::string normalised = CheckImageNameFree(name);
    const std::string mask = CheckMaskName(maskName);
    StoreImage(m_layerImages, rect, normalised, image, mask, layerName);
    AddImplicitLayer(layerName);
}

void CZAVPdfDocumentPageWriter::AddImagePage(int32_t index, const CPageImagePtr& image)
{
    m_arrayImageCounter = index;
    ResetPage();
    const _PdfRect rect = GetImageRect(*image);
    AddImage(&rect, std::to_string(index), image);
    WritePage();
}

}  // namespace ZAV
