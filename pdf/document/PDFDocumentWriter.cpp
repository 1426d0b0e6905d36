// Writing a whole document as one classic PDF file.

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/PDFLimits.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"

#include <boost/make_shared.hpp>

namespace ZAVPDF {

namespace {

// The code a failed write carries, as the data source raises it.
constexpr int kWriteErrorCode = 30;

// A short write (a full disk) must not leave a file that looks complete.
void CheckStream(std::ostream& stream)
{
    if (!stream)
        throw CTextException(kWriteErrorCode, "Error writing to file!");
}

int CurrentOffset(std::ostream& stream)
{
    CheckStream(stream);
    const std::streamoff position = stream.tellp();
    if (position < 0)
        throw CTextException(kWriteErrorCode, "Error writing to file!");
    if (position > kPDFMaxFileOffset)
        ThrowTextException("PDF file is too large for a cross reference table!");
    return static_cast<int>(position);
}

boost::shared_ptr<CPDFRef> ReferenceTo(CPDFDocument* document, const boost::shared_ptr<CPDFObject>& object)
{
    return CreatePDFRef(document, object->GetObjectNumber(), object->GetGenerationNumber());
}

}  // namespace

void CPDFDocument::Write(std::ostream& stream)
{
    if (m_parser)
        LoadWhatThePagesReach();
    RebuildCrt();
    WriteHeader(stream);
    boost::shared_ptr<CPDFObject> pagesObject = CreatePagesObject();
    boost::shared_ptr<CPDFObject> catalog = CreateCatalog(
        pagesObject, boost::shared_ptr<CPDFObject>(), boost::shared_ptr<CPDFObject>(), boost::shared_ptr<CPDFObject>());
    boost::shared_ptr<CPDFObject> infoObject = CreateInfoObject();
    SetPageParents(pagesObject);
    WriteObjects(stream);
    RebuildCrt();

    const int crtOffset = WriteCrt(stream);
    boost::shared_ptr<CPDFDictionary> trailer = m_crt->GetTrailer();
    if (!trailer)
        ThrowTextException("Trailer is missing in original CRT");
    trailer->SetInteger("/Size", GetCrtSize());
    trailer->Set("/Info", ReferenceTo(this, infoObject));
    trailer->Set("/Root", ReferenceTo(this, catalog));

    stream << "trailer\r\n";
    trailer->WriteTo(stream);
    stream << "startxref\r\n" << crtOffset << "\r\n%%EOF\r\n";
    stream.flush();
    CheckStream(stream);
}

void CPDFDocument::LoadWhatThePagesReach()
{
    // The page tree, catalog and /Info are written anew, so the walk never
    // climbs into the file's own ones through /Parent.
    CPDFKeySet visitedKeys;
    CollectStructureKeys(visitedKeys);
    CPDFObjectMap reached(10000);
    for (const boost::shared_ptr<CPDFPage>& page : m_pages) {
        if (page && page->GetPageObject())
            page->GetPageObject()->CollectReferences(reached, visitedKeys);
    }
}

void CPDFDocument::WriteHeader(std::ostream& stream)
{
    stream << "%PDF-" << m_info.GetVersion() << "\r\n\r\n";
    CheckStream(stream);
}

void CPDFDocument::RebuildCrt()
{
    // A new table, not the old one cleared: the parser of a document read from
    // a file still holds the file's table to load the objects nobody has
    // asked for yet, and those stay in the file this document was read from.
    m_crt = boost::make_shared<CPDFCrt>();
    int count = 0;
    for (const boost::shared_ptr<CPDFObject>& object : GetOwnObjects()) {
        m_crt->AddEntry(object->GetObjectNumber(), object->GetGenerationNumber(), object->GetFileOffset(), 'n');
        ++count;
    }
    m_trailer = CreatePDFDictionary(this);
    m_trailer->SetInteger("/Size", count);
    m_crt->SetTrailer(m_trailer);
}

boost::shared_ptr<CPDFObject> CPDFDocument::CreatePagesObject()
{
    RemovePagesObjects();
    CPDFDictionary* pages = nullptr;
    boost::shared_ptr<CPDFObject> pagesObject = CreateIndirectDictionary(this, pages);
    AddObject(pagesObject);
    pages->SetName("/Type", "/Pages");
    boost::shared_ptr<CPDFArray> kids = CreatePDFArray(this);
    for (const boost::shared_ptr<CPDFPage>& page : m_pages)
        if (page && page->GetPageObject())
            kids->Add(ReferenceTo(this, page->GetPageObject()));
    pages->Set("/Kids", kids);
    pages->SetInteger("/Count", kids->GetCount());
    return pagesObject;
}

boost::shared_ptr<CPDFObject> CPDFDocument::CreateCatalog(const boost::shared_ptr<CPDFObject>& pagesObject,
                                                          const boost::shared_ptr<CPDFObject>& formObject,
                                                          const boost::shared_ptr<CPDFObject>& openActionObject,
                                                          const boost::shared_ptr<CPDFObject>& namesObject)
{
    RemoveCatalogObjects();
    CPDFDictionary* catalog = nullptr;
    boost::shared_ptr<CPDFObject> catalogObject = CreateIndirectDictionary(this, catalog);
    AddObject(catalogObject);
    catalog->SetName("/Type", "/Catalog");
    catalog->Set("/Pages", ReferenceTo(this, pagesObject));
    if (formObject)
        catalog->Set("/AcroForm", ReferenceTo(this, formObject));
    if (openActionObject)
        catalog->Set("/OpenAction", ReferenceTo(this, openActionObject));
    if (namesObject)
        catalog->Set("/Names", ReferenceTo(this, namesObject));
    const std::vector<std::string> keys = m_catalogAdditions->GetOriginalKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        CPDFObjectPtr value = m_catalogAdditions->GetEntryAt(static_cast<int>(i));
        if (value)
            catalog->Set(keys[i], value);
    }
    return catalogObject;
}

boost::shared_ptr<CPDFObject> CPDFDocument::CreateInfoObject()
{
    // A document written again gets one /Info object, not one per write.
    if (m_infoObject) {
        const std::string key = m_infoObject->GetObjectKey();
        if (m_objects.Contains(key) && FindObject(key) == m_infoObject)
            m_objects.RemoveEntry(key, CPDFObjectPtr());
    }
    m_infoObject = AddObject(m_info.CreateInfoDictionary());
    return m_infoObject;
}

void CPDFDocument::SetPageParents(const boost::shared_ptr<CPDFObject>& pagesObject)
{
    for (const boost::shared_ptr<CPDFPage>& page : m_pages) {
        if (!page || !page->GetPageObject())
            continue;
        CPDFDictionary* dictionary = GetPDFDictionary(page->GetPageObject(), false);
        if (dictionary)
            dictionary->Set("/Parent", ReferenceTo(this, pagesObject));
    }
}

void CPDFDocument::WriteObjects(std::ostream& stream)
{
    for (const boost::shared_ptr<CPDFObject>& object : GetOwnObjects()) {
        const int offset = CurrentOffset(stream);
        object->WriteTo(stream);
        CheckStream(stream);
        object->SetFileOffset(offset);
    }
}

int CPDFDocument::WriteCrt(std::ostream& stream)
{
    stream.seekp(0, std::ios_base::end);
    const int offset = CurrentOffset(stream);
    m_crt->Write(stream);
    CheckStream(stream);
    m_crt->SetXrefOffset(offset);
    return offset;
}

}  // namespace ZAVPDF
