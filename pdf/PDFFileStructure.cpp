// The file-level half of CPDFParser: header, the tail with "startxref",
// classic cross-reference sections along the /Prev chain, trailer, catalog,
// page tree, and objects loaded on first use.
#include <boost/make_shared.hpp>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "foundation/text/TextException.h"
#include "pdf/PDFArray.h"
#include "pdf/PDFCrt.h"
#include "pdf/PDFDictionary.h"
#include "pdf/PDFDocument.h"
#include "pdf/PDFFormDict.h"
#include "pdf/PDFLimits.h"
#include "pdf/PDFName.h"
#include "pdf/PDFNumber.h"
#include "pdf/PDFObject.h"
#include "pdf/PDFPage.h"
#include "pdf/PDFParser.h"
#include "pdf/PDFRef.h"

namespace ZAVPDF {

namespace {

// The end of a file is searched for "startxref" only this far back.
const int64_t kTailWindow = 128;
// Where reading continues once the tail is read.
const int64_t kTailResume = 2048;
// Every classic cross-reference row is exactly this long.
const int64_t kXrefRowLength = 20;

[[noreturn]] void Fail(const char* text) { ThrowTextException(text); }

[[noreturn]] void FailFormat(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char message[256];
    std::snprintf(message, sizeof message, format, a, b, c, d);
    ThrowTextException(message);
}

bool IsTailSeparator(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0 || c == 12;
}

}  // namespace

void CPDFParser::ParseFile() {
    ReadTrailerChain(m_document);
    ReadPageTree(m_document);
    // A file without a form opens as well when forms are asked for.
    if (m_document->GetOptionA() != 0 && m_document->GetRootCatalog()->HasKey("/AcroForm"))
        ReadAcroForm(m_document);
}

std::string CPDFParser::ReadHeader() {
    std::string text;
    int lineEnds = 0;
    while (lineEnds < 2) {
        bool lineEnd = false;
        char c = GetChar(&lineEnd);
        if (c == 0) break;
        text.push_back(c);
        if (lineEnd) ++lineEnds;
    }
    return text;
}

void CPDFParser::ReadStartXref(int& offset) {
    int64_t length = SourceLength();
    // A short file is searched over its whole length.
    int64_t window = length < kTailWindow ? length : kTailWindow;
    if (window <= 0 || !SourceSeek(length - window)) Fail("Error parsing PDF trailer");
    std::vector<unsigned char> tail;
    tail.reserve(static_cast<size_t>(window));
    for (int64_t i = 0; i < window; ++i) {
        int byte = SourceReadByte();
        if (byte < 0) Fail("Error parsing PDF trailer");
        tail.push_back(static_cast<unsigned char>(byte));
    }

    // i is the index of the byte under examination; -1 means the window ran out.
    int64_t i = window - 1;
    // Writers leave line ends, blanks and padding NULs after the marker.
    while (i >= 0 && IsTailSeparator(tail[static_cast<size_t>(i)])) --i;
    static const char kEof[] = "%%EOF";
    if (i < 4 || std::string(tail.begin() + (i - 4), tail.begin() + i + 1) != kEof)
        Fail("File contains invalid EOF marker");
    i -= 5;
    if (i < 0 || (tail[static_cast<size_t>(i)] != '\r' && tail[static_cast<size_t>(i)] != '\n'))
        Fail("File contains invalid trailer");

    while (i >= 0 && IsTailSeparator(tail[static_cast<size_t>(i)])) --i;
    if (i < 0 || tail[static_cast<size_t>(i)] < '0' || tail[static_cast<size_t>(i)] > '9')
        Fail("Invalid lat CRT offset");
    int64_t value = 0;
    int64_t scale = 1;
    while (i >= 0 && tail[static_cast<size_t>(i)] >= '0' && tail[static_cast<size_t>(i)] <= '9') {
        if (scale > kPDFMaxFileOffset) Fail("Invalid lat CRT offset");
        value += (tail[static_cast<size_t>(i)] - '0') * scale;
        if (value > kPDFMaxFileOffset) Fail("Invalid lat CRT offset");
        scale *= 10;
        --i;
    }
    if (i < 0 || !IsTailSeparator(tail[static_cast<size_t>(i)])) Fail("Invalid lat CRT offset");

    while (i >= 0 && IsTailSeparator(tail[static_cast<size_t>(i)])) --i;
    static const char kStartXref[] = "startxref";
    if (i < 8 || std::string(tail.begin() + (i - 8), tail.begin() + i + 1) != kStartXref)
        Fail("startxref not found");

    offset = static_cast<int>(value);
    if (!SourceSeek(length > kTailResume ? length - kTailResume : 0))
        Fail("Error while parsing file trailer");
}

void CPDFParser::CheckObjectNumberLimit(long long number) {
    // Object numbers above the file's own length cannot belong to a sound
    // file, and the table would otherwise grow to the number read.
    long long ceiling = kPDFMaxObjectNumber;
    if (SourceLength() < ceiling) ceiling = SourceLength();
    if (number < 0 || number > ceiling)
        FailFormat("Object number %d is out of range in Cross Reference Table", static_cast<int>(number > INT32_MAX ? INT32_MAX : number));
}

boost::shared_ptr<CPDFDictionary> CPDFParser::ParseXrefSection(CPDFCrt& table) {
    if (!MatchLiteral("xref")) Fail("xref keyword has not been found");
    SkipWhitespace();
    for (;;) {
        if (MatchLiteral("trailer")) break;
        SkipWhitespace();
        int first = 0;
        int count = 0;
        if (!ReadUnsigned(&first) || !MatchChar(' ') || !ReadUnsigned(&count))
            Fail("Invalid character while parsing Cross Reference Table");
        SkipWhitespace();
        // The rows must really be there before the table is sized for them.
        if (static_cast<int64_t>(count) * kXrefRowLength > SourceLength() - SourceTell())
            Fail("Cross Reference Table subsection has more rows than the file holds");
        CheckObjectNumberLimit(count > 0 ? static_cast<long long>(first) + count - 1 : first);
        table.AddSection(first, count);

        for (int row = 0; row < count; ++row) {
            int64_t rowStart = SourceTell();
            int offset = 0;
            int generation = 0;
            if (!ReadUnsigned(&offset) || !MatchChar(' ') || !ReadUnsigned(&generation) ||
                !MatchChar(' '))
                Fail("Invalid character while parsing Cross Reference Table");
            char type = GetChar(nullptr);
            if (!CheckLineEnd()) AddMessage("Invalid character while parsing Cross Reference Table");
            SkipWhitespace();
            if (type != 'n' && type != 'f')
                Fail("Invalid type character while parsing Cross Reference Table");
            if (offset < 0) Fail("Invalid offset value while parsing Cross Reference Table");
            if (SourceTell() - rowStart != kXrefRowLength)
                Fail("Invalid xref entry length while parsing Cross Reference Table");
            table.AddEntry(first + row, generation, offset, type);
        }
        if (IsAtEnd()) break;
    }
    SkipBlanks();
    return ParseDictionary();
}

void CPDFParser::ReadTrailerChain(CPDFDocument* document) {
    if (document == nullptr) Fail("Null pointer provided for document!");
    document->SetFileVersion(ReadHeader());
    int startXref = 0;
    ReadStartXref(startXref);
    document->SetStartXref(startXref);
    m_crt = document->GetCrt();
    m_crt->SetXrefOffset(startXref);

    std::set<int> visitedOffsets;
    int offset = startXref;
    bool first = true;
    for (;;) {
        if (!visitedOffsets.insert(offset).second)
            Fail("The /Prev chain of the Cross Reference Tables runs in a loop");
        if (offset < 0 || offset >= SourceLength() || !SourceSeek(offset))
            Fail("xref keyword has not been found");
        if (!MatchLiteral("xref")) {
            if (IsXrefStreamAt(offset))
                Fail("Cross reference streams (PDF 1.5 and later) are not supported");
            Fail("xref keyword has not been found");
        }
        SourceSeek(offset);
        boost::shared_ptr<CPDFDictionary> trailer = ParseXrefSection(*m_crt);
        if (first) {
            m_crt->SetTrailer(trailer);
            first = false;
        }
        if (!trailer->HasKey("/Prev")) break;
        boost::shared_ptr<CPDFObjectBase> prev = trailer->Get("/Prev");
        if (!prev || prev->GetType() != ptInteger) Fail("/Prev has invalid type in trailer dict");
        offset = static_cast<CPDFNumber*>(prev.get())->GetInteger();
    }

    boost::shared_ptr<CPDFDictionary> trailer = m_crt->GetTrailer();
    if (!trailer) Fail("Trailerdict is not present");
    document->SetFileTableSize(m_crt->GetSize());
    document->SetFileTrailer(trailer);
    boost::shared_ptr<CPDFDictionary> root = boost::static_pointer_cast<CPDFDictionary>(
        trailer->GetTypedEntry("/Root", ptDictionary, true));
    document->SetRootCatalog(root);
    CPDFName* type = root->GetName("/Type", true, nullptr);
    if (type->GetName() != "/Catalog") Fail("Root object must have type /Catalog");
}

bool CPDFParser::IsXrefStreamAt(int64_t offset) {
    ParserPosition mark = SavePosition();
    bool xrefStream = false;
    try {
        SourceSeek(offset);
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

void CPDFParser::ReadPageTree(CPDFDocument* document) {
    if (document == nullptr) Fail("Null pointer provided for document!");
    CPDFDictionary* catalog = document->GetRootCatalog().get();
    if (catalog == nullptr) Fail("RootCatalog element is missing");

    // Depth first in document order: kids are pushed in reverse.
    std::vector<std::pair<CPDFRef*, int>> pending;
    pending.push_back(std::make_pair(catalog->GetRef("/Pages", false, nullptr), 0));
    std::set<const CPDFObject*> visitedNodes;
    bool firstNode = true;
    while (!pending.empty()) {
        CPDFRef* reference = pending.back().first;
        int depth = pending.back().second;
        pending.pop_back();
        if (reference == nullptr) continue;

        boost::shared_ptr<CPDFObject> object = reference->GetReferencedObject(nullptr, false);
        if (!object) Fail("Can't get the Page ref object!");
        if (object->GetInnerType() != ptDictionary)
            Fail("Pages tree node or page object of invalid type");
        CPDFDictionary* node = static_cast<CPDFDictionary*>(object->GetInnerObject().get());
        std::string type = node->GetName("/Type", true, "Type element of Subtree is missing")->GetName();

        if (type == "/Pages") {
            if (!visitedNodes.insert(object.get()).second)
                Fail("Pages tree node is reached twice: the /Kids of the page tree form a cycle");
            if (depth >= kPDFMaxPageTreeDepth) Fail("Pages tree is nested too deeply");
            if (firstNode)
                node->GetInteger("/Count", true,
                                 "Count element of Subtree is missing or is not of type integer");
            CPDFArray* kids = node->GetArray("/Kids", true, "Kids array not in pages dictionary!");
            for (int k = kids->GetCount() - 1; k >= 0; --k) {
                boost::shared_ptr<CPDFObjectBase> kid = kids->Get(k);
                if (!kid || kid->GetType() == ptNull) continue;
                if (kid->GetType() != ptRef)
                    Fail("Kids array in pages node contains other object than indirect reference");
                pending.push_back(std::make_pair(static_cast<CPDFRef*>(kid.get()), depth + 1));
            }
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

boost::shared_ptr<CPDFObject> CPDFParser::LoadObject(CPDFRef* reference) {
    if (reference == nullptr) Fail("NULL pointer provided as parameter");
    if (!m_crt) Fail("Cross Reference table missing");

    int objectNumber = reference->GetObjectNumber();
    int generation = reference->GetGenerationNumber();
    s_crtentry entry = s_crtentry();
    bool found = m_crt->FindEntry(objectNumber, entry);

    boost::shared_ptr<CPDFObject> result;
    // Entries beyond the file's table belong to objects made since; the file
    // holds nothing under those numbers.
    if (found && entry.type == 'n' && entry.offset >= 1 && m_document->IsFileObjectNumber(objectNumber)) {
        if (entry.offset >= SourceLength())
            FailFormat("Object %d has an offset beyond the end of the file", objectNumber);
        if (m_loading.count(objectNumber))
            FailFormat("Object %d refers to itself while it is being read", objectNumber);
        if (static_cast<int>(m_loading.size()) >= kPDFMaxLoadDepth)
            FailFormat("Object %d: chain of objects needed to read it is too long", objectNumber);
        m_loading.insert(objectNumber);
        try {
            SourceSeek(entry.offset);
            result = ParseIndirectObject();
        } catch (...) {
            m_loading.erase(objectNumber);
            throw;
        }
        m_loading.erase(objectNumber);
        // An offset that leads to another object is a damaged table; taking
        // that object under this number would hand out the wrong content.
        if (result->GetObjectNumber() != objectNumber || result->GetGenerationNumber() != generation)
            FailFormat("Object %d %d expected at its offset in crt, but found object %d %d", objectNumber,
                       generation, result->GetObjectNumber(), result->GetGenerationNumber());
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
