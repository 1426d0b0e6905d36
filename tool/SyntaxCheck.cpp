#include "tool/SyntaxCheck.h"

#include "foundation/files/FileUtils.h"
#include "foundation/containers/IndexedVectorMap.h"
#include "foundation/containers/Set.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/ZAVPdfPage.h"
#include "pdf/document/PDFCrt.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"
#include "tool/Commands.h"
#include "tool/DocumentLog.h"
#include "tool/LibraryObjects.h"
#include "tool/OutputNames.h"
#include "platform/CrtShims.h"

#include <cinttypes>
#include <cstdio>

namespace ZAV {

using namespace ZAVPDF;

namespace {

// The key index of one page's object group starts small and grows with the
// objects the page reaches: a large fixed table per page would make the
// check of a long document spend its time clearing tables.
constexpr uint32_t kPageGroupBuckets = 64;

struct ListedKey {
    const char* key;
    bool asName;  // read as a name (a reference followed), else as stored
    const char* format;
};

// The subtype is stored as /Subtype; the listing keeps its own label.
const ListedKey kListedKeys[] = {
    {"/Type", true, " Type: '%s'"},      {"/Subtype", true, " SubType: '%s'"}, {"/Name", true, " Name: '%s'"},
    {"/Filter", false, " Filter: '%s'"}, {"/Width", false, " Width: '%s'"},    {"/Height", false, " Height: '%s'"},
};

String Formatted(const char* format, const std::string& value)
{
    String text;
    text.Format(format, value.c_str());
    return text;
}

// The page text file, opened once for the whole command instead of once per
// page. A file that cannot be opened is tried again at the next page, so each
// page still reports its own failure.
class PageTextFile {
public:
    explicit PageTextFile(const std::string& name) : m_name(name) {}
    PageTextFile(const PageTextFile&) = delete;
    PageTextFile& operator=(const PageTextFile&) = delete;
    ~PageTextFile()
    {
        if (m_file)
            std::fclose(m_file);
    }

    void Append(const std::string& text)
    {
        String message;
        if (!m_file && (fopen_s(&m_file, m_name.c_str(), "a+") != 0 || !m_file)) {
            m_file = nullptr;
            message.Format("Cannot open file '%s'!", m_name.c_str());
            ThrowTextException(message.GetText());
        }
        const bool written = std::fwrite(text.data(), 1, text.size(), m_file) == text.size();
        if (std::fflush(m_file) != 0 || !written) {
            message.Format("Can't write file '%s'!", m_name.c_str());
            ThrowTextException(message.GetText());
        }
    }

private:
    std::string m_name;
    FILE* m_file = nullptr;
};

// The document reads its objects when something refers to them; the listing
// wants every object the file holds, also those nothing refers to. An object
// that cannot be read is reported and the others are read on.
void LoadAllObjects(CPDFDocument& pdf, CLogFile& log)
{
    const boost::shared_ptr<CPDFCrt>& crt = pdf.GetCrt();
    if (!crt)
        return;
    // Taken first, so the walk does not depend on what reading leaves behind.
    std::vector<std::pair<int, int>> inUse;
    for (int s = 0; s < crt->GetSectionCount(); ++s) {
        const CPDFCrtSequence& section = crt->GetSection(s);
        for (int64_t number = section.GetFirst(); number < int64_t(section.GetFirst()) + section.GetCount(); ++number) {
            const s_crtentry entry = section.GetEntry(static_cast<int32_t>(number));
            if (number > 0 && entry.type == 'n' && entry.offset > 0)
                inUse.emplace_back(static_cast<int>(number), entry.generation);
        }
    }
    for (const auto& object : inUse) {
        try {
            CPDFRef reference(&pdf, object.first, object.second);
            reference.GetReferencedObject();
        } catch (const CTextException& e) {
            String text;
            text.Format("\tError loading object %d %d! %s", object.first, object.second, e.GetText());
            log.LogWriteString(text, true);
        }
    }
}

}  // namespace

std::string MakePageTextFileName(const std::string& documentName)
{
    String base;
    base.Format("%s%s", GetPathDirectory(String(documentName)).GetText(),
                GetPathFileName(String(documentName), true).GetText());
    String name;
    name.Format("%s_Content.txt", base.GetText());
    return name.ToStdString();
}

int64_t WriteObjectLine(CPDFObjectBase* object, CLogFile& log)
{
    if (!object)
        return 0;
    String text;
    text.Format("\tObj: %d %d", object->GetObjectNumber(), object->GetGenerationNumber());
    log.LogWriteString(text, false);
    CPDFObject* indirect = object->GetType() == ptObject ? static_cast<CPDFObject*>(object) : nullptr;
    if (indirect && indirect->GetInnerObject()) {
        const CPDFObjectPtr& inner = indirect->GetInnerObject();
        text.Format("\t\tInnerObject Obj: %d %d", inner->GetObjectNumber(), inner->GetGenerationNumber());
        log.LogWriteString(text, false);
        if (inner->GetType() == ptDictionary) {
            const CPDFDictionary* dictionary = static_cast<const CPDFDictionary*>(inner.get());
            for (const ListedKey& listed : kListedKeys) {
                if (!dictionary->HasKey(listed.key))
                    continue;
                const std::string value = listed.asName ? dictionary->GetName(listed.key, true)->ToPDFString()
                                                        : dictionary->Get(listed.key)->ToPDFString();
                log.LogWriteString(Formatted(listed.format, value), false);
            }
        }
    }
    const int64_t size = indirect ? indirect->GetStreamSize() : 0;
    if (size > 0) {
        text.Format(" Data: %" PRId64, size);
        log.LogWriteString(text, false);
    }
    log.LogWrite("", true);
    return size;
}

void ListObjectGroup(const std::vector<CPDFObjectBase*>& objects, CLogFile& log)
{
    int64_t total = 0;
    for (CPDFObjectBase* object : objects) {
        try {
            total += WriteObjectLine(object, log);
        } catch (const CTextException& e) {
            // The object's line is open: its failure ends it.
            String text;
            text.Format(" Error listing object! %s", e.GetText());
            log.LogWriteString(text, true);
        }
    }
    String text;
    text.Format("\tSummary Datasize: %" PRId64, total);
    log.LogWriteString(text, true);
}

namespace {

void ListLoadedObjects(CPDFDocument& pdf, CLogFile& log)
{
    LoadAllObjects(pdf, log);
    // The objects no page reaches are listed in the order of the object map,
    // so that two runs on one file write the same log.
    std::vector<CPDFObjectBase*> allObjects;
    CSet<CPDFObjectBase*> remaining;
    for (const CPDFObjectPtr& object : pdf.GetObjects()) {
        if (!remaining.Contains(object.get())) {
            remaining.Add(object.get());
            allObjects.push_back(object.get());
        }
    }

    // The walk from a page never climbs into the page tree, the catalog or
    // /Info; those keys are the same for every page, so they are found once.
    CPDFKeySet structureKeys;
    pdf.CollectStructureKeys(structureKeys);
    String text;
    for (int p = 0; p < pdf.GetPageCount(); ++p) {
        boost::shared_ptr<CPDFPage> page = pdf.GetPage(p);
        if (!page || !page->GetPageObject())
            continue;
        const boost::shared_ptr<CPDFObject>& pageObject = page->GetPageObject();
        CPDFKeySet visited(structureKeys);
        CPDFObjectMap group(kPageGroupBuckets);
        pageObject->CollectReferences(group, visited);

        log.LogWriteEmptyLine();
        log.LogWriteEmptyLine();
        text.Format("Listing all objects of Page %d %d", pageObject->GetObjectNumber(),
                    pageObject->GetGenerationNumber());
        log.LogWriteString(text, true);
        std::vector<CPDFObjectBase*> objects;
        for (const CPDFObjectPtr& object : group.GetEntries())
            if (object)
                objects.push_back(object.get());
        ListObjectGroup(objects, log);
        log.LogWriteEmptyLine();
        for (CPDFObjectBase* object : objects)
            remaining.Remove(object);
    }

    log.LogWriteEmptyLine();
    log.LogWriteEmptyLine();
    log.LogWrite("Listing all remaining objects ", true);
    std::vector<CPDFObjectBase*> rest;
    for (CPDFObjectBase* object : allObjects)
        if (remaining.Contains(object))
            rest.push_back(object);
    ListObjectGroup(rest, log);
    log.LogWriteEmptyLine();
}

}  // namespace

void ListDocumentObjects(const std::string& documentName, IZAVPdfDocumentSp* document, CLogFile& log)
{
    LoadLogged(document, documentName, log);

    CZAVPtr<IZAVObjectSp> view = document->GetObjectSp();
    CZAVPdfDocument* implementation = static_cast<CZAVPdfDocument*>(view->GetImplementation());
    // The page texts load the file again: every object read for the listing
    // goes first, so the command never holds the file's objects twice.
    try {
        ListLoadedObjects(*implementation->GetDocument(), log);
    } catch (...) {
        implementation->ReleaseDocument();
        throw;
    }
    implementation->ReleaseDocument();
}

void SavePageTexts(IZAVPdfDocumentSp* document, const std::string& documentName, CLogFile& log)
{
    const std::string textFileName = MakePageTextFileName(documentName);
    PageTextFile textFile(textFileName);
    LoadLogged(document, documentName, log);
    LogDocumentSummary(document, log);

    String text;
    for (int p = 0; p < document->GetPageCount(); ++p) {
        text.Format("\tSaving content of Page %d:", p);
        log.LogWriteString(text, true);
        CZAVPtr<IZAVPdfPageSp> page;
        try {
            page = document->GetPage(p);
        } catch (const CTextException& e) {
            text.Format("Error reading page %d: %s", p, e.GetText());
            log.LogWriteString(text, true);
            continue;
        }
        try {
            CZAVPtr<IZAVArrayByteSp> data = page->GetContentData(1);
            CZAVPtr<IZAVObjectSp> bytes = data->GetObjectSp();
            const CPDFByteArray& content = *static_cast<CPDFByteArray*>(bytes->GetImplementation());
            text.Format("Page %d:\n", p);
            std::string pageText = text.GetText();
            if (content.GetSize() > 0)
                pageText.append(reinterpret_cast<const char*>(content.GetData()),
                                static_cast<size_t>(content.GetSize()));
            pageText += "\n\n\n";
            textFile.Append(pageText);
            text.Format("Content of page %d saved to '%s'!", p, textFileName.c_str());
            log.LogWriteString(text, true);
        } catch (const CTextException& e) {
            log.LogWrite(e.GetText(), true);
        }
    }
}

void SyntaxCheck(const std::string& documentName, CLogFile& log)
{
    log.LogWriteEmptyLine();
    log.LogWriteString(Formatted("Listing all objects for each Page in the PDF document '%s'", documentName), true);
    log.LogWriteEmptyLine();

    if (!IsExistingFile(documentName))
        ThrowTextException(Formatted("File '%s' not found!", documentName).GetText());

    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocument(log);
    const String folder = GetModuleDirectory(nullptr);
    document->SetJbig2PluginPath((folder + kJbig2PluginFileName).ToStdString());
    document->SetJpeg2000PluginPath((folder + kJpeg2000PluginFileName).ToStdString());

    try {
        ListDocumentObjects(documentName, document.Get(), log);
    } catch (const CTextException& e) {
        log.LogWriteString(Formatted("Error listing contained objects! %s", e.GetText()), true);
    }
    try {
        SavePageTexts(document.Get(), documentName, log);
    } catch (const CTextException& e) {
        log.LogWriteString(Formatted("Error listing content data! %s", e.GetText()), true);
        // A document that could not be read at all fails the command; a
        // damaged object inside a readable one is only a line of the log.
        if (document->GetFileName().empty())
            throw;
    }
    document.Reset();
}

}  // namespace ZAV
