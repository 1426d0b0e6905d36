// The page dictionary and its resources, made last so that a page fails
// whole before it is appended.
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/pagewriter/PageWriterObjects.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "pdf/objects/PDFBool.h"
#include "pdf/document/PDFPage.h"

#include <algorithm>

namespace ZAV {

using namespace ZAVPDF;

namespace {

typedef CPageWriterList<CPdfImageEntry> CImageList;

// The page's media box: the content's box with each pair in ascending order.
boost::shared_ptr<CPDFArray> MediaBox(CPDFDocument& document, const _PdfRect& box)
{
    return CreatePDFArrayOf4Reals(&document, std::min(box.x1, box.x2), std::min(box.y1, box.y2),
                                  std::max(box.x1, box.x2), std::max(box.y1, box.y2));
}

void AddImageReferences(CPDFDocument& document, CPDFDictionary& xobjects, const CImageList& images,
                        const char* missingText)
{
    for (const std::shared_ptr<CPdfImageEntry>& image : images.GetEntries()) {
        if (image->objectNumber < 0)
            ThrowTextException(missingText);
        xobjects.Set("/Im" + image->name, CreatePDFRef(&document, image->objectNumber, 0));
    }
}

boost::shared_ptr<CPDFArray> ProcSet(CPDFDocument& document, bool hasText)
{
    boost::shared_ptr<CPDFArray> procSet = CreatePDFArray(&document);
    for (const char* name : {"/PDF", "/ImageC", "/ImageI", "/ImageB"})
        procSet->Add(CreatePDFName(&document, name));
    if (hasText)
        procSet->Add(CreatePDFName(&document, "/Text"));
    return procSet;
}

}  // namespace

void CZAVPdfDocumentPageWriter::WritePageObject(int32_t contentNumber)
{
    CPDFDocument& document = Document();
    CPDFDictionary* page = nullptr;
    boost::shared_ptr<CPDFObject> pageObject = CreateIndirectDictionary(&document, page);
    page->SetName("/Type", "/Page");
    // The document sets the page tree's reference when it writes its pages.
    page->Set("/Parent", CreatePDFRef(&document, -1, 0));
    page->Set("/MediaBox", MediaBox(document, GetContentRect()));
    boost::shared_ptr<CPDFArray> contents = CreatePDFArray(&document);
    contents->Add(CreatePDFRef(&document, contentNumber, 0));
    page->Set("/Contents", contents);

    boost::shared_ptr<CPDFDictionary> resources = CreatePDFDictionary(&document);
    if (m_fonts.GetSize() > 0) {
        boost::shared_ptr<CPDFDictionary> fonts = CreatePDFDictionary(&document);
        for (const std::shared_ptr<CPdfFontEntry>& font : m_fonts.GetEntries()) {
            if (font->objectNumber < 0)
                ThrowTextException("Fonts not yet written!");
            fonts->Set("/F" + font->name, CreatePDFRef(&document, font->objectNumber, 0));
        }
        resources->Set("/Font", fonts);
    }
    if (m_links.GetSize() > 0) {
        boost::shared_ptr<CPDFArray> annotations = CreatePDFArray(&document);
        for (const std::shared_ptr<CPdfAnnotsUrlEntry>& link : m_links.GetEntries()) {
            if (link->objectNumber < 0)
                ThrowTextException("Annots not yet written!");
            annotations->Add(CreatePDFRef(&document, link->objectNumber, 0));
        }
        page->Set("/Annots", annotations);
    }
    if (m_layers.GetSize() > 0)
        resources->Set("/Properties", LayerProperties());

    boost::shared_ptr<CPDFDictionary> xobjects = CreatePDFDictionary(&document);
    AddImageReferences(document, *xobjects, m_masks, "Image masks not yet written!");
    AddImageReferences(document, *xobjects, m_layerImages, "Layer images not yet written!");
    AddImageReferences(document, *xobjects, m_contentImages, "Content images not yet written!");
    if (xobjects->GetCount() > 0)
        resources->Set("/XObject", xobjects);
    resources->Set("/ProcSet", ProcSet(document, m_textsAbove.GetSize() > 0 || m_textsBelow.GetSize() > 0));
    page->Set("/Resources", resources);

    document.AddPage()->SetPageObject(pageObject);
    document.AddObjectTree(pageObject);
}

boost::shared_ptr<CPDFDictionary> CZAVPdfDocumentPageWriter::LayerProperties()
{
    CPDFDocument& document = Document();
    boost::shared_ptr<CPDFDictionary> properties = CreatePDFDictionary(&document);
    const std::vector<std::shared_ptr<CPdfOCGLayersEntry>>& layers = m_layers.GetEntries();
    for (size_t i = 0; i < layers.size(); ++i) {
        if (layers[i]->objectNumber == -1) {
            // A membership layer none of whose members is on the page has no
            // object; it is left out rather than failing a half-written page.
            if (layers[i]->kind == CPdfOCGLayersEntry::kMembership)
                continue;
            ThrowTextException("Layer objects not yet added to page!");
        }
        properties->Set("/OC" + std::to_string(i), CreatePDFRef(&document, layers[i]->objectNumber, 0));
    }
    return properties;
}

}  // namespace ZAV
