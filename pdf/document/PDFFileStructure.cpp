// The file-level half of CPDFParser: header, the tail with "startxref",
// classic cross-reference sections along the /Prev chain, trailer, catalog,
// page tree, and objects loaded on first use.
#include <boost/make_shared.hpp>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/document/PDFCrt.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/forms/PDFFormDict.h"
#include "pdf/PDFLimits.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/parse/PDFPageSkim.h"
#include "pdf/parse/PDFParser.h"
#include "pdf/objects/PDFRef.h"

namespace ZAVPDF {

namespace {

// Where reading continues once the tail is read.
const int64_t kTailResume = 2048;
// A classic cross-reference row: ten digits, a blank, five digits, a blank
// and the type letter, then at least one byte of line end.
const int64_t kXrefRowFieldsLength = 18;
const int64_t kXrefRowMinLength = kXrefRowFieldsLength + 1;

[[noreturn]] void Fail(const char* text)
{
    ThrowTextException(text);
}

[[noreturn]] void FailFormat(const char* format, int a, int b = 0, int c = 0, int d = 0)
{
    char message[256];
    std::snprintf(message, sizeof message, format, a, b, c, d);
    ThrowTextException(message);
}

bool IsTailSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0 || c == 12;
}

bool IsDigitByte(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

void CPDFParser::ParseFile()
{
    ReadTrailerChain(m_document);
    ReadPageTree(m_document);
    // A file without a form opens as well when forms are asked for.
    if (m_document->GetOptionA() != 0 && m_document->GetRootCatalog()->HasKey("/AcroForm"))
        ReadAcroForm(m_document);
}

std::string CPDFParser::ReadHeader()
{
    std::string text;
    int lineEnds = 0;
    while (lineEnds < 2) {
        bool lineEnd = false;
        char c = GetChar(&lineEnd);
        if (c == 0)
            break;
        text.push_back(c);
        if (lineEnd)
            ++lineEnds;
    }
    return text;
}

int64_t CPDFParser::FindHeaderOffset()
{
    // Mail gateways and web servers put bytes in front of a file; its
    // offsets then count from its header (ISO 32000-1, annex H.3 note 3).
    static const char kHeader[] = "%PDF-";
    const int64_t length = SourceLength();
    const int64_t searched = length < kPDFMaxHeaderOffset ? length : kPDFMaxHeaderOffset;
    if (!SourceSeek(0))
        return 0;
    std::string head;
    for (int64_t i = 0; i < searched; ++i) {
        int byte = SourceReadByte();
        if (byte < 0)
            break;
        head.push_back(static_cast<char>(byte));
    }
    const size_t found = head.find(kHeader);
    return found == std::string::npos ? 0 : static_cast<int64_t>(found);
}

void CPDFParser::ReadStartXref(int& offset)
{
    int64_t length = SourceLength();
    // A short file is searched over its whole length.
    int64_t window = length < kPDFTailWindow ? length : kPDFTailWindow;
    if (window <= 0 || !SourceSeek(length - window))
        Fail("Error parsing PDF trailer");
    std::string tail;
    tail.reserve(static_cast<size_t>(window));
    for (int64_t i = 0; i < window; ++i) {
        int byte = SourceReadByte();
        if (byte < 0)
            Fail("Error parsing PDF trailer");
        tail.push_back(static_cast<char>(byte));
    }

    // The last marker counts; whatever follows it (line ends, padding,
    // garbage a transfer appended) is passed over.
    static const char kEof[] = "%%EOF";
    const size_t marker = tail.rfind(kEof);
    if (marker == std::string::npos)
        Fail("File contains invalid EOF marker");
    // i is the index of the byte under examination; -1 means the window ran out.
    int64_t i = static_cast<int64_t>(marker) - 1;
    if (i < 0 || (tail[static_cast<size_t>(i)] != '\r' && tail[static_cast<size_t>(i)] != '\n'))
        Fail("File contains invalid trailer");

    while (i >= 0 && IsTailSeparator(tail[static_cast<size_t>(i)]))
        --i;
    if (i < 0 || !IsDigitByte(tail[static_cast<size_t>(i)]))
        Fail("Invalid lat CRT offset");
    int64_t value = 0;
    int64_t scale = 1;
    while (i >= 0 && IsDigitByte(tail[static_cast<size_t>(i)])) {
        if (scale > kPDFMaxFileOffset)
            Fail("Invalid lat CRT offset");
        value += (tail[static_cast<size_t>(i)] - '0') * scale;
        if (value > kPDFMaxFileOffset)
            Fail("Invalid lat CRT offset");
        scale *= 10;
        --i;
    }
    if (i < 0 || !IsTailSeparator(tail[static_cast<size_t>(i)]))
        Fail("Invalid lat CRT offset");

    while (i >= 0 && IsTailSeparator(tail[static_cast<size_t>(i)]))
        --i;
    static const char kStartXref[] = "startxref";
    if (i < 8 || tail.compare(static_cast<size_t>(i - 8), 9, kStartXref) != 0)
        Fail("startxref not found");

    offset = static_cast<int>(value);
    if (!SourceSeek(length > kTailResume ? length - kTailResume : 0))
        Fail("Error while parsing file trailer");
}

void CPDFParser::CheckObjectNumberLimit(long long number)
{
    // Object numbers above the file's own length cannot belong to a sound
    // file, and the table would otherwise grow to the number read.
    long long ceiling = kPDFMaxObjectNumber;
    if (SourceLength() < ceiling)
        ceiling = SourceLength();
    if (number < 0 || number > ceiling)
        FailFormat("Object number %d is out of range in Cross Reference Table",
                   static_cast<int>(number > INT32_MAX ? INT32_MAX : number));
}

boost::shared_ptr<CPDFDictionary> CPDFParser::ParseXrefSection(CPDFCrt& table)
{
    if (!MatchLiteral("xref"))
        Fail("xref keyword has not been found");
    SkipWhitespace();
    for (;;) {
        if (MatchLiteral("trailer"))
            break;
        SkipWhitespace();
        int first = 0;
        int count = 0;
        if (!ReadUnsigned(&first) || !MatchChar(' ') || !ReadUnsigned(&count))
            Fail("Invalid character while parsing Cross Reference Table");
        SkipWhitespace();
        // The rows must really be there before the table is sized for them.
        if (static_cast<int64_t>(count) * kXrefRowMinLength > SourceLength() - SourceTell())
            Fail("Cross Reference Table subsection has more rows than the file holds");
        CheckObjectNumberLimit(count > 0 ? static_cast<long long>(first) + count - 1 : first);
        table.AddSection(first, count);

        for (int row = 0; row < count; ++row)
            ReadXrefRow(table, first + row);
        if (IsAtEnd())
            break;
    }
    SkipBlanks();
    return ParseDictionary();
}

void CPDFParser::ReadXrefRow(CPDFCrt& table, int objectNumber)
{
    const int64_t rowStart = SourceTell();
    int offset = 0;
    int generation = 0;
    if (!ReadUnsigned(&offset) || !MatchChar(' ') || !ReadUnsigned(&generation) || !MatchChar(' '))
        Fail("Invalid character while parsing Cross Reference Table");
    char type = GetChar(nullptr);
    const int64_t fieldsEnd = SourceTell();
    if (!CheckLineEnd())
        AddMessage("Invalid character while parsing Cross Reference Table");
    // Writers end rows with CR LF, blank CR or blank LF (ISO 32000-1, 7.5.4),
    // and in practice also with a lone LF, trailing blanks or an empty line;
    // the fields themselves keep their fixed widths.
    const bool separated = SkipWhitespace() || SourceTell() > fieldsEnd;
    if (type != 'n' && type != 'f')
        Fail("Invalid type character while parsing Cross Reference Table");
    if (offset < 0)
        Fail("Invalid offset value while parsing Cross Reference Table");
    if (fieldsEnd - rowStart != kXrefRowFieldsLength || !separated)
        Fail("Invalid xref entry length while parsing Cross Reference Table");
    table.AddEntry(objectNumber, generation, offset, type);
}

void CPDFParser::ReadTrailerChain(CPDFDocument* document)
{
    if (document == nullptr)
        Fail("Null pointer provided for document!");
    m_headerOffset = FindHeaderOffset();
    SourceSeek(m_headerOffset);
    document->SetFileVersion(ReadHeader());
    int startXref = 0;
    ReadStartXref(startXref);
    document->SetStartXref(startXref);
    m_crt = document->GetCrt();
    m_crt->SetXrefOffset(startXref);

    ReadXrefSections(startXref);
    boost::shared_ptr<CPDFDictionary> trailer = m_crt->GetTrailer();
    if (!trailer)
        Fail("Trailerdict is not present");
    // Encrypted strings and streams would be copied as if they were plain.
    if (trailer->HasKey("/Encrypt"))
        Fail("Encrypted PDF documents are not supported!");
    document->SetFileTableSize(m_crt->GetSize());
    document->SetFileTrailer(trailer);
    boost::shared_ptr<CPDFDictionary> root =
        boost::static_pointer_cast<CPDFDictionary>(trailer->GetTypedEntry("/Root", ptDictionary, true));
    document->SetRootCatalog(root);
    CPDFName* type = root->GetName("/Type", true, nullptr);
    if (type->GetName() != "/Catalog")
        Fail("Root object must have type /Catalog");
}

void CPDFParser::ReadXrefSections(int startXref)
{
    std::set<int> visitedOffsets;
    int offset = startXref;
    bool first = true;
    for (;;) {
        if (!visitedOffsets.insert(offset).second)
            Fail("The /Prev chain of the Cross Reference Tables runs in a loop");
        const int64_t position = m_headerOffset + offset;
        if (offset < 0 || position >= SourceLength() || !SourceSeek(position))
            Fail("xref keyword has not been found");
        if (!MatchLiteral("xref")) {
            if (IsXrefStreamAt(position))
                Fail("Cross reference streams (PDF 1.5 and later) are not supported");
            Fail("xref keyword has not been found");
        }
        SourceSeek(position);
        boost::shared_ptr<CPDFDictionary> trailer = ParseXrefSection(*m_crt);
        if (first) {
            m_crt->SetTrailer(trailer);
            first = false;
        }
        if (!trailer->HasKey("/Prev"))
            break;
        boost::shared_ptr<CPDFObjectBase> prev = trailer->Get("/Prev");
        if (!prev || prev->GetType() != ptInteger)
            Fail("/Prev has invalid type in trailer dict");
        offset = static_cast<CPDFNumber*>(prev.get())->GetInteger();
    }
}

bool CPDFParser::IsXrefStreamAt(int64_t offset)
{
    ParserPosition mark = SavePosition();
    bool xrefStream = false;
    try {
        SourceSeek(offset);
        // Writers may point at the line end before the object.
        SkipBlanks();
        boost::shared_ptr<CPDFNumber> number = ParseNumber();
        SkipBlanks();
        boost::shared_ptr<CPDFNumber> generation = ParseNumber();
        SkipBlanks();
        if (MatchLiteral("obj")) {
            SkipBlanks();
            boost::shared_ptr<CPDFObjectBase> object = ParseObject();
            if (object && object->GetType() == ptDictionary) {
                CPDFDictionary* dictionary = static_cast<CPDFDictionary*>(object.get());
                xrefStream = dictionary->EntryTextEquals("/Type", "/XRef");
            }
        }
    } catch (const CTextException&) {
    }
    RestorePosition(mark);
    return xrefStream;
}

bool CPDFParser::IsUnreadPlainPage(const CPDFRef& reference)
{
    // Only an object that nothing has read yet: one already read is the
    // object every other use of the number meets.
    const int objectNumber = reference.GetObjectNumber();
    if (reference.HasCachedObject() || reference.GetDocument() != m_document ||
        !m_document->IsFileObjectNumber(objectNumber) ||
        m_document->FindObjectByKeyText(objectNumber, reference.GetDocumentKey()))
        return false;
    s_crtentry entry = s_crtentry();
    if (!m_crt || !m_crt->FindEntry(objectNumber, entry) || entry.type != 'n' || entry.offset < 1)
        return false;
    const int64_t position = m_headerOffset + entry.offset;
    if (position >= SourceLength())
        return false;
    ParserPosition mark = SavePosition();
    SourceSeek(position);
    size_t count = static_cast<size_t>(std::min<int64_t>(kPDFPageSkimWindow, SourceLength() - position));
    const unsigned char* data = GetSource()->ReadAvailable(count);
    const bool plain = IsPlainPageObject(data, count, objectNumber, reference.GetGenerationNumber());
    RestorePosition(mark);
    return plain;
}

namespace {

// A page tree kid still to be visited, with its depth in the tree.
struct PendingKid {
    boost::shared_ptr<CPDFRef> reference;
    int depth;
};

// The walk goes depth first in document order: kids are pushed in reverse.
void PushKids(const CPDFArray& kids, int depth, std::vector<PendingKid>& pending)
{
    for (int k = kids.GetCount() - 1; k >= 0; --k) {
        boost::shared_ptr<CPDFObjectBase> kid = kids.Get(k);
        if (!kid || kid->GetType() == ptNull)
            continue;
        if (kid->GetType() != ptRef)
            Fail("Kids array in pages node contains other object than indirect reference");
        pending.push_back(PendingKid{boost::static_pointer_cast<CPDFRef>(kid), depth});
    }
}

}  // namespace

void CPDFParser::ReadPageTree(CPDFDocument* document)
{
    if (document == nullptr)
        Fail("Null pointer provided for document!");
    CPDFDictionary* catalog = document->GetRootCatalog().get();
    if (catalog == nullptr)
        Fail("RootCatalog element is missing");

    std::vector<PendingKid> pending;
    catalog->GetRef("/Pages", false, nullptr);
    pending.push_back(PendingKid{boost::static_pointer_cast<CPDFRef>(catalog->Get("/Pages")), 0});
    std::set<const CPDFObject*> visitedNodes;
    // A page found plain is not looked at again when more kids name it: a
    // /Kids array of a few bytes a listing would otherwise have its bytes
    // skimmed once per listing.
    std::set<std::pair<int, int>> plainPages;
    auto isPlainPage = [&](const CPDFRef& reference) {
        const std::pair<int, int> key(reference.GetObjectNumber(), reference.GetGenerationNumber());
        if (plainPages.count(key) != 0 && !reference.HasCachedObject() && reference.GetDocument() == m_document)
            return true;
        if (!IsUnreadPlainPage(reference))
            return false;
        plainPages.insert(key);
        return true;
    };
    bool firstNode = true;
    while (!pending.empty()) {
        const boost::shared_ptr<CPDFRef> reference = pending.back().reference;
        int depth = pending.back().depth;
        pending.pop_back();
        if (!reference)
            continue;
        // A plain page is listed by its reference and read when it is used:
        // what the parser would make of it is known without building it.
        if (!firstNode && document == m_document && isPlainPage(*reference)) {
            document->AddPage()->SetPageReference(reference);
            continue;
        }

        boost::shared_ptr<CPDFObject> object = reference->GetReferencedObject(nullptr, false);
        if (!object)
            Fail("Can't get the Page ref object!");
        if (object->GetInnerType() != ptDictionary)
            Fail("Pages tree node or page object of invalid type");
        CPDFDictionary* node = static_cast<CPDFDictionary*>(object->GetInnerObject().get());
        std::string type = node->GetName("/Type", true, "Type element of Subtree is missing")->GetName();

        if (type == "/Pages") {
            if (!visitedNodes.insert(object.get()).second)
                Fail("Pages tree node is reached twice: the /Kids of the page tree form a cycle");
            if (depth >= kPDFMaxPageTreeDepth)
                Fail("Pages tree is nested too deeply");
            if (firstNode)
                node->GetInteger("/Count", true, "Count element of Subtree is missing or is not of type integer");
            PushKids(*node->GetArray("/Kids", true, "Kids array not in pages dictionary!"), depth + 1, pending);
        } else if (firstNode) {
            Fail("The pages tree node specified in Document catalog, is not of type /Pages");
        } else if (type != "/Page") {
            Fail("Object of type Page expected");
        } else {
            document->AddPage()->SetPageObject(object);
        }
        firstNode = false;
    }
}

boost::shared_ptr<CPDFObject> CPDFParser::LoadObject(CPDFRef* reference)
{
    if (reference == nullptr)
        Fail("NULL pointer provided as parameter");
    if (!m_crt)
        Fail("Cross Reference table missing");

    int objectNumber = reference->GetObjectNumber();
    int generation = reference->GetGenerationNumber();
    s_crtentry entry = s_crtentry();
    bool found = m_crt->FindEntry(objectNumber, entry);

    boost::shared_ptr<CPDFObject> result;
    // Entries beyond the file's table belong to objects made since; the file
    // holds nothing under those numbers.
    if (found && entry.type == 'n' && entry.offset >= 1 && m_document->IsFileObjectNumber(objectNumber)) {
        const int64_t position = m_headerOffset + entry.offset;
        if (position >= SourceLength())
            FailFormat("Object %d has an offset beyond the end of the file", objectNumber);
        if (m_loading.count(objectNumber))
            FailFormat("Object %d refers to itself while it is being read", objectNumber);
        if (static_cast<int>(m_loading.size()) >= kPDFMaxLoadDepth)
            FailFormat("Object %d: chain of objects needed to read it is too long", objectNumber);
        m_loading.insert(objectNumber);
        try {
            SourceSeek(position);
            result = ParseIndirectObject();
        } catch (...) {
            m_loading.erase(objectNumber);
            throw;
        }
        m_loading.erase(objectNumber);
        // An offset that leads to another object is a damaged table; taking
        // that object under this number would hand out the wrong content.
        if (result->GetObjectNumber() != objectNumber || result->GetGenerationNumber() != generation)
            FailFormat("Object %d %d expected at its offset in crt, but found object %d %d", objectNumber, generation,
                       result->GetObjectNumber(), result->GetGenerationNumber());
    } else {
        char message[96];
        if (found && entry.type == 'f')
            std::snprintf(message, sizeof message, "Object %d was deleted from crt!", objectNumber);
        else
            std::snprintf(message, sizeof message, "Object %d invalid offset in crt!", objectNumber);
        AddMessage(message);
        result = boost::make_shared<CPDFObject>(m_document);
        reference->SetSkip(true);
    }
    result->SetObjectNumber(objectNumber);
    result->SetGenerationNumber(generation);
    result->SetDocumentKeyText(reference->GetDocumentKey());
    result->SetParent(reference);
    result->SetModified(false);
    return result;
}

}  // namespace ZAVPDF
