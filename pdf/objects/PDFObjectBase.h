// The common base of every object of the PDF object model: type code,
// owning document, parent container, modified flag and object key.
#pragma once

#include <boost/shared_ptr.hpp>

#include <ostream>
#include <string>
#include <vector>

#include "foundation/containers/Set.h"
#include "foundation/containers/IndexedVectorMap.h"

namespace ZAVPDF {

class CPDFDocument;
class CPDFParser;
class CPDFDictionary;
class CPDFObjectBase;

enum PDFObjectType {
    ptNull = 0,
    ptBool = 1,
    ptInteger = 2,
    ptReal = 3,
    ptString = 4,
    ptArray = 5,
    ptDictionary = 6,
    ptRef = 7,
    ptObject = 8,
    ptName = 9,
};

typedef boost::shared_ptr<CPDFObjectBase> CPDFObjectPtr;

// Object key -> object: the document's object map and the reference
// collection of the walks.
typedef ZAV::CIndexedVectorMap<CPDFObjectPtr> CPDFObjectMap;

// Object key -> object, not owning: the visited and reference maps of
// copies and tree walks, which live for one call.
typedef ZAV::CIndexedVectorMap<CPDFObjectBase*> CPDFVisitedMap;

// Object keys already visited by a walk.
typedef ZAV::CSet<std::string> CPDFKeySet;

class CPDFObjectBase {
public:
    CPDFObjectBase(int type, CPDFDocument* document);
    virtual ~CPDFObjectBase();

    CPDFObjectBase(const CPDFObjectBase&) = delete;
    CPDFObjectBase& operator=(const CPDFObjectBase&) = delete;

    virtual int GetObjectNumber() const;
    virtual int GetGenerationNumber() const;
    // Enters every indirect object reached through references into map.
    virtual void CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys);
    virtual bool IsModified() const;
    virtual bool HasModifiedContent() const;
    // Gathers the dictionaries that hold every entry of filter.
    virtual void FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                                  CPDFKeySet& visitedKeys);
    // Copies this object into targetDocument; see PDFFactories.h for the rules.
    // A reference whose object key keySet holds is copied as null.
    virtual CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument,
                                CPDFVisitedMap& referenceMap, CPDFKeySet& keySet, bool addToDocument) = 0;
    // The object's PDF syntax, byte for byte.
    virtual std::string ToPDFString() const = 0;
    virtual void WriteTo(std::ostream& stream);

    int GetType() const { return m_type; }
    CPDFDocument* GetDocument() const { return m_document; }
    std::string GetDocumentKey() const { return *m_documentKey; }
    // Makes the object belong to document (its pointer and key text).
    void SetDocumentKey(CPDFDocument* document);
    // Takes over a key text of another document, as a copied reference does.
    void SetDocumentKeyText(const std::string& keyText);
    std::string GetObjectKey() const;
    CPDFObjectBase* GetParent() const { return m_parent; }
    void SetParent(CPDFObjectBase* parent) { m_parent = parent; }
    void SetModified(bool modified) { m_modified = modified; }
    int GetFileOffset() const { return m_fileOffset; }
    void SetFileOffset(int offset) { m_fileOffset = offset; }
    CPDFParser* GetParser() const;

private:
    CPDFDocument* m_document;
    // The document's key text, held once for all objects (PDFKeyTexts.h).
    const std::string* m_documentKey;
    int m_type;
    int m_fileOffset = 0;
    CPDFObjectBase* m_parent = nullptr;
    bool m_modified = false;
};

// "%d-%s" of an object number and a document key text.
std::string MakeObjectKey(int objectNumber, const std::string& documentKeyText);

}  // namespace ZAVPDF
