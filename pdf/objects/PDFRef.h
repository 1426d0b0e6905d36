// The indirect reference "%d %d R" and its resolution to the object it names.
#pragma once

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFObject;

class CPDFRef : public CPDFObjectBase {
public:
    CPDFRef(CPDFDocument* document, int objectNumber, int generation);
    ~CPDFRef() override;

    int GetObjectNumber() const override { return m_objectNumber; }
    int GetGenerationNumber() const override { return m_generationNumber; }
    void SetObjectNumber(int number);
    void SetGenerationNumber(int generation);

    const boost::shared_ptr<CPDFObject>& GetCachedObject() const { return m_cached; }
    void SetCachedObject(const boost::shared_ptr<CPDFObject>& object);
    bool HasCachedObject() const { return static_cast<bool>(m_cached); }
    // Lets go of the target without marking the reference changed; a
    // document does so on destruction to break cycles of references.
    void ReleaseCachedObject() { m_cached.reset(); }
    // Set when the object named is free or missing in the file's table;
    // a dictionary then leaves the entry out when it is written.
    bool GetSkip() const { return m_skip; }
    void SetSkip(bool skip) { m_skip = skip; }
    // Set by the parser: the reference stands in the file, so it can only
    // name an object of the file's cross-reference table.
    bool IsReadFromFile() const { return m_readFromFile; }
    void SetReadFromFile(bool readFromFile) { m_readFromFile = readFromFile; }

    // The indirect object named: the cache, this document's map, the other
    // document's map, or the file read through the document's parser.
    boost::shared_ptr<CPDFObject> GetReferencedObject(CPDFDocument* otherDocument = nullptr,
                                                      bool addToDocument = false);

    void CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys) override;
    void FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                          CPDFKeySet& visitedKeys) override;
    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    std::string ToPDFString() const override;

private:
    int m_objectNumber;
    int m_generationNumber;
    boost::shared_ptr<CPDFObject> m_cached;
    bool m_skip = false;
    bool m_readFromFile = false;
};

}  // namespace ZAVPDF
