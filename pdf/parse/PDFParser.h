// Reads PDF syntax into the object model: direct objects, indirect objects
// with their streams, and (PDFFileStructure.cpp) the file's cross-reference
// chain, trailer, catalog and page tree, loading further objects on demand.
#pragma once

#include <boost/shared_ptr.hpp>

#include <set>
#include <string>

#include "pdf/parse/ParserBase.h"

namespace ZAVPDF {

class CPDFArray;
class CPDFCrt;
class CPDFDictionary;
class CPDFDocument;
class CPDFName;
class CPDFNumber;
class CPDFObject;
class CPDFObjectBase;
class CPDFRef;
class CPDFString;

class CPDFParser : public ParserBase {
public:
    CPDFParser(ZAV::CDataSource* source, CPDFDocument* document);
    ~CPDFParser() override;

    // Warnings about input the parser survived, one per line.
    void AddMessage(const char* text);
    const std::string& GetMessages() const { return m_messages; }

    // --- objects ---
    boost::shared_ptr<CPDFObjectBase> ParseObject();
    boost::shared_ptr<CPDFString> ParseString();
    boost::shared_ptr<CPDFName> ParseName();
    // A name's text with its slash, escapes decoded.
    std::string ParseNameText();
    boost::shared_ptr<CPDFNumber> ParseNumber();
    boost::shared_ptr<CPDFArray> ParseArray();
    boost::shared_ptr<CPDFDictionary> ParseDictionary();
    boost::shared_ptr<CPDFObject> ParseIndirectObject();
    bool IsUnsignedAhead();
    // The line end after "stream" and after a cross-reference row.
    bool CheckLineEnd();
    // White space and comments, wherever the grammar allows white space.
    bool SkipBlanks();

    // --- file structure ---
    void ParseFile();
    std::string ReadHeader();
    void ReadStartXref(int& offset);
    boost::shared_ptr<CPDFDictionary> ParseXrefSection(CPDFCrt& table);
    void ReadTrailerChain(CPDFDocument* document);
    // Where "%PDF-" starts; the file's offsets count from there.
    int64_t GetHeaderOffset() const { return m_headerOffset; }
    void ReadPageTree(CPDFDocument* document);
    boost::shared_ptr<CPDFObject> LoadObject(CPDFRef* reference);

    static bool IsDelimiter(char c);

private:
    class NestingGuard;
    long long ReadStreamLength(CPDFDictionary& dictionary);
    // True when an indirect object at offset is a cross-reference stream.
    bool IsXrefStreamAt(int64_t offset);
    void CheckObjectNumberLimit(long long number);
    int64_t FindHeaderOffset();
    // The cross-reference sections along the /Prev chain from startXref.
    void ReadXrefSections(int startXref);
    void ReadXrefRow(CPDFCrt& table, int objectNumber);
    // True when the object reference names is not read yet and its bytes
    // hold a plain page object (PDFPageSkim.h).
    bool IsUnreadPlainPage(const CPDFRef& reference);

    boost::shared_ptr<CPDFCrt> m_crt;
    CPDFDocument* m_document;
    std::string m_messages;
    int m_nesting = 0;
    int64_t m_headerOffset = 0;
    // Objects being read right now, so that a stream /Length that leads back
    // into its own object is refused instead of recursing without end.
    std::set<int> m_loading;
};

}  // namespace ZAVPDF
