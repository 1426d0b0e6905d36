#include "pdf/document/PDFUpdateableDocument.h"

#include <boost/make_shared.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/document/PDFCrt.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/PDFLimits.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/document/PDFPageCopy.h"
#include "pdf/parse/PDFParser.h"
#include "pdf/objects/PDFRef.h"

namespace ZAVPDF {

namespace {

bool FileExists(const char* fileName)
{
    std::error_code error;
    return fileName && *fileName && std::filesystem::is_regular_file(fileName, error);
}

boost::shared_ptr<CPDFRef> ReferenceTo(CPDFDocument* document, const boost::shared_ptr<CPDFObject>& object)
{
    boost::shared_ptr<CPDFRef> reference =
        CreatePDFRef(document, object->GetObjectNumber(), object->GetGenerationNumber());
    reference->SetCachedObject(object);
    return reference;
}

}  // namespace

CPDFUpdateableDocument::CPDFUpdateableDocument() : m_updateCrt(boost::make_shared<CPDFCrt>())
{
    m_updateCrt->AddEntry(0, 65535, 0, 'f');
}

CPDFUpdateableDocument::~CPDFUpdateableDocument()
{
    m_updateCrt.reset();
}

void CPDFUpdateableDocument::GetNewObjectNumber(int& objectNumber, int& generation)
{
    s_crtentry entry = s_crtentry();
    if (!m_updateCrt || !m_updateCrt->FindEntry(0, entry))
        ThrowTextException("Error accessing new CRT table");
    objectNumber = GetCrtSize();
    generation = 0;
}

int CPDFUpdateableDocument::GetCrtSize() const
{
    int oldSize = GetCrt() ? GetCrt()->GetSize() : 1;
    int newSize = m_updateCrt ? m_updateCrt->GetSize() : 1;
    return oldSize > newSize ? oldSize : newSize;
}

boost::shared_ptr<CPDFObject> CPDFUpdateableDocument::AddUpdateObject(const CPDFObjectPtr& object)
{
    boost::shared_ptr<CPDFObject> added = CPDFDocument::AddObject(object);
    m_updateCrt->AddEntry(added->GetObjectNumber(), added->GetGenerationNumber(), 0, 'n');
    return added;
}

void CPDFUpdateableDocument::AddUpdateObjectTree(const CPDFObjectPtr& object)
{
    CPDFDocument::AddObjectTree(object);
}

void CPDFUpdateableDocument::ReadIncrementalUpdateFile(const char* fileName)
{
    m_read = true;
    if (!FileExists(fileName))
        return;

    ZAV::CDataSource source;
    // Mapping makes the byte-wise reading cheap; a file that cannot be
    // mapped (an empty one) is opened plainly and fails in the parser.
    if (!source.OpenMapped(fileName) && !source.OpenFile(fileName)) {
        ThrowTextException(
            (std::string("Can't parse existing PDF for incremental update!\n") + "Can't open '" + fileName + "'!")
                .c_str());
    }
    SetDataSource(&source);
    SetParser(boost::make_shared<CPDFParser>(&source, this));
    std::string failure;
    try {
        GetParser()->ReadTrailerChain(this);
        // The update's offsets would count from the file's first byte.
        if (GetParser()->GetHeaderOffset() != 0)
            ThrowTextException("Appending to a PDF file with bytes before its header is not supported!");
        // The update writes a new /Info: it keeps what the file says.
        ReadFileInfo();
        ReadOldPageTreeRoot();
        ReadOldForm();
    } catch (const CTextException& e) {
        failure = e.GetText();
    } catch (...) {
        SetParser(boost::shared_ptr<CPDFParser>());
        SetDataSource(nullptr);
        throw;
    }
    // What was read stays; nothing more can be loaded from the file.
    SetParser(boost::shared_ptr<CPDFParser>());
    SetDataSource(nullptr);
    source.Close();
    if (!failure.empty())
        ThrowTextException(("Can't parse existing PDF for incremental update!\n" + failure).c_str());
}

void CPDFUpdateableDocument::ReadOldForm()
{
    // Read now, while the file can be read: a copied page's form fields
    // join the file's form (its dictionary and its /Fields array).
    try {
        const boost::shared_ptr<CPDFDictionary> catalog = GetRootCatalog();
        if (!catalog || !catalog->HasKey("/AcroForm"))
            return;
        CPDFDictionary* form = GetPDFDictionary(ResolvePDFReference(catalog->Get("/AcroForm")), false);
        if (form && form->HasKey("/Fields"))
            ResolvePDFReference(form->Get("/Fields"));
    } catch (const CTextException&) {
        // A form that cannot be read is left as the file has it; copied
        // pages then do not join it.
    }
}

void CPDFUpdateableDocument::ReadOldPageTreeRoot()
{
    boost::shared_ptr<CPDFDictionary> catalog = GetRootCatalog();
    if (!catalog)
        return;
    CPDFRef* pages = catalog->GetRef("/Pages", false);
    // Read as the file holds it, under its own number: the update writes it
    // again with a /Parent, in place of the old one.
    m_oldPagesRoot = GetParser()->LoadObject(pages);
    if (m_oldPagesRoot->GetInnerType() != ptDictionary)
        ThrowTextException("The pages tree root of the file is not a dictionary");
    CPDFDictionary* root = static_cast<CPDFDictionary*>(m_oldPagesRoot->GetInnerObject().get());
    if (!root->EntryTextEquals("/Type", "/Pages"))
        ThrowTextException("The pages tree node specified in Document catalog, is not of type /Pages");
    m_oldPageCount =
        root->GetInteger("/Count", true, "Count element of Subtree is missing or is not of type integer")->GetInteger();
    if (m_oldPageCount < 0)
        ThrowTextException("The page count of the file is negative");
}

void CPDFUpdateableDocument::ImportPage(const boost::shared_ptr<CPDFObject>& pageObject)
{
    if (!pageObject)
        ThrowTextException("Null pointer provided for page");
    if (!GetCrt())
        ThrowTextException("Cross reference table not present");
    if (pageObject->GetInnerType() != ptDictionary)
        ThrowTextException("Page object is expected to be dict!");

    boost::shared_ptr<CPDFObject> page = pageObject;
    if (page->GetDocument() != this)
        page = CopyPageFromOtherDocument(*this, page, true);
    AddPage()->SetPageObject(page);
    if (!HasObjectKey(page->GetObjectKey()))
        AddUpdateObjectTree(page);
}

void CPDFUpdateableDocument::UpdateObject(CPDFVisitedMap& visited, const CPDFObjectPtr& object, std::ostream& stream,
                                          CPDFCrt& updateTable)
{
    if (!object)
        return;
    switch (object->GetType()) {
    case ptArray:
        for (const CPDFObjectPtr& element : static_cast<CPDFArray*>(object.get())->GetElements())
            UpdateObject(visited, element, stream, updateTable);
        break;
    case ptDictionary:
        for (const CPDFObjectPtr& value : static_cast<CPDFDictionary*>(object.get())->GetValues())
            UpdateObject(visited, value, stream, updateTable);
        break;
    case ptRef: {
        CPDFRef* reference = static_cast<CPDFRef*>(object.get());
        if (visited.Contains(reference->GetObjectKey()))
            break;
        MapReference(visited, reference, reference);
        // Only what was loaded can have changed; nothing is read here.
        if (reference->HasCachedObject())
            UpdateObject(visited, reference->GetCachedObject(), stream, updateTable);
        break;
    }
    case ptObject: {
        CPDFObject* indirect = static_cast<CPDFObject*>(object.get());
        // Objects are marked under a key of their own (no object key holds
        // a '#'), so an object reached twice is appended once.
        const std::string writtenKey = indirect->GetObjectKey() + "#written";
        if (visited.Contains(writtenKey))
            break;
        visited.Set(writtenKey, indirect);
        if (indirect->IsModified() || indirect->HasModifiedContent()) {
            int offset = static_cast<int>(stream.tellp());
            indirect->WriteTo(stream);
            stream << "\r\n";
            indirect->SetFileOffset(offset);
            updateTable.AddEntry(indirect->GetObjectNumber(), indirect->GetGenerationNumber(), offset, 'n');
        }
        UpdateObject(visited, indirect->GetInnerObject(), stream, updateTable);
        break;
    }
    default:
        break;
    }
}

void CPDFUpdateableDocument::RebuildUpdateCrt(const std::vector<WrittenObject>& written)
{
    m_updateCrt->Clear();
    for (const WrittenObject& object : written)
        m_updateCrt->AddEntry(object.number, object.generation, object.offset, 'n');
    boost::shared_ptr<CPDFDictionary> trailer = CreatePDFDictionary(this);
    trailer->SetInteger("/Size", static_cast<int>(written.size()));
    m_updateCrt->SetTrailer(trailer);
}

void CPDFUpdateableDocument::AppendUpdate(std::ostream& stream)
{
    if (!GetCrt())
        ThrowTextException("No Cross Reference table");

    boost::shared_ptr<CPDFObject> pages = CreatePagesObject();
    CPDFDictionary* pagesDictionary = static_cast<CPDFDictionary*>(pages->GetInnerObject().get());
    if (m_oldPagesRoot) {
        // The file's pages come first, under their old tree, then the new ones.
        boost::shared_ptr<CPDFArray> kids = CreatePDFArray(this);
        kids->Add(CreatePDFRef(this, m_oldPagesRoot->GetObjectNumber(), m_oldPagesRoot->GetGenerationNumber()));
        for (const CPDFObjectPtr& kid : pagesDictionary->GetArray("/Kids", false)->GetElements())
            kids->Add(kid);
        pagesDictionary->Set("/Kids", kids);
        pagesDictionary->SetInteger("/Count", m_oldPageCount + GetPageCount());
        static_cast<CPDFDictionary*>(m_oldPagesRoot->GetInnerObject().get())->Set("/Parent", ReferenceTo(this, pages));
    }
    // The new catalog keeps what the file's catalog held besides its pages.
    if (boost::shared_ptr<CPDFDictionary> oldCatalog = GetRootCatalog()) {
        for (const std::string& key : oldCatalog->GetOriginalKeys()) {
            if (key.empty() || key == "/Type" || key == "/Pages" || GetCatalogAdditions()->HasKey(key))
                continue;
            if (CPDFObjectPtr value = oldCatalog->Get(key))
                GetCatalogAdditions()->Set(key, value);
        }
    }
    if (CPDFObjectPtr info = GetTrailerInfo())
        RemoveObject(info->GetObjectNumber());
    boost::shared_ptr<CPDFObject> info = CreateInfoObject();
    boost::shared_ptr<CPDFObject> catalog = CreateCatalog(
        pages, boost::shared_ptr<CPDFObject>(), boost::shared_ptr<CPDFObject>(), boost::shared_ptr<CPDFObject>());
    SetPageParents(pages);

    // Each object once, at the position where it is written; an object the
    // map no longer holds under its own number (the replaced catalog) is left.
    std::vector<WrittenObject> written;
    std::vector<boost::shared_ptr<CPDFObject>> objects = GetOwnObjects();
    if (m_oldPagesRoot)
        objects.push_back(m_oldPagesRoot);
    for (const boost::shared_ptr<CPDFObject>& object : objects) {
        if (object != m_oldPagesRoot && FindObject(object->GetObjectKey()) != object)
            continue;
        int offset = static_cast<int>(stream.tellp());
        object->WriteTo(stream);
        object->SetFileOffset(offset);
        written.push_back(WrittenObject{object->GetObjectNumber(), object->GetGenerationNumber(), offset});
    }
    RebuildUpdateCrt(written);

    int xrefOffset = static_cast<int>(stream.tellp());
    m_updateCrt->Write(stream);
    boost::shared_ptr<CPDFDictionary> trailer = GetCrt()->GetTrailer();
    if (!trailer)
        ThrowTextException("Trailer is missing in original CRT");
    trailer->SetInteger("/Size", GetCrtSize());
    trailer->SetInteger("/Prev", GetStartXref());
    trailer->Set("/Root", ReferenceTo(this, catalog));
    trailer->Set("/Info", ReferenceTo(this, info));
    stream << "trailer\r\n";
    trailer->WriteTo(stream);
    stream << "\r\nstartxref\r\n" << xrefOffset << "\r\n%%EOF\r\n";
    stream.flush();
    if (!stream)
        ThrowTextException("Error writing to file!");
}

void CPDFUpdateableDocument::WriteUpdate(const char* fileName)
{
    if (!m_read)
        ThrowTextException("Call ReadIncrementalUpdateFile before updating the actual file!");
    if (!FileExists(fileName)) {
        std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
        if (!out)
            ThrowTextException((std::string("Can't create '") + (fileName ? fileName : "") + "'!").c_str());
        Write(out);
        out.close();
        if (!out)
            ThrowTextException("Error writing to file!");
        return;
    }

    std::error_code error;
    const uintmax_t originalLength = std::filesystem::file_size(fileName, error);
    const std::string prefix = std::string("Can't open existing PDF '") + fileName + "' for incremental update!";
    std::string failure;
    bool failed = false;
    {
        std::fstream stream(fileName, std::ios::in | std::ios::out | std::ios::binary);
        try {
            if (error || !stream)
                ThrowTextException("The file can't be opened for writing");
            // The update starts on a line of its own.
            stream.seekg(0, std::ios::end);
            if (originalLength > 0) {
                stream.seekg(-1, std::ios::end);
                char last = 0;
                stream.get(last);
                stream.seekp(0, std::ios::end);
                if (last != '\n' && last != '\r')
                    stream << "\r\n";
            }
            stream.seekp(0, std::ios::end);
            AppendUpdate(stream);
        } catch (const CTextException& e) {
            failed = true;
            failure = e.GetText();
        } catch (const std::exception& e) {
            failed = true;
            failure = e.what();
        } catch (...) {
            failed = true;
        }
    }
    if (failed) {
        // The file is given back exactly as it was.
        std::error_code ignored;
        if (!error)
            std::filesystem::resize_file(fileName, originalLength, ignored);
        ThrowTextException((failure.empty() ? prefix : prefix + " " + failure).c_str());
    }
}

}  // namespace ZAVPDF
