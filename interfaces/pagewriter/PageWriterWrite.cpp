// WritePage: the page's layers, fonts, links, images and content stream
// become indirect objects of the document, then the page itself.
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/text/String.h"
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
#include "pdf/objects/PDFTextString.h"
#include "pdf/objects/PDFBool.h"

#include <algorithm>
#include <cstdlib>

namespace ZAV {

using namespace ZAVPDF;

namespace {

// Optional content and JPEG 2000 images need PDF 1.5 (ISO 32000-1, 8.11 and 7.4.9).
constexpr const char* kVersionForLayersAndJpx = "1.5";

bool VersionBelow(const std::string& version, const char* wanted)
{
    return std::strtod(version.c_str(), nullptr) < std::strtod(wanted, nullptr);
}

}  // namespace

CPDFDocument& CZAVPdfDocumentPageWriter::Document()
{
    return *m_owner->GetDocument();
}

void CZAVPdfDocumentPageWriter::WritePage()
{
    BeginWrite();
    WriteLayers();
    if (m_layers.GetSize() > 0)
        WriteOCProperties();
    WriteFontObjects();
    WriteLinkAnnotations();
    WriteImageObjects();
    WritePageObject(WriteContentStream());
}

void CZAVPdfDocumentPageWriter::BeginWrite()
{
    if (m_pageStarted != 1)
        ThrowTextException("Before writing the content call ResetPage and add objects to the page!");
    if (m_objectsAdded != 1)
        ThrowTextException("No objects added, please use the Add functions to add Text or imagedata!");
    // A page that fails from here on stays unwritable until the next ResetPage.
    m_pageStarted = 0;
    m_objectsAdded = 0;
}

void CZAVPdfDocumentPageWriter::WriteLayers()
{
    CPDFDocument& document = Document();
    for (const std::shared_ptr<CPdfOCGLayersEntry>& layer : m_layers.GetEntries()) {
        if (layer->kind != CPdfOCGLayersEntry::kImplicit)
            continue;
        CPDFDictionary* group = nullptr;
        boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, group);
        group->SetName("/Type", "/OCG");
        // Layer names are file names, often not ASCII.
        group->Set("/Name", CreatePDFTextString(&document, layer->name));
        layer->objectNumber = AddToDocument(document, object);
    }
    for (const std::shared_ptr<CPdfOCGLayersEntry>& layer : m_layers.GetEntries())
        if (layer->kind == CPdfOCGLayersEntry::kMembership)
            WriteMembershipLayer(*layer);
}

void CZAVPdfDocumentPageWriter::WriteMembershipLayer(CPdfOCGLayersEntry& layer)
{
    CPDFDocument& document = Document();
    boost::shared_ptr<CPDFArray> references = CreatePDFArray(&document);
    for (int32_t i = 0; i < layer.members.GetSize(); ++i) {
        const int index = m_layers.Find(layer.members.GetAt(i));
        const int32_t number = index < 0 ? -1 : m_layers.GetAt(index)->objectNumber;
        if (number >= 0)
            references->Add(CreatePDFRef(&document, number, 0));
    }
    // No member on this page: the layer gets no object and is not listed.
    layer.objectNumber = -1;
    if (references->GetCount() == 0)
        return;
    CPDFDictionary* membership = nullptr;
    boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, membership);
    membership->SetName("/Type", "/OCMD");
    membership->SetName("/P", layer.allOn != 0 ? "/AllOn" : "/AllOff");
    if (references->GetCount() == 1)
        membership->Set("/OCGs", references->Get(0));
    else
        membership->Set("/OCGs", references);
    layer.objectNumber = AddToDocument(document, object);
}

void CZAVPdfDocumentPageWriter::WriteOCProperties()
{
    CPDFDocument& document = Document();
    // The groups of earlier pages stay listed: a reader hides or shows only
    // the groups the configuration names.
    if (!m_documentGroups || m_groupsDocument.lock() != m_owner->GetDocument()) {
        m_documentGroups = CreatePDFArray(&document);
        m_groupsDocument = m_owner->GetDocument();
    }
    for (const std::shared_ptr<CPdfOCGLayersEntry>& layer : m_layers.GetEntries()) {
        if (layer->kind != CPdfOCGLayersEntry::kImplicit)
            continue;
        if (layer->objectNumber == -1)
            ThrowTextException("Layer objects not yet added to page!");
        m_documentGroups->Add(CreatePDFRef(&document, layer->objectNumber, 0));
    }
    boost::shared_ptr<CPDFDictionary> configuration = CreatePDFDictionary(&document);
    configuration->Set("/Name", CreatePDFTextString(&document, m_owner->GetDocumentInfo()->GetLayersName()));
    configuration->Set("/Order", m_documentGroups);
    boost::shared_ptr<CPDFDictionary> properties = CreatePDFDictionary(&document);
    properties->Set("/OCGs", m_documentGroups);
    properties->Set("/D", configuration);
    document.GetCatalogAdditions()->Set("/OCProperties", properties);
    RaiseVersion(kVersionForLayersAndJpx);
}

void CZAVPdfDocumentPageWriter::RaiseVersion(const char* version)
{
    CPDFInfo& info = Document().GetInfo();
    if (VersionBelow(info.GetVersion(), version))
        info.SetVersion(version);
}

void CZAVPdfDocumentPageWriter::WriteFontObjects()
{
    CPDFDocument& document = Document();
    for (const std::shared_ptr<CPdfFontEntry>& font : m_fonts.GetEntries()) {
        CPDFDictionary* dictionary = nullptr;
        boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, dictionary);
        dictionary->SetName("/Type", "/Font");
        dictionary->SetName("/Subtype", "/Type1");
        dictionary->SetName("/Encoding", "/WinAnsiEncoding");
        dictionary->SetName("/BaseFont", "/" + font->baseFont);
        font->objectNumber = AddToDocument(document, object);
    }
}

void CZAVPdfDocumentPageWriter::WriteLinkAnnotations()
{
    CPDFDocument& document = Document();
    for (const std::shared_ptr<CPdfAnnotsUrlEntry>& link : m_links.GetEntries()) {
        CPDFDictionary* annotation = nullptr;
        boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, annotation);
        annotation->SetName("/Type", "/Annot");
        annotation->SetName("/Subtype", "/Link");
        const double rect[4] = {link->rect.x1, link->rect.y1, link->rect.x2, link->rect.y2};
        annotation->Set("/Rect", CreatePDFRectArray(&document, rect));
        annotation->Set("/Border", CreatePDFArrayOf3Integers(&document, 0, 0, 1));
        annotation->Set("/C", CreatePDFArrayOf3Integers(&document, 1, 1, 1));
        boost::shared_ptr<CPDFDictionary> action = CreatePDFDictionary(&document);
        action->SetName("/S", "/URI");
        action->SetString("/URI", link->url, false);
        annotation->Set("/A", action);
        link->objectNumber = AddToDocument(document, object);
    }
}

}  // namespace ZAV
